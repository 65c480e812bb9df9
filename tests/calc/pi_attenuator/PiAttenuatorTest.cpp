#include "calc/pi_attenuator/PiAttenuator.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

struct PiCase {
    double dImpedance;
    double dAttenuation;
    const char* pszR1;
    const char* pszR2;
};

void PrintTo(const PiCase& c, std::ostream* pOut) {
    *pOut << c.dImpedance << " ohm, " << c.dAttenuation << " dB";
}

class PiAttenuatorWorked : public ::testing::TestWithParam<PiCase> {};

TEST_P(PiAttenuatorWorked, WritesBothResistors) {
    const PiCase& c = GetParam();
    const CPiAttenuatorResult result = ComputePiAttenuator(c.dImpedance, c.dAttenuation, kTime);
    ASSERT_TRUE(result.bComputed);
    EXPECT_EQ(result.strR1, c.pszR1);
    EXPECT_EQ(result.strR2, c.pszR2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PiAttenuatorWorked,
    ::testing::Values(PiCase{50, 3, "17.61", "292.40"}, PiCase{50, 6, "37.35", "150.47"},
                      PiCase{50, 10, "71.15", "96.24"}, PiCase{50, 20, "247.50", "61.11"},
                      PiCase{75, 10, "106.72", "144.37"}, PiCase{600, 20, "2,970.00", "733.33"},
                      PiCase{50, 0.5, "2.87", "1,737.65"},
                      PiCase{50, 200, "250000000000.00", "50.00"}));

TEST(PiAttenuator, ReportForFiftyOhmsTenDecibels) {
    const CPiAttenuatorResult result = ComputePiAttenuator(50.0, 10.0, kTime);
    EXPECT_EQ(result.strReport, kPiWorkedReport);
}

TEST(PiAttenuator, ShuntResistorExceedsImpedanceAndMatchesClosedForm) {
    for (const double dAttenuation : {0.1, 1.0, 6.0, 40.0, 120.0}) {
        double dR1 = 0.0;
        double dR2 = 0.0;
        PiAttenuatorResistors(50.0, dAttenuation, dR1, dR2);
        const double dK = std::pow(10.0, dAttenuation / 20.0);
        EXPECT_NEAR(dR1, 50.0 * (dK * dK - 1.0) / (2.0 * dK), 1e-9 * dR1) << dAttenuation;
        EXPECT_NEAR(dR2, 50.0 * (dK + 1.0) / (dK - 1.0), 1e-9 * dR2) << dAttenuation;
        EXPECT_GT(dR2, 50.0) << dAttenuation;
    }
}

TEST(PiAttenuator, ZeroInputRefusesWithBlankResults) {
    for (const auto& [dImpedance, dAttenuation] :
         {std::pair{0.0, 10.0}, std::pair{50.0, 0.0}, std::pair{0.0, 0.0}}) {
        const CPiAttenuatorResult result = ComputePiAttenuator(dImpedance, dAttenuation, kTime);
        EXPECT_FALSE(result.bComputed);
        EXPECT_EQ(result.strR1, " ");
        EXPECT_EQ(result.strR2, " ");
        EXPECT_EQ(result.strReport, "\r\n\r\n");
    }
}

TEST(PiAttenuator, NegativeInputsGiveDashes) {
    // Reachable only through a field that failed its range check.
    const CPiAttenuatorResult result = ComputePiAttenuator(50.0, -10.0, kTime);
    ASSERT_TRUE(result.bComputed);
    EXPECT_EQ(result.strR1, "-----");
    EXPECT_EQ(result.strR2, "-----");
    EXPECT_NE(result.strReport.find("減衰量  -10.0db\r\n"), std::string::npos);
}

} // namespace
