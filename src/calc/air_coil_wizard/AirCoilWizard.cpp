#include "calc/air_coil_wizard/AirCoilWizard.h"

#include "calc/air_coil/AirCoil.h"
#include "report/CFormat.h"

#include <cmath>

double SolveTurns(double dDiameter, double dLength, double dInductance) {
    const double l = dLength / 1000.0;
    const double r = dDiameter / 2000.0;
    if (dInductance == 0.0) {
        return 0.0;
    }
    const double dCoefficient = NagaokaCoefficient(2.0 * r / l);
    return std::sqrt((l * dInductance) /
                     (dCoefficient * kAirCoilMu0 * kAirCoilPi * r * r * 1000000.0));
}

std::string FormatWizardTurns(double dTurns) {
    if (dTurns == 0.0 || !std::isfinite(dTurns)) {
        return {};
    }
    return FormatC("%0.2f", dTurns);
}

std::optional<double> HandOverTurns(double dTurns) {
    if (!std::isfinite(dTurns)) {
        return std::nullopt;
    }
    // Turns are never negative, so this is "add 0.5 and cut" without the
    // 32-bit integer that large counts would overflow.
    return std::round(dTurns);
}

CWizardCoilTexts FormatWizardCoil(double dDiameter, double dLength, double dWireDiameter) {
    return {FormatC("%0.1f", dDiameter), FormatC("%0.1f", dLength),
            FormatC("%0.3f", dWireDiameter)};
}
