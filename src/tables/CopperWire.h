#pragma once

// Bare copper magnet wire as the winding calculators see it: its resistance
// and the leads left at each end of a coil. Lengths and diameters in mm.

// Annealed copper at 20 °C (IEC 60028): 1/58 Ω·mm²/m.
inline constexpr double kCopperResistivity = 1.0 / 58.0;

// The largest wire diameter a field takes, as in the air-core coil dialog.
inline constexpr double kWireMaxMm = 1000.0;

// The lead left at each end of a winding: inclusive range and the length a
// fresh dialog starts with.
inline constexpr double kLeadMaxMm = 1000.0;
inline constexpr double kLeadDefaultMm = 20.0;

// DC resistance in Ω of dLength mm of round wire dDiameter mm across.
double CopperResistance(double dLength, double dDiameter);
