#include "calc/lmatch/LMatch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CLocalTime kTime{2005, 3, 7, 9, 5};

struct MatchCase {
    double dFrequency;
    double dZin;
    double dZout;
    double dC; // pF
    double dL; // µH
    const char* pszC;
    const char* pszL;
    double dZinAfter;
    double dZoutAfter;
};

class LMatchWorked : public ::testing::TestWithParam<MatchCase> {};

TEST_P(LMatchWorked, ComputesAndWritesResultTexts) {
    const MatchCase& c = GetParam();
    const CLMatchResult result = ComputeLMatch(c.dFrequency, c.dZin, c.dZout, kTime);
    ASSERT_TRUE(result.m_bComputed);
    EXPECT_NEAR(result.m_dC, c.dC, 5e-5);
    EXPECT_NEAR(result.m_dL, c.dL, 5e-7);
    EXPECT_EQ(result.m_strC, c.pszC);
    EXPECT_EQ(result.m_strL, c.pszL);
    EXPECT_EQ(result.m_dZin, c.dZinAfter);
    EXPECT_EQ(result.m_dZout, c.dZoutAfter);
}

INSTANTIATE_TEST_SUITE_P(Examples, LMatchWorked,
                         ::testing::Values(MatchCase{7.0, 50.0, 200.0, 197.0030, 1.970030,
                                                     "C(PF)=197.00", "L(μH)=1.97", 50.0, 200.0},
                                           // 119.7494 and 1.756543 are cut, not rounded
                                           MatchCase{10.0, 50.0, 293.37, 119.7494, 1.756543,
                                                     "C(PF)=119.74", "L(μH)=1.75", 50.0, 293.37},
                                           // the lower impedance is put at the input first
                                           MatchCase{10.0, 293.37, 50.0, 119.7494, 1.756543,
                                                     "C(PF)=119.74", "L(μH)=1.75", 50.0, 293.37},
                                           MatchCase{7.0, 75.0, 75.0, 0.0, 0.0, "C(PF)=0.00",
                                                     "L(μH)=0.00", 75.0, 75.0}));

TEST(LMatch, ReportBytesUseExchangedImpedances) {
    const CLMatchResult result = ComputeLMatch(7.0, 200.0, 50.0, kTime);
    const std::string expected = "　　　　　***** Ｌ型マッチング回路の計算 *****\r\n"
                                 "　　　　　2005-3-7  9:05\r\n"
                                 "　　　　　入力インピーダンス  50.0Ω\r\n"
                                 "　　　　　出力インピーダンス  200.0Ω\r\n"
                                 "　　　　　周波数  7.000MHz\r\n"
                                 "　　　　　C= 197.00PF\r\n"
                                 "　　　　　L= 1.97μH\r\n"
                                 "\r\n";
    EXPECT_EQ(result.m_strReport, expected);
}

TEST(LMatch, ZeroInputRefusesWithoutExchanging) {
    for (const double dFrequency : {0.0, 7.0}) {
        const double dZin = dFrequency == 0.0 ? 200.0 : 0.0;
        const CLMatchResult result = ComputeLMatch(dFrequency, dZin, 50.0, kTime);
        EXPECT_FALSE(result.m_bComputed);
        EXPECT_EQ(result.m_strReport, "\r\n\r\n");
        EXPECT_EQ(result.m_dZin, dZin);
        EXPECT_EQ(result.m_dZout, 50.0);
        EXPECT_TRUE(result.m_strC.empty());
        EXPECT_TRUE(result.m_strL.empty());
    }
}

TEST(LMatch, NegativeInputsShowDashes) {
    // Only a failed field check lets these through; they must not print garbage.
    const CLMatchResult negativeFrequency = ComputeLMatch(-7.0, 50.0, 200.0, kTime);
    EXPECT_EQ(negativeFrequency.m_strC, "C(PF)=-----");
    EXPECT_EQ(negativeFrequency.m_strL, "L(μH)=-----");
    const CLMatchResult negativeImpedance = ComputeLMatch(7.0, -50.0, 200.0, kTime);
    EXPECT_EQ(negativeImpedance.m_strC, "C(PF)=-----");
    EXPECT_NE(negativeImpedance.m_strReport.find("　　　　　L= -----μH\r\n"), std::string::npos);
}

} // namespace
