#include "calc/air_coil/AirCoil.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kPi = kAirCoilPi;
constexpr double kMu0 = kAirCoilMu0;
// 4 / (3π) with the π above.
constexpr double kFourOverThreePi = 0.42441318157700864;

// Below this the coil counts as infinitely long.
constexpr double kLongCoilRatio = 0.00001;

// Width of the 100 trapezoid panels over 0..π/2 (π/200 to twelve decimals).
constexpr double kPanelWidth = 0.015707963268;
constexpr int kPanels = 100;

// The trapezoid is kept up to diameter/length 30, where it is within 2e-7 of
// the exact integrals, so real coils give the same numbers as ever. Beyond
// that it falls apart (wrong by 0.2 % at 100, negative from about 1084), and
// the arithmetic-geometric mean takes over.
constexpr double kTrapezoidMaxRatio = 30.0;

double ModulusOfRatio(double x) {
    return std::sqrt(x * x / (x * x + 1.0));
}

bool UsesTrapezoid(double k) {
    static const double kLimit = ModulusOfRatio(kTrapezoidMaxRatio);
    return k <= kLimit;
}

double TrapezoidK(double k) {
    double dSum = 0.0;
    for (int i = 1; i < kPanels; ++i) {
        const double s = std::sin(i * kPanelWidth);
        dSum += 2.0 / std::sqrt(1.0 - k * k * s * s);
    }
    return (1.0 / std::sqrt(1.0 - k * k) + (1.0 + dSum)) * kPanelWidth / 2.0;
}

double TrapezoidE(double k) {
    double dSum = 0.0;
    for (int i = 1; i < kPanels; ++i) {
        const double s = std::sin(i * kPanelWidth);
        dSum += 2.0 * std::sqrt(1.0 - k * k * s * s);
    }
    return (std::sqrt(1.0 - k * k) + (1.0 + dSum)) * kPanelWidth / 2.0;
}

struct CCompleteIntegrals {
    double dK;
    double dE;
};

// K and E together by the arithmetic-geometric mean of 1 and k', with
// E = K (1 - sum of 2^(n-1) c_n^2). Converges quadratically; exact to double
// precision for every modulus.
CCompleteIntegrals AgmIntegrals(double k) {
    double a = 1.0;
    double b = std::sqrt(1.0 - k * k);
    if (std::isnan(b)) {
        return {b, b};
    }
    if (b == 0.0) {
        return {std::numeric_limits<double>::infinity(), 1.0};
    }
    double dSum = k * k / 2.0;
    double dWeight = 0.5;
    for (int i = 0; i < 64 && a - b > 4.0 * std::numeric_limits<double>::epsilon() * a; ++i) {
        const double c = (a - b) / 2.0;
        const double g = std::sqrt(a * b);
        a = (a + b) / 2.0;
        b = g;
        dWeight *= 2.0;
        dSum += dWeight * c * c;
    }
    // The true π here: this is the integral itself, not the coil formula.
    const double dK = std::numbers::pi / (2.0 * a);
    return {dK, dK * (1.0 - dSum)};
}

} // namespace

double EllipticK(double k) {
    return UsesTrapezoid(k) ? TrapezoidK(k) : AgmIntegrals(k).dK;
}

double EllipticE(double k) {
    return UsesTrapezoid(k) ? TrapezoidE(k) : AgmIntegrals(k).dE;
}

double NagaokaCoefficient(double x) {
    if (x < kLongCoilRatio) {
        return 1.0;
    }
    const double k = ModulusOfRatio(x);
    const double kp = std::sqrt(1.0 - k * k);
    const double dK = EllipticK(k);
    const double dE = EllipticE(k);
    return ((dK - dE) * (kp / k) * (kp / k) + dE - k) * (kFourOverThreePi / kp);
}

double SolenoidInductance(double dDiameter, double dLength, double dTurns) {
    const double l = dLength / 1000.0;
    const double r = dDiameter / 2000.0;
    if (l * r * dTurns == 0.0) {
        return 0.0;
    }
    const double dCoefficient = NagaokaCoefficient(2.0 * r / l);
    return dCoefficient * kMu0 * kPi * r * r * dTurns * dTurns / l * 1000000.0;
}

CAirCoilResult ComputeAirCoil(const CAirCoilInputs& inputs, const CLocalTime& time) {
    const CReportFormatter formatter;
    const double dMeanDiameter = inputs.dDiameter + inputs.dWireDiameter;
    CAirCoilResult result;
    // The same ratio, to the bit, as the inductance uses.
    const double l = inputs.dLength / 1000.0;
    const double r = dMeanDiameter / 2000.0;
    result.dCoefficient = l * r == 0.0 ? 0.0 : NagaokaCoefficient(2.0 * r / l);
    result.dInductance = SolenoidInductance(dMeanDiameter, inputs.dLength, inputs.dTurns);
    formatter.FormatInductance(result.strInductance, result.dInductance);
    // A coil so flat that the coefficient overflows, or so thin that the
    // inductance underflows to 0, has nothing to report: a report line
    // without a value, or with "inf", would pass for a result.
    const bool bComputable = std::isfinite(result.dInductance) && result.dInductance > 0.0;
    if (inputs.dDiameter * inputs.dLength * inputs.dTurns == 0.0 || !bComputable) {
        result.strReport = kAirCoilNoReport;
        return result;
    }
    result.strReport = ReportHeading("　　　　　***** ソレノイドコイルの計算 *****\r\n", time) +
                       FormatC("　　　　　直径  %.1fmm\r\n", inputs.dDiameter) +
                       FormatC("　　　　　長さ  %.1fmm\r\n", inputs.dLength) +
                       FormatC("　　　　　巻き数  %.1f\r\n", inputs.dTurns) +
                       FormatC("　　　　　インダクタンス  %s\r\n", result.strInductance.c_str()) +
                       "\r\n";
    result.bHasReport = true;
    return result;
}
