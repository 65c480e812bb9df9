#include "calc/toroid_winding/ToroidWinding.h"

#include "support/WorkedReports.h"
#include "tables/ToroidCoreCatalog.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

CToroidWindingResult Wind(const char* pszCore, double dTurns, double dWire, double dLead) {
    CToroidCoreCatalog catalog;
    EXPECT_GE(catalog.FindName(pszCore), 0) << pszCore;
    return ComputeToroidWinding(catalog, {dTurns, dWire, dLead}, kTime);
}

TEST(ToroidWindingTest, WorkedReportByteForByteAndInCodePage932) {
    const CToroidWindingResult result = Wind("T-50-2", 20.0, 0.5, 25.0);
    EXPECT_EQ(result.strReport, kToroidWindingWorkedReport);
    EXPECT_EQ(result.strResistance, "0.03354 Ω");
    std::string strBytes;
    CEncodeError error;
    EXPECT_TRUE(EncodeShiftJis(result.strReport, strBytes, error));
}

TEST(ToroidWindingTest, OneLayerSaysPlainlyWhetherTheTurnsFit) {
    const struct {
        const char* pszCore;
        double dTurns;
        double dWire;
        const char* pszLayer;
        const char* pszTurnsLine;
    } cases[] = {
        {"T-50-2", 45.0, 0.5, "一層に巻けます (最大 45 回)", "巻き数  45\r\n"},
        {"T-50-2", 45.5, 0.5, "一層に巻けません (最大 45 回)", "巻き数  45.5\r\n"},
        {"T-50-2", 46.0, 0.5, "一層に巻けません (最大 45 回)", "巻き数  46\r\n"},
        // Thick wire on a small core: five turns of 2 mm wire would overlap
        // in the 5.2 mm hole of a T-37, four lie side by side.
        {"T-37-2", 4.0, 2.0, "一層に巻けます (最大 4 回)", "巻き数  4\r\n"},
        {"T-37-2", 5.0, 2.0, "一層に巻けません (最大 4 回)", "巻き数  5\r\n"},
        // FB-101 has a 1.4 mm hole: two wires of half the hole fill it
        // across, a thicker one passes once, one as thick as the hole not at all.
        {"FB-101-43", 2.0, 0.7, "一層に巻けます (最大 2 回)", "巻き数  2\r\n"},
        {"FB-101-43", 1.0, 1.0, "一層に巻けます (最大 1 回)", "巻き数  1\r\n"},
        {"FB-101-43", 1.0, 1.4, "一層に巻けません (最大 0 回)", "巻き数  1\r\n"},
        {"FB-101-43", 1.0, 2.0, "一層に巻けません (最大 0 回)", "巻き数  1\r\n"},
        // A third of the hole: the centres make a hexagon exactly.
        {"FB-101-43", 6.0, 1.4 / 3.0, "一層に巻けます (最大 6 回)", "巻き数  6\r\n"},
    };
    for (const auto& c : cases) {
        const CToroidWindingResult result = Wind(c.pszCore, c.dTurns, c.dWire, 20.0);
        ASSERT_TRUE(result.bComputed) << c.pszCore << " " << c.dTurns;
        EXPECT_EQ(result.strLayer, c.pszLayer) << c.dTurns;
        EXPECT_NE(result.strReport.find(std::string("　　　　　") + c.pszLayer + "\r\n"),
                  std::string::npos)
            << result.strReport;
        EXPECT_NE(result.strReport.find(c.pszTurnsLine), std::string::npos) << result.strReport;
    }
}

// The geometry itself, over every core and a range of wires: the counted
// turns sit on a circle of diameter ID − d with neighbours at least one wire
// diameter apart, and one turn more would not.
TEST(ToroidWindingTest, OneLayerCountIsTheMostTurnsThatLieSideBySide) {
    CToroidCoreCatalog catalog;
    const double kPi = 3.14159265358979323846;
    int nChecked = 0;
    ASSERT_EQ(catalog.Search("", ""), catalog.GetCoreCount());
    for (int nCore = 0; nCore < catalog.GetCoreCount(); ++nCore) {
        ASSERT_GE(catalog.SelectResult(nCore), 0);
        const double dHole = catalog.m_dInnerDiameter;
        for (int nWire = 1; nWire <= 60; ++nWire) {
            const double d = 0.05 * nWire;
            const CToroidWindingResult result = ComputeToroidWinding(catalog, {1.0, d, 0.0}, kTime);
            ASSERT_TRUE(result.bComputed) << catalog.m_strName << " " << d;
            const double n = result.dOneLayerTurns;
            const double dRadius = (dHole - d) / 2.0;
            // Centre distance of neighbours among k turns (one turn: no neighbour).
            const auto gap = [&](double k) {
                return k < 2.0 ? 1e300 : 2.0 * dRadius * std::sin(kPi / k);
            };
            if (d >= dHole) {
                EXPECT_EQ(n, 0.0) << catalog.m_strName << " " << d;
                continue;
            }
            EXPECT_GE(n, 1.0) << catalog.m_strName << " " << d;
            EXPECT_GE(gap(n), d * (1.0 - 1e-9)) << catalog.m_strName << " " << d << " " << n;
            EXPECT_LT(gap(n + 1.0), d) << catalog.m_strName << " " << d << " " << n;
            ++nChecked;
        }
    }
    EXPECT_GT(nChecked, 1000);
}

TEST(ToroidWindingTest, NoResultWithoutTurnsWireOrAFiniteValue) {
    const struct {
        double dTurns;
        double dWire;
    } cases[] = {
        {0.0, 0.5},     {20.0, 0.0}, {0.0, 0.0}, {1e-200, 0.5}, // the inductance underflows to 0
        {20.0, 1e-170}, // the cross-section underflows: no finite resistance
    };
    for (const auto& c : cases) {
        const CToroidWindingResult result = Wind("T-50-2", c.dTurns, c.dWire, 20.0);
        EXPECT_FALSE(result.bComputed) << c.dTurns << " " << c.dWire;
        EXPECT_EQ(result.strReport, "\r\n\r\n");
        EXPECT_EQ(result.strInductance + result.strTurnLength + result.strWireLength +
                      result.strResistance + result.strLayer,
                  "");
    }
}

} // namespace
