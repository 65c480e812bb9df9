#include "calc/air_coil/AirCoil.h"
#include "calc/air_coil_wizard/AirCoilWizard.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/WireOption.h"
#include "report/CFormat.h"
#include "text/NumberInput.h"

#include <cmath>
#include <optional>

namespace {

CCalcOutcome RunAirCoil(const COptionValues& values, const CLocalTime& time) {
    CAirCoilInputs inputs;
    if (std::optional<CCalcOutcome> misuse =
            ReadWireDiameter(values, "aircoil", inputs.dWireDiameter)) {
        return *misuse;
    }
    if (std::optional<CCalcOutcome> misuse =
            RequireOneOf(values, "aircoil", "turns", "inductance")) {
        return *misuse;
    }
    const bool bAwg = values.Has("awg");
    const bool bInductance = values.Has("inductance");

    inputs.dDiameter = values.Number("diameter");
    inputs.dLength = values.Number("length");

    inputs.dTurns = values.Number("turns");
    double dUnroundedTurns = inputs.dTurns;
    if (bInductance) {
        // What the turns wizard would hand over for this target.
        dUnroundedTurns = SolveTurns(inputs.dDiameter + inputs.dWireDiameter, inputs.dLength,
                                     values.Number("inductance"));
        const std::optional<double> handed = HandOverTurns(dUnroundedTurns);
        if (!handed) {
            return FailedOutcome(
                CCalcOutcome::Refused,
                "このコイルの寸法では目標のインダクタンスになる巻き数を計算できません。");
        }
        inputs.dTurns = *handed;
        if (inputs.dTurns > kAirCoilMaxTurns) {
            // The dialog's turns field refuses such a count, so OK could never
            // append this report.
            return FailedOutcome(
                CCalcOutcome::Refused,
                FormatC("%s 回巻く必要があり、巻数の範囲（0 から 10000 まで）を超えます。",
                        FormatEditValue(inputs.dTurns).c_str()));
        }
    }

    const CAirCoilResult result = ComputeAirCoil(inputs, time);
    if (!result.bHasReport) {
        return FailedOutcome(
            CCalcOutcome::Refused,
            inputs.dDiameter * inputs.dLength * inputs.dTurns == 0.0
                ? "コイル内径、コイル長さ、巻数のどれかが 0 なのでレポートはありません。"
                : "この寸法のコイルではインダクタンスを計算できません。");
    }

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "aircoil")
        .BeginObject("inputs")
        .Number("diameter_mm", inputs.dDiameter)
        .Number("length_mm", inputs.dLength)
        .Number("wire_diameter_mm", inputs.dWireDiameter);
    if (bAwg) {
        json.Integer("awg", static_cast<long long>(values.Number("awg")));
    }
    if (bInductance) {
        json.Number("inductance_uH", values.Number("inductance"));
    } else {
        json.Number("turns", inputs.dTurns);
    }
    json.EndObject()
        .BeginObject("results")
        .Number("mean_diameter_mm", inputs.dDiameter + inputs.dWireDiameter)
        .Number("nagaoka_coefficient", result.dCoefficient)
        .Number("turns", inputs.dTurns)
        .Number("unrounded_turns", dUnroundedTurns)
        .Number("inductance_uH", result.dInductance)
        .String("inductance_text", result.strInductance)
        .EndObject()
        .EndObject();

    return DoneOutcome(result.strReport, json.Text());
}

} // namespace

CCalcCommand AirCoilCommand() {
    return {"aircoil",
            "空芯コイルのインダクタンス",
            {
                {"diameter", "D", "コイル内径(mm)", COptionDef::Number, 0.0, kAirCoilMaxSize},
                {"length", "L", "コイル長さ(mm)", COptionDef::Number, 0.0, kAirCoilMaxSize},
                WireDiameterOption(),
                AwgOption(),
                {"turns", "N", "コイル巻数", COptionDef::Number, 0.0, kAirCoilMaxTurns, false},
                {"inductance", "L",
                 "目標インダクタンス(μH)、--turns の代わり（巻数はウイザードと同じく四捨五入）",
                 COptionDef::Number, 0.0, kAirCoilMaxTarget, false},
            },
            RunAirCoil};
}
