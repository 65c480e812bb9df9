#include "report/ReportFormatter.h"

#include "report/CFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct GroupedCase {
    double dValue;
    int nDecimals;
    const char* pszExpected;
};

class FormatGroupedTest : public ::testing::TestWithParam<GroupedCase> {};

TEST_P(FormatGroupedTest, WritesWorkedValue) {
    const GroupedCase& c = GetParam();
    std::string strOut = "previous content";
    CReportFormatter().FormatGrouped(strOut, c.dValue, c.nDecimals);
    EXPECT_EQ(strOut, c.pszExpected) << c.dValue << " with " << c.nDecimals;
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    WorkedTable, FormatGroupedTest,
    ::testing::Values(GroupedCase{1234.5678, 2, "1,234.56"}, GroupedCase{0.5, 3, "0.500"},
                      GroupedCase{0.0, 2, "0.00"}, GroupedCase{7.0, 0, "7"},
                      GroupedCase{47.25, -1, "47"}, GroupedCase{3.14159, 5, "3.141"},
                      GroupedCase{12.3456, 3, "12.345"}, GroupedCase{999.9996, 3, "999.999"},
                      GroupedCase{12345.0, 2, "12,345.00"}, GroupedCase{100000.0, 0, "100,000"},
                      GroupedCase{123456.789, 1, "123,456.7"},
                      GroupedCase{2500000.0, 2, "2,500,000.00"},
                      GroupedCase{1234567890.0, 2, "1234567890.00"}, GroupedCase{-1.0, 2, "-----"},
                      GroupedCase{-0.0, 2, "0.00"}, GroupedCase{123456789.0, 0, "123,456,789"},
                      GroupedCase{1234567.0, 0, "1,234,567"}, GroupedCase{0.00005, 3, "0.000"}));

// A fraction that rounds up to a whole unit carries into the integer part.
INSTANTIATE_TEST_SUITE_P(CarryIntoInteger, FormatGroupedTest,
                         ::testing::Values(GroupedCase{1.99996, 3, "2.000"},
                                           GroupedCase{999.99996, 2, "1,000.00"},
                                           GroupedCase{57.99996, 2, "58.00"},
                                           GroupedCase{0.99995, 0, "1"},
                                           GroupedCase{999999.99999, 1, "1,000,000.0"},
                                           GroupedCase{999999999.99999, 0, "1000000000"}));

// Non-finite values never reach an integer conversion; huge ones are written
// exactly by the same rounding rule, without grouping.
INSTANTIATE_TEST_SUITE_P(
    NonFiniteAndHuge, FormatGroupedTest,
    ::testing::Values(GroupedCase{kInf, 2, "-----"}, GroupedCase{-kInf, 2, "-----"},
                      GroupedCase{kNaN, 2, "-----"}, GroupedCase{1e14, 2, "100000000000000.00"},
                      GroupedCase{123456789012345.67, 3, "123456789012345.671"},
                      GroupedCase{1e20, 1, "100000000000000000000.0"},
                      GroupedCase{2.5e11, 2, "250000000000.00"}));

struct InductanceCase {
    double dMicroHenry;
    const char* pszExpected;
};

class FormatInductanceTest : public ::testing::TestWithParam<InductanceCase> {};

TEST_P(FormatInductanceTest, WritesWorkedValue) {
    const InductanceCase& c = GetParam();
    std::string strOut = "previous content";
    CReportFormatter().FormatInductance(strOut, c.dMicroHenry);
    EXPECT_EQ(strOut, c.pszExpected) << c.dMicroHenry;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedTable, FormatInductanceTest,
    ::testing::Values(InductanceCase{0, ""}, InductanceCase{0.000005, "5.0000 pH"},
                      InductanceCase{-1, "-1000000.0000 pH"}, InductanceCase{0.00001, "0.0100 nH"},
                      InductanceCase{0.0005, "0.5000 nH"}, InductanceCase{0.001, "0.0010 μH"},
                      InductanceCase{0.5, "0.5000 μH"}, InductanceCase{1, "1.000 μH"},
                      InductanceCase{4.7, "4.700 μH"}, InductanceCase{9.9996, "10.000 μH"},
                      InductanceCase{47, "47.00 μH"}, InductanceCase{470, "470.0 μH"},
                      InductanceCase{1000, "1.000 mH"}, InductanceCase{47000, "47.00 mH"},
                      InductanceCase{470000, "470.0 mH"}, InductanceCase{1000000, "1.000 H"},
                      InductanceCase{470000000, "470.0 H"},
                      InductanceCase{1000000000, "Too Big !"}));

INSTANTIATE_TEST_SUITE_P(NonFinite, FormatInductanceTest,
                         ::testing::Values(InductanceCase{kNaN, ""}, InductanceCase{kInf, ""},
                                           InductanceCase{-kInf, ""}));

TEST(FormatTimestampTest, WritesIndentedDateLineWithoutLeadingZeros) {
    std::string strOut;
    CReportFormatter().FormatTimestamp(strOut, CLocalTime{2005, 3, 7, 9, 5});
    EXPECT_EQ(strOut, "　　　　　2005-3-7  9:05\r\n");
    CReportFormatter().FormatTimestamp(strOut, CLocalTime{2026, 12, 31, 23, 59});
    EXPECT_EQ(strOut, "　　　　　2026-12-31  23:59\r\n");
}

TEST(FormatTimestampTest, CurrentTimeHasTheSameShape) {
    std::string strOut;
    CReportFormatter().FormatTimestamp(strOut);
    ASSERT_GT(strOut.size(), 17u);
    EXPECT_EQ(strOut.substr(0, 15), kReportIndent);
    EXPECT_EQ(strOut.substr(strOut.size() - 2), "\r\n");
}

TEST(ParseLocalTimeTest, AcceptsOnlyRealMinutes) {
    CLocalTime time;
    ASSERT_TRUE(ParseLocalTime("2005-03-07 09:05", time));
    EXPECT_EQ(time.m_nYear, 2005);
    EXPECT_EQ(time.m_nMonth, 3);
    EXPECT_EQ(time.m_nDay, 7);
    EXPECT_EQ(time.m_nHour, 9);
    EXPECT_EQ(time.m_nMinute, 5);
    for (const char* pszBad :
         {"2005-02-30 10:00", "2005-03-07 24:00", "2005-03-07 9:60", "2005-03-07",
          "2005-03-07 09:05x", "", "yesterday", " 2005-03-07 09:05", "2005-+3-07 09:05",
          "2005-03-07 09:+5", "2005-03-07  09:05", "2005-03-07 09:5", "05-03-07 09:05",
          "2005-03-07T09:05", "2005-00-07 09:05"}) {
        EXPECT_FALSE(ParseLocalTime(pszBad, time)) << pszBad;
    }
}

// Significant digits are counted after rounding, so a value just below a
// power of ten keeps the digits asked for, and no exponent ever appears.
TEST(FormatSignificantTest, DigitsAfterRoundingWithoutExponent) {
    const struct {
        double dValue;
        const char* pszExpected;
    } cases[] = {
        {0.011387777, "0.01139"}, {209.7868, "209.8"},    {0.53346, "0.5335"},
        {9.99996, "10.00"},       {0.099996, "0.1000"},   {12345.6, "12346"},
        {1234.56, "1235"},        {1e-7, "0.0000001000"}, {3e20, "300000000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSignificant(c.dValue, 4), c.pszExpected) << c.dValue;
    }
}

} // namespace
