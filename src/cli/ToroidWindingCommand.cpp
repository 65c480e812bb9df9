#include "calc/toroid_coil/ToroidCoil.h"
#include "calc/toroid_winding/ToroidWinding.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/WireOption.h"
#include "report/CFormat.h"
#include "tables/CopperWire.h"
#include "tables/ToroidCoreCatalog.h"

namespace {

CCalcOutcome RunToroidWinding(const COptionValues& values, const CLocalTime& time) {
    CToroidWindingInputs inputs;
    if (std::optional<CCalcOutcome> misuse =
            ReadWireDiameter(values, "toroid-winding", inputs.dWireDiameter)) {
        return *misuse;
    }
    CToroidCoreCatalog catalog;
    const std::string& strCore = values.Text("core");
    if (catalog.FindName(strCore) < 0) {
        return FailedOutcome(CCalcOutcome::BadUsage,
                             FormatC("\"%s\" というコアはカタログにありません。", strCore.c_str()));
    }
    inputs.dTurns = values.Number("turns");
    if (values.Has("lead")) {
        inputs.dLead = values.Number("lead");
    }

    const CToroidWindingResult result = ComputeToroidWinding(catalog, inputs, time);
    if (!result.bComputed) {
        return FailedOutcome(CCalcOutcome::Refused,
                             inputs.dTurns * inputs.dWireDiameter == 0.0
                                 ? "巻き数か線材直径が 0 なので巻線の計算はできません。"
                                 : "この巻き数と線材では巻線を計算できません。");
    }

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "toroid-winding")
        .String("core", strCore)
        .Number("turns", inputs.dTurns)
        .Number("wire_mm", inputs.dWireDiameter)
        .Number("lead_mm", inputs.dLead)
        .Number("inductance_uH", result.dInductance)
        .Number("turn_length_mm", result.dTurnLength)
        .Number("wire_length_mm", result.dWireLength)
        .Number("dc_resistance_ohm", result.dResistance)
        .Number("one_layer_turns", result.dOneLayerTurns)
        .Bool("fits_one_layer", result.bFitsOneLayer)
        .EndObject();
    return DoneOutcome(result.strReport, json.Text());
}

} // namespace

CCalcCommand ToroidWindingCommand() {
    return {"toroid-winding",
            "トロイダルコイルの巻線（線の長さ、直流抵抗、一層に巻けるか）",
            {
                {"core", "NAME", "コア種類（例 T-50-2, FT-82-43）", COptionDef::Text, 0.0, 0.0,
                 true, COptionDef::CoreNameValue},
                {"turns", "N", "巻き数", COptionDef::Number, kToroidMinTurns, kToroidMaxTurns},
                WireDiameterOption(),
                AwgOption(),
                {"lead", "MM", "リード線 片側の長さ(mm)、省略時 20", COptionDef::Number, 0.0,
                 kLeadMaxMm, false},
            },
            RunToroidWinding};
}
