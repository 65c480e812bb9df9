#include "calc/ladder_filter/LadderFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

const CLocalTime kTime{2005, 3, 7, 9, 5};

TEST(LadderFilterFormulas, WorkedValues) {
    // 2·3.5·(21 / 2.4 − 1) and 10^6 / (6.283184 · 10 · 54.25)
    EXPECT_DOUBLE_EQ(ShuntCapacitance(10.0, 2.4, 3.5), 54.25);
    EXPECT_NEAR(TerminationImpedance(10.0, 54.25), 293.3732, 5e-5);
    EXPECT_DOUBLE_EQ(ShuntCapacitance(10.0, 3.0, 3.5), 42.0);
    // Beyond 2.1·f the end capacitor goes negative; at 2.1·f it is 0 and the
    // impedance falls back to 0 instead of dividing by zero.
    EXPECT_LT(ShuntCapacitance(1.0, 2.4, 3.5), 0.0);
    EXPECT_EQ(ShuntCapacitance(1.0, 2.1, 3.5), 0.0);
    EXPECT_EQ(TerminationImpedance(1.0, 0.0), 0.0);
    EXPECT_EQ(TerminationImpedance(0.0, 54.25), 0.0);
}

TEST(LadderFilterDesign, WorkedExampleRowsAscending) {
    const CLadderDesign design = ComputeLadderFilter(10.0, 3.5, 2.4, kTime);
    ASSERT_TRUE(design.m_bComputed);
    const char* const expected[kLadderRowCount][4] = {
        {"1.800", "74.66", "149.33", "213.15"}, {"1.920", "69.56", "139.12", "228.79"},
        {"2.040", "65.05", "130.11", "244.63"}, {"2.160", "61.05", "122.11", "260.67"},
        {"2.280", "57.47", "114.94", "276.91"}, {"2.400", "54.25", "108.50", "293.37"},
        {"2.520", "51.33", "102.66", "310.04"}, {"2.640", "48.68", "97.36", "326.92"},
        {"2.760", "46.26", "92.52", "344.03"},  {"2.880", "44.04", "88.08", "361.37"},
        {"3.000", "42.00", "84.00", "378.94"},
    };
    for (int n = 0; n < kLadderRowCount; ++n) {
        const CLadderRow& row = design.m_rows[n];
        EXPECT_EQ(row.m_strBandwidth, expected[n][0]) << "row " << n;
        EXPECT_EQ(row.m_strC, expected[n][1]) << "row " << n;
        EXPECT_EQ(row.m_str2C, expected[n][2]) << "row " << n;
        EXPECT_EQ(row.m_strZ, expected[n][3]) << "row " << n;
    }
    EXPECT_NEAR(design.m_dTerminationImpedance, 293.3732, 5e-5);
    // The centre bandwidth is reached by five subtractions from 125 %, not
    // recomputed, so it carries their rounding.
    EXPECT_NE(design.m_rows[kLadderCentreRow].m_dBandwidth, 2.4);
    EXPECT_NEAR(design.m_rows[kLadderCentreRow].m_dBandwidth, 2.4, 1e-12);
}

TEST(LadderFilterDesign, ReportBytes) {
    const CLadderDesign design = ComputeLadderFilter(10.0, 3.5, 2.4, kTime);
    const std::string expected =
        "　　　　　***** ＬＳＢ型ラダークリスタルフィルターの計算 *****\r\n"
        "　　　　　2005-3-7  9:05\r\n"
        "　　　　　周波数 10.000MHz\r\n"
        "　　　　　クリスタルの端子間容量  3.5PF\r\n"
        "　　　　　dF=1.800kHz   C=74.66PF   2C=149.33PF   Z=213.15Ω\r\n"
        "　　　　　dF=1.920kHz   C=69.56PF   2C=139.12PF   Z=228.79Ω\r\n"
        "　　　　　dF=2.040kHz   C=65.05PF   2C=130.11PF   Z=244.63Ω\r\n"
        "　　　　　dF=2.160kHz   C=61.05PF   2C=122.11PF   Z=260.67Ω\r\n"
        "　　　　　dF=2.280kHz   C=57.47PF   2C=114.94PF   Z=276.91Ω\r\n"
        "　　　　　dF=2.400kHz   C=54.25PF   2C=108.50PF   Z=293.37Ω\r\n"
        "　　　　　dF=2.520kHz   C=51.33PF   2C=102.66PF   Z=310.04Ω\r\n"
        "　　　　　dF=2.640kHz   C=48.68PF   2C=97.36PF   Z=326.92Ω\r\n"
        "　　　　　dF=2.760kHz   C=46.26PF   2C=92.52PF   Z=344.03Ω\r\n"
        "　　　　　dF=2.880kHz   C=44.04PF   2C=88.08PF   Z=361.37Ω\r\n"
        "　　　　　dF=3.000kHz   C=42.00PF   2C=84.00PF   Z=378.94Ω\r\n"
        "\r\n"
        "\r\n";
    EXPECT_EQ(design.m_strReport, expected);
}

struct RefusedCase {
    double dFrequency;
    double dHolderCapacitance;
    double dBandwidth;
};

class LadderFilterRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(LadderFilterRefused, AnyZeroInputGivesSingleLineEndAndEmptyList) {
    const RefusedCase& c = GetParam();
    const CLadderDesign design =
        ComputeLadderFilter(c.dFrequency, c.dHolderCapacitance, c.dBandwidth, kTime);
    EXPECT_FALSE(design.m_bComputed);
    EXPECT_EQ(design.m_strReport, "\r\n");
    for (const CLadderListItem& item : LadderListItems(design)) {
        for (const std::string& strCell : item) {
            EXPECT_TRUE(strCell.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ZeroInputs, LadderFilterRefused,
                         ::testing::Values(RefusedCase{0.0, 0.0, 0.0}, RefusedCase{0.0, 3.5, 2.4},
                                           RefusedCase{10.0, 0.0, 2.4}, RefusedCase{10.0, 3.5, 0.0},
                                           // the product underflows to 0
                                           RefusedCase{1e-200, 3.5, 1e-200}));

TEST(LadderFilterDesign, ListShowsSeparatorsAroundCentreRow) {
    const auto items = LadderListItems(ComputeLadderFilter(10.0, 3.5, 2.4, kTime));
    const char* const bandwidths[kLadderListItemCount] = {
        "1.800", "1.920", "2.040", "2.160", "2.280", "-----", "2.400",
        "-----", "2.520", "2.640", "2.760", "2.880", "3.000"};
    for (int n = 0; n < kLadderListItemCount; ++n) {
        EXPECT_EQ(items[n][0], bandwidths[n]) << "item " << n;
    }
    for (const int nSeparator : {5, 7}) {
        for (const std::string& strCell : items[nSeparator]) {
            EXPECT_EQ(strCell, "-----");
        }
    }
    EXPECT_EQ(items[6][3], "293.37");
    EXPECT_EQ(items[12][1], "42.00");
}

TEST(LadderFilterDesign, RowsBeyondTwicePointOneTimesFrequencyShowDashes) {
    // 1 MHz allows at most 2.1 kHz: from the 2.16 kHz row up everything is negative.
    const CLadderDesign design = ComputeLadderFilter(1.0, 3.5, 2.4, kTime);
    for (int n = 0; n < kLadderRowCount; ++n) {
        const CLadderRow& row = design.m_rows[n];
        const bool bBeyond = n >= 3;
        EXPECT_EQ(row.m_strC == "-----", bBeyond) << row.m_strBandwidth;
        EXPECT_EQ(row.m_str2C == "-----", bBeyond) << row.m_strBandwidth;
        EXPECT_EQ(row.m_strZ == "-----", bBeyond) << row.m_strBandwidth;
    }
    EXPECT_EQ(design.m_rows[3].m_strBandwidth, "2.160");
    EXPECT_LT(design.m_dTerminationImpedance, 0.0);
    EXPECT_NE(design.m_strReport.find("dF=2.400kHz   C=-----PF   2C=-----PF   Z=-----Ω\r\n"),
              std::string::npos);
}

TEST(LadderFilterDesign, RowAtExactlyTwicePointOneTimesFrequencyShowsZeros) {
    // 1 MHz / 2.1 kHz: the centre row lands exactly on 2.1·f.
    const CLadderDesign design = ComputeLadderFilter(1.0, 3.5, 2.1, kTime);
    const CLadderRow& centre = design.m_rows[kLadderCentreRow];
    EXPECT_EQ(centre.m_dBandwidth, 2.1);
    EXPECT_EQ(centre.m_strC, "0.00");
    EXPECT_EQ(centre.m_str2C, "0.00");
    EXPECT_EQ(centre.m_strZ, "0.00");
    EXPECT_EQ(design.m_dTerminationImpedance, 0.0);
    EXPECT_EQ(design.m_rows[kLadderCentreRow + 1].m_strZ, "-----");
}

TEST(LadderFilterDesign, RepeatedSubtractionCanMissTwicePointOneTimesFrequency) {
    // 10 MHz / 21 kHz: the centre bandwidth comes out just below 21, so C is
    // a rounding residue and Z enormous, though finite.
    const CLadderDesign design = ComputeLadderFilter(10.0, 3.5, 21.0, kTime);
    EXPECT_GT(design.m_dTerminationImpedance, 1e19);
    EXPECT_TRUE(std::isfinite(design.m_dTerminationImpedance));
}

struct HandOverCase {
    double dImpedance;
    double dExpected;
};

class LadderHandOver : public ::testing::TestWithParam<HandOverCase> {};

TEST_P(LadderHandOver, CutsToTwoDecimalsOrHandsOverZero) {
    const HandOverCase& c = GetParam();
    EXPECT_EQ(HandOverImpedance(c.dImpedance), c.dExpected) << c.dImpedance;
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Values, LadderHandOver,
    ::testing::Values(HandOverCase{293.37322802423574, 293.37}, HandOverCase{293.379, 293.37},
                      HandOverCase{0.009, 0.0}, HandOverCase{0.0, 0.0},
                      // The L-match's Zout field ends at 100000 Ω, after the cut.
                      HandOverCase{100000.0, 100000.0}, HandOverCase{100000.009, 100000.0},
                      HandOverCase{100000.01, 0.0},
                      // 1 MHz / 3.5 pF / 2.0999 kHz: beyond that field
                      HandOverCase{477442192.1787955, 0.0},
                      HandOverCase{1.7919257288066433e+19, 0.0}, HandOverCase{1e307, 0.0},
                      HandOverCase{-47746.49, 0.0}, HandOverCase{kInf, 0.0},
                      HandOverCase{-kInf, 0.0}, HandOverCase{kNaN, 0.0}));

} // namespace
