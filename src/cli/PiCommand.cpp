#include "calc/pi_attenuator/PiAttenuator.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"

namespace {

CCalcOutcome RunPi(const COptionValues& values, const CLocalTime& time) {
    const double dImpedance = values.Number("impedance");
    const double dAttenuation = values.Number("attenuation");
    const CPiAttenuatorResult result = ComputePiAttenuator(dImpedance, dAttenuation, time);
    if (!result.bComputed) {
        return FailedOutcome(CCalcOutcome::Refused,
                             "インピーダンスと減衰量が 0 では計算できません。");
    }
    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "pi")
        .BeginObject("inputs")
        .Number("impedance", dImpedance)
        .Number("attenuation", dAttenuation)
        .EndObject()
        .BeginObject("results")
        .Number("r1", result.dR1)
        .Number("r2", result.dR2)
        .String("r1_text", result.strR1)
        .String("r2_text", result.strR2)
        .EndObject()
        .EndObject();
    return DoneOutcome(result.strReport, json.Text());
}

} // namespace

CCalcCommand PiCommand() {
    return {"pi",
            "π型アッテネータの計算（直列抵抗 R1 と並列抵抗 R2）",
            {{"impedance", "Ω", "インピーダンス", COptionDef::Number, 0.0, 10000.0},
             {"attenuation", "dB", "減衰量", COptionDef::Number, 0.0, 200.0}},
            &RunPi};
}
