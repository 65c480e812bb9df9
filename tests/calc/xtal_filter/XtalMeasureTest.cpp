#include "calc/xtal_filter/XtalMeasure.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

TEST(XtalMeasure, WorkedCrystal) {
    const CXtalMeasureResult result = ComputeXtalMeasure(10.0, 10.002313, 33.0, 3.5, kTime);
    ASSERT_TRUE(result.m_bComputed);
    EXPECT_NEAR(result.m_dCm, 16.887, 5e-4);
    EXPECT_NEAR(result.m_dLm, 15.000, 5e-4);
    EXPECT_NEAR(result.m_dParallelFrequency, 10e6 * std::sqrt(1.0 + result.m_dCm * 1e-3 / 3.5),
                1e-3);
    EXPECT_EQ(result.m_strCm, "16.887fF");
    EXPECT_EQ(result.m_strLm, "15.000mH");
    EXPECT_EQ(result.m_strReport, kXtalMeasureWorkedReport);
}

TEST(XtalMeasure, RefusesWhenTheSeriesCapacitorDoesNotPullUp) {
    for (const double dF2 : {10.0, 9.999}) {
        const CXtalMeasureResult result = ComputeXtalMeasure(10.0, dF2, 33.0, 3.5, kTime);
        EXPECT_FALSE(result.m_bComputed) << dF2;
        EXPECT_FALSE(result.m_strMessage.empty());
        EXPECT_EQ(result.m_strReport, kXtalMeasureNoReport);
    }
}

TEST(XtalMeasure, NoHolderCapacitanceHasNoParallelResonance) {
    const CXtalMeasureResult result = ComputeXtalMeasure(10.0, 10.002313, 33.0, 0.0, kTime);
    ASSERT_TRUE(result.m_bComputed);
    EXPECT_TRUE(std::isinf(result.m_dParallelFrequency));
    EXPECT_EQ(result.m_strParallelFrequency, "-----");
}

} // namespace
