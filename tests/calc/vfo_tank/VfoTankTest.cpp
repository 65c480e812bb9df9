#include "calc/vfo_tank/VfoTank.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <cmath>

#include <limits>

namespace {

const CLocalTime kTime{2026, 12, 8, 18, 30};

TEST(VfoTank, WorkedExampleReport) {
    const CVfoTankResult result = ComputeVfoTank(3.5, 7.0, 10.0, 100.0, kTime);
    ASSERT_TRUE(result.bComputed);
    EXPECT_DOUBLE_EQ(result.dFixedCap, 20.0);
    EXPECT_NEAR(result.dInductance, 17.2315, 5e-5);
    EXPECT_EQ(result.strInductance, "17.23 μH");
    EXPECT_EQ(result.strFixedCap, "20.00 PF");
    EXPECT_EQ(result.strReport, kVfoWorkedReport);
}

TEST(VfoTank, NarrowRangeNeedsLargeFixedCapacitor) {
    const CVfoTankResult result = ComputeVfoTank(5.0, 5.5, 10.0, 100.0, kTime);
    ASSERT_TRUE(result.bComputed);
    EXPECT_EQ(result.strFixedCap, "418.57 PF");
    EXPECT_NEAR(result.dInductance, 1.95385, 5e-6);
    EXPECT_EQ(result.strInductance, "1.954 μH");
    EXPECT_NE(result.strReport.find("　　　　　コイル容量 1.95μH\r\n"), std::string::npos);
}

TEST(VfoTank, RangeWiderThanTheCapacitorGivesNegativeFixedCapacitor) {
    const CVfoTankResult result = ComputeVfoTank(1.0, 10.0, 10.0, 100.0, kTime);
    ASSERT_TRUE(result.bComputed);
    EXPECT_EQ(result.strFixedCap, "-9.09 PF");
    EXPECT_NE(result.strReport.find("　　　　　固定コンデンサ容量  -9.09PF\r\n"),
              std::string::npos);
}

TEST(VfoTank, ZeroMinimumCapacitanceMakesFixedEqualTotal) {
    const CVfoTankResult result = ComputeVfoTank(3.5, 7.0, 0.0, 90.0, kTime);
    ASSERT_TRUE(result.bComputed);
    EXPECT_DOUBLE_EQ(result.dFixedCap, 30.0);
}

TEST(VfoTank, NoticeIsTwoLinesWithIndentedSecondLine) {
    const CVfoTankResult result = ComputeVfoTank(3.5, 7.0, 10.0, 100.0, kTime);
    EXPECT_EQ(result.strNotice,
              "注意！　計算値には、回路や負荷の容量が考慮されていないので、実際の部品選定を\r\n"
              "　　　　　行う時は、これらに対し十分に検討をして下さい。");
}

struct RefusedCase {
    const char* pszWhy;
    double dFreqMin, dFreqMax, dCapMin, dCapMax;
};

void PrintTo(const RefusedCase& c, std::ostream* pOut) {
    *pOut << c.pszWhy;
}

class VfoTankRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(VfoTankRefuses, WithEmptyResultsAndBareReport) {
    const RefusedCase& c = GetParam();
    const CVfoTankResult result =
        ComputeVfoTank(c.dFreqMin, c.dFreqMax, c.dCapMin, c.dCapMax, kTime);
    EXPECT_FALSE(result.bComputed) << c.pszWhy;
    EXPECT_EQ(result.strInductance, "") << c.pszWhy;
    EXPECT_EQ(result.strFixedCap, "") << c.pszWhy;
    EXPECT_EQ(result.strNotice, "") << c.pszWhy;
    EXPECT_EQ(result.strReport, "\r\n\r\n") << c.pszWhy;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VfoTankRefuses,
    ::testing::Values(RefusedCase{"zero lower frequency", 0.0, 7.0, 10.0, 100.0},
                      RefusedCase{"zero upper frequency", 3.5, 0.0, 10.0, 100.0},
                      RefusedCase{"zero VC maximum", 3.5, 7.0, 0.0, 0.0},
                      RefusedCase{"equal capacitances", 3.5, 7.0, 50.0, 50.0},
                      RefusedCase{"VC maximum below minimum", 3.5, 7.0, 100.0, 10.0},
                      RefusedCase{"equal frequencies", 7.0, 7.0, 10.0, 100.0},
                      RefusedCase{"upper below lower", 7.0, 3.5, 10.0, 100.0},
                      // The squared ratio underflows to 0: L would be infinite.
                      RefusedCase{"vanishing lower frequency", 1e-300, 1000.0, 10.0, 100.0},
                      // Reachable through a failed range check: ratio 1, Cfix infinite.
                      RefusedCase{"negative mirror frequency", -7.0, 7.0, 10.0, 100.0}));

TEST(VfoTank, ResultsAreAlwaysFinite) {
    const double dTiny = std::numeric_limits<double>::denorm_min();
    for (const double dFreqMin : {dTiny, 1e-200, 1e-10, 0.001, 999.999}) {
        const CVfoTankResult result = ComputeVfoTank(dFreqMin, 1000.0, 0.0, 10000.0, kTime);
        if (result.bComputed) {
            EXPECT_TRUE(std::isfinite(result.dInductance)) << dFreqMin;
            EXPECT_TRUE(std::isfinite(result.dFixedCap)) << dFreqMin;
            EXPECT_EQ(result.strReport.find("inf"), std::string::npos) << dFreqMin;
            EXPECT_EQ(result.strReport.find("nan"), std::string::npos) << dFreqMin;
        }
    }
}

} // namespace
