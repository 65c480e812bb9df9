#include "calc/ladder_filter/LadderFilter.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"

namespace {

CCalcOutcome RunLadder(const COptionValues& values, const CLocalTime& time) {
    const double dFrequency = values.Number("frequency");
    const double dHolderCapacitance = values.Number("holder-capacitance");
    const double dBandwidth = values.Number("bandwidth");
    const CLadderDesign design =
        ComputeLadderFilter(dFrequency, dHolderCapacitance, dBandwidth, time);

    if (!design.m_bComputed) {
        return FailedOutcome(CCalcOutcome::Refused,
                             "周波数、端子間容量、帯域幅のどれかが 0 なので計算できません。");
    }

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "ladder")
        .BeginObject("inputs")
        .Number("frequency_mhz", dFrequency)
        .Number("holder_capacitance_pf", dHolderCapacitance)
        .Number("bandwidth_khz", dBandwidth)
        .EndObject()
        .BeginArray("rows");
    for (const CLadderRow& row : design.m_rows) {
        json.BeginObject()
            .Number("bandwidth_khz", row.m_dBandwidth)
            .Number("c_pf", row.m_dC)
            .Number("c2_pf", row.m_d2C)
            .Number("z_ohm", row.m_dZ)
            .EndObject();
    }
    json.EndArray()
        .Number("termination_impedance_ohm", design.m_dTerminationImpedance)
        .BeginObject("hand_over")
        .Number("frequency_mhz", dFrequency)
        .Number("zin_ohm", kHandOverInputImpedance)
        .Number("zout_ohm", HandOverImpedance(design.m_dTerminationImpedance))
        .EndObject()
        .EndObject();
    return DoneOutcome(design.m_strReport, json.Text());
}

} // namespace

CCalcCommand LadderCommand() {
    return {
        "ladder",
        "ＬＳＢ型ラダークリスタルフィルターの計算",
        {
            {"frequency", "MHz", "クリスタルの周波数", COptionDef::Number, 0.0, 100.0},
            {"holder-capacitance", "PF", "クリスタルの端子間容量", COptionDef::Number, 0.0, 100.0},
            {"bandwidth", "kHz", "必要とする帯域幅", COptionDef::Number, 0.0, 1000.0},
        },
        &RunLadder};
}
