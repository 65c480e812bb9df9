#include "text/NumberInput.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

struct ParseCase {
    const char* pszText;
    double dExpected;
};

class ParseNumberAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberAccepts, ReadsValue) {
    double dValue = -12345.0;
    ASSERT_TRUE(ParseNumber(GetParam().pszText, dValue)) << GetParam().pszText;
    EXPECT_EQ(dValue, GetParam().dExpected) << GetParam().pszText;
}

INSTANTIATE_TEST_SUITE_P(PlainAndFullWidth, ParseNumberAccepts,
                         ::testing::Values(ParseCase{"1.5", 1.5}, ParseCase{"  1.5  ", 1.5},
                                           ParseCase{"+2", 2.0}, ParseCase{"-3.25", -3.25},
                                           ParseCase{".5", 0.5}, ParseCase{"5.", 5.0},
                                           ParseCase{"1e3", 1000.0}, ParseCase{"2.5E-3", 0.0025},
                                           ParseCase{"293.37", 293.37}, ParseCase{"１２．５", 12.5},
                                           ParseCase{"－７", -7.0}, ParseCase{"−７", -7.0},
                                           ParseCase{"＋１ｅ２", 100.0}, ParseCase{"　３　", 3.0},
                                           ParseCase{"\t10\t", 10.0}, ParseCase{"1e-400", 0.0}));

class ParseNumberRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ParseNumberRejects, LeavesValueAlone) {
    double dValue = 42.0;
    EXPECT_FALSE(ParseNumber(GetParam(), dValue)) << GetParam();
    EXPECT_EQ(dValue, 42.0);
}

INSTANTIATE_TEST_SUITE_P(Junk, ParseNumberRejects,
                         ::testing::Values("", "   ", "nan", "NaN", "inf", "-inf", "infinity",
                                           "0x10", "1,000", "1.5kHz", "1.5.2", "e5", "1e", "1e+",
                                           "--1", "+-1", ".", "-", "1 2", "1e999", "-1e400",
                                           "１，０００", "abc", "1\x80",
                                           // overlong forms of "1" and "."
                                           "\xC0\xB1",
                                           "1\xC0\xAE"
                                           "5",
                                           "\xE0\x80\xB1"));

TEST(ParseNumberTest, NegativeZeroReadsAsZero) {
    for (const char* pszText : {"-0", "-0.0", "－０", "-0e5"}) {
        double dValue = 1.0;
        ASSERT_TRUE(ParseNumber(pszText, dValue)) << pszText;
        EXPECT_EQ(dValue, 0.0);
        EXPECT_FALSE(std::signbit(dValue)) << pszText;
    }
}

TEST(ParseNumberTest, IgnoresTheLocaleDecimalComma) {
    const char* pszOld = std::setlocale(LC_NUMERIC, nullptr);
    const std::string strOld = pszOld ? pszOld : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 locale is not installed";
    }
    double dValue = 0.0;
    EXPECT_TRUE(ParseNumber("1.5", dValue));
    EXPECT_EQ(dValue, 1.5);
    EXPECT_FALSE(ParseNumber("1,5", dValue));
    EXPECT_EQ(FormatEditValue(1.5), "1.5");
    std::setlocale(LC_NUMERIC, strOld.c_str());
}

TEST(IsWithinRangeTest, InclusiveAndNeverNonFinite) {
    EXPECT_TRUE(IsWithinRange(0.0, 0.0, 10000.0));
    EXPECT_TRUE(IsWithinRange(10000.0, 0.0, 10000.0));
    EXPECT_FALSE(IsWithinRange(10000.000001, 0.0, 10000.0));
    EXPECT_FALSE(IsWithinRange(-0.1, 0.0, 10000.0));
    const double kInf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(IsWithinRange(std::numeric_limits<double>::quiet_NaN(), 0.0, 10000.0));
    EXPECT_FALSE(IsWithinRange(kInf, 0.0, kInf));
    EXPECT_FALSE(IsWithinRange(-kInf, -kInf, 0.0));
}

TEST(FormatEditValueTest, WritesFifteenSignificantDigits) {
    EXPECT_EQ(FormatEditValue(0.0), "0");
    EXPECT_EQ(FormatEditValue(-0.0), "0");
    EXPECT_EQ(FormatEditValue(293.37), "293.37");
    EXPECT_EQ(FormatEditValue(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatEditValue(10000.0), "10000");
    EXPECT_EQ(FormatEditValue(1e20), "1e+20");
    EXPECT_EQ(FormatEditValue(0.813), "0.813");
}

} // namespace

namespace {

// Overflow is a number out of every range; junk stays junk.
TEST(ReadNumberTest, TellsAnOverflowingDecimalFromJunk) {
    struct Case {
        std::string strText;
        ENumberText eExpected;
    };
    for (const Case& c :
         {Case{"1e400", ENumberText::BeyondDouble}, Case{"-1e400", ENumberText::BeyondDouble},
          Case{std::string(400, '9'), ENumberText::BeyondDouble},
          Case{"１ｅ４００", ENumberText::BeyondDouble}, Case{"1e400x", ENumberText::NotANumber},
          Case{"inf", ENumberText::NotANumber}, Case{"1e-400", ENumberText::Number}}) {
        double dValue = 42.0;
        EXPECT_EQ(ReadNumber(c.strText, dValue), c.eExpected) << c.strText;
        EXPECT_EQ(dValue, c.eExpected == ENumberText::Number ? 0.0 : 42.0) << c.strText;
    }
}

} // namespace
