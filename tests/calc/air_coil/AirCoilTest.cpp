#include "calc/air_coil/AirCoil.h"

#include "support/WorkedReports.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

// The 100-panel trapezoid as the coefficient has always been computed; every
// coil up to diameter/length 30 must keep giving exactly these numbers.
double LegacyNagaoka(double x) {
    if (x < 0.00001) {
        return 1.0;
    }
    const double h = 0.015707963268;
    const double k = std::sqrt(x * x / (x * x + 1.0));
    const double kp = std::sqrt(1.0 - k * k);
    double dSumK = 0.0;
    double dSumE = 0.0;
    for (int i = 1; i <= 99; ++i) {
        const double s = std::sin(i * h);
        dSumK += 2.0 / std::sqrt(1.0 - k * k * s * s);
        dSumE += 2.0 * std::sqrt(1.0 - k * k * s * s);
    }
    const double dK = (1.0 / std::sqrt(1.0 - k * k) + (1.0 + dSumK)) * h / 2.0;
    const double dE = (std::sqrt(1.0 - k * k) + (1.0 + dSumE)) * h / 2.0;
    return ((dK - dE) * (kp / k) * (kp / k) + dE - k) * (0.42441318157700864 / kp);
}

TEST(NagaokaCoefficientTest, ReferenceValuesToSixDecimals) {
    EXPECT_NEAR(NagaokaCoefficient(0.1), 0.958807, 5e-7);
    EXPECT_NEAR(NagaokaCoefficient(1.0), 0.688423, 5e-7);
    EXPECT_NEAR(NagaokaCoefficient(2.0), 0.525510, 5e-7);
}

TEST(NagaokaCoefficientTest, LongCoilIsExactlyOne) {
    for (const double x : {0.0, 1e-9, 5e-6, 0.0000099999}) {
        EXPECT_EQ(NagaokaCoefficient(x), 1.0) << x;
    }
    EXPECT_LT(NagaokaCoefficient(0.00001), 1.0);
}

TEST(NagaokaCoefficientTest, RealCoilsUnchangedToTheLastBit) {
    // Pinned from the trapezoid, so a change to the integration shows here
    // even if the reference below were changed along with it.
    EXPECT_EQ(NagaokaCoefficient(0.1), 0.9588071242049189);
    EXPECT_EQ(NagaokaCoefficient(1.0), 0.6884226073224713);
    EXPECT_EQ(NagaokaCoefficient(2.0), 0.5255100242545521);
    EXPECT_EQ(NagaokaCoefficient(30.0), 0.09099826038798008);
    for (int i = 0; i <= 4000; ++i) {
        const double x = 0.00001 * std::pow(3e6, i / 4000.0); // 1e-5 .. 30
        ASSERT_EQ(NagaokaCoefficient(x), LegacyNagaoka(x)) << x;
    }
}

// Flat coils (diameter far above the length): exact values from the complete
// elliptic integrals at 50 digits, with the program's 4/(3π).
TEST(NagaokaCoefficientTest, FlatCoilsMatchExactIntegrals) {
    const struct {
        double x;
        double dExact;
        double dTolerance; // relative; k' = sqrt(1 - k²) loses digits as x grows
    } cases[] = {{31.0, 0.088735370214155056, 1e-10},   {100.0, 0.034960245774002567, 1e-10},
                 {1000.0, 0.0049618467876010523, 1e-9}, {1084.0, 0.0046247187339764916, 1e-9},
                 {1e4, 0.00064277173140728316, 1e-9},   {1e5, 7.8935885033000849e-5, 1e-6}};
    for (const auto& c : cases) {
        const double dCoefficient = NagaokaCoefficient(c.x);
        EXPECT_GT(dCoefficient, 0.0) << c.x;
        EXPECT_NEAR(dCoefficient / c.dExact, 1.0, c.dTolerance) << c.x;
    }
}

// Physically the coefficient falls as the coil gets flatter, and never below
// zero; the old trapezoid broke both beyond x = 30. (Far beyond 1e6 the
// closed form itself loses digits to cancellation, so the sweep stops there.)
TEST(NagaokaCoefficientTest, FallsSteadilyAndStaysPositive) {
    double dPrevious = 1.0;
    for (int i = 0; i <= 2000; ++i) {
        const double x = 0.01 * std::pow(1e8, i / 2000.0); // 0.01 .. 1e6
        const double dCoefficient = NagaokaCoefficient(x);
        ASSERT_GT(dCoefficient, 0.0) << x;
        ASSERT_LT(dCoefficient, dPrevious) << x;
        dPrevious = dCoefficient;
    }
    // Across the switch to the arithmetic-geometric mean the step is below the
    // trapezoid's own error there.
    const double dAbove = NagaokaCoefficient(std::nextafter(30.0, 31.0));
    EXPECT_NEAR(dAbove / NagaokaCoefficient(30.0), 1.0, 2e-7);
}

TEST(NagaokaCoefficientTest, ModulusOfOneIsNotFinite) {
    for (const double x : {1e9, 1e12, HUGE_VAL}) {
        EXPECT_FALSE(std::isfinite(NagaokaCoefficient(x))) << x;
    }
}

TEST(EllipticIntegralTest, MatchExactValuesAcrossTheModulus) {
    const struct {
        double k, dK, dE;
    } cases[] = {{0.0, 1.5707963267948966, 1.5707963267948966},
                 {0.5, 1.685750354812596, 1.4674622093394272},
                 {0.9, 2.2805491384227702, 1.1716970527816141},
                 {0.9999, 5.6451482168296928, 1.0005145000837812},
                 {0.99999999, 10.250061191566407, 1.0000000975006117}};
    for (const auto& c : cases) {
        EXPECT_NEAR(EllipticK(c.k) / c.dK, 1.0, 1e-9) << c.k;
        EXPECT_NEAR(EllipticE(c.k) / c.dE, 1.0, 1e-9) << c.k;
    }
    EXPECT_EQ(EllipticK(1.0), HUGE_VAL);
    EXPECT_EQ(EllipticE(1.0), 1.0);
    EXPECT_TRUE(std::isnan(EllipticK(NAN)));
    EXPECT_TRUE(std::isnan(EllipticE(1.5)));
}

TEST(SolenoidInductanceTest, WorkedCoil) {
    // Inner diameter 10 mm + 1 mm wire, 20 mm long, 20 turns.
    EXPECT_NEAR(SolenoidInductance(11.0, 20.0, 20.0), 1.91810, 5e-6);
}

TEST(SolenoidInductanceTest, ZeroDimensionGivesZero) {
    EXPECT_EQ(SolenoidInductance(0.0, 20.0, 20.0), 0.0);
    EXPECT_EQ(SolenoidInductance(11.0, 0.0, 20.0), 0.0);
    EXPECT_EQ(SolenoidInductance(11.0, 20.0, 0.0), 0.0);
}

TEST(SolenoidInductanceTest, VeryLongCoilIsTheIdealSolenoid) {
    // x = 1e-6: coefficient 1, so L = µ0 π r² N² / l.
    const double r = 0.001 / 2000.0;
    const double l = 1000.0 / 1000.0;
    const double dIdeal = kAirCoilMu0 * kAirCoilPi * r * r * 100.0 * 100.0 / l * 1000000.0;
    EXPECT_EQ(SolenoidInductance(0.001, 1000.0, 100.0), dIdeal);
}

TEST(SolenoidInductanceTest, FlatCoilIsPositive) {
    // 100 mm across, 0.01 mm long: x = 10000, negative with the old trapezoid.
    const double dL = SolenoidInductance(100.0, 0.01, 1.0);
    const double r = 0.05;
    const double dExpected = 0.00064277173140728316 * kAirCoilMu0 * kAirCoilPi * r * r / 1e-5 * 1e6;
    EXPECT_NEAR(dL / dExpected, 1.0, 1e-9);
}

constexpr CLocalTime kTime{2026, 12, 8, 9, 5};

TEST(ComputeAirCoilTest, WorkedReportByteForByte) {
    const CAirCoilResult result = ComputeAirCoil({10.0, 20.0, 1.0, 20.0}, kTime);
    EXPECT_EQ(result.strInductance, "1.918 μH");
    EXPECT_TRUE(result.bHasReport);
    EXPECT_EQ(result.strReport, kAirCoilWorkedReport);
    std::string strBytes;
    CEncodeError error;
    ASSERT_TRUE(EncodeShiftJis(result.strReport, strBytes, error));
    EXPECT_EQ(strBytes.substr(0, 10), "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40");
    EXPECT_NEAR(result.dCoefficient, 0.803075, 5e-7); // x = 11/20
}

TEST(ComputeAirCoilTest, FractionalInputsRoundInTheReport) {
    const CAirCoilResult result = ComputeAirCoil({12.34, 5.05, 0.813, 7.25}, kTime);
    EXPECT_NE(result.strReport.find("　　　　　直径  12.3mm\r\n"), std::string::npos);
    EXPECT_NE(result.strReport.find("　　　　　巻き数  7.2\r\n"), std::string::npos);
}

TEST(ComputeAirCoilTest, NoReportWithoutAResult) {
    const struct {
        CAirCoilInputs inputs;
        bool bShowsInductance;
    } cases[] = {
        {{0.0, 20.0, 1.0, 20.0}, true},   // the wire alone still has an inductance
        {{10.0, 0.0, 1.0, 20.0}, false},  //
        {{10.0, 20.0, 1.0, 0.0}, false},  //
        {{0.0, 0.0, 0.0, 0.0}, false},    //
        {{100.0, 1e-7, 0.0, 5.0}, false}, // x = 1e9: the coefficient is not finite
        {{1e-200, 1.0, 0.0, 1.0}, false}, // the inductance underflows to 0
    };
    for (const auto& c : cases) {
        const CAirCoilResult result = ComputeAirCoil(c.inputs, kTime);
        EXPECT_FALSE(result.bHasReport);
        EXPECT_EQ(result.strReport, "\r\n\r\n");
        EXPECT_EQ(!result.strInductance.empty(), c.bShowsInductance) << result.strInductance;
    }
}

} // namespace
