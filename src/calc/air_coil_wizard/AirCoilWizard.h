#pragma once

#include <optional>
#include <string>

// Inclusive range of the wizard's target inductance field, in µH.
inline constexpr double kAirCoilMaxTarget = 100000000.0;

// The turns that give dInductance µH on the mean diameter dDiameter over the
// length dLength (mm): the coil formula solved for the turns, in closed form
// because the coefficient does not depend on them. 0.0 for a zero target;
// not finite when the coil has no finite solution (zero length or diameter,
// or a coefficient that is not finite).
double SolveTurns(double dDiameter, double dLength, double dInductance);

// The wizard's turns display: two decimals, or empty for 0 and for a value
// that is not finite.
std::string FormatWizardTurns(double dTurns);

// What the wizard hands back to the coil calculator: the turns rounded half
// up to a whole count (in double, so any count survives), or nothing when
// there is no finite result.
std::optional<double> HandOverTurns(double dTurns);

// The read-only coil values the wizard shows.
struct CWizardCoilTexts {
    std::string strDiameter;     // "%0.1f"
    std::string strLength;       // "%0.1f"
    std::string strWireDiameter; // "%0.3f"
};
CWizardCoilTexts FormatWizardCoil(double dDiameter, double dLength, double dWireDiameter);
