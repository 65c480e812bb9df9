#include "calc/xtal_filter/XtalMeasure.h"

#include "calc/xtal_filter/XtalText.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Exact π, as in the filter designer that takes these values over.
constexpr double kPi = std::numbers::pi;

} // namespace

CXtalMeasureResult ComputeXtalMeasure(double dF1, double dF2, double dCs, double dC0,
                                      const CLocalTime& time) {
    CXtalMeasureResult result;
    result.m_strReport = kXtalMeasureNoReport;
    if (!(dF2 > dF1) || !(dF1 > 0.0) || !(dCs > 0.0) || !(dC0 >= 0.0)) {
        result.m_strMessage = "f2 が f1 より高くないので計算できません（Cs を直列に入れると"
                              "発振周波数は上がります）。";
        return result;
    }
    const double f1 = dF1 * 1e6;
    const double cm = (dC0 + dCs) * 1e-12 * (std::pow(dF2 / dF1, 2.0) - 1.0);
    const double lm = 1.0 / (4.0 * kPi * kPi * f1 * f1 * cm);
    result.m_bComputed = true;
    result.m_dCm = cm * 1e15;
    result.m_dLm = lm * 1e3;
    result.m_dParallelFrequency = dC0 == 0.0 ? std::numeric_limits<double>::infinity()
                                             : f1 * std::sqrt(1.0 + cm / (dC0 * 1e-12));

    result.m_strCm = FormatC("%.3ffF", result.m_dCm);
    result.m_strLm = FormatC("%.3fmH", result.m_dLm);
    result.m_strParallelFrequency = XtalGrouped(result.m_dParallelFrequency, 1, "Hz");

    std::string& str = result.m_strReport;
    str = ReportHeading("　　　　　***** 水晶の測定 (G3UUR) *****\r\n", time);
    str += FormatC("　　　　　f1(Cs短絡)  %.6fMHz\r\n", dF1);
    str += FormatC("　　　　　f2(Cs直列)  %.6fMHz\r\n", dF2);
    str += FormatC("　　　　　Cs  %.2fPF\r\n", dCs);
    str += FormatC("　　　　　端子間容量  %.2fPF\r\n", dC0);
    str += FormatC("　　　　　モーショナル容量 Cm  %s\r\n", result.m_strCm.c_str());
    str += FormatC("　　　　　モーショナルインダクタンス Lm  %s\r\n", result.m_strLm.c_str());
    str += FormatC("　　　　　並列共振周波数 fp  %s\r\n", result.m_strParallelFrequency.c_str());
    str += "\r\n";
    return result;
}
