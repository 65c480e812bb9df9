#include "calc/vfo_tank/VfoTank.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>

namespace {

// Six decimals on purpose: the coil calculators use 3.1415926536, and the
// tank's reported inductances were worked out with this value.
constexpr double kPi = 3.141592;

CVfoTankResult Refused() {
    CVfoTankResult result;
    result.strReport = kVfoTankNoReport;
    return result;
}

} // namespace

CVfoTankResult ComputeVfoTank(double dFreqMin, double dFreqMax, double dCapMin, double dCapMax,
                              const CLocalTime& time) {
    if (dFreqMax * dFreqMin * dCapMax == 0.0 || !(dCapMax > dCapMin) || !(dFreqMax > dFreqMin)) {
        return Refused();
    }
    // (fmin/fmax)^2 = (Cmin + Cfix) / (Cmax + Cfix), solved for the total
    // capacitance Ct = Cmin + Cfix at the upper frequency.
    const double a = (dFreqMin / dFreqMax) * (dFreqMin / dFreqMax);
    const double dSwing = dCapMax - dCapMin;
    const double dTotal = a * dSwing / (1.0 - a);
    const double dFixedCap = dTotal - dCapMin;
    const double dInductance = 1.0 / (4.0 * dFreqMax * dFreqMax * kPi * kPi * dTotal) * 1000000.0;
    if (!std::isfinite(dInductance) || !std::isfinite(dFixedCap)) {
        return Refused();
    }

    CVfoTankResult result;
    result.bComputed = true;
    result.dFixedCap = dFixedCap;
    result.dInductance = dInductance;
    const CReportFormatter formatter;
    formatter.FormatInductance(result.strInductance, dInductance);
    result.strFixedCap = FormatC("%.2f PF", dFixedCap);
    result.strNotice = kVfoTankNotice;

    std::string& strReport = result.strReport;
    strReport = ReportHeading("　　　　　***** ＶＦＯのタンク回路の計算 *****\r\n", time);
    strReport += FormatC("　　　　　下限発振周波数  %.2fMHz\r\n", dFreqMin);
    strReport += FormatC("　　　　　上限発振周波数  %.2fMHz\r\n", dFreqMax);
    strReport += FormatC("　　　　　バリコン最小容量 %.2fPF\r\n", dCapMin);
    strReport += FormatC("　　　　　バリコン最大容量 %.2fPF\r\n", dCapMax);
    strReport += FormatC("　　　　　コイル容量 %.2fμH\r\n", dInductance);
    strReport += FormatC("　　　　　固定コンデンサ容量  %.2fPF\r\n", dFixedCap);
    strReport += "\r\n";
    return result;
}
