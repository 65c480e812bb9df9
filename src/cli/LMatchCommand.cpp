#include "calc/lmatch/LMatch.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"

namespace {

CCalcOutcome RunLMatch(const COptionValues& values, const CLocalTime& time) {
    const double dFrequency = values.Number("frequency");
    const double dZin = values.Number("zin");
    const double dZout = values.Number("zout");
    const CLMatchResult result = ComputeLMatch(dFrequency, dZin, dZout, time);

    if (!result.m_bComputed) {
        return FailedOutcome(CCalcOutcome::Refused,
                             "周波数、Zin、Zout のどれかが 0 なので計算できません。");
    }

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "lmatch")
        .BeginObject("inputs")
        .Number("frequency_mhz", dFrequency)
        .Number("zin_ohm", dZin)
        .Number("zout_ohm", dZout)
        .EndObject()
        .Bool("exchanged", result.m_dZin != dZin)
        .Number("zin_ohm", result.m_dZin)
        .Number("zout_ohm", result.m_dZout)
        .Number("c_pf", result.m_dC)
        .Number("l_uh", result.m_dL)
        .EndObject();
    return DoneOutcome(result.m_strReport, json.Text());
}

} // namespace

CCalcCommand LMatchCommand() {
    return {"lmatch",
            "Ｌ型マッチング回路の計算",
            {
                {"frequency", "MHz", "周波数", COptionDef::Number, 0.0, 2000.0},
                {"zin", "Ω", "入力インピーダンス Zin", COptionDef::Number, 0.0, 100000.0},
                {"zout", "Ω", "出力インピーダンス Zout", COptionDef::Number, 0.0, 100000.0},
            },
            &RunLMatch};
}
