#include "calc/toroid_coil/ToroidCoil.h"

#include "support/WorkedReports.h"
#include "tables/ToroidCoreCatalog.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

const CLocalTime kTime{2026, 12, 8, 10, 30};

CToroidCoilResult ComputeOn(const char* pszCore, double dTurns) {
    CToroidCoreCatalog catalog;
    EXPECT_GE(catalog.FindName(pszCore), 0) << pszCore;
    return ComputeToroidCoil(catalog, dTurns, kTime);
}

TEST(ToroidCoilTest, WritesTheWholeReport) {
    const CToroidCoilResult result = ComputeOn("T-200-41", 20.0);
    EXPECT_EQ(result.m_strReport, kToroidWorkedReport);
}

TEST(ToroidCoilTest, ReportIgnoresTheDesktopLocale) {
    const char* pszOld = std::setlocale(LC_NUMERIC, nullptr);
    const std::string strOld = pszOld != nullptr ? pszOld : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    const CToroidCoilResult result = ComputeOn("T-50-2", 2.5);
    std::setlocale(LC_NUMERIC, strOld.c_str());
    EXPECT_NE(result.m_strReport.find("巻き数  2.5\r\n"), std::string::npos);
    EXPECT_NE(result.m_strReport.find("外径 12.7 mm\r\n"), std::string::npos);
}

struct DisplayCase {
    const char* pszCore;
    double dTurns;
    const char* pszInductance;
    const char* pszOuter;
    const char* pszInner;
    const char* pszThickness;
    const char* pszColor;
};

void PrintTo(const DisplayCase& c, std::ostream* os) {
    *os << c.pszCore << " x " << c.dTurns;
}

class ToroidCoilDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(ToroidCoilDisplayTest, ShowsCoreAndInductance) {
    const DisplayCase& c = GetParam();
    const CToroidCoilResult result = ComputeOn(c.pszCore, c.dTurns);
    EXPECT_EQ(result.m_strInductance, c.pszInductance);
    EXPECT_EQ(result.m_strOuterDiameter, c.pszOuter);
    EXPECT_EQ(result.m_strInnerDiameter, c.pszInner);
    EXPECT_EQ(result.m_strThickness, c.pszThickness);
    EXPECT_EQ(result.m_strColor, c.pszColor);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCores, ToroidCoilDisplayTest,
    ::testing::Values(
        DisplayCase{"T-200-41", 20.0, "30.20 μH", "50.8 mm", "31.8 mm", "14.0 mm", "緑"},
        DisplayCase{"T-50-2", 10.0, "0.5000 μH", "12.7 mm", "7.7 mm", "4.8 mm", "赤"},
        DisplayCase{"T-200-41", 0.0, "", "50.8 mm", "31.8 mm", "14.0 mm", "緑"},
        // Stored just below 20.95, 13.21 and 6.35, so they round down.
        DisplayCase{"FT-82-43", 1.0, "0.5570 μH", "20.9 mm", "13.2 mm", "6.3 mm", "  "},
        DisplayCase{"T-80-15", 3.0, "0.1530 μH", "20.2 mm", "12.6 mm", "6.4 mm", "赤／白"}));

TEST(ToroidCoilTest, NoTurnsGiveOnlyAnEmptyLinePair) {
    EXPECT_EQ(ComputeOn("T-50-2", 0.0).m_strReport, "\r\n\r\n");
}

TEST(ToroidCoilTest, UnpaintedCoreEndsItsColourLineInFourSpaces) {
    const std::string strReport = ComputeOn("FB-801-43", 3.0).m_strReport;
    EXPECT_NE(strReport.find("　　　　　コア色    \r\n"), std::string::npos) << strReport;
}

TEST(ToroidCoilTest, ReportShowsTheTurnsItComputedWith) {
    struct Case {
        double dTurns;
        const char* pszLine;
    };
    for (const Case& c : {Case{2.5, "巻き数  2.5\r\n"}, Case{20.0, "巻き数  20\r\n"},
                          Case{0.4, "巻き数  0.4\r\n"}, Case{577350.0, "巻き数  577350\r\n"}}) {
        const std::string strReport = ComputeOn("T-50-2", c.dTurns).m_strReport;
        EXPECT_NE(strReport.find(c.pszLine), std::string::npos) << c.dTurns << "\n" << strReport;
    }
    // The report must not say 2 turns beside the inductance of 2.5.
    EXPECT_EQ(ComputeOn("T-50-2", 2.5).m_strInductance, "0.0312 μH");
}

TEST(ToroidCoilTest, HandedTurnsRoundHalfUp) {
    struct Case {
        double dTurns;
        double dExpected;
    };
    for (const Case& c :
         {Case{12.5, 13.0}, Case{12.49, 12.0}, Case{11.5087, 12.0}, Case{0.0, 0.0},
          Case{577350.27, 577350.0}, Case{1e300, 1e300}, Case{4294967296.5, 4294967297.0}}) {
        double dRounded = -1.0;
        EXPECT_TRUE(RoundHandedTurns(c.dTurns, dRounded));
        EXPECT_EQ(dRounded, c.dExpected) << c.dTurns;
    }
    for (const double dBad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        double dRounded = 7.0;
        EXPECT_FALSE(RoundHandedTurns(dBad, dRounded));
        EXPECT_EQ(dRounded, 7.0);
    }
}

} // namespace
