#include "calc/xtal_filter/XtalMeasure.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"

namespace {

CCalcOutcome RunXtalMeasure(const COptionValues& values, const CLocalTime& time) {
    const double dF1 = values.Number("f1");
    const double dF2 = values.Number("f2");
    const double dCs = values.Number("cs");
    const double dC0 = values.Number("c0");
    const CXtalMeasureResult result = ComputeXtalMeasure(dF1, dF2, dCs, dC0, time);
    if (!result.m_bComputed) {
        return FailedOutcome(CCalcOutcome::Refused, result.m_strMessage);
    }
    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "xtal-measure")
        .BeginObject("inputs")
        .Number("f1_mhz", dF1)
        .Number("f2_mhz", dF2)
        .Number("cs_pf", dCs)
        .Number("c0_pf", dC0)
        .EndObject()
        .BeginObject("results")
        .Number("motional_capacitance_ff", result.m_dCm)
        .Number("motional_inductance_mh", result.m_dLm)
        .Number("parallel_frequency_hz", result.m_dParallelFrequency)
        .EndObject()
        .EndObject();
    return DoneOutcome(result.m_strReport, json.Text());
}

} // namespace

CCalcCommand XtalMeasureCommand() {
    return {
        "xtal-measure",
        "水晶の測定 (G3UUR)：モーショナル容量とインダクタンス",
        {
            {"f1", "MHz", "Cs を短絡した発振周波数", COptionDef::Number, kXtalMeasureMinFrequency,
             kXtalMeasureMaxFrequency},
            {"f2", "MHz", "Cs を直列に入れた発振周波数", COptionDef::Number,
             kXtalMeasureMinFrequency, kXtalMeasureMaxFrequency},
            {"cs", "PF", "直列に入れるコンデンサ Cs", COptionDef::Number, kXtalMeasureMinCs,
             kXtalMeasureMaxCs},
            {"c0", "PF", "端子間容量", COptionDef::Number, kXtalMeasureMinC0, kXtalMeasureMaxC0},
        },
        &RunXtalMeasure};
}
