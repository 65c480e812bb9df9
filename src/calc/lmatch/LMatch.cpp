#include "calc/lmatch/LMatch.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>
#include <utility>

namespace {

constexpr double kPicoPerMicro = 1000000.0;

} // namespace

CLMatchResult ComputeLMatch(double dFrequency, double dZin, double dZout, const CLocalTime& time) {
    CLMatchResult result;
    result.m_dZin = dZin;
    result.m_dZout = dZout;
    if (dZin * dZout * dFrequency == 0.0) {
        result.m_strReport = "\r\n\r\n";
        return result;
    }
    result.m_bComputed = true;
    if (result.m_dZin > result.m_dZout) {
        std::swap(result.m_dZin, result.m_dZout);
    }
    const double dLow = result.m_dZin;
    const double dHigh = result.m_dZout;

    const double a = kLMatchTwoPi * dFrequency;
    const double x = 1.0 / (a * dHigh);
    const double q = (dHigh - dLow) / dLow;
    result.m_dC = x * std::sqrt(q) * kPicoPerMicro;
    const double y = 1.0 / a;
    result.m_dL = y * std::sqrt((dHigh - dLow) * dLow);

    const CReportFormatter formatter;
    std::string strC;
    std::string strL;
    formatter.FormatGrouped(strC, result.m_dC, 2);
    formatter.FormatGrouped(strL, result.m_dL, 2);
    result.m_strC = "C(PF)=" + strC;
    result.m_strL = "L(μH)=" + strL;

    std::string& strReport = result.m_strReport;
    strReport = ReportHeading("　　　　　***** Ｌ型マッチング回路の計算 *****\r\n", time);
    strReport += FormatC("　　　　　入力インピーダンス  %.1fΩ\r\n", dLow);
    strReport += FormatC("　　　　　出力インピーダンス  %.1fΩ\r\n", dHigh);
    strReport += FormatC("　　　　　周波数  %.3fMHz\r\n", dFrequency);
    strReport += FormatC("　　　　　C= %sPF\r\n", strC.c_str());
    strReport += FormatC("　　　　　L= %sμH\r\n", strL.c_str());
    strReport += "\r\n";
    return result;
}
