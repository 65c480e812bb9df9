#include "calc/air_coil/AirCoil.h"
#include "calc/air_coil_winding/AirCoilWinding.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/WireOption.h"
#include "tables/CopperWire.h"

namespace {

CCalcOutcome RunAirCoilWinding(const COptionValues& values, const CLocalTime& time) {
    CAirCoilWindingInputs inputs;
    if (std::optional<CCalcOutcome> misuse =
            ReadWireDiameter(values, "aircoil-winding", inputs.dWireDiameter)) {
        return *misuse;
    }
    inputs.dDiameter = values.Number("diameter");
    inputs.dLength = values.Number("length");
    inputs.dTurns = values.Number("turns");
    if (values.Has("lead")) {
        inputs.dLead = values.Number("lead");
    }

    const CAirCoilWindingResult result = ComputeAirCoilWinding(inputs, time);
    if (!result.bComputed) {
        const bool bZero = inputs.dTurns == 0.0 || inputs.dWireDiameter == 0.0 ||
                           inputs.dDiameter * inputs.dLength == 0.0;
        return FailedOutcome(CCalcOutcome::Refused,
                             bZero ? "コイル内径、コイル長さ、線材直径、巻数のどれかが 0 "
                                     "なので巻線の計算はできません。"
                                   : "この寸法のコイルでは巻線を計算できません。");
    }

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "aircoil-winding")
        .Number("diameter", inputs.dDiameter)
        .Number("length", inputs.dLength)
        .Number("wire_mm", inputs.dWireDiameter)
        .Number("turns", inputs.dTurns)
        .Number("lead_mm", inputs.dLead)
        .Number("inductance_uH", result.dInductance)
        .Number("pitch_mm", result.dPitch)
        .Bool("fits", result.bFits)
        .Number("wire_length_mm", result.dWireLength)
        .Number("dc_resistance_ohm", result.dResistance)
        .Number("self_capacitance_pF", result.dSelfCapacitance)
        .Number("self_resonance_MHz", result.dSelfResonance)
        .EndObject();
    return DoneOutcome(result.strReport, json.Text());
}

} // namespace

CCalcCommand AirCoilWindingCommand() {
    return {"aircoil-winding",
            "空芯コイルの巻線（線の長さ、直流抵抗、自己共振周波数）",
            {
                {"diameter", "D", "コイル内径(mm)", COptionDef::Number, 0.0, kAirCoilMaxSize},
                {"length", "L", "コイル長さ(mm)", COptionDef::Number, 0.0, kAirCoilMaxSize},
                WireDiameterOption(),
                AwgOption(),
                {"turns", "N", "コイル巻数", COptionDef::Number, 0.0, kAirCoilMaxTurns},
                {"lead", "MM", "リード線 片側の長さ(mm)、省略時 20", COptionDef::Number, 0.0,
                 kLeadMaxMm, false},
            },
            RunAirCoilWinding};
}
