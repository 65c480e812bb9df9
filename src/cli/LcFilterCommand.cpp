#include "calc/lc_filter/LcReport.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"
#include "text/NumberInput.h"

#include <cmath>
#include <sstream>

namespace {

CCalcOutcome BadUsage(std::string strMessage) {
    return FailedOutcome(CCalcOutcome::BadUsage, std::move(strMessage));
}

// "A,B" as two numbers, both more than 0.
bool ParsePair(const std::string& strText, double& dFirst, double& dSecond) {
    const std::size_t nComma = strText.find(',');
    return nComma != std::string::npos &&
           ParseNumber(std::string_view(strText).substr(0, nComma), dFirst) &&
           ParseNumber(std::string_view(strText).substr(nComma + 1), dSecond) && dFirst > 0.0 &&
           dSecond > 0.0 && std::isfinite(dFirst) && std::isfinite(dSecond);
}

void WriteFigures(CJsonWriter& json, const char* pszKey, const CLcFigures& figures, bool bPower) {
    json.BeginObject(pszKey)
        .Number("band_max_swr", figures.m_dBandMaxSwr)
        .Number("band_loss_db", figures.m_dBandLoss)
        .Number("cutoff_3db_mhz", figures.m_dCutoff3Db / 1e6)
        .BeginArray("checks");
    for (const CLcCheck& check : figures.m_checks) {
        // Infinite above the limit, which the writer puts as null.
        json.BeginObject()
            .Number("mhz", check.m_dFrequency / 1e6)
            .Number("attenuation_db", check.m_dAttenuation)
            .EndObject();
    }
    json.EndArray();
    if (bPower) {
        json.BeginArray("harmonics");
        for (const CLcHarmonic& harmonic : figures.m_harmonics) {
            json.BeginObject()
                .Number("mhz", harmonic.m_dFrequency / 1e6)
                .Number("dbc", harmonic.m_dDbc)
                .Number("power_w", harmonic.m_dPower)
                .EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
}

CCalcOutcome RunLcFilter(const COptionValues& values, const CLocalTime& time) {
    CLcFilterInputs inputs;
    if (values.Has("type") && !ParseLcFilterType(values.Text("type"), inputs.m_eType)) {
        return BadUsage(FormatC("--type は lowpass か highpass です（\"%s\" は使えません）。",
                                values.Text("type").c_str()));
    }
    if (values.Has("response") && !ParseLcResponse(values.Text("response"), inputs.m_eResponse)) {
        return BadUsage(FormatC("--response は butterworth、chebyshev、svc のどれかです（\"%s\" "
                                "は使えません）。",
                                values.Text("response").c_str()));
    }
    if (values.Has("first") && !ParseLcFirstElement(values.Text("first"), inputs.m_eFirst)) {
        return BadUsage(FormatC("--first は capacitor か inductor です（\"%s\" は使えません）。",
                                values.Text("first").c_str()));
    }
    if (values.Has("series") && !ParseLcCapacitorSeries(values.Text("series"), inputs.m_eSeries)) {
        return BadUsage(FormatC("--series は none、E6、E12、E24 のどれかです（\"%s\" "
                                "は使えません）。",
                                values.Text("series").c_str()));
    }
    for (const char* pszCount : {"order", "traps"}) {
        if (auto bad = RequireWholeNumber(values, pszCount)) {
            return *bad;
        }
    }
    if (values.Has("order")) {
        inputs.m_nOrder = static_cast<int>(values.Number("order"));
    }
    inputs.m_nTraps = static_cast<int>(values.Number("traps"));
    if (values.Has("impedance")) {
        inputs.m_dImpedance = values.Number("impedance");
    }
    inputs.m_dCutoff = values.Number("cutoff");
    if (values.Has("ripple")) {
        inputs.m_dRipple = values.Number("ripple");
    }
    if (values.Has("swr")) {
        inputs.m_dMaxSwr = values.Number("swr");
    }
    if (values.Has("capacitors") &&
        !ParsePair(values.Text("capacitors"), inputs.m_dOuterPf, inputs.m_dInnerPf)) {
        return BadUsage("--capacitors は 外側,内側 の 2 つの値（pF、0 より大きい数）です。");
    }
    if (!ParsePair(values.Text("band"), inputs.m_dBandLow, inputs.m_dBandHigh)) {
        return BadUsage("--band は 下限,上限 の 2 つの周波数（MHz、0 より大きい数）です。");
    }
    if (values.Has("check") &&
        !ParsePair(values.Text("check"), inputs.m_dCheck1, inputs.m_dCheck2)) {
        return BadUsage("--check は 2 つの周波数（MHz、0 より大きい数）です。");
    }
    inputs.m_strCore = values.Has("core") ? values.Text("core") : std::string();
    inputs.m_dQ = values.Number("q");
    inputs.m_dPower = values.Number("power");
    if (values.Has("harmonic")) {
        inputs.m_dHarmonic = values.Number("harmonic");
    }
    if (values.Has("set")) {
        std::istringstream lines(values.Text("set"));
        for (std::string strSet; std::getline(lines, strSet);) {
            const std::size_t nEquals = strSet.find('=');
            CLcOverride edit;
            if (nEquals == std::string::npos ||
                !ParseNumber(std::string_view(strSet).substr(nEquals + 1), edit.m_dValue) ||
                !(edit.m_dValue > 0.0) || !std::isfinite(edit.m_dValue)) {
                return BadUsage(FormatC("--set は 名前=値（C3=820 なら pF、L2=1.2 なら μH、0 "
                                        "より大きい数）です（\"%s\" は使えません）。",
                                        strSet.c_str()));
            }
            edit.m_strName = strSet.substr(0, nEquals);
            inputs.m_overrides.push_back(edit);
        }
    }
    if (const std::string strProblem = LcFilterInputProblem(inputs); !strProblem.empty()) {
        return FailedOutcome(CCalcOutcome::Refused, strProblem);
    }
    const CLcFilterDesign design = DesignLcFilter(inputs);
    if (!design.m_bComputed) {
        return FailedOutcome(CCalcOutcome::Refused, design.m_strMessage);
    }
    const bool bPower = inputs.m_dPower > 0.0;
    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "lc-filter")
        .String("type", LcFilterTypeKey(design.m_eType))
        .String("response", LcResponseKey(design.m_eResponse))
        .Integer("order", design.m_nOrder)
        .Number("impedance", design.m_dImpedance)
        .Number("cutoff_mhz", design.m_dCutoff / 1e6);
    if (design.m_eResponse != ELcResponse::Butterworth) {
        json.Number("ripple_db", design.m_dRipple);
    }
    if (design.m_eResponse == ELcResponse::StockChebyshev) {
        json.Number("max_swr", design.m_dMaxSwr);
    }
    if (!design.m_trapFrequencies.empty()) {
        json.BeginArray("trap_mhz");
        for (const double dTrap : design.m_trapFrequencies) {
            json.Number(dTrap / 1e6);
        }
        json.EndArray();
    }
    if (!design.m_candidates.empty()) {
        json.BeginArray("candidates");
        for (const CLcCandidate& candidate : design.m_candidates) {
            json.BeginObject()
                .Number("c_outer_pf", candidate.m_dOuterPf)
                .Number("c_inner_pf", candidate.m_dInnerPf)
                .Number("cutoff_mhz", candidate.m_dCutoff / 1e6)
                .Number("max_swr", candidate.m_dMaxSwr)
                .EndObject();
        }
        json.EndArray();
    }
    json.BeginArray("parts");
    for (const CLcPart& part : design.m_parts) {
        const bool bCapacitor = part.m_eKind == ELcPartKind::Capacitor;
        json.BeginObject()
            .String("name", part.m_strName)
            .String("part", bCapacitor ? "C" : "L")
            .String("place", LcPlaceKey(part))
            .Number(bCapacitor ? "ideal_pf" : "ideal_uh", part.m_dIdeal)
            .Number(bCapacitor ? "value_pf" : "value_uh", part.m_dValue);
        if (!bCapacitor && !inputs.m_strCore.empty()) {
            json.Integer("turns", part.m_nTurns);
        }
        json.EndObject();
    }
    json.EndArray();
    WriteFigures(json, "ideal_figures", design.m_idealFigures, bPower);
    WriteFigures(json, "built_figures", design.m_builtFigures, bPower);
    json.EndObject();
    return DoneOutcome(LcFilterReport(inputs, design, time), json.Text());
}

} // namespace

CCalcCommand LcFilterCommand() {
    using O = COptionDef;
    return {
        "lc-filter",
        "LCフィルターの設計（ローパス・ハイパス、標準値のコンデンサとトロイダルコイルで）",
        {
            {"type", "lowpass|highpass", "種類（既定 lowpass）", O::Text, 0.0, 0.0, false,
             O::ChoiceValue},
            {"response", "butterworth|chebyshev|svc",
             "特性（既定 chebyshev、svc は標準値コンデンサのチェビシェフ）", O::Text, 0.0, 0.0,
             false, O::ChoiceValue},
            {"order", "N", "素子数（既定 7）", O::Number, kLcMinButterworthOrder,
             kLcMaxButterworthOrder, false},
            {"first", "capacitor|inductor", "入力側の素子（既定 capacitor）", O::Text, 0.0, 0.0,
             false, O::ChoiceValue},
            {"impedance", "Ω", "インピーダンス（既定 50）", O::Number, 0.0, kLcMaxImpedance, false},
            {"cutoff", "MHz", "カットオフ周波数", O::Number, 0.0, kLcMaxCutoff, false},
            {"ripple", "dB", "リップル（チェビシェフ、既定 0.1）", O::Number, kLcMinRipple,
             kLcMaxRipple, false},
            {"swr", "S", "最大SWR（svc、既定 1.2）", O::Number, 1.0, kLcMaxSwr, false},
            {"capacitors", "OUTER,INNER", "使うコンデンサ 外側,内側（pF、svc、省略すると探す）",
             O::Text, 0.0, 0.0, false},
            {"band", "LOW,HIGH", "使用帯域 下限,上限（MHz）", O::Text},
            {"traps", "0..3", "トラップの数（2倍・3倍・4倍、既定 0）", O::Number, 0.0, kLcMaxTraps,
             false},
            {"series", "none|E6|E12|E24", "コンデンサの系列（既定 E12）", O::Text, 0.0, 0.0, false,
             O::ChoiceValue},
            {"core", "NAME", "コア（省略するとコイルは理想値）", O::Text, 0.0, 0.0, false,
             O::CoreNameValue},
            {"q", "Q", "コイルの Q（0 なら損失なし）", O::Number, 0.0, kLcMaxQ, false},
            {"check", "F1,F2", "評価する周波数（MHz、省略すると高調波）", O::Text, 0.0, 0.0, false},
            {"power", "W", "送信出力（0 なら高調波の行を出さない）", O::Number, 0.0, kLcMaxPower,
             false},
            {"harmonic", "dBc", "終段の高調波（既定 -20）", O::Number, kLcMinHarmonic,
             kLcMaxHarmonic, false},
            {"set", "NAME=VALUE", "選定値を変える（pF か μH、何度でも）", O::Text, 0.0, 0.0, false,
             O::AnyValue, true},
        },
        &RunLcFilter};
}
