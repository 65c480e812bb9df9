#include "calc/air_coil_winding/AirCoilWinding.h"

#include "calc/air_coil/AirCoil.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The true π for the helix and the resonance; the inductance keeps the coil
// calculator's own rounded π inside SolenoidInductance, so it matches its log.
constexpr double kPi = std::numbers::pi;

// Knight's fit, lengths in cm: C = 0.1126 ℓ + 0.08 D + 0.27 √(D³/ℓ) pF.
constexpr double kLengthTerm = 0.1126;
constexpr double kDiameterTerm = 0.08;
constexpr double kShapeTerm = 0.27;

// Digits of the resistance, capacitance and resonance: each spans decades.
constexpr int kDigits = 4;

// Close-wound turns lie side by side: n·d equals the length in decimal but may
// come out a hair above it in binary, so both the fit test and the count of
// most turns allow for that rounding with one comparison.
constexpr double kFitTolerance = 1e-9;

bool TurnsFit(double dTurns, double dWireDiameter, double dLength) {
    return dTurns * dWireDiameter <= dLength * (1.0 + kFitTolerance);
}

// The most whole turns of wire d that lie side by side within the length,
// counted so that it agrees with the fit test.
double MaxTurns(double dLength, double dWireDiameter) {
    double n = std::floor(dLength * (1.0 + kFitTolerance) / dWireDiameter);
    if (!std::isfinite(n) || n + 1.0 == n) {
        return n; // beyond whole-number precision there is nothing to adjust
    }
    // The quotient may be rounded across a whole number either way.
    if (n > 0.0 && !TurnsFit(n, dWireDiameter, dLength)) {
        n -= 1.0;
    } else if (TurnsFit(n + 1.0, dWireDiameter, dLength)) {
        n += 1.0;
    }
    return n;
}

} // namespace

double SolenoidSelfCapacitance(double dMeanDiameter, double dLength) {
    const double l = dLength / 10.0;
    const double D = dMeanDiameter / 10.0;
    return kLengthTerm * l + kDiameterTerm * D + kShapeTerm * std::sqrt(D * D * D / l);
}

CAirCoilWindingResult ComputeAirCoilWinding(const CAirCoilWindingInputs& inputs,
                                            const CLocalTime& time) {
    CAirCoilWindingResult result;
    result.strReport = kAirCoilWindingNoReport;
    const double d = inputs.dWireDiameter;
    const double N = inputs.dTurns;
    if (N == 0.0 || d == 0.0 || inputs.dDiameter * inputs.dLength == 0.0) {
        return result;
    }
    const double dMean = inputs.dDiameter + d;
    const double dInductance = SolenoidInductance(dMean, inputs.dLength, N);
    const double dPitch = inputs.dLength / N;
    // One turn of the helix: a circle of the mean diameter, risen by one pitch.
    const double dCircumference = kPi * dMean;
    const double dTurn = std::sqrt(dCircumference * dCircumference + dPitch * dPitch);
    const double dWireLength = N * dTurn + 2.0 * inputs.dLead;
    const double dResistance = CopperResistance(dWireLength, d);
    const double dCapacitance = SolenoidSelfCapacitance(dMean, inputs.dLength);
    const double dResonance =
        1.0 / (2.0 * kPi * std::sqrt(dInductance * 1e-6 * dCapacitance * 1e-12)) / 1e6;
    const double dMaxTurns = MaxTurns(inputs.dLength, d);
    const double results[] = {dInductance,  dPitch,     dWireLength, dResistance,
                              dCapacitance, dResonance, dMaxTurns};
    if (!std::ranges::all_of(results, [](double x) { return std::isfinite(x); }) ||
        !(dInductance > 0.0)) {
        return result;
    }

    result.bComputed = true;
    result.dInductance = dInductance;
    result.dPitch = dPitch;
    result.dMaxTurns = dMaxTurns;
    result.bFits = TurnsFit(N, d, inputs.dLength);
    result.dWireLength = dWireLength;
    result.dResistance = dResistance;
    result.dSelfCapacitance = dCapacitance;
    result.dSelfResonance = dResonance;
    CReportFormatter().FormatInductance(result.strInductance, dInductance);
    result.strPitch = FormatC("%.3f mm", dPitch);
    result.strFit = FormatC(result.bFits ? "コイル長さに巻けます (最大 %.0f 回)"
                                         : "コイル長さに巻けません (最大 %.0f 回)",
                            dMaxTurns);
    result.strWireLength = FormatC("%.1f mm", dWireLength);
    result.strResistance = FormatSignificant(dResistance, kDigits) + " Ω";
    result.strSelfCapacitance = FormatSignificant(dCapacitance, kDigits) + " pF";
    result.strSelfResonance = FormatSignificant(dResonance, kDigits) + " MHz";

    std::string& strReport = result.strReport;
    strReport = ReportHeading("　　　　　***** 空芯コイルの巻線 *****\r\n", time);
    strReport += FormatC("　　　　　コイル内径  %.1f mm\r\n", inputs.dDiameter);
    strReport += FormatC("　　　　　コイル長さ  %.1f mm\r\n", inputs.dLength);
    strReport += FormatC("　　　　　線材直径  %.3f mm\r\n", d);
    strReport += FormatC("　　　　　巻き数  %.1f\r\n", N);
    strReport += FormatC("　　　　　リード線（片側）  %.1f mm\r\n", inputs.dLead);
    strReport += FormatC("　　　　　インダクタンス  %s\r\n", result.strInductance.c_str());
    strReport += FormatC("　　　　　ピッチ  %s\r\n", result.strPitch.c_str());
    strReport += FormatC("　　　　　%s\r\n", result.strFit.c_str());
    strReport += FormatC("　　　　　線の長さ  %s\r\n", result.strWireLength.c_str());
    strReport += FormatC("　　　　　直流抵抗  %s\r\n", result.strResistance.c_str());
    strReport += FormatC("　　　　　自己容量  %s\r\n", result.strSelfCapacitance.c_str());
    strReport +=
        FormatC("　　　　　自己共振周波数（目安）  %s\r\n", result.strSelfResonance.c_str());
    strReport += "\r\n";
    return result;
}
