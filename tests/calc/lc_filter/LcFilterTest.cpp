#include "calc/lc_filter/LcFilter.h"
#include "calc/lc_filter/LcPrototype.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

using EType = ELcFilterType;
using EResp = ELcResponse;
using EFirst = ELcFirstElement;
using ESeries = ELcCapacitorSeries;

CLcFilterInputs Inputs(EResp eResponse, int n, double dCutoff, double dLow, double dHigh) {
    CLcFilterInputs inputs;
    inputs.m_eResponse = eResponse;
    inputs.m_nOrder = n;
    inputs.m_dCutoff = dCutoff;
    inputs.m_dBandLow = dLow;
    inputs.m_dBandHigh = dHigh;
    return inputs;
}

// The trap example: 7-element Chebyshev 0.1 dB, 7.5 MHz, band 7.0–7.2 MHz, two traps.
CLcFilterInputs TrapExample() {
    CLcFilterInputs inputs = Inputs(EResp::Chebyshev, 7, 7.5, 7.0, 7.2);
    inputs.m_nTraps = 2;
    return inputs;
}

// Stock-capacitor low-pass for 7 MHz: the given pair, or the search with (0, 0).
CLcFilterInputs Stock(double dOuter, double dInner) {
    CLcFilterInputs inputs = Inputs(EResp::StockChebyshev, 7, 7.5, 7.0, 7.2);
    inputs.m_dOuterPf = dOuter;
    inputs.m_dInnerPf = dInner;
    return inputs;
}

CLcFilterInputs StockHighPass() {
    CLcFilterInputs inputs = Inputs(EResp::StockChebyshev, 7, 3.0, 3.5, 30.0);
    inputs.m_eType = EType::HighPass;
    return inputs;
}

const CLcPart& Part(const CLcFilterDesign& design, std::size_t k) {
    return design.m_parts.at(k);
}

double Loss(const CLcLadder& ladder, double f) {
    return LcAttenuation(LcLadderResponse(ladder, f));
}

// 10·log10(1 + ε²C(Ω)²) with C(Ω) = cosh(Σ arccosh xᵢ), straight from the
// definition of the generalized Chebyshev response.
double CharacteristicLoss(double dOmega, int n, double dRipple, const std::vector<double>& zeros) {
    using Complex = std::complex<long double>;
    Complex sum = 0.0L;
    int k = 0;
    for (const long double w : zeros) {
        for (const long double wi : {w, -w}) {
            sum += std::acosh(Complex((dOmega - 1.0L / wi) / (1.0L - dOmega / wi)));
            ++k;
        }
    }
    for (; k < n; ++k) {
        sum += std::acosh(Complex(dOmega));
    }
    const long double c = std::cosh(sum).real();
    const long double eps2 = std::expm1(dRipple * std::log(10.0L) / 10.0L);
    return static_cast<double>(10.0L * std::log10(1.0L + eps2 * c * c));
}

TEST(LcFilter, WorkedChecks) {
    const std::vector<double> g = LcChebyshevG(7, 0.1);
    const CLcFilterDesign stock = DesignLcFilter(Stock(150, 470));
    const CLcFilterDesign search = DesignLcFilter(Stock(0, 0));
    const CLcFilterDesign ideal = DesignLcFilter(TrapExample());
    CLcFilterInputs builtInputs = TrapExample();
    builtInputs.m_eSeries = ESeries::E12;
    builtInputs.m_strCore = "T-50-6";
    builtInputs.m_dQ = 150;
    builtInputs.m_dPower = 10;
    builtInputs.m_dHarmonic = -20;
    const CLcFilterDesign built = DesignLcFilter(builtInputs);
    for (const CLcFilterDesign* pDesign : {&stock, &search, &ideal, &built}) {
        ASSERT_TRUE(pDesign->m_bComputed) << pDesign->m_strMessage;
    }
    ASSERT_GE(search.m_candidates.size(), 2u);
    ASSERT_EQ(built.m_parts.size(), 9u);
    ASSERT_EQ(built.m_builtFigures.m_harmonics.size(), 2u);
    const CLcFigures& fi = built.m_idealFigures;
    const CLcFigures& fb = built.m_builtFigures;

    struct Row {
        const char* pszWhat;
        double dGot;
        double dExpected;
        double dTolerance; // half a unit of the last digit given
    };
    const Row rows[] = {
        {"g1", g[1], 1.1812, 5e-5},
        {"g2", g[2], 1.4228, 5e-5},
        {"g3", g[3], 2.0967, 5e-5},
        {"g4", g[4], 1.5734, 5e-5},
        {"stock fc MHz", stock.m_dCutoff / 1e6, 8.41558, 5e-6},
        {"stock ripple dB", stock.m_dRipple, 2.351e-5, 5e-9},
        {"stock max SWR", stock.m_dMaxSwr, 1.00466, 5e-6},
        {"stock L2 µH", Part(stock, 1).m_dIdeal, 0.914085, 5e-7},
        {"stock L4 µH", Part(stock, 3).m_dIdeal, 1.241028, 5e-7},
        {"stock L6 µH", Part(stock, 5).m_dIdeal, 0.914085, 5e-7},
        {"stock C1 pF", Part(stock, 0).m_dIdeal, 150, 0},
        {"stock C3 pF", Part(stock, 2).m_dIdeal, 470, 0},
        {"stock C5 pF", Part(stock, 4).m_dIdeal, 470, 0},
        {"stock C7 pF", Part(stock, 6).m_dIdeal, 150, 0},
        {"search 1 outer pF", search.m_candidates[0].m_dOuterPf, 150, 0},
        {"search 1 inner pF", search.m_candidates[0].m_dInnerPf, 470, 0},
        {"search 1 fc MHz", search.m_candidates[0].m_dCutoff / 1e6, 8.416, 5e-4},
        {"search 2 outer pF", search.m_candidates[1].m_dOuterPf, 330, 0},
        {"search 2 inner pF", search.m_candidates[1].m_dInnerPf, 680, 0},
        {"search 2 fc MHz", search.m_candidates[1].m_dCutoff / 1e6, 8.583, 5e-4},
        {"search 2 SWR", search.m_candidates[1].m_dMaxSwr, 1.148, 5e-4},
        {"search builds the first", search.m_dCutoff / 1e6, 8.41558, 5e-6},
        {"trap C1 pF", Part(ideal, 0).m_dIdeal, 414.088, 5e-4},
        {"trap L2 µH", Part(ideal, 1).m_dIdeal, 1.21977, 5e-6},
        {"trap C2 pF", Part(ideal, 2).m_dIdeal, 100.147, 5e-4},
        {"trap C3 pF", Part(ideal, 3).m_dIdeal, 793.529, 5e-4},
        {"trap L4 µH", Part(ideal, 4).m_dIdeal, 1.56518, 5e-6},
        {"trap C4 pF", Part(ideal, 5).m_dIdeal, 34.6872, 5e-5},
        {"trap C5 pF", Part(ideal, 6).m_dIdeal, 862.579, 5e-4},
        {"trap L6 µH", Part(ideal, 7).m_dIdeal, 1.51708, 5e-6},
        {"trap C7 pF", Part(ideal, 8).m_dIdeal, 503.416, 5e-4},
        {"built C1 pF", Part(built, 0).m_dValue, 390, 1e-9},
        {"built L2 turns", double(Part(built, 1).m_nTurns), 17, 0},
        {"built L2 µH", Part(built, 1).m_dValue, 1.156, 5e-4},
        {"built C2 pF", Part(built, 2).m_dValue, 100, 1e-9},
        {"built C3 pF", Part(built, 3).m_dValue, 820, 1e-9},
        {"built L4 turns", double(Part(built, 4).m_nTurns), 20, 0},
        {"built L4 µH", Part(built, 4).m_dValue, 1.600, 5e-4},
        {"built C4 pF", Part(built, 5).m_dValue, 33, 1e-9},
        {"built C5 pF", Part(built, 6).m_dValue, 820, 1e-9},
        {"built L6 turns", double(Part(built, 7).m_nTurns), 19, 0},
        {"built L6 µH", Part(built, 7).m_dValue, 1.444, 5e-4},
        {"built C7 pF", Part(built, 8).m_dValue, 470, 1e-9},
        {"built band SWR", fb.m_dBandMaxSwr, 1.263, 5e-4},
        {"built band loss dB", fb.m_dBandLoss, 0.346, 5e-4},
        {"built 3 dB MHz", fb.m_dCutoff3Db / 1e6, 8.016, 5e-4},
        {"built at 14.4 MHz dB", fb.m_checks[0].m_dAttenuation, 80.9, 0.05},
        {"built at 21.6 MHz dB", fb.m_checks[1].m_dAttenuation, 108.4, 0.05},
        {"ideal band SWR", fi.m_dBandMaxSwr, 1.321, 5e-4},
        {"ideal band loss dB", fi.m_dBandLoss, 0.059, 5e-4},
        {"ideal 3 dB MHz", fi.m_dCutoff3Db / 1e6, 7.945, 5e-4},
        {"ideal at 14.4 MHz", fi.m_checks[0].m_dAttenuation, kInf, 0},
        {"ideal at 21.6 MHz", fi.m_checks[1].m_dAttenuation, kInf, 0},
        {"harmonic at 14.4 MHz", fb.m_harmonics[0].m_dFrequency / 1e6, 14.4, 1e-9},
        {"harmonic dBc", fb.m_harmonics[0].m_dDbc, -100.6, 0.05},
        {"harmonic nW", fb.m_harmonics[0].m_dPower * 1e9, 0.87, 0.005},
    };
    for (const Row& row : rows) {
        if (std::isinf(row.dExpected)) {
            EXPECT_EQ(row.dGot, row.dExpected) << row.pszWhat;
        } else {
            EXPECT_NEAR(row.dGot, row.dExpected, row.dTolerance) << row.pszWhat;
        }
    }
    const char* names[] = {"C1", "L2", "C2", "C3", "L4", "C4", "C5", "L6", "C7"};
    const char* places[] = {"shunt",     "series", "across L2", "shunt", "series",
                            "across L4", "shunt",  "series",    "shunt"};
    for (std::size_t k = 0; k < 9; ++k) {
        EXPECT_EQ(Part(built, k).m_strName, names[k]);
        EXPECT_EQ(LcPlaceKey(Part(built, k)), places[k]);
    }
}

// The ladder's own response is its characteristic function's: the
// generalized Chebyshev with 0–3 traps, and in every layout (either element
// first; high-pass with Ω → 1/Ω) the plain Chebyshev and the Butterworth
// 1 + Ω^2n. From 0.01·fc to 4·fc, across the passband into deep stopband.
TEST(LcFilter, LadderEqualsCharacteristicFunction) {
    std::vector<CLcFilterInputs> cases;
    for (const int n : {3, 5, 7, 9}) {
        for (int nTraps = 0; nTraps <= std::min(3, (n - 1) / 2); ++nTraps) {
            for (const double dRipple : {0.01, 0.1, 1.0, 3.0}) {
                for (const double dHigh : {7.2, 12.0}) {
                    cases.push_back(Inputs(EResp::Chebyshev, n, 10.0, 1.0, dHigh));
                    cases.back().m_nTraps = nTraps;
                    cases.back().m_dRipple = dRipple;
                }
            }
        }
    }
    for (const EType eType : {EType::LowPass, EType::HighPass}) {
        for (const EFirst eFirst : {EFirst::Capacitor, EFirst::Inductor}) {
            for (int n = 2; n <= 10; ++n) {
                for (const EResp eResponse : {EResp::Butterworth, EResp::Chebyshev}) {
                    if (eResponse == EResp::Butterworth || n % 2 == 1) {
                        cases.push_back(Inputs(eResponse, n, 3.0, 1.0, 2.0));
                        cases.back().m_eType = eType;
                        cases.back().m_eFirst = eFirst;
                        cases.back().m_dRipple = 0.5;
                        cases.back().m_dImpedance = 75.0;
                    }
                }
            }
        }
    }
    for (const CLcFilterInputs& inputs : cases) {
        const CLcFilterDesign design = DesignLcFilter(inputs);
        SCOPED_TRACE(testing::Message()
                     << LcFilterTypeKey(inputs.m_eType) << " " << LcResponseKey(inputs.m_eResponse)
                     << " " << LcFirstElementKey(inputs.m_eFirst) << " n " << inputs.m_nOrder
                     << " traps " << inputs.m_nTraps << " R " << inputs.m_dRipple << " HIGH "
                     << inputs.m_dBandHigh);
        ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
        std::vector<double> zeros;
        for (const double f : design.m_trapFrequencies) {
            zeros.push_back(f / design.m_dCutoff);
        }
        const int n = inputs.m_nOrder;
        for (int i = 0; i <= 1200; ++i) {
            const double dOmega = 0.01 * std::pow(400.0, i / 1200.0);
            const double x = inputs.m_eType == EType::LowPass ? dOmega : 1.0 / dOmega;
            const double dExpected = inputs.m_eResponse == EResp::Butterworth
                                         ? 10.0 * std::log10(1.0 + std::pow(x, 2.0 * n))
                                         : CharacteristicLoss(x, n, inputs.m_dRipple, zeros);
            ASSERT_NEAR(Loss(design.m_ideal, dOmega * design.m_dCutoff), dExpected, 1e-9)
                << "Ω " << dOmega;
        }
    }
}

// Lossless ladders pass or reflect everything; with coil losses they are passive.
TEST(LcFilter, LosslessLaddersConserveEnergy) {
    CLcFilterInputs butterworth = Inputs(EResp::Butterworth, 4, 7.5, 7.0, 7.2);
    butterworth.m_eFirst = EFirst::Inductor;
    for (CLcFilterInputs inputs : {TrapExample(), Stock(150, 470), StockHighPass(), butterworth}) {
        inputs.m_strCore = "T-50-6";
        for (const double dQ : {0.0, 100.0}) {
            inputs.m_dQ = dQ;
            const CLcFilterDesign design = DesignLcFilter(inputs);
            ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
            for (int i = 1; i <= 400; ++i) {
                const double f = design.m_dCutoff * 5.0 * i / 400.0;
                for (const CLcLadder* pLadder : {&design.m_ideal, &design.m_built}) {
                    const CLcScattering s = LcLadderResponse(*pLadder, f);
                    const double dPower = std::norm(s.m_s11) + std::norm(s.m_s21);
                    if (dQ == 0.0 || pLadder == &design.m_ideal) {
                        ASSERT_NEAR(dPower, 1.0, 1e-12) << f;
                    } else {
                        ASSERT_LT(dPower, 1.0) << f;
                    }
                }
            }
        }
    }
}

// Every searched pair is stock, within the SWR and on the safe side of the
// cutoff, in order; the one built shows exactly its SWR over the passband.
TEST(LcFilter, StockPairsKeepTheirRules) {
    for (CLcFilterInputs inputs : {Stock(0, 0), StockHighPass()}) {
        const bool bLowPass = inputs.m_eType == EType::LowPass;
        for (const int n : {5, 7}) {
            for (const ESeries eSeries : {ESeries::E6, ESeries::E12, ESeries::E24}) {
                for (const double dSwr : {1.1, 1.5}) {
                    inputs.m_nOrder = n;
                    inputs.m_eSeries = eSeries;
                    inputs.m_dMaxSwr = dSwr;
                    const CLcFilterDesign design = DesignLcFilter(inputs);
                    SCOPED_TRACE(testing::Message()
                                 << LcFilterTypeKey(inputs.m_eType) << " n " << n << " "
                                 << LcCapacitorSeriesKey(eSeries) << " SWR " << dSwr);
                    ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
                    ASSERT_LE(design.m_candidates.size(), std::size_t(kLcMaxCandidates));
                    double dLastKey = -1.0;
                    for (const CLcCandidate& c : design.m_candidates) {
                        EXPECT_EQ(LcNearestCapacitor(eSeries, c.m_dOuterPf), c.m_dOuterPf);
                        EXPECT_EQ(LcNearestCapacitor(eSeries, c.m_dInnerPf), c.m_dInnerPf);
                        EXPECT_LE(c.m_dMaxSwr, dSwr);
                        const double dRatio = c.m_dCutoff / (inputs.m_dCutoff * 1e6);
                        EXPECT_TRUE(bLowPass ? dRatio >= 1.0 && dRatio <= 1.5
                                             : dRatio >= 1 / 1.5 && dRatio <= 1.0);
                        EXPECT_GE(std::fabs(std::log(dRatio)), dLastKey);
                        dLastKey = std::fabs(std::log(dRatio));
                    }
                    double dWorst = 0.0;
                    for (int i = 0; i <= 2000; ++i) {
                        const double x = std::max(i / 2000.0, 1e-3);
                        const double f = design.m_dCutoff * (bLowPass ? x : 1.0 / x);
                        const double rho = std::abs(LcLadderResponse(design.m_ideal, f).m_s11);
                        dWorst = std::max(dWorst, (1 + rho) / (1 - rho));
                    }
                    EXPECT_NEAR(dWorst, design.m_dMaxSwr, 1e-6 * design.m_dMaxSwr);
                }
            }
        }
    }
}

TEST(LcFilter, RippleForRatioInvertsTheRatio) {
    for (const int n : {5, 7}) {
        for (double dRipple = 1e-11; dRipple <= 3.0; dRipple *= 1.7) {
            const std::vector<double> g = LcChebyshevG(n, dRipple);
            EXPECT_NEAR(LcRippleForRatio(n, g[3] / g[1]), dRipple, 1e-7 * dRipple)
                << n << " " << dRipple;
            EXPECT_NEAR(LcSwrRipple(LcRippleSwr(dRipple)), dRipple, 1e-6 * dRipple);
        }
        // Beyond 3 dB, and at the Butterworth limit a3/a1 that no ripple reaches.
        const std::vector<double> g3dB = LcChebyshevG(n, 3.0);
        EXPECT_TRUE(std::isnan(LcRippleForRatio(n, 0.999 * g3dB[3] / g3dB[1])));
        const std::vector<double> b = LcButterworthG(n);
        EXPECT_TRUE(std::isnan(LcRippleForRatio(n, b[3] / b[1])));
    }
}

TEST(LcFilter, ChosenCapacitorsAreTheNearestStockValues) {
    for (const ESeries eSeries : {ESeries::E6, ESeries::E12, ESeries::E24}) {
        const std::vector<double> stock = LcSeriesValues(eSeries, 0.1, 1e6);
        for (double dIdeal = 0.9; dIdeal < 9e4; dIdeal *= 1.0137) {
            const double dChosen = LcNearestCapacitor(eSeries, dIdeal);
            ASSERT_TRUE(std::binary_search(stock.begin(), stock.end(), dChosen)) << dIdeal;
            for (const double v : stock) {
                ASSERT_GE(std::fabs(std::log(v / dIdeal)),
                          std::fabs(std::log(dChosen / dIdeal)) - 1e-12)
                    << dIdeal << " chose " << dChosen << " not " << v;
            }
        }
    }
    EXPECT_EQ(LcNearestCapacitor(ESeries::None, 414.088), 414.088);
}

TEST(LcFilter, OverridesReplaceChosenValues) {
    CLcFilterInputs inputs = TrapExample();
    inputs.m_strCore = "T-50-6";
    inputs.m_overrides = {{"C3", 1000.0}, {"l4", 2.0}};
    const CLcFilterDesign design = DesignLcFilter(inputs);
    ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
    EXPECT_EQ(Part(design, 3).m_dValue, 1000.0);
    EXPECT_TRUE(Part(design, 3).m_bEdited);
    EXPECT_NEAR(Part(design, 3).m_dIdeal, 793.529, 5e-4);
    EXPECT_EQ(Part(design, 4).m_dValue, 2.0);
    EXPECT_EQ(Part(design, 4).m_nTurns, 22); // √(2000 nH / 4) = 22.4
    EXPECT_FALSE(Part(design, 0).m_bEdited);
    // Branches: C1, L2 ∥ C2, C3, L4 ∥ C4, ...
    EXPECT_EQ(design.m_built.m_branches[2].m_dC, 1000e-12);
    EXPECT_EQ(design.m_built.m_branches[3].m_dL, 2.0e-6);
    EXPECT_EQ(design.m_ideal.m_branches[3].m_dL, Part(design, 4).m_dIdeal * 1e-6);
}

// The 3 dB point is where the definition puts it, to 1 Hz, both ways; the
// check frequencies default to the harmonics (low-pass) or sub-harmonics.
TEST(LcFilter, FiguresFollowTheirDefinitions) {
    CLcFilterInputs highPass = StockHighPass();
    highPass.m_dQ = 80.0;
    CLcFilterInputs lowPass = TrapExample();
    lowPass.m_eSeries = ESeries::E6;
    lowPass.m_dQ = 50.0;
    for (const CLcFilterInputs& inputs : {lowPass, highPass}) {
        const CLcFilterDesign design = DesignLcFilter(inputs);
        ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
        const bool bLowPass = inputs.m_eType == EType::LowPass;
        for (const CLcLadder* pLadder : {&design.m_ideal, &design.m_built}) {
            const CLcFigures& figures =
                pLadder == &design.m_ideal ? design.m_idealFigures : design.m_builtFigures;
            const double dLevel = figures.m_dBandLoss + 3.0;
            const double f3 = figures.m_dCutoff3Db;
            const double dOutward = bLowPass ? 1.0 : -1.0;
            EXPECT_LE(Loss(*pLadder, f3 - dOutward), dLevel);
            EXPECT_GT(Loss(*pLadder, f3 + dOutward), dLevel);
            const double dEdge = bLowPass ? design.m_dBandHigh : design.m_dBandLow;
            for (int i = 0; i < 500; ++i) {
                EXPECT_LE(Loss(*pLadder, dEdge + (f3 - dOutward - dEdge) * i / 500.0), dLevel);
            }
            EXPECT_EQ(figures.m_checks[0].m_dFrequency,
                      bLowPass ? 2.0 * design.m_dBandHigh : design.m_dBandLow / 2.0);
            EXPECT_EQ(figures.m_checks[1].m_dFrequency,
                      bLowPass ? 3.0 * design.m_dBandHigh : design.m_dBandLow / 3.0);
            EXPECT_TRUE(figures.m_harmonics.empty());
        }
    }
}

TEST(LcFilter, RefusesWhatTheTableRulesOut) {
    using Edit = std::function<void(CLcFilterInputs&)>;
    const auto stock = [](CLcFilterInputs& in) {
        in.m_eResponse = EResp::StockChebyshev;
        in.m_nTraps = 0;
    };
    struct Row {
        const char* pszMessage;
        Edit edit;
    };
    const Row rows[] = {
        {"バターワース特性の素子数は 2〜10 にしてください。",
         [](auto& in) { in.m_eResponse = EResp::Butterworth, in.m_nOrder = 11; }},
        {"チェビシェフ特性の素子数は 3〜9 の奇数にしてください。",
         [](auto& in) { in.m_nOrder = 6; }},
        {"チェビシェフ特性の素子数は 3〜9 の奇数にしてください。",
         [](auto& in) { in.m_nOrder = 11; }},
        {"標準値コンデンサのチェビシェフ特性の素子数は 5 か 7 にしてください。",
         [&](auto& in) { stock(in), in.m_nOrder = 9; }},
        {"標準値コンデンサのチェビシェフ特性では、入力側はコンデンサに決まっています。",
         [&](auto& in) { stock(in), in.m_eFirst = EFirst::Inductor; }},
        {"インピーダンスは 0 より大きく 10000Ω 以下にしてください。",
         [](auto& in) { in.m_dImpedance = 0; }},
        {"カットオフ周波数は 0 より大きく 3000MHz 以下にしてください。",
         [](auto& in) { in.m_dCutoff = 3001; }},
        {"リップルは 0.001〜3dB にしてください。", [](auto& in) { in.m_dRipple = 0.0009; }},
        {"最大SWRは 1 より大きく 3 以下にしてください。",
         [&](auto& in) { stock(in), in.m_dMaxSwr = 1; }},
        {"使うコンデンサは、外側と内側の両方を 0 より大きい値にしてください。",
         [&](auto& in) { stock(in), in.m_dOuterPf = 150; }},
        {"使用帯域の下限と上限は 0 より大きく 30000MHz 以下にしてください。",
         [](auto& in) { in.m_dBandLow = 0; }},
        {"使用帯域の下限が上限より大きくなっています。", [](auto& in) { in.m_dBandLow = 7.3; }},
        {"トラップの数は 0〜3 にしてください。", [](auto& in) { in.m_nTraps = 4; }},
        {"トラップはローパスフィルターにだけ付けられます。",
         [](auto& in) { in.m_eType = EType::HighPass; }},
        {"トラップはチェビシェフ特性にだけ付けられます。",
         [](auto& in) { in.m_eResponse = EResp::Butterworth; }},
        {"トラップはチェビシェフ特性にだけ付けられます。",
         [](auto& in) { in.m_eResponse = EResp::StockChebyshev; }},
        {"トラップを付けるときは、入力側をコンデンサにしてください。",
         [](auto& in) { in.m_eFirst = EFirst::Inductor; }},
        {"素子数 5 で付けられるトラップは 2 個までです。",
         [](auto& in) { in.m_nOrder = 5, in.m_nTraps = 3; }},
        {"トラップの周波数 7.5MHz がカットオフ周波数 7.5MHz 以下です。",
         [](auto& in) { in.m_dBandLow = 3.5, in.m_dBandHigh = 3.75; }},
        {"標準値コンデンサのチェビシェフ特性には、コンデンサの系列（E6/E12/E24）を選んでください。",
         [&](auto& in) { stock(in), in.m_eSeries = ESeries::None; }},
        {"コア「T-99-9」はカタログにありません。", [](auto& in) { in.m_strCore = "T-99-9"; }},
        {"コイルの Q は 0〜10000 にしてください。", [](auto& in) { in.m_dQ = -1; }},
        {"評価する周波数は 0 より大きく 30000MHz 以下にしてください。",
         [](auto& in) { in.m_dCheck2 = -14.4; }},
        {"送信出力は 0〜10000W にしてください。", [](auto& in) { in.m_dPower = 10001; }},
        {"終段の高調波は -200〜0dBc にしてください。", [](auto& in) { in.m_dHarmonic = 1; }},
        {"部品「L3」はこのフィルターにありません。",
         [](auto& in) {
             in.m_overrides = {{"L3", 1}};
         }},
        {"C1 の値は 0 より大きくしてください。",
         [](auto& in) {
             in.m_overrides = {{"C1", 0}};
         }},
        // Refused by the design itself.
        {"外側 150pF と内側 150pF ではチェビシェフ特性になりません（内側÷外側を 1.318〜3.961 "
         "にしてください）。",
         [&](auto& in) { stock(in), in.m_dOuterPf = 150, in.m_dInnerPf = 150; }},
        {"最大SWR 1.001 以下で、カットオフ周波数が 7.5MHz〜11.25MHz になるコンデンサの組み合わせ"
         "がありません。",
         [&](auto& in) { stock(in), in.m_dMaxSwr = 1.001, in.m_eSeries = ESeries::E6; }},
        {"候補 9 はありません（候補は 8 個です）。",
         [&](auto& in) { stock(in), in.m_nCandidate = 8; }},
        {"トラップがカットオフ周波数に近すぎて作れません（素子の値が負になります）。カットオフ周波"
         "数を下げるか、リップルを大きくしてください。",
         [](auto& in) { in.m_dCutoff = 10, in.m_dBandHigh = 5.2, in.m_dBandLow = 5; }},
    };
    for (const Row& row : rows) {
        CLcFilterInputs inputs = TrapExample();
        row.edit(inputs);
        const CLcFilterDesign design = DesignLcFilter(inputs);
        EXPECT_EQ(design.m_strMessage, row.pszMessage);
        EXPECT_FALSE(design.m_bComputed) << row.pszMessage;
        EXPECT_TRUE(design.m_parts.empty() && design.m_candidates.empty()) << row.pszMessage;
    }
    EXPECT_EQ(LcFilterInputProblem(TrapExample()), "");
}

} // namespace
