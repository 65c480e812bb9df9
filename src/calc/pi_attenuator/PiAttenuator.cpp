#include "calc/pi_attenuator/PiAttenuator.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>

void PiAttenuatorResistors(double dImpedance, double dAttenuation, double& dR1, double& dR2) {
    // With K = 10^(A/20): R1 = Z (K^2 - 1) / 2K and R2 = Z (K + 1) / (K - 1).
    // The steps are kept as the report's digits were first computed.
    const double p = dAttenuation / 10.0;
    const double n = -dAttenuation / 20.0;
    const double h = dImpedance / 2.0;
    const double u = (std::pow(10.0, p) - 1.0) * h;
    dR1 = std::pow(10.0, n) * u;
    const double v = std::pow(10.0, p) + 1.0;
    const double w = (std::pow(10.0, p) - 1.0) * dImpedance;
    const double g = v / w;
    dR2 = 1.0 / (g - 1.0 / dR1);
}

CPiAttenuatorResult ComputePiAttenuator(double dImpedance, double dAttenuation,
                                        const CLocalTime& time) {
    CPiAttenuatorResult result;
    if (dAttenuation * dImpedance == 0.0) {
        result.strR1 = " ";
        result.strR2 = " ";
        result.strReport = kPiAttenuatorNoReport;
        return result;
    }
    result.bComputed = true;
    PiAttenuatorResistors(dImpedance, dAttenuation, result.dR1, result.dR2);

    const CReportFormatter formatter;
    formatter.FormatGrouped(result.strR1, result.dR1, 2);
    formatter.FormatGrouped(result.strR2, result.dR2, 2);

    std::string& strReport = result.strReport;
    strReport = ReportHeading("　　　　　***** π型アッテネータの計算 *****\r\n", time);
    strReport += FormatC("　　　　　インピーダンス  %.1fΩ\r\n", dImpedance);
    strReport += FormatC("　　　　　減衰量  %.1fdb\r\n", dAttenuation);
    strReport += FormatC("　　　　　R1= %sΩ（１本）\r\n", result.strR1.c_str());
    strReport += FormatC("　　　　　R2= %sΩ（２本）\r\n", result.strR2.c_str());
    strReport += "\r\n";
    return result;
}
