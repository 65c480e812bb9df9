#include "calc/air_coil_winding/AirCoilWinding.h"
#include "calc/toroid_winding/ToroidWinding.h"
#include "tables/ToroidCoreCatalog.h"

#include <gtest/gtest.h>

#include <functional>

// The worked windings, each number to the digits it is quoted with: 20
// turns of 0.5 mm wire on T-50-2 with 25 mm leads, and 15 turns of 1.0 mm
// wire on a 10 mm former, 20 mm long, without leads.

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

CToroidWindingResult WorkedToroid() {
    CToroidCoreCatalog catalog;
    EXPECT_GE(catalog.FindName("T-50-2"), 0);
    return ComputeToroidWinding(catalog, {20.0, 0.5, 25.0}, kTime);
}

CAirCoilWindingResult WorkedAirCoil() {
    return ComputeAirCoilWinding({10.0, 20.0, 1.0, 15.0, 0.0}, kTime);
}

TEST(WindingWorkedExamples, NumbersAsQuoted) {
    const CToroidWindingResult toroid = WorkedToroid();
    const CAirCoilWindingResult air = WorkedAirCoil();
    ASSERT_TRUE(toroid.bComputed);
    ASSERT_TRUE(air.bComputed);
    const struct {
        const char* pszWhat;
        double dValue;
        double dQuoted;
        double dHalfDigit; // half a unit of the quoted last digit
    } cases[] = {
        {"toroid turn length mm", toroid.dTurnLength, 16.6, 0.05},
        {"toroid wire length mm", toroid.dWireLength, 382.0, 0.5},
        {"toroid resistance ohm", toroid.dResistance, 0.0335, 0.00005},
        {"toroid one-layer turns", toroid.dOneLayerTurns, 45.0, 0.0},
        {"toroid fits one layer", toroid.bFitsOneLayer ? 1.0 : 0.0, 1.0, 0.0},
        {"air inductance uH", air.dInductance, 1.0789, 0.00005},
        {"air pitch mm", air.dPitch, 1.333, 0.0005},
        {"air wire length mm", air.dWireLength, 518.75, 0.005},
        {"air resistance ohm", air.dResistance, 0.01139, 0.000005},
        {"air self-capacitance pF", air.dSelfCapacitance, 0.5335, 0.00005},
        {"air self-resonance MHz", air.dSelfResonance, 209.8, 0.05},
        {"air fits", air.bFits ? 1.0 : 0.0, 1.0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(c.dValue, c.dQuoted, c.dHalfDigit) << c.pszWhat;
    }
}

} // namespace
