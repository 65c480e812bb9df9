#include "calc/vfo_tank/VfoTank.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"

namespace {

const char* RefusalReason(double dFreqMin, double dFreqMax, double dCapMin, double dCapMax) {
    if (dFreqMax * dFreqMin * dCapMax == 0.0) {
        return "下限周波数、上限周波数、最大容量が 0 では計算できません。";
    }
    if (!(dCapMax > dCapMin)) {
        return "最大容量は最小容量より大きくしてください。";
    }
    if (!(dFreqMax > dFreqMin)) {
        return "上限周波数は下限周波数より高くしてください。";
    }
    return "下限周波数が上限周波数に比べて小さすぎ、計算できません。";
}

CCalcOutcome RunVfo(const COptionValues& values, const CLocalTime& time) {
    const double dFreqMin = values.Number("fmin");
    const double dFreqMax = values.Number("fmax");
    const double dCapMin = values.Number("cmin");
    const double dCapMax = values.Number("cmax");
    const CVfoTankResult result = ComputeVfoTank(dFreqMin, dFreqMax, dCapMin, dCapMax, time);
    if (!result.bComputed) {
        return FailedOutcome(CCalcOutcome::Refused,
                             RefusalReason(dFreqMin, dFreqMax, dCapMin, dCapMax));
    }
    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "vfo")
        .BeginObject("inputs")
        .Number("fmin", dFreqMin)
        .Number("fmax", dFreqMax)
        .Number("cmin", dCapMin)
        .Number("cmax", dCapMax)
        .EndObject()
        .BeginObject("results")
        .Number("inductance_uH", result.dInductance)
        .Number("fixed_capacitance_pf", result.dFixedCap)
        .String("inductance_text", result.strInductance)
        .String("fixed_capacitance_text", result.strFixedCap)
        .EndObject()
        .EndObject();
    return DoneOutcome(result.strReport, json.Text());
}

} // namespace

CCalcCommand VfoCommand() {
    return {"vfo",
            "ＶＦＯのタンク回路の計算（コイルと固定コンデンサ）",
            {{"fmin", "MHz", "下限周波数", COptionDef::Number, 0.0, 1000.0},
             {"fmax", "MHz", "上限周波数", COptionDef::Number, 0.0, 1000.0},
             {"cmin", "pF", "バリコンの最小容量", COptionDef::Number, 0.0, 10000.0},
             {"cmax", "pF", "バリコンの最大容量", COptionDef::Number, 0.0, 10000.0}},
            &RunVfo};
}
