#include "calc/air_coil_winding/AirCoilWinding.h"

#include "report/CFormat.h"
#include "support/WorkedReports.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

CAirCoilWindingResult Wind(double dDiameter, double dLength, double dWire, double dTurns,
                           double dLead = 0.0) {
    return ComputeAirCoilWinding({dDiameter, dLength, dWire, dTurns, dLead}, kTime);
}

TEST(AirCoilWindingTest, WorkedReportByteForByteAndInCodePage932) {
    const CAirCoilWindingResult result = Wind(10.0, 20.0, 1.0, 15.0);
    EXPECT_EQ(result.strReport, kAirCoilWindingWorkedReport);
    std::string strBytes;
    CEncodeError error;
    EXPECT_TRUE(EncodeShiftJis(result.strReport, strBytes, error));
}

// The fit test is n·d <= length as written; the count beside it must agree
// with that test even where length / d rounds across a whole number.
TEST(AirCoilWindingTest, FitAndMostTurnsAgree) {
    const struct {
        double dLength;
        double dWire;
        double dTurns;
        const char* pszFit;
    } cases[] = {
        {20.0, 1.0, 20.0, "コイル長さに巻けます (最大 20 回)"},
        {20.0, 1.0, 20.5, "コイル長さに巻けません (最大 20 回)"},
        {20.0, 1.5, 14.0, "コイル長さに巻けません (最大 13 回)"},
        {0.29, 0.01, 29.0, "コイル長さに巻けます (最大 29 回)"}, // 0.29 / 0.01 < 29
        {0.35, 0.01, 35.0, "コイル長さに巻けます (最大 35 回)"}, // 35 × 0.01 a hair above 0.35
        {9.6, 0.8, 12.0, "コイル長さに巻けます (最大 12 回)"},   // 12 × 0.8 a hair above 9.6
        {9.6, 0.8, 12.01, "コイル長さに巻けません (最大 12 回)"},
        {1.0, 2.0, 1.0, "コイル長さに巻けません (最大 0 回)"},
    };
    for (const auto& c : cases) {
        const CAirCoilWindingResult result = Wind(10.0, c.dLength, c.dWire, c.dTurns);
        ASSERT_TRUE(result.bComputed) << c.dLength << " " << c.dWire;
        EXPECT_EQ(result.strFit, c.pszFit) << c.dLength << " " << c.dWire << " " << c.dTurns;
        EXPECT_EQ(result.bFits, c.dTurns <= result.dMaxTurns) << c.dLength << " " << c.dWire;
    }
}

// Every close-wound coil fits, whatever wire and count: the length typed is
// the count times the wire, rounded as a user would type it.
TEST(AirCoilWindingTest, EveryCloseWoundCoilFits) {
    int nRefused = 0;
    for (int nWire = 1; nWire <= 15; ++nWire) {
        const double dWire = nWire / 10.0;
        for (int nTurns = 1; nTurns <= 60; ++nTurns) {
            const double dLength = std::stod(FormatC("%.4f", nTurns * nWire / 10.0));
            const CAirCoilWindingResult result = Wind(10.0, dLength, dWire, nTurns);
            ASSERT_TRUE(result.bComputed) << dWire << " " << nTurns;
            if (!result.bFits || result.dMaxTurns != nTurns) {
                ++nRefused;
                ADD_FAILURE() << dWire << " mm × " << nTurns << ": " << result.strFit;
            }
        }
    }
    EXPECT_EQ(nRefused, 0);
}

TEST(AirCoilWindingTest, NoResultForAZeroInputOrAnythingNotFinite) {
    const struct {
        double dDiameter, dLength, dWire, dTurns;
    } cases[] = {
        {10.0, 20.0, 1.0, 0.0},     {10.0, 20.0, 0.0, 15.0},     {10.0, 0.0, 1.0, 15.0},
        {0.0, 20.0, 1.0, 15.0},     {1e-200, 1e-200, 1.0, 15.0}, // D × length underflows
        {100.0, 1e-7, 1.0, 5.0},    // so flat that the Nagaoka coefficient is not finite
        {10.0, 20.0, 1e-170, 15.0}, // no finite resistance
    };
    for (const auto& c : cases) {
        const CAirCoilWindingResult result = Wind(c.dDiameter, c.dLength, c.dWire, c.dTurns);
        EXPECT_FALSE(result.bComputed) << c.dDiameter << " " << c.dLength << " " << c.dWire;
        EXPECT_EQ(result.strReport, "\r\n\r\n");
        EXPECT_EQ(result.strInductance + result.strPitch + result.strFit + result.strWireLength +
                      result.strResistance + result.strSelfCapacitance + result.strSelfResonance,
                  "");
    }
}

} // namespace
