#include "calc/xtal_filter/XtalFilter.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

// The worked design: 10 MHz, 15 mH, 3.5 pF, 6 crystals, Chebyshev 0.1 dB, 2.4 kHz.
CXtalFilterInputs Worked(double dQu = 0.0) {
    CXtalFilterInputs inputs;
    inputs.m_dQu = dQu;
    return inputs;
}

// A figure of the worked examples, with the decimals it is quoted to.
struct WorkedFigure {
    const char* pszName;
    double dGot;
    double dQuoted;
    int nDecimals;
};

// Each value must round to the quoted digits (half a unit of the last digit).
void ExpectQuoted(const std::vector<WorkedFigure>& figures) {
    for (const WorkedFigure& f : figures) {
        EXPECT_NEAR(f.dGot, f.dQuoted, 0.5 * std::pow(10.0, -f.nDecimals)) << f.pszName;
    }
}

TEST(XtalFilter, WorkedDesignAndResponses) {
    const CXtalDesign d = DesignXtalFilter(Worked());
    ASSERT_TRUE(d.m_bComputed);
    ASSERT_EQ(d.m_meshes.size(), 6u);
    const std::vector<CXtalMesh>& m = d.m_meshes;
    const CXtalFigures lossless = XtalResponseFigures(d);
    const CXtalFigures lossy = XtalResponseFigures(DesignXtalFilter(Worked(100000.0)));

    // The same crystals designed as if C0 were absent, then simulated with it.
    CXtalFilterInputs withoutC0 = Worked();
    withoutC0.m_dC0 = 0.0;
    CXtalDesign naive = DesignXtalFilter(withoutC0);
    for (CXtalCrystal& crystal : naive.m_crystals) {
        crystal.m_dC0 = 3.5e-12;
    }
    const CXtalFigures naiveFigures = XtalResponseFigures(naive);

    ExpectQuoted({
        {"fd", d.m_dDesignFrequency, 10001611.08, 2},
        {"Leff", m[0].m_dEffectiveInductance * 1e3, 17.2213, 4},
        {"Rs", d.m_dSourceResistance, 203.414, 3},
        {"RL", d.m_dLoadResistance, 203.414, 3},
        {"CK12", m[0].m_dCoupling * 1e12, 85.764, 3},
        {"CK23", m[1].m_dCoupling * 1e12, 113.789, 3},
        {"CK34", m[2].m_dCoupling * 1e12, 118.284, 3},
        {"CK45", m[3].m_dCoupling * 1e12, 113.789, 3},
        {"CK56", m[4].m_dCoupling * 1e12, 85.764, 3},
        {"CT1", m[0].m_dTuning * 1e12, 113.789, 3},
        {"CT3", m[2].m_dTuning * 1e12, 311.952, 3},
        {"CT4", m[3].m_dTuning * 1e12, 311.952, 3},
        {"CT6", m[5].m_dTuning * 1e12, 113.789, 3},
        {"offset1", m[0].m_dOffset, -646.2, 1},
        {"offset2", m[1].m_dOffset, 0.0, 1},
        {"offset3", m[2].m_dOffset, -235.7, 1},
        {"offset6", m[5].m_dOffset, -646.2, 1},
        {"BWmax", d.m_dMaxBandwidth, 9626.7, 1},
        {"lossless BW3", lossless.m_dBandwidth3, 2406.1, 1},
        {"lossless ripple", lossless.m_dRipple, 0.100, 3},
        {"lossless BW60", lossless.m_dBandwidth60, 5642.6, 1},
        {"lossless IL", lossless.m_dInsertionLoss, 0.0, 3},
        {"Qu 100000 IL", lossy.m_dInsertionLoss, 1.765, 3},
        {"Qu 100000 BW3", lossy.m_dBandwidth3, 2296.1, 1},
        {"C0 left out BW3", naiveFigures.m_dBandwidth3, 2130.7, 1},
    });
    EXPECT_TRUE(m[1].m_bNoTuning);
    EXPECT_TRUE(m[4].m_bNoTuning);
    EXPECT_FALSE(m[0].m_bNoTuning || m[2].m_bNoTuning || m[3].m_bNoTuning || m[5].m_bNoTuning);
    EXPECT_EQ(m[5].m_dCoupling, 0.0);
}

TEST(XtalFilter, CohnHasEqualCouplingAndEndTuningEqualToIt) {
    CXtalFilterInputs inputs = Worked();
    inputs.m_nCrystals = 4;
    inputs.m_eResponse = EXtalResponse::Cohn;
    const CXtalDesign d = DesignXtalFilter(inputs);
    ASSERT_TRUE(d.m_bComputed);
    const double ck = d.m_meshes[0].m_dCoupling;
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(d.m_meshes[i].m_dCoupling, ck, 1e-9 * ck) << i;
    }
    EXPECT_NEAR(d.m_meshes[0].m_dTuning, ck, 1e-9 * ck);
    EXPECT_NEAR(d.m_meshes[3].m_dTuning, ck, 1e-9 * ck);
    EXPECT_TRUE(d.m_meshes[1].m_bNoTuning && d.m_meshes[2].m_bNoTuning);
    EXPECT_NEAR(XtalResponseFigures(d).m_dRipple, 0.97, 0.005);
}

TEST(XtalFilter, PrototypeAgainstPublishedTables) {
    struct Case {
        EXtalResponse eResponse;
        int n;
        double dRipple;
        std::vector<double> g; // g1 .. g(n+1), as published to four decimals
    };
    const std::vector<Case> cases = {
        {EXtalResponse::Butterworth, 3, 0.0, {1.0, 2.0, 1.0, 1.0}},
        {EXtalResponse::Butterworth, 4, 0.0, {0.7654, 1.8478, 1.8478, 0.7654, 1.0}},
        {EXtalResponse::Chebyshev, 3, 0.1, {1.0316, 1.1474, 1.0316, 1.0}},
        {EXtalResponse::Chebyshev, 4, 0.5, {1.6703, 1.1926, 2.3661, 0.8419, 1.9841}},
        {EXtalResponse::Chebyshev,
         6,
         0.1,
         {1.1681, 1.4039, 2.0562, 1.5170, 1.9029, 0.8618, 1.3554}},
        {EXtalResponse::Cohn, 4, 0.0, {1.6818, 1.6818, 1.6818, 1.6818, 1.0}},
    };
    for (const Case& c : cases) {
        const CXtalPrototype p = XtalPrototype(c.eResponse, c.n, c.dRipple);
        ASSERT_EQ(p.m_g.size(), c.g.size() + 1) << c.n;
        for (std::size_t k = 0; k < c.g.size(); ++k) {
            EXPECT_NEAR(p.m_g[k + 1], c.g[k], 1.5e-4) << "n=" << c.n << " g" << k + 1;
        }
        ASSERT_EQ(p.m_k.size(), static_cast<std::size_t>(c.n - 1));
        // A symmetric response couples and loads both ends alike.
        EXPECT_NEAR(p.m_dQ1, p.m_dQn, 1e-9) << c.n;
        for (int i = 0; i < c.n - 1; ++i) {
            EXPECT_NEAR(p.m_k[i], p.m_k[c.n - 2 - i], 1e-9) << c.n;
        }
    }
}

TEST(XtalFilter, EffectiveInductanceIsHalfTheSlopeOfTheReactance) {
    const CXtalCrystal crystal = MakeXtalCrystal(10e6, 0.015, 3.5e-12, 0.0);
    EXPECT_NEAR(crystal.m_dCm * 1e15, 16.887, 5e-4);
    EXPECT_NEAR(XtalReactance(crystal, 10e6), 0.0, 1e-6);
    for (const double f : {9.99e6, 10.0e6, 10.0016e6, 10.01e6, 10.02e6}) {
        const double h = 0.01;
        const double slope = (XtalReactance(crystal, f + h) - XtalReactance(crystal, f - h)) /
                             (2.0 * std::numbers::pi * 2.0 * h);
        EXPECT_NEAR(XtalEffectiveInductance(crystal, f), slope / 2.0,
                    1e-6 * XtalEffectiveInductance(crystal, f))
            << f;
    }
    EXPECT_NEAR(XtalParallelFrequency(crystal), 10e6 * std::sqrt(1.0 + 16.8868e-15 / 3.5e-12), 1.0);
}

TEST(XtalFilter, GroupDelayIsTheSlopeOfThePhase) {
    const CXtalDesign d = DesignXtalFilter(Worked(100000.0));
    for (const double offset : {-1500.0, -800.0, 0.0, 600.0, 1300.0}) {
        const double f = d.m_dDesignFrequency + offset;
        const double h = 0.05;
        double dPhase = XtalResponseAt(d, f + h).m_dPhase - XtalResponseAt(d, f - h).m_dPhase;
        dPhase = std::remainder(dPhase, 360.0);
        const double delayMs = -dPhase / 360.0 / (2.0 * h) * 1e3;
        EXPECT_NEAR(XtalResponseAt(d, f).m_dGroupDelay, delayMs, 1e-4) << offset;
    }
}

TEST(XtalFilter, UnequalCrystals) {
    // Alike crystals given one by one design exactly as the shared frequency.
    CXtalFilterInputs alike = Worked();
    alike.m_crystalFrequencies.assign(6, 10.0);
    EXPECT_EQ(DesignXtalFilter(alike).m_dDesignFrequency,
              DesignXtalFilter(Worked()).m_dDesignFrequency);

    // Reversing the set mirrors the filter, mesh for mesh.
    CXtalFilterInputs set = Worked();
    set.m_crystalFrequencies = {10.0, 10.00002, 9.99998, 10.00001, 10.0, 10.00003};
    CXtalFilterInputs reversed = set;
    std::reverse(reversed.m_crystalFrequencies.begin(), reversed.m_crystalFrequencies.end());
    const CXtalDesign d = DesignXtalFilter(set);
    const CXtalDesign r = DesignXtalFilter(reversed);
    ASSERT_TRUE(d.m_bComputed && r.m_bComputed);
    EXPECT_NEAR(d.m_dDesignFrequency, r.m_dDesignFrequency, 1e-6);
    EXPECT_NEAR(d.m_dSourceResistance, r.m_dLoadResistance, 1e-6);
    for (int i = 0; i < 6; ++i) {
        const CXtalMesh& a = d.m_meshes[i];
        const CXtalMesh& b = r.m_meshes[5 - i];
        EXPECT_NEAR(a.m_dEffectiveInductance, b.m_dEffectiveInductance, 1e-12) << i;
        EXPECT_EQ(a.m_bNoTuning, b.m_bNoTuning) << i;
        EXPECT_NEAR(a.m_dTuning, b.m_dTuning, 1e-6 * a.m_dTuning) << i;
        if (i < 5) {
            EXPECT_NEAR(a.m_dCoupling, r.m_meshes[4 - i].m_dCoupling, 1e-6 * a.m_dCoupling);
        }
    }
    // Exactly one mesh goes without a tuning capacitor, the others tune
    // upward with a positive one; each crystal keeps its own inductance.
    EXPECT_EQ(std::count_if(d.m_meshes.begin(), d.m_meshes.end(),
                            [](const CXtalMesh& mesh) { return mesh.m_bNoTuning; }),
              1);
    EXPECT_NE(d.m_meshes[2].m_dEffectiveInductance, d.m_meshes[5].m_dEffectiveInductance);
    // Their response still has the bandwidth asked for, near enough.
    EXPECT_NEAR(XtalResponseFigures(d).m_dBandwidth3, 2406.1, 5.0);
}

// The maximum named is the one the design search reaches, a hair below the
// bound fs·Cm/(4·C0·κ) (9,626.7 Hz here): a bandwidth between the two is
// refused naming the real one, and echoed as typed.
TEST(XtalFilter, BandwidthAboveTheMaximumIsRefusedNamingIt) {
    CXtalFilterInputs inputs = Worked();
    inputs.m_dBandwidth = 9.6208;
    EXPECT_TRUE(ComputeXtalFilter(inputs, kTime).m_bComputed);
    inputs.m_dBandwidth = 9.6266;
    const CXtalFilterResult result = ComputeXtalFilter(inputs, kTime);
    EXPECT_FALSE(result.m_bComputed);
    EXPECT_EQ(result.m_strMessage,
              "帯域幅 9.6266kHz は、この水晶で作れる最大の帯域幅 9,620.8Hz を超えています。");
    EXPECT_EQ(result.m_strMaxBandwidth, "9,620.8Hz");
    EXPECT_EQ(result.m_strReport, kXtalFilterNoReport);
    EXPECT_TRUE(XtalChartSweep(result, 100).empty());
}

// For every response and number of crystals the maximum named designs and
// 0.1 Hz more does not; it lies within 0.1 % below the bound.
TEST(XtalFilter, NamedMaximumIsWhereTheDesignSearchStops) {
    for (const EXtalResponse eResponse :
         {EXtalResponse::Butterworth, EXtalResponse::Chebyshev, EXtalResponse::Cohn}) {
        for (const int nCrystals : {2, 4, 6, 8}) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(eResponse) << " " << nCrystals);
            CXtalFilterInputs inputs = Worked();
            inputs.m_eResponse = eResponse;
            inputs.m_nCrystals = nCrystals;
            const double dBound = DesignXtalFilter(inputs).m_dMaxBandwidth;
            const double dMax = ComputeXtalFilter(inputs, kTime).m_design.m_dMaxBandwidth;
            EXPECT_LE(dMax, dBound);
            EXPECT_GT(dMax, dBound * 0.999);
            inputs.m_dBandwidth = dMax / 1000.0;
            EXPECT_TRUE(ComputeXtalFilter(inputs, kTime).m_bComputed);
            inputs.m_dBandwidth = (dMax + 0.1) / 1000.0;
            EXPECT_FALSE(ComputeXtalFilter(inputs, kTime).m_bComputed);
        }
    }
}

// Near the maximum (and with few crystals) the simulated 3 dB bandwidth
// drifts above the one asked for: more than 2 % gets a remark; with
// 設計帯域を合わせる the design bandwidth is found that gives it within 0.1 %,
// for every number of crystals and up to 90 % of the maximum.
TEST(XtalFilter, DesignBandwidthIsMatchedOrTheDifferenceRemarked) {
    CXtalFilterInputs inputs = Worked();
    EXPECT_EQ(ComputeXtalFilter(inputs, kTime).m_strWarning, ""); // 2,406.1 Hz: 0.3 % off
    for (const int nCrystals : {2, 4, 6, 8}) {
        for (const double dShare : {0.3, 0.6, 0.9}) {
            SCOPED_TRACE(testing::Message() << nCrystals << " crystals, " << dShare);
            inputs.m_nCrystals = nCrystals;
            inputs.m_bMatchBandwidth = false;
            inputs.m_dBandwidth = 9.6208 * dShare;
            const CXtalFilterResult plain = ComputeXtalFilter(inputs, kTime);
            ASSERT_TRUE(plain.m_bComputed);
            const double dTarget = inputs.m_dBandwidth * 1e3;
            const double dOff = std::abs(plain.m_figures.m_dBandwidth3 - dTarget) / dTarget;
            EXPECT_EQ(!plain.m_strWarning.empty(), dOff > 0.02) << plain.m_strWarning;
            if (dOff > 0.02) {
                EXPECT_NE(plain.m_strWarning.find("設計帯域を合わせる"), std::string::npos);
            }

            inputs.m_bMatchBandwidth = true;
            const CXtalFilterResult matched = ComputeXtalFilter(inputs, kTime);
            ASSERT_TRUE(matched.m_bComputed);
            EXPECT_NEAR(matched.m_figures.m_dBandwidth3, dTarget, 0.001 * dTarget);
            EXPECT_LE(matched.m_dDesignBandwidth, matched.m_design.m_dMaxBandwidth);
            if (dOff > 0.001) {
                EXPECT_NE(matched.m_dDesignBandwidth, dTarget);
                EXPECT_NE(matched.m_strWarning.find("で設計しました"), std::string::npos)
                    << matched.m_strWarning;
            }
        }
    }
}

// Crystals far apart allow no ladder even well within the bandwidth the
// crystal type reaches: the message says so and gives their spread.
TEST(XtalFilter, CrystalsTooFarApartAreNamedAsSuch) {
    CXtalFilterInputs inputs = Worked(0.0);
    inputs.m_crystalFrequencies = {10.0, 10.02, 10.04, 10.06, 10.08, 10.1};
    const CXtalFilterResult result = ComputeXtalFilter(inputs, kTime);
    ASSERT_FALSE(result.m_bComputed);
    EXPECT_LT(inputs.m_dBandwidth * 1000.0, result.m_design.m_dMaxBandwidth);
    EXPECT_NE(result.m_strMessage.find("離れすぎて"), std::string::npos) << result.m_strMessage;
    EXPECT_NE(result.m_strMessage.find("100,000.0Hz"), std::string::npos) << result.m_strMessage;
    EXPECT_EQ(result.m_strMessage.find("超えています"), std::string::npos);
    // Above the maximum the bandwidth is what is named, set or no set.
    inputs.m_dBandwidth = 12.0;
    EXPECT_NE(ComputeXtalFilter(inputs, kTime).m_strMessage.find("超えています"),
              std::string::npos);
}

TEST(XtalFilter, InputsOutsideTheirRangesAreRefused) {
    std::vector<CXtalFilterInputs> cases(4, Worked());
    cases[0].m_nCrystals = 9;
    cases[1].m_crystalFrequencies = {10.0, 10.0};
    cases[2].m_dRipple = 0.0;
    cases[3].m_dLm = std::nan("");
    for (const CXtalFilterInputs& inputs : cases) {
        const CXtalFilterResult result = ComputeXtalFilter(inputs, kTime);
        EXPECT_FALSE(result.m_bComputed);
        EXPECT_FALSE(result.m_strMessage.empty());
        EXPECT_EQ(result.m_strReport, kXtalFilterNoReport);
    }
}

TEST(XtalFilter, WorkedReport) {
    const CXtalFilterResult result = ComputeXtalFilter(Worked(), kTime);
    EXPECT_EQ(result.m_strReport, kXtalFilterWorkedReport);
}

TEST(XtalFilter, SkirtsThatNeverReachSixtyDecibelsShowNoFigure) {
    // Two crystals: above fp each looks like C0, and the stopband levels out
    // short of −60 dB.
    CXtalFilterInputs inputs = Worked(50000.0);
    inputs.m_nCrystals = 2;
    inputs.m_eResponse = EXtalResponse::Butterworth;
    const CXtalFilterResult result = ComputeXtalFilter(inputs, kTime);
    ASSERT_TRUE(result.m_bComputed);
    EXPECT_TRUE(std::isnan(result.m_figures.m_dBandwidth60));
    EXPECT_EQ(result.m_strBandwidth60, "-----");
    EXPECT_EQ(result.m_strShapeFactor, "-----");
    EXPECT_EQ(result.m_strRipple, "0.000dB");
    const CXtalSweepRange range = XtalChartRange(result.m_design, result.m_figures);
    EXPECT_LT(range.m_dFrom, result.m_figures.m_dLow3);
    EXPECT_GT(range.m_dTo, result.m_figures.m_dHigh3);
}

// Crystals this lossy pass nothing a double can hold: the figure that is not
// a number reads "-----", in the dialog and the report alike.
TEST(XtalFilter, LossTooHighForANumberShowsNoFigure) {
    const CXtalFilterResult result = ComputeXtalFilter(Worked(20.0), kTime);
    ASSERT_TRUE(result.m_bComputed);
    ASSERT_FALSE(std::isfinite(result.m_figures.m_dInsertionLoss));
    EXPECT_EQ(result.m_strInsertionLoss, "-----");
    EXPECT_NE(result.m_strReport.find("　　　　　挿入損失  -----\r\n"), std::string::npos)
        << result.m_strReport;
    EXPECT_EQ(result.m_strReport.find("inf"), std::string::npos);
}

TEST(XtalFilter, ChartSweepSpansTheSixtyDecibelPoints) {
    const CXtalFilterResult result = ComputeXtalFilter(Worked(), kTime);
    const std::vector<CXtalResponsePoint> points = XtalChartSweep(result, 401);
    ASSERT_EQ(points.size(), 401u);
    EXPECT_LT(points.front().m_dFrequency, result.m_figures.m_dLow60);
    EXPECT_GT(points.back().m_dFrequency, result.m_figures.m_dHigh60);
    EXPECT_LT(points.front().m_dS21Db, -60.0);
    EXPECT_LT(points.back().m_dS21Db, -60.0);
}

} // namespace
