#pragma once

#include "report/LocalTime.h"

#include <string>

class CToroidCoreCatalog;

// Title line of the toroidal coil report, also heading the wizard's list report.
inline constexpr const char* kToroidCoilTitleLine =
    "　　　　　***** トロイダルコイルの計算 *****\r\n";

// The report before the first computation, and while the turns are 0.
inline constexpr const char* kToroidCoilInitialReport = "\n\n";
inline constexpr const char* kToroidCoilNoResultReport = "\r\n\r\n";

// The limits of the turns field.
inline constexpr double kToroidMinTurns = 0.0;
inline constexpr double kToroidMaxTurns = 10000.0;

// What the toroidal coil calculator shows and reports.
struct CToroidCoilResult {
    double m_dInductance = 0.0; // µH
    std::string m_strInductance;
    std::string m_strOuterDiameter;
    std::string m_strInnerDiameter;
    std::string m_strThickness;
    std::string m_strColor;
    std::string m_strReport; // CR LF CR LF while the turns are 0
};

// Inductance, displays and report for that many turns on the catalogue's
// current core.
CToroidCoilResult ComputeToroidCoil(const CToroidCoreCatalog& catalog, double dTurns,
                                    const CLocalTime& time);

// A core dimension as the dialog shows it: "%.1f mm".
std::string FormatCoreDimension(double dMillimetres);

// The turns as the report writes them: whole counts without decimals, a
// fraction with one, so the report never hides the count it computed with.
std::string FormatToroidTurns(double dTurns);

// The wizard's turns as the calculator takes them over: rounded half up.
// False, leaving dRounded alone, for a count that is not finite.
bool RoundHandedTurns(double dTurns, double& dRounded);
