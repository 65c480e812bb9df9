#include "calc/air_coil_wizard/AirCoilWizard.h"

#include "calc/air_coil/AirCoil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SolveTurnsTest, WorkedTargetAndHandOver) {
    // Mean diameter 11 mm, 20 mm long, 1 µH.
    const double dTurns = SolveTurns(11.0, 20.0, 1.0);
    EXPECT_NEAR(dTurns, 14.4409, 5e-5);
    EXPECT_EQ(FormatWizardTurns(dTurns), "14.44");
    EXPECT_EQ(HandOverTurns(dTurns), 14.0);
    EXPECT_NEAR(SolenoidInductance(11.0, 20.0, 14.0), 0.93987, 5e-6);
}

// Solving for the turns undoes the inductance formula, for long, square and
// flat coils alike (both sides of the integration switch at x = 30).
TEST(SolveTurnsTest, InvertsSolenoidInductanceOverASweep) {
    const double diameters[] = {0.05, 1.0, 11.0, 150.0, 2000.0};
    const double lengths[] = {0.001, 0.3, 20.0, 999.0};
    const double turns[] = {1.0, 2.5, 14.0, 777.0, 10000.0};
    for (const double dDiameter : diameters) {
        for (const double dLength : lengths) {
            for (const double dTurns : turns) {
                const double dL = SolenoidInductance(dDiameter, dLength, dTurns);
                ASSERT_GT(dL, 0.0);
                EXPECT_NEAR(SolveTurns(dDiameter, dLength, dL) / dTurns, 1.0, 1e-13)
                    << dDiameter << " mm / " << dLength << " mm / " << dTurns;
            }
        }
    }
}

TEST(SolveTurnsTest, ResultsWithoutAFiniteCount) {
    EXPECT_EQ(SolveTurns(11.0, 20.0, 0.0), 0.0);
    EXPECT_EQ(FormatWizardTurns(0.0), "");
    EXPECT_EQ(HandOverTurns(0.0), 0.0); // a zero target hands over 0 turns

    const double noSolution[] = {
        SolveTurns(11.0, 0.0, 1.0),  // zero length
        SolveTurns(0.0, 20.0, 1.0),  // zero mean diameter
        SolveTurns(100.0, 1e-7, 1.0) // coefficient not finite
    };
    for (const double dTurns : noSolution) {
        EXPECT_FALSE(std::isfinite(dTurns)) << dTurns;
        EXPECT_EQ(FormatWizardTurns(dTurns), "");
        EXPECT_FALSE(HandOverTurns(dTurns).has_value());
    }
}

TEST(HandOverTurnsTest, RoundsHalfUpWithoutIntegerLimits) {
    const struct {
        double dTurns, dHanded;
    } cases[] = {{14.44, 14.0},        {14.5, 15.0},        {14.4999, 14.0},
                 {0.4, 0.0},           {0.5, 1.0},          {10000.4, 10000.0},
                 {3e9 + 0.5, 3e9 + 1}, {577350.27, 577350}, {1e20, 1e20}};
    for (const auto& c : cases) {
        EXPECT_EQ(HandOverTurns(c.dTurns), c.dHanded) << c.dTurns;
    }
}

TEST(FormatWizardTest, CoilTextsAndTurns) {
    const CWizardCoilTexts texts = FormatWizardCoil(10.0, 20.0, 0.813);
    EXPECT_EQ(texts.strDiameter, "10.0");
    EXPECT_EQ(texts.strLength, "20.0");
    EXPECT_EQ(texts.strWireDiameter, "0.813");
    EXPECT_EQ(FormatWizardTurns(14.445), "14.45");
    EXPECT_EQ(FormatWizardTurns(123456.0), "123456.00");
}

} // namespace
