#pragma once

#include "report/LocalTime.h"
#include "tables/CopperWire.h"

#include <string>

class CToroidCoreCatalog;

// The winding of a toroidal coil: how long a piece of wire to cut, its DC
// resistance, and whether the turns fit on the core in one layer. Lengths in
// mm, inductance in µH.

struct CToroidWindingInputs {
    double dTurns = 0.0;
    double dWireDiameter = 0.0;    // mm
    double dLead = kLeadDefaultMm; // mm left at each end
};

struct CToroidWindingResult {
    bool bComputed = false;      // false: no result (no turns, no wire, or nothing finite)
    double dInductance = 0.0;    // µH, from AL as the toroidal coil calculator has it
    double dTurnLength = 0.0;    // mm of wire per turn
    double dWireLength = 0.0;    // mm, the turns and both leads
    double dResistance = 0.0;    // Ω
    double dOneLayerTurns = 0.0; // whole turns that fit side by side on the inner edge
    bool bFitsOneLayer = false;
    // What the dialog shows; all empty for no result.
    std::string strInductance;
    std::string strTurnLength;
    std::string strWireLength;
    std::string strResistance;
    std::string strLayer; // "一層に巻けます (最大 45 回)" or "一層に巻けません (...)"
    std::string strReport; // CR LF CR LF for no result
};

inline constexpr const char* kToroidWindingNoReport = "\r\n\r\n";

// The winding of that many turns on the catalogue's current core.
CToroidWindingResult ComputeToroidWinding(const CToroidCoreCatalog& catalog,
                                          const CToroidWindingInputs& inputs,
                                          const CLocalTime& time);
