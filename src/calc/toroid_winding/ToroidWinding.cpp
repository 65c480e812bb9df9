#include "calc/toroid_winding/ToroidWinding.h"

#include "calc/toroid_coil/ToroidCoil.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "tables/ToroidCoreCatalog.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The true π: the winding's lengths have no earlier logs to match, unlike the
// coil calculators' rounded values.
constexpr double kPi = std::numbers::pi;

// Digits of the resistance: one wire spans milliohms to kilohms.
constexpr int kResistanceDigits = 4;

// Turns that fit side by side around the core's hole, each touching the next:
// their centres lie on a circle one wire diameter smaller than the hole, and
// two neighbours' centres are one diameter apart, a chord of 2·arcsin(d/(ID−d)).
// Two wires of half the hole fill it across; a thicker one passes once, a wire
// as thick as the hole not at all. The tolerance keeps a count that fits exactly from rounding
// away.
double OneLayerTurns(double dInnerDiameter, double dWireDiameter) {
    if (!(dWireDiameter < dInnerDiameter)) {
        return 0.0;
    }
    if (2.0 * dWireDiameter > dInnerDiameter) {
        return 1.0;
    }
    constexpr double kFitTolerance = 1e-9;
    const double dAngle = std::asin(dWireDiameter / (dInnerDiameter - dWireDiameter));
    return std::floor(kPi / dAngle * (1.0 + kFitTolerance));
}

} // namespace

CToroidWindingResult ComputeToroidWinding(const CToroidCoreCatalog& catalog,
                                          const CToroidWindingInputs& inputs,
                                          const CLocalTime& time) {
    CToroidWindingResult result;
    result.strReport = kToroidWindingNoReport;
    const double d = inputs.dWireDiameter;
    if (inputs.dTurns * d == 0.0) {
        return result;
    }
    const double dInductance = catalog.GetInductance(inputs.dTurns);
    // The wire's centre line around the core's rectangular cross-section.
    const double dTurnLength =
        2.0 * catalog.m_dHeight + (catalog.m_dOuterDiameter - catalog.m_dInnerDiameter) + 4.0 * d;
    const double dWireLength = inputs.dTurns * dTurnLength + 2.0 * inputs.dLead;
    const double dResistance = CopperResistance(dWireLength, d);
    const double dOneLayer = OneLayerTurns(catalog.m_dInnerDiameter, d);
    // A count so small that the inductance underflows would leave a report
    // line without a value.
    const double results[] = {dInductance, dTurnLength, dWireLength, dResistance, dOneLayer};
    if (!std::ranges::all_of(results, [](double x) { return std::isfinite(x); }) ||
        !(dInductance > 0.0)) {
        return result;
    }

    result.bComputed = true;
    result.dInductance = dInductance;
    result.dTurnLength = dTurnLength;
    result.dWireLength = dWireLength;
    result.dResistance = dResistance;
    result.dOneLayerTurns = dOneLayer;
    result.bFitsOneLayer = inputs.dTurns <= dOneLayer;
    CReportFormatter().FormatInductance(result.strInductance, dInductance);
    result.strTurnLength = FormatC("%.1f mm", dTurnLength);
    result.strWireLength = FormatC("%.1f mm", dWireLength);
    result.strResistance = FormatSignificant(dResistance, kResistanceDigits) + " Ω";
    result.strLayer = FormatC(result.bFitsOneLayer ? "一層に巻けます (最大 %.0f 回)"
                                                   : "一層に巻けません (最大 %.0f 回)",
                              dOneLayer);

    std::string& strReport = result.strReport;
    strReport = ReportHeading("　　　　　***** トロイダルコイルの巻線 *****\r\n", time);
    strReport += FormatC("　　　　　コア種類  %s\r\n", catalog.m_strName.c_str());
    strReport += FormatC("　　　　　巻き数  %s\r\n", FormatToroidTurns(inputs.dTurns).c_str());
    strReport += FormatC("　　　　　線材直径  %.3f mm\r\n", d);
    strReport += FormatC("　　　　　リード線（片側）  %.1f mm\r\n", inputs.dLead);
    strReport += FormatC("　　　　　インダクタンス  %s\r\n", result.strInductance.c_str());
    strReport += FormatC("　　　　　１回巻きの長さ  %s\r\n", result.strTurnLength.c_str());
    strReport += FormatC("　　　　　線の長さ  %s\r\n", result.strWireLength.c_str());
    strReport += FormatC("　　　　　直流抵抗  %s\r\n", result.strResistance.c_str());
    strReport += FormatC("　　　　　%s\r\n", result.strLayer.c_str());
    strReport += "\r\n";
    return result;
}
