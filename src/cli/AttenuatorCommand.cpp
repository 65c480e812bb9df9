#include "calc/attenuator_designer/AttenuatorDesigner.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"

namespace {

CCalcOutcome RunAttenuator(const COptionValues& values, const CLocalTime& time) {
    CAttenuatorInputs inputs;
    inputs.dImpedance = values.Number("impedance");
    inputs.dAttenuation = values.Number("attenuation");
    inputs.dPower = values.Number("power");
    if (values.Has("topology") &&
        !ParseAttenuatorTopology(values.Text("topology"), inputs.eTopology)) {
        return FailedOutcome(CCalcOutcome::BadUsage,
                             FormatC("--topology は pi、t、bridged-t のどれかです（\"%s\" "
                                     "は使えません）。",
                                     values.Text("topology").c_str()));
    }
    if (values.Has("series") && !ParseResistorSeries(values.Text("series"), inputs.eSeries)) {
        return FailedOutcome(
            CCalcOutcome::BadUsage,
            FormatC("--series は E6、E12、E24、E48、E96、E192 のどれかです（\"%s\" "
                    "は使えません）。",
                    values.Text("series").c_str()));
    }
    const CAttenuatorDesign design = DesignAttenuator(inputs, time);
    if (!design.bComputed) {
        return FailedOutcome(CCalcOutcome::Refused,
                             "このインピーダンスと減衰量ではアッテネータを設計できません。");
    }

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "attenuator")
        .String("topology", AttenuatorTopologyKey(inputs.eTopology))
        .Number("impedance", inputs.dImpedance)
        .Number("attenuation", inputs.dAttenuation)
        .String("series", CResistorSeries(inputs.eSeries).Name());
    if (design.bPower) {
        json.Number("power_w", inputs.dPower);
    }
    json.BeginArray("resistors");
    for (const CAttenuatorResistor& resistor : design.resistors) {
        json.BeginObject()
            .String("name", resistor.strName)
            .Number("ideal_ohm", resistor.dIdeal)
            .Number("value_ohm", resistor.dValue);
        if (design.bPower) {
            json.Number("power_w", resistor.dPower);
        }
        json.EndObject();
    }
    json.EndArray()
        .Number("actual_attenuation_db", design.dAttenuation)
        // Infinite for an exact match, which the writer puts as null.
        .Number("return_loss_db", design.dReturnLoss)
        .Number("vswr", design.dVswr);
    if (design.bPower) {
        json.Number("load_power_w", design.dLoadPower);
    }
    json.EndObject();
    return DoneOutcome(design.strReport, json.Text());
}

} // namespace

CCalcCommand AttenuatorCommand() {
    return {
        "attenuator",
        "抵抗アッテネータの設計（π型・T型・橋絡T型、標準抵抗値で）",
        {
            {"impedance", "Ω", "インピーダンス", COptionDef::Number, 0.0, kAttenuatorMaxImpedance},
            {"attenuation", "dB", "減衰量", COptionDef::Number, 0.0, kAttenuatorMaxAttenuation},
            {"topology", "pi|t|bridged-t", "形式（既定 pi）", COptionDef::Text, 0.0, 0.0, false,
             COptionDef::ChoiceValue},
            {"series", "E6|E12|E24|E48|E96|E192", "抵抗の系列（既定 E24）", COptionDef::Text, 0.0,
             0.0, false, COptionDef::ChoiceValue},
            {"power", "W", "入力電力（0 なら電力を計算しない）", COptionDef::Number, 0.0,
             kAttenuatorMaxPower, false},
        },
        &RunAttenuator};
}
