#pragma once

#include "report/LocalTime.h"
#include "tables/CopperWire.h"

#include <string>

// The winding of a single-layer air-core coil: pitch, whether the turns fit
// on the length, how long a piece of wire to cut, its DC resistance, the
// coil's self-capacitance and where it self-resonates. Lengths in mm.

struct CAirCoilWindingInputs {
    double dDiameter = 0.0;     // inner diameter, mm
    double dLength = 0.0;       // winding length, mm
    double dWireDiameter = 0.0; // mm
    double dTurns = 0.0;
    double dLead = kLeadDefaultMm; // mm left at each end
};

struct CAirCoilWindingResult {
    bool bComputed = false;        // false: no result
    double dInductance = 0.0;      // µH, the air-core coil calculator's own
    double dPitch = 0.0;           // mm from turn to turn
    double dMaxTurns = 0.0;        // whole turns of this wire, side by side, on the length
    bool bFits = false;            // the turns, close-wound, are not longer than the coil
    double dWireLength = 0.0;      // mm, the helix and both leads
    double dResistance = 0.0;      // Ω
    double dSelfCapacitance = 0.0; // pF
    double dSelfResonance = 0.0;   // MHz, an estimate
    // What the dialog shows; all empty for no result.
    std::string strInductance;
    std::string strPitch;
    std::string strFit; // "コイル長さに巻けます (最大 20 回)" or "...巻けません..."
    std::string strWireLength;
    std::string strResistance;
    std::string strSelfCapacitance;
    std::string strSelfResonance;
    std::string strReport; // CR LF CR LF for no result
};

inline constexpr const char* kAirCoilWindingNoReport = "\r\n\r\n";

// Self-capacitance in pF of a single-layer solenoid of mean diameter
// dMeanDiameter and length dLength (mm): Medhurst's measurements as fitted
// by Knight.
double SolenoidSelfCapacitance(double dMeanDiameter, double dLength);

// No result when the turns, the wire, the length or diameter × length is 0,
// or when any result is not finite.
CAirCoilWindingResult ComputeAirCoilWinding(const CAirCoilWindingInputs& inputs,
                                            const CLocalTime& time);
