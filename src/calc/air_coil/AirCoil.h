#pragma once

#include "report/LocalTime.h"

#include <string>

// Single-layer air-core solenoids: the long-solenoid formula corrected by the
// Nagaoka coefficient. Lengths in mm, inductances in µH.

// The air-core calculator and its wizard have always used this π and this µ0
// (not 4π × 1e-7); other calculators round π differently. Kept on purpose so
// every inductance matches earlier logs to the last digit.
inline constexpr double kAirCoilPi = 3.1415926536;
inline constexpr double kAirCoilMu0 = 1.2566375201125274e-6;

// Inclusive ranges of the calculator's fields (mm, turns), shared by the
// dialog and the command line.
inline constexpr double kAirCoilMaxSize = 1000.0; // diameter, length and wire
inline constexpr double kAirCoilMaxTurns = 10000.0;

// Complete elliptic integrals of the first and second kind for the modulus k
// (0 <= k <= 1). K(1) is infinite.
double EllipticK(double k);
double EllipticE(double k);

// The solenoid correction factor for x = diameter / length; 1.0 for a coil
// so long that x is below 0.00001. Not finite when the length is so small
// against the diameter (x above about 1e8) that the modulus rounds to 1.
double NagaokaCoefficient(double x);

// Inductance in µH of dTurns turns on the mean diameter dDiameter over the
// winding length dLength; 0.0 when any of the three is 0.
double SolenoidInductance(double dDiameter, double dLength, double dTurns);

// What the coil calculator is given: the inner diameter of the coil (the
// mean diameter adds one wire diameter), its length, the wire and the turns.
struct CAirCoilInputs {
    double dDiameter = 0.0;     // mm
    double dLength = 0.0;       // mm
    double dWireDiameter = 0.0; // mm
    double dTurns = 0.0;
};

struct CAirCoilResult {
    double dCoefficient = 0.0; // Nagaoka coefficient of the mean diameter over the length
    double dInductance = 0.0;  // µH; 0 for an empty coil, not finite when there is none
    std::string strInductance; // what the inductance field shows; empty for no result
    std::string strReport;     // the report, or the no-result text
    bool bHasReport = false;
};

// The no-result report: two empty lines.
inline constexpr const char* kAirCoilNoReport = "\r\n\r\n";

// Computes the inductance and the report the way the coil calculator shows
// and hands it over. A zero inner diameter, length or turns, or an inductance
// that is not a finite positive number, gives no report.
CAirCoilResult ComputeAirCoil(const CAirCoilInputs& inputs, const CLocalTime& time);
