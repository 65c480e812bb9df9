#include "calc/lc_filter/LcReport.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/NumberInput.h"

#include <cmath>

namespace {

constexpr const char* kIndent = "　　　　　";

std::string Decibels(double dDb) {
    return std::isfinite(dDb) ? FormatC("%.1fdB", dDb) : std::string("∞");
}

std::string Megahertz(double dHz) {
    return FormatC("%.6gMHz", dHz / 1e6);
}

} // namespace

std::string FormatLcPartValue(double dValue, ELcPartKind eKind, const char* pszBeforeUnit) {
    return FormatC("%.5g%s%s", dValue, pszBeforeUnit,
                   eKind == ELcPartKind::Capacitor ? "pF" : "μH");
}

std::string FormatLcPower(double dWatt) {
    struct CUnit {
        double dScale;
        const char* pszName;
    };
    constexpr CUnit kUnits[] = {{1.0, "W"}, {1e-3, "mW"}, {1e-6, "μW"}, {1e-9, "nW"}};
    for (const CUnit& unit : kUnits) {
        if (dWatt >= unit.dScale || unit.dScale == kUnits[3].dScale) {
            const double dValue = dWatt / unit.dScale;
            return (dValue < 10.0 ? FormatC("%.2g", dValue) : FormatC("%.0f", dValue)) +
                   unit.pszName;
        }
    }
    return "0W";
}

std::array<std::string, kLcFigureTextCount> LcFigureTexts(const CLcFigures& figures, bool bPower) {
    std::array<std::string, kLcFigureTextCount> texts;
    texts[kLcRowBandSwr] = FormatC("%.3f", figures.m_dBandMaxSwr);
    texts[kLcRowBandLoss] = FormatC("%.3fdB", figures.m_dBandLoss);
    texts[kLcRowCutoff3Db] = std::isfinite(figures.m_dCutoff3Db)
                                 ? FormatC("%.3fMHz", figures.m_dCutoff3Db / 1e6)
                                 : std::string("―");
    for (int i = 0; i < 2; ++i) {
        texts[kLcRowCheck1 + i] = Decibels(figures.m_checks[i].m_dAttenuation);
        if (bPower && i < static_cast<int>(figures.m_harmonics.size())) {
            const CLcHarmonic& harmonic = figures.m_harmonics[static_cast<std::size_t>(i)];
            texts[kLcRowHarmonic1 + i] = std::isfinite(harmonic.m_dDbc)
                                             ? FormatC("%.1fdBc（%s）", harmonic.m_dDbc,
                                                       FormatLcPower(harmonic.m_dPower).c_str())
                                             : std::string("−∞dBc");
        }
    }
    return texts;
}

std::string LcFilterReport(const CLcFilterInputs& inputs, const CLcFilterDesign& design,
                           const CLocalTime& time) {
    if (!design.m_bComputed) {
        return kLcFilterNoReport;
    }
    const auto line = [](const std::string& strText) { return kIndent + strText + "\r\n"; };
    std::string strReport =
        ReportHeading(std::string(kIndent) + "***** LCフィルターの設計 *****\r\n", time);
    strReport += line(FormatC("%s  %s  %d素子  入力側 %s", LcFilterTypeLabel(design.m_eType),
                              LcResponseLabel(design.m_eResponse), design.m_nOrder,
                              LcFirstElementLabel(inputs.m_eFirst)));
    strReport += line("インピーダンス  " + FormatEditValue(design.m_dImpedance) + "Ω");
    strReport += line("カットオフ周波数  " + FormatC("%.6g", design.m_dCutoff / 1e6) + "MHz");
    if (design.m_eResponse == ELcResponse::Chebyshev) {
        strReport += line("リップル  " + FormatEditValue(design.m_dRipple) + "dB");
    } else if (design.m_eResponse == ELcResponse::StockChebyshev) {
        strReport +=
            line(FormatC("リップル  %.4gdB  最大SWR  %.5f", design.m_dRipple, design.m_dMaxSwr));
    }
    strReport += line("使用帯域  " + FormatC("%.6g", design.m_dBandLow / 1e6) + "～" +
                      Megahertz(design.m_dBandHigh));
    if (!design.m_trapFrequencies.empty()) {
        std::string strTraps = "トラップ";
        for (const double dTrap : design.m_trapFrequencies) {
            strTraps += "  " + Megahertz(dTrap);
        }
        strReport += line(strTraps);
    }
    strReport +=
        line(std::string("コンデンサの系列  ") + (inputs.m_eSeries == ELcCapacitorSeries::None
                                                      ? "なし"
                                                      : LcCapacitorSeriesKey(inputs.m_eSeries)));
    strReport +=
        line("コア  " + (inputs.m_strCore.empty() ? std::string("なし") : inputs.m_strCore) +
             "  コイルのQ  " +
             (inputs.m_dQ > 0.0 ? FormatEditValue(inputs.m_dQ) : std::string("損失なし")));
    const bool bPower = inputs.m_dPower > 0.0;
    if (bPower) {
        strReport += line("送信出力  " + FormatEditValue(inputs.m_dPower) + "W  終段の高調波  " +
                          FormatEditValue(inputs.m_dHarmonic) + "dBc");
    }
    for (const CLcPart& part : design.m_parts) {
        std::string strPart =
            FormatC("%s  %s  理想値 %s → %s", part.m_strName.c_str(), LcPlaceLabel(part).c_str(),
                    FormatLcPartValue(part.m_dIdeal, part.m_eKind).c_str(),
                    FormatLcPartValue(part.m_dValue, part.m_eKind).c_str());
        if (part.m_nTurns > 0) {
            strPart += FormatC("  %d回", part.m_nTurns);
        }
        strReport += line(strPart);
    }
    const auto ideal = LcFigureTexts(design.m_idealFigures, bPower);
    const auto built = LcFigureTexts(design.m_builtFigures, bPower);
    strReport += line("特性（理想 / 実際）");
    const char* const labels[] = {"帯域内の最大SWR", "帯域中央の損失", "3dB周波数"};
    for (int i = 0; i < 3; ++i) {
        strReport += line(std::string(labels[i]) + "  " + ideal[static_cast<std::size_t>(i)] +
                          " / " + built[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 2; ++i) {
        const std::size_t nRow = static_cast<std::size_t>(kLcRowCheck1 + i);
        strReport += line(Megahertz(design.m_builtFigures.m_checks[i].m_dFrequency) + "の減衰量  " +
                          ideal[nRow] + " / " + built[nRow]);
    }
    if (bPower) {
        for (int i = 0; i < 2; ++i) {
            strReport += line(Megahertz(design.m_builtFigures.m_checks[i].m_dFrequency) +
                              "の高調波  " + built[static_cast<std::size_t>(kLcRowHarmonic1 + i)]);
        }
    }
    strReport += "\r\n";
    return strReport;
}
