#include "calc/lc_filter/LcFilter.h"

#include "calc/lc_filter/LcPrototype.h"
#include "report/CFormat.h"
#include "tables/ResistorSeries.h"
#include "tables/ToroidCoreCatalog.h"
#include "text/NumberInput.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The response is evaluated no lower than this (Hz): at 0 a series
// capacitor or a shunt coil has no finite impedance to work with.
constexpr double kLowestFrequency = 1.0;
// The 3 dB point is bracketed in steps of this ratio (fine enough not to
// step over the last ripple of a ninth-order passband), then bisected.
constexpr double kScanRatio = 1.001;
constexpr double kScanDecades = 1000.0;  // how far beyond the band it looks
constexpr double kCutoffTolerance = 1.0; // Hz
// The stock pairs tried lie within this factor of the nominal values.
constexpr double kStockSpan = 10.0;
// Their cutoff may lie this far on the safe side of the one asked for.
constexpr double kStockCutoffSpan = 1.5;

// ---- messages: everything the designer refuses with ---------------------------

constexpr const char* kMsgOrderButterworth = "バターワース特性の素子数は 2〜10 にしてください。";
constexpr const char* kMsgOrderChebyshev = "チェビシェフ特性の素子数は 3〜9 の奇数にしてください。";
constexpr const char* kMsgOrderStock =
    "標準値コンデンサのチェビシェフ特性の素子数は 5 か 7 にしてください。";
constexpr const char* kMsgStockFirst =
    "標準値コンデンサのチェビシェフ特性では、入力側はコンデンサに決まっています。";
constexpr const char* kMsgImpedance = "インピーダンスは 0 より大きく 10000Ω 以下にしてください。";
constexpr const char* kMsgCutoff = "カットオフ周波数は 0 より大きく 3000MHz 以下にしてください。";
constexpr const char* kMsgRipple = "リップルは 0.001〜3dB にしてください。";
constexpr const char* kMsgSwr = "最大SWRは 1 より大きく 3 以下にしてください。";
constexpr const char* kMsgCapacitors =
    "使うコンデンサは、外側と内側の両方を 0 より大きい値にしてください。";
constexpr const char* kMsgBand =
    "使用帯域の下限と上限は 0 より大きく 30000MHz 以下にしてください。";
constexpr const char* kMsgBandOrder = "使用帯域の下限が上限より大きくなっています。";
constexpr const char* kMsgTrapCount = "トラップの数は 0〜3 にしてください。";
constexpr const char* kMsgTrapHighPass = "トラップはローパスフィルターにだけ付けられます。";
constexpr const char* kMsgTrapFirst = "トラップを付けるときは、入力側をコンデンサにしてください。";
constexpr const char* kMsgTrapResponse = "トラップはチェビシェフ特性にだけ付けられます。";
constexpr const char* kMsgTrapMany = "素子数 %d で付けられるトラップは %d 個までです。";
constexpr const char* kMsgTrapCutoff = "トラップの周波数 %sMHz がカットオフ周波数 %sMHz 以下です。";
constexpr const char* kMsgStockSeries =
    "標準値コンデンサのチェビシェフ特性には、コンデンサの系列（E6/E12/E24）を選んでください。";
constexpr const char* kMsgCore = "コア「%s」はカタログにありません。";
constexpr const char* kMsgQ = "コイルの Q は 0〜10000 にしてください。";
constexpr const char* kMsgCheck = "評価する周波数は 0 より大きく 30000MHz 以下にしてください。";
constexpr const char* kMsgPower = "送信出力は 0〜10000W にしてください。";
constexpr const char* kMsgHarmonic = "終段の高調波は -200〜0dBc にしてください。";
constexpr const char* kMsgOverrideName = "部品「%s」はこのフィルターにありません。";
constexpr const char* kMsgOverrideValue = "%s の値は 0 より大きくしてください。";
constexpr const char* kMsgCandidate = "候補 %d はありません（候補は %d 個です）。";
constexpr const char* kMsgPair =
    "外側 %spF と内側 %spF ではチェビシェフ特性になりません（内側÷外側を %.4g〜%.4g "
    "にしてください）。";
constexpr const char* kMsgNoPair =
    "最大SWR %s 以下で、カットオフ周波数が %sMHz〜%sMHz になるコンデンサの組み合わせがありま"
    "せん。";
// Zero shifting in the fixed order (lowest trap nearest the input) leaves C1
// negative when the first trap is too close to the cutoff for the ripple.
constexpr const char* kMsgTrapRealise =
    "トラップがカットオフ周波数に近すぎて作れません（素子の値が負になります）。カットオフ周波"
    "数を下げるか、リップルを大きくしてください。";

// ---- small helpers --------------------------------------------------------------

bool Within(double dValue, double dMin, double dMax) {
    return dValue >= dMin && dValue <= dMax;
}

// More than 0 up to dMax.
bool Positive(double dValue, double dMax) {
    return dValue > 0.0 && dValue <= dMax;
}

std::string Number(double dValue) {
    return FormatEditValue(dValue);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

EResistorSeries ResistorSeries(ELcCapacitorSeries eSeries) {
    switch (eSeries) {
    case ELcCapacitorSeries::E6:
        return EResistorSeries::E6;
    case ELcCapacitorSeries::E12:
        return EResistorSeries::E12;
    default:
        return EResistorSeries::E24;
    }
}

double CoreAl(const std::string& strCore) {
    if (strCore.empty()) {
        return 0.0;
    }
    CToroidCoreCatalog catalog;
    return catalog.FindName(strCore) >= 0 ? catalog.m_dAL : -1.0;
}

int TurnsFor(double dMicroHenry, double dAl) {
    const double dTurns = std::floor(std::sqrt(dMicroHenry * 1000.0 / dAl) + 0.5);
    return std::max(1, static_cast<int>(std::min(dTurns, 1e9)));
}

// The frequencies of the traps, Hz.
std::vector<double> TrapFrequencies(const CLcFilterInputs& inputs) {
    std::vector<double> traps;
    for (int k = 0; k < inputs.m_nTraps; ++k) {
        traps.push_back((k + kLcFirstTrapHarmonic) * inputs.m_dBandHigh * 1e6);
    }
    return traps;
}

bool UsesGivenPair(const CLcFilterInputs& inputs) {
    return inputs.m_eResponse == ELcResponse::StockChebyshev &&
           (inputs.m_dOuterPf != 0.0 || inputs.m_dInnerPf != 0.0);
}

// The parts by position, without values: kinds, places, names.
std::vector<CLcPart> Layout(const CLcFilterInputs& inputs) {
    const bool bLowPass = inputs.m_eType == ELcFilterType::LowPass;
    const bool bCapacitorFirst = inputs.m_eFirst == ELcFirstElement::Capacitor ||
                                 inputs.m_eResponse == ELcResponse::StockChebyshev;
    // Position 1 is a shunt for a low-pass capacitor or a high-pass inductor.
    const bool bFirstShunt = bLowPass == bCapacitorFirst;
    std::vector<CLcPart> parts;
    int nSeriesArm = 0;
    for (int k = 1; k <= inputs.m_nOrder; ++k) {
        CLcPart part;
        part.m_nPosition = k;
        const bool bShunt = (k % 2 == 1) == bFirstShunt;
        part.m_ePlace = bShunt ? ELcPlace::Shunt : ELcPlace::Series;
        part.m_eKind = bShunt == bLowPass ? ELcPartKind::Capacitor : ELcPartKind::Inductor;
        part.m_strName = FormatC("%c%d", part.m_eKind == ELcPartKind::Capacitor ? 'C' : 'L', k);
        parts.push_back(part);
        if (!bShunt && nSeriesArm++ < inputs.m_nTraps) {
            CLcPart trap;
            trap.m_nPosition = k;
            trap.m_eKind = ELcPartKind::Capacitor;
            trap.m_ePlace = ELcPlace::Across;
            trap.m_strName = FormatC("C%d", k);
            parts.push_back(trap);
        }
    }
    return parts;
}

// The ratio inner/outer that a ripple gives, for the message on a pair out of reach.
double StockRatio(const CLcFilterInputs& inputs, double dRipple) {
    const std::vector<double> g = LcChebyshevG(inputs.m_nOrder, dRipple);
    return inputs.m_eType == ELcFilterType::LowPass ? g[3] / g[1] : g[1] / g[3];
}

// Cutoff (Hz), ripple and SWR of a stock pair (pF), or false when no
// ripple in the solvable range gives its ratio.
bool StockPair(const CLcFilterInputs& inputs, double dOuterPf, double dInnerPf,
               CLcCandidate& candidate) {
    const bool bLowPass = inputs.m_eType == ELcFilterType::LowPass;
    const double dRatio = bLowPass ? dInnerPf / dOuterPf : dOuterPf / dInnerPf; // g3/g1
    const double dRipple = LcRippleForRatio(inputs.m_nOrder, dRatio);
    if (std::isnan(dRipple)) {
        return false;
    }
    const double g1 = LcChebyshevG(inputs.m_nOrder, dRipple)[1];
    const double z = inputs.m_dImpedance;
    candidate.m_dOuterPf = dOuterPf;
    candidate.m_dInnerPf = dInnerPf;
    candidate.m_dRipple = dRipple;
    candidate.m_dMaxSwr = LcRippleSwr(dRipple);
    const double dOuter = dOuterPf * 1e-12;
    candidate.m_dCutoff = bLowPass ? g1 / (kTwoPi * dOuter * z) : 1.0 / (kTwoPi * g1 * z * dOuter);
    return true;
}

// Every pair of stock values near the nominal design whose SWR and cutoff
// qualify, best first: closest cutoff (on the log scale), then lowest SWR.
std::vector<CLcCandidate> SearchStockPairs(const CLcFilterInputs& inputs) {
    const bool bLowPass = inputs.m_eType == ELcFilterType::LowPass;
    const double fc = inputs.m_dCutoff * 1e6;
    const double w = kTwoPi * fc;
    const double z = inputs.m_dImpedance;
    const std::vector<double> g = LcChebyshevG(inputs.m_nOrder, LcSwrRipple(inputs.m_dMaxSwr));
    const double dOuter = (bLowPass ? g[1] / (w * z) : 1.0 / (w * g[1] * z)) * 1e12; // pF
    const double dInner = (bLowPass ? g[3] / (w * z) : 1.0 / (w * g[3] * z)) * 1e12;
    const double fLow = bLowPass ? fc : fc / kStockCutoffSpan;
    const double fHigh = bLowPass ? fc * kStockCutoffSpan : fc;
    const std::vector<double> outers =
        LcSeriesValues(inputs.m_eSeries, dOuter / kStockSpan, dOuter * kStockSpan);
    const std::vector<double> inners =
        LcSeriesValues(inputs.m_eSeries, dInner / kStockSpan, dInner * kStockSpan);
    std::vector<CLcCandidate> candidates;
    for (const double dOuterPf : outers) {
        for (const double dInnerPf : inners) {
            CLcCandidate candidate;
            if (StockPair(inputs, dOuterPf, dInnerPf, candidate) &&
                candidate.m_dMaxSwr <= inputs.m_dMaxSwr && candidate.m_dCutoff >= fLow &&
                candidate.m_dCutoff <= fHigh) {
                candidates.push_back(candidate);
            }
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [fc](const CLcCandidate& x, const CLcCandidate& y) {
                         const double dx = std::fabs(std::log(x.m_dCutoff / fc));
                         const double dy = std::fabs(std::log(y.m_dCutoff / fc));
                         return dx != dy ? dx < dy : x.m_dMaxSwr < y.m_dMaxSwr;
                     });
    if (candidates.size() > static_cast<std::size_t>(kLcMaxCandidates)) {
        candidates.resize(kLcMaxCandidates);
    }
    return candidates;
}

// The ladder of the parts: ideal values lossless, or chosen values with the
// coils' loss at the design's cutoff.
CLcLadder MakeLadder(const std::vector<CLcPart>& parts, double dImpedance, bool bBuilt,
                     double dLossPerHenry) {
    CLcLadder ladder;
    ladder.m_dImpedance = dImpedance;
    for (const CLcPart& part : parts) {
        const double dValue = (bBuilt ? part.m_dValue : part.m_dIdeal) *
                              (part.m_eKind == ELcPartKind::Capacitor ? 1e-12 : 1e-6);
        if (part.m_ePlace == ELcPlace::Across) {
            ladder.m_branches.back().m_dC = dValue;
            continue;
        }
        CLcBranch branch;
        branch.m_bShunt = part.m_ePlace == ELcPlace::Shunt;
        if (part.m_eKind == ELcPartKind::Capacitor) {
            branch.m_dC = dValue;
        } else {
            branch.m_dL = dValue;
            branch.m_dR = bBuilt ? dLossPerHenry * dValue : 0.0;
        }
        ladder.m_branches.push_back(branch);
    }
    return ladder;
}

double Loss(const CLcLadder& ladder, double dFrequency) {
    return LcAttenuation(LcLadderResponse(ladder, dFrequency));
}

// The first frequency beyond the band edge dEdge (upwards for a low-pass)
// whose loss exceeds dLevel: stepped out to bracket it, then bisected.
double FirstCrossing(const CLcLadder& ladder, bool bUpwards, double dEdge, double dLevel) {
    const auto exceeds = [&](double f) { return Loss(ladder, f) > dLevel; };
    if (exceeds(dEdge)) {
        return dEdge;
    }
    const double dRatio = bUpwards ? kScanRatio : 1.0 / kScanRatio;
    const double dLimit = bUpwards ? dEdge * kScanDecades : dEdge / kScanDecades;
    double dInside = dEdge;
    for (;;) {
        const double dNext = dInside * dRatio;
        if (bUpwards ? dNext > dLimit : dNext < dLimit) {
            return kNaN;
        }
        if (exceeds(dNext)) {
            double dOutside = dNext;
            while (std::fabs(dOutside - dInside) > kCutoffTolerance) {
                const double dMid = (dInside + dOutside) / 2.0;
                (exceeds(dMid) ? dOutside : dInside) = dMid;
            }
            return (dInside + dOutside) / 2.0;
        }
        dInside = dNext;
    }
}

// Input checks in the order of the input table; the override names need
// the layout, so they come last.
std::string CheckInputs(const CLcFilterInputs& inputs) {
    const int n = inputs.m_nOrder;
    const bool bStock = inputs.m_eResponse == ELcResponse::StockChebyshev;
    switch (inputs.m_eResponse) {
    case ELcResponse::Butterworth:
        if (!Within(n, kLcMinButterworthOrder, kLcMaxButterworthOrder)) {
            return kMsgOrderButterworth;
        }
        break;
    case ELcResponse::Chebyshev:
        if (!Within(n, kLcMinChebyshevOrder, kLcMaxChebyshevOrder) || n % 2 == 0) {
            return kMsgOrderChebyshev;
        }
        break;
    case ELcResponse::StockChebyshev:
        if (std::find(std::begin(kLcStockOrders), std::end(kLcStockOrders), n) ==
            std::end(kLcStockOrders)) {
            return kMsgOrderStock;
        }
        break;
    }
    if (bStock && inputs.m_eFirst != ELcFirstElement::Capacitor) {
        return kMsgStockFirst;
    }
    if (!Positive(inputs.m_dImpedance, kLcMaxImpedance)) {
        return kMsgImpedance;
    }
    if (!UsesGivenPair(inputs) && !Positive(inputs.m_dCutoff, kLcMaxCutoff)) {
        return kMsgCutoff;
    }
    if (inputs.m_eResponse == ELcResponse::Chebyshev &&
        !Within(inputs.m_dRipple, kLcMinRipple, kLcMaxRipple)) {
        return kMsgRipple;
    }
    if (bStock && !UsesGivenPair(inputs) &&
        !(inputs.m_dMaxSwr > 1.0 && inputs.m_dMaxSwr <= kLcMaxSwr)) {
        return kMsgSwr;
    }
    if (UsesGivenPair(inputs) &&
        (!Positive(inputs.m_dOuterPf, kInfinity) || !Positive(inputs.m_dInnerPf, kInfinity) ||
         !std::isfinite(inputs.m_dOuterPf * inputs.m_dInnerPf))) {
        return kMsgCapacitors;
    }
    if (!Positive(inputs.m_dBandLow, kLcMaxFrequency) ||
        !Positive(inputs.m_dBandHigh, kLcMaxFrequency)) {
        return kMsgBand;
    }
    if (inputs.m_dBandLow > inputs.m_dBandHigh) {
        return kMsgBandOrder;
    }
    if (!Within(inputs.m_nTraps, 0, kLcMaxTraps)) {
        return kMsgTrapCount;
    }
    if (inputs.m_nTraps > 0) {
        if (inputs.m_eType != ELcFilterType::LowPass) {
            return kMsgTrapHighPass;
        }
        if (inputs.m_eResponse != ELcResponse::Chebyshev) {
            return kMsgTrapResponse;
        }
        if (inputs.m_eFirst != ELcFirstElement::Capacitor) {
            return kMsgTrapFirst;
        }
        if (inputs.m_nTraps > (n - 1) / 2) {
            return FormatC(kMsgTrapMany, n, (n - 1) / 2);
        }
        const double dTrap = kLcFirstTrapHarmonic * inputs.m_dBandHigh;
        if (dTrap <= inputs.m_dCutoff) {
            return FormatC(kMsgTrapCutoff, Number(dTrap).c_str(), Number(inputs.m_dCutoff).c_str());
        }
    }
    if (bStock && inputs.m_eSeries == ELcCapacitorSeries::None) {
        return kMsgStockSeries;
    }
    if (CoreAl(inputs.m_strCore) < 0.0) {
        return FormatC(kMsgCore, inputs.m_strCore.c_str());
    }
    if (!Within(inputs.m_dQ, 0.0, kLcMaxQ)) {
        return kMsgQ;
    }
    for (const double dCheck : {inputs.m_dCheck1, inputs.m_dCheck2}) {
        if (dCheck != 0.0 && !Positive(dCheck, kLcMaxFrequency)) {
            return kMsgCheck;
        }
    }
    if (!Within(inputs.m_dPower, 0.0, kLcMaxPower)) {
        return kMsgPower;
    }
    if (!Within(inputs.m_dHarmonic, kLcMinHarmonic, kLcMaxHarmonic)) {
        return kMsgHarmonic;
    }
    const std::vector<CLcPart> parts = Layout(inputs);
    for (const CLcOverride& edit : inputs.m_overrides) {
        const bool bKnown = std::any_of(parts.begin(), parts.end(), [&](const CLcPart& part) {
            return SameName(part.m_strName, edit.m_strName);
        });
        if (!bKnown) {
            return FormatC(kMsgOverrideName, edit.m_strName.c_str());
        }
        if (!Positive(edit.m_dValue, kInfinity)) {
            return FormatC(kMsgOverrideValue, edit.m_strName.c_str());
        }
    }
    return {};
}

// The normalised values by position (and the trap capacitors), the design
// cutoff and ripple; or the reason there are none.
struct CPrototypeChoice {
    CLcPrototype m_prototype;
    double m_dCutoff = 0.0; // Hz
    double m_dRipple = 0.0;
    bool m_bStock = false; // the capacitors are m_pair's, exactly
    CLcCandidate m_pair;
};

std::string ChoosePrototype(const CLcFilterInputs& inputs, CLcFilterDesign& design,
                            CPrototypeChoice& choice) {
    const int n = inputs.m_nOrder;
    const auto fromG = [n](const std::vector<double>& g) {
        return CLcPrototype{std::vector<double>(g.begin() + 1, g.begin() + 1 + n), {}};
    };
    choice.m_dCutoff = inputs.m_dCutoff * 1e6;
    switch (inputs.m_eResponse) {
    case ELcResponse::Butterworth:
        choice.m_prototype = fromG(LcButterworthG(n));
        return {};
    case ELcResponse::Chebyshev: {
        choice.m_dRipple = inputs.m_dRipple;
        if (inputs.m_nTraps == 0) {
            choice.m_prototype = fromG(LcChebyshevG(n, inputs.m_dRipple));
            return {};
        }
        std::vector<double> zeros;
        for (const double dTrap : design.m_trapFrequencies) {
            zeros.push_back(dTrap / choice.m_dCutoff);
        }
        return LcTrapPrototype(n, inputs.m_dRipple, zeros, choice.m_prototype) ? ""
                                                                               : kMsgTrapRealise;
    }
    case ELcResponse::StockChebyshev:
        break;
    }
    choice.m_bStock = true;
    if (UsesGivenPair(inputs)) {
        if (!StockPair(inputs, inputs.m_dOuterPf, inputs.m_dInnerPf, choice.m_pair)) {
            const double dLow = StockRatio(inputs, kLcMaxSolvedRipple);
            const double dHigh = StockRatio(inputs, kLcMinSolvedRipple);
            return FormatC(kMsgPair, Number(inputs.m_dOuterPf).c_str(),
                           Number(inputs.m_dInnerPf).c_str(), std::min(dLow, dHigh),
                           std::max(dLow, dHigh));
        }
    } else {
        design.m_candidates = SearchStockPairs(inputs);
        if (design.m_candidates.empty()) {
            const bool bLowPass = inputs.m_eType == ELcFilterType::LowPass;
            const double fc = inputs.m_dCutoff;
            return FormatC(kMsgNoPair, Number(inputs.m_dMaxSwr).c_str(),
                           Number(bLowPass ? fc : fc / kStockCutoffSpan).c_str(),
                           Number(bLowPass ? fc * kStockCutoffSpan : fc).c_str());
        }
        const int nCount = static_cast<int>(design.m_candidates.size());
        if (!Within(inputs.m_nCandidate, 0, nCount - 1)) {
            return FormatC(kMsgCandidate, inputs.m_nCandidate + 1, nCount);
        }
        design.m_nCandidate = inputs.m_nCandidate;
        choice.m_pair = design.m_candidates[static_cast<std::size_t>(inputs.m_nCandidate)];
    }
    choice.m_dCutoff = choice.m_pair.m_dCutoff;
    choice.m_dRipple = choice.m_pair.m_dRipple;
    choice.m_prototype = fromG(LcChebyshevG(n, choice.m_dRipple));
    return {};
}

// Ideal and chosen values of every part.
void FillValues(const CLcFilterInputs& inputs, const CPrototypeChoice& choice,
                CLcFilterDesign& design) {
    const bool bLowPass = inputs.m_eType == ELcFilterType::LowPass;
    const double w = kTwoPi * choice.m_dCutoff;
    const double z = inputs.m_dImpedance;
    const CLcPrototype& proto = choice.m_prototype;
    std::size_t nTrap = 0;
    for (CLcPart& part : design.m_parts) {
        const double g = part.m_ePlace == ELcPlace::Across
                             ? proto.m_across[nTrap++]
                             : proto.m_elements[static_cast<std::size_t>(part.m_nPosition - 1)];
        const bool bCapacitor = part.m_eKind == ELcPartKind::Capacitor;
        double dIdeal = 0.0; // F or H
        if (bLowPass) {
            // A trap capacitor scales as a shunt one does.
            dIdeal = bCapacitor ? g / (w * z) : g * z / w;
        } else {
            dIdeal = bCapacitor ? 1.0 / (w * g * z) : z / (w * g);
        }
        part.m_dIdeal = dIdeal * (bCapacitor ? 1e12 : 1e6);
        if (choice.m_bStock && bCapacitor) {
            // Outer at the ends, inner in between; stock already, so exactly those.
            const bool bOuter = part.m_nPosition == 1 || part.m_nPosition == inputs.m_nOrder;
            part.m_dIdeal = bOuter ? choice.m_pair.m_dOuterPf : choice.m_pair.m_dInnerPf;
            part.m_dValue = part.m_dIdeal;
        } else if (bCapacitor) {
            part.m_dValue = LcNearestCapacitor(inputs.m_eSeries, part.m_dIdeal);
        } else if (design.m_dCoreAl > 0.0) {
            part.m_nTurns = TurnsFor(part.m_dIdeal, design.m_dCoreAl);
            part.m_dValue = design.m_dCoreAl * part.m_nTurns * part.m_nTurns / 1000.0;
        } else {
            part.m_dValue = part.m_dIdeal;
        }
    }
    for (const CLcOverride& edit : inputs.m_overrides) {
        for (CLcPart& part : design.m_parts) {
            if (!SameName(part.m_strName, edit.m_strName)) {
                continue;
            }
            part.m_dValue = edit.m_dValue;
            part.m_bEdited = true;
            if (part.m_eKind == ELcPartKind::Inductor && design.m_dCoreAl > 0.0) {
                part.m_nTurns = TurnsFor(part.m_dValue, design.m_dCoreAl);
            }
        }
    }
}

} // namespace

std::string LcFilterInputProblem(const CLcFilterInputs& inputs) {
    return CheckInputs(inputs);
}

std::string LcPlaceKey(const CLcPart& part) {
    switch (part.m_ePlace) {
    case ELcPlace::Shunt:
        return "shunt";
    case ELcPlace::Series:
        return "series";
    case ELcPlace::Across:
        return FormatC("across L%d", part.m_nPosition);
    }
    return {};
}

std::string LcPlaceLabel(const CLcPart& part) {
    switch (part.m_ePlace) {
    case ELcPlace::Shunt:
        return "対地";
    case ELcPlace::Series:
        return "直列";
    case ELcPlace::Across:
        return FormatC("L%dに並列", part.m_nPosition);
    }
    return {};
}

CLcScattering LcLadderResponse(const CLcLadder& ladder, double dFrequency) {
    using Complex = std::complex<double>;
    const double w = kTwoPi * std::max(dFrequency, kLowestFrequency);
    const double z0 = ladder.m_dImpedance;
    // ABCD of the cascade with impedances normalised to Z.
    Complex a = 1.0, b = 0.0, c = 0.0, d = 1.0;
    for (const CLcBranch& branch : ladder.m_branches) {
        Complex zb;
        if (branch.m_dL > 0.0) {
            const Complex zl(branch.m_dR, w * branch.m_dL);
            // With a capacitor across: the trap, (R + jωL)/(1 − ω²LC + jωRC).
            zb = branch.m_dC > 0.0 ? zl / Complex(1.0 - w * w * branch.m_dL * branch.m_dC,
                                                  w * branch.m_dR * branch.m_dC)
                                   : zl;
        }
        if (branch.m_bShunt) {
            const Complex y = branch.m_dL > 0.0 ? z0 / zb : Complex(0.0, w * branch.m_dC * z0);
            a += b * y;
            c += d * y;
        } else {
            const Complex zn =
                branch.m_dL > 0.0 ? zb / z0 : Complex(0.0, -1.0 / (w * branch.m_dC * z0));
            b += a * zn;
            d += c * zn;
        }
    }
    const Complex den = a + b + c + d;
    return {2.0 / den, (a + b - c - d) / den};
}

double LcAttenuation(const CLcScattering& s) {
    const double dMagnitude = std::abs(s.m_s21);
    return dMagnitude > 0.0 ? -20.0 * std::log10(dMagnitude) : kInfinity;
}

double LcReturnLoss(const CLcScattering& s) {
    const double dMagnitude = std::abs(s.m_s11);
    return dMagnitude > 0.0 ? -20.0 * std::log10(dMagnitude) : kInfinity;
}

CLcFigures LcLadderFigures(const CLcLadder& ladder, ELcFilterType eType, double dBandLow,
                           double dBandHigh, double dCheck1, double dCheck2, double dPower,
                           double dHarmonic) {
    CLcFigures figures;
    for (int i = 0; i < kLcBandPoints; ++i) {
        const double f = dBandLow + (dBandHigh - dBandLow) * i / (kLcBandPoints - 1);
        const double rho = std::abs(LcLadderResponse(ladder, f).m_s11);
        const double dSwr = rho < 1.0 ? (1.0 + rho) / (1.0 - rho) : kInfinity;
        figures.m_dBandMaxSwr = std::max(figures.m_dBandMaxSwr, dSwr);
    }
    figures.m_dBandLoss = Loss(ladder, (dBandLow + dBandHigh) / 2.0);
    const bool bLowPass = eType == ELcFilterType::LowPass;
    figures.m_dCutoff3Db =
        FirstCrossing(ladder, bLowPass, bLowPass ? dBandHigh : dBandLow, figures.m_dBandLoss + 3.0);
    const double checks[2] = {dCheck1, dCheck2};
    for (int k = 0; k < 2; ++k) {
        CLcCheck& check = figures.m_checks[k];
        check.m_dFrequency = checks[k];
        check.m_dAttenuation = Loss(ladder, checks[k]);
        if (!(check.m_dAttenuation <= kLcInfiniteAttenuation)) {
            check.m_dAttenuation = kInfinity;
        }
        if (dPower > 0.0) {
            CLcHarmonic harmonic;
            harmonic.m_dFrequency = checks[k];
            harmonic.m_dDbc = dHarmonic - (check.m_dAttenuation - figures.m_dBandLoss);
            harmonic.m_dPower = dPower * std::pow(10.0, harmonic.m_dDbc / 10.0);
            figures.m_harmonics.push_back(harmonic);
        }
    }
    return figures;
}

CLcFilterDesign DesignLcFilter(const CLcFilterInputs& inputs) {
    CLcFilterDesign design;
    design.m_strMessage = CheckInputs(inputs);
    if (!design.m_strMessage.empty()) {
        return design;
    }
    design.m_eType = inputs.m_eType;
    design.m_eResponse = inputs.m_eResponse;
    design.m_nOrder = inputs.m_nOrder;
    design.m_dImpedance = inputs.m_dImpedance;
    design.m_dCoreAl = CoreAl(inputs.m_strCore);
    design.m_trapFrequencies = TrapFrequencies(inputs);
    design.m_dBandLow = inputs.m_dBandLow * 1e6;
    design.m_dBandHigh = inputs.m_dBandHigh * 1e6;

    CPrototypeChoice choice;
    design.m_strMessage = ChoosePrototype(inputs, design, choice);
    if (!design.m_strMessage.empty()) {
        design.m_candidates.clear();
        return design;
    }
    design.m_dCutoff = choice.m_dCutoff;
    design.m_dRipple = choice.m_dRipple;
    if (inputs.m_eResponse == ELcResponse::StockChebyshev) {
        design.m_dMaxSwr = LcRippleSwr(choice.m_dRipple);
    }
    design.m_parts = Layout(inputs);
    FillValues(inputs, choice, design);

    const double dLossPerHenry = inputs.m_dQ > 0.0 ? kTwoPi * design.m_dCutoff / inputs.m_dQ : 0.0;
    design.m_ideal = MakeLadder(design.m_parts, inputs.m_dImpedance, false, 0.0);
    design.m_built = MakeLadder(design.m_parts, inputs.m_dImpedance, true, dLossPerHenry);

    const bool bLowPass = inputs.m_eType == ELcFilterType::LowPass;
    const double dCheck1 = inputs.m_dCheck1 > 0.0 ? inputs.m_dCheck1 * 1e6
                           : bLowPass             ? 2.0 * design.m_dBandHigh
                                                  : design.m_dBandLow / 2.0;
    const double dCheck2 = inputs.m_dCheck2 > 0.0 ? inputs.m_dCheck2 * 1e6
                           : bLowPass             ? 3.0 * design.m_dBandHigh
                                                  : design.m_dBandLow / 3.0;
    for (CLcFigures* pFigures : {&design.m_idealFigures, &design.m_builtFigures}) {
        const CLcLadder& ladder =
            pFigures == &design.m_idealFigures ? design.m_ideal : design.m_built;
        *pFigures = LcLadderFigures(ladder, inputs.m_eType, design.m_dBandLow, design.m_dBandHigh,
                                    dCheck1, dCheck2, inputs.m_dPower, inputs.m_dHarmonic);
    }
    design.m_bComputed = true;
    return design;
}

double LcNearestCapacitor(ELcCapacitorSeries eSeries, double dIdealPf) {
    if (eSeries == ELcCapacitorSeries::None) {
        return dIdealPf;
    }
    const std::vector<double> around =
        CResistorSeries(ResistorSeries(eSeries)).Candidates(dIdealPf, 0);
    if (around.empty()) {
        return dIdealPf;
    }
    // Nearer on the log scale: the upper one only when the ideal is above
    // their geometric mean.
    return around.size() == 2 && dIdealPf * dIdealPf > around[0] * around[1] ? around[1]
                                                                             : around[0];
}

std::vector<double> LcSeriesValues(ELcCapacitorSeries eSeries, double dFrom, double dTo) {
    std::vector<double> values;
    if (eSeries == ELcCapacitorSeries::None || !(dFrom > 0.0) || !(dTo >= dFrom) ||
        !std::isfinite(dTo)) {
        return values;
    }
    const CResistorSeries series(ResistorSeries(eSeries));
    const int nFirst = static_cast<int>(std::floor(std::log10(dFrom))) - 1;
    const int nLast = static_cast<int>(std::floor(std::log10(dTo))) + 1;
    for (int nDecade = nFirst; nDecade <= nLast; ++nDecade) {
        // The decade's members are three-digit numbers: 470 is 4.7·10^(decade).
        const int nExponent = nDecade - 2;
        const double dScale = std::pow(10.0, std::abs(nExponent));
        for (const int nDigits : series.Decade()) {
            const double dValue = nExponent >= 0 ? nDigits * dScale : nDigits / dScale;
            if (dValue >= dFrom && dValue <= dTo) {
                values.push_back(dValue);
            }
        }
    }
    return values;
}

std::vector<CLcSweepPoint> LcSweep(const CLcFilterDesign& design, double dFrom, double dTo,
                                   int nPoints) {
    std::vector<CLcSweepPoint> points;
    if (!design.m_bComputed || nPoints < 2) {
        return points;
    }
    const auto clamp = [](double dDb) { return std::min(dDb, kLcInfiniteAttenuation); };
    points.reserve(static_cast<std::size_t>(nPoints));
    for (int i = 0; i < nPoints; ++i) {
        const double f = dFrom + (dTo - dFrom) * i / (nPoints - 1);
        const CLcScattering ideal = LcLadderResponse(design.m_ideal, f);
        const CLcScattering built = LcLadderResponse(design.m_built, f);
        points.push_back({f, -clamp(LcAttenuation(ideal)), clamp(LcReturnLoss(ideal)),
                          -clamp(LcAttenuation(built)), clamp(LcReturnLoss(built))});
    }
    return points;
}

CLcSweepRange LcChartRange(const CLcFilterDesign& design) {
    const double dEdge =
        design.m_eType == ELcFilterType::LowPass ? design.m_dBandHigh : design.m_dBandLow;
    return {0.0, 4.0 * dEdge};
}

const char* LcFilterTypeKey(ELcFilterType eType) {
    return eType == ELcFilterType::LowPass ? "lowpass" : "highpass";
}

const char* LcResponseKey(ELcResponse eResponse) {
    switch (eResponse) {
    case ELcResponse::Butterworth:
        return "butterworth";
    case ELcResponse::Chebyshev:
        return "chebyshev";
    case ELcResponse::StockChebyshev:
        return "svc";
    }
    return "";
}

const char* LcFirstElementKey(ELcFirstElement eFirst) {
    return eFirst == ELcFirstElement::Capacitor ? "capacitor" : "inductor";
}

const char* LcCapacitorSeriesKey(ELcCapacitorSeries eSeries) {
    switch (eSeries) {
    case ELcCapacitorSeries::None:
        return "none";
    case ELcCapacitorSeries::E6:
        return "E6";
    case ELcCapacitorSeries::E12:
        return "E12";
    case ELcCapacitorSeries::E24:
        return "E24";
    }
    return "";
}

bool ParseLcFilterType(const std::string& strKey, ELcFilterType& eType) {
    for (const ELcFilterType e : {ELcFilterType::LowPass, ELcFilterType::HighPass}) {
        if (strKey == LcFilterTypeKey(e)) {
            eType = e;
            return true;
        }
    }
    return false;
}

bool ParseLcResponse(const std::string& strKey, ELcResponse& eResponse) {
    for (const ELcResponse e :
         {ELcResponse::Butterworth, ELcResponse::Chebyshev, ELcResponse::StockChebyshev}) {
        if (strKey == LcResponseKey(e)) {
            eResponse = e;
            return true;
        }
    }
    return false;
}

bool ParseLcFirstElement(const std::string& strKey, ELcFirstElement& eFirst) {
    for (const ELcFirstElement e : {ELcFirstElement::Capacitor, ELcFirstElement::Inductor}) {
        if (strKey == LcFirstElementKey(e)) {
            eFirst = e;
            return true;
        }
    }
    return false;
}

bool ParseLcCapacitorSeries(const std::string& strKey, ELcCapacitorSeries& eSeries) {
    for (const ELcCapacitorSeries e : {ELcCapacitorSeries::None, ELcCapacitorSeries::E6,
                                       ELcCapacitorSeries::E12, ELcCapacitorSeries::E24}) {
        if (SameName(strKey, LcCapacitorSeriesKey(e))) {
            eSeries = e;
            return true;
        }
    }
    return false;
}

const char* LcFilterTypeLabel(ELcFilterType eType) {
    return eType == ELcFilterType::LowPass ? "ローパス" : "ハイパス";
}

const char* LcResponseLabel(ELcResponse eResponse) {
    switch (eResponse) {
    case ELcResponse::Butterworth:
        return "バターワース";
    case ELcResponse::Chebyshev:
        return "チェビシェフ";
    case ELcResponse::StockChebyshev:
        return "チェビシェフ（標準値コンデンサ）";
    }
    return "";
}

const char* LcFirstElementLabel(ELcFirstElement eFirst) {
    return eFirst == ELcFirstElement::Capacitor ? "コンデンサ" : "コイル";
}
