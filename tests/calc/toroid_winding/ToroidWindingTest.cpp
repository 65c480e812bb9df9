#include "calc/toroid_winding/ToroidWinding.h"

#include "support/WorkedReports.h"
#include "tables/ToroidCoreCatalog.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

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
        // FB-101 has a 1.4 mm hole: no room at all for wire as thick.
        {"FB-101-43", 1.0, 1.4, "一層に巻けません (最大 0 回)", "巻き数  1\r\n"},
        {"FB-101-43", 1.0, 2.0, "一層に巻けません (最大 0 回)", "巻き数  1\r\n"},
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
