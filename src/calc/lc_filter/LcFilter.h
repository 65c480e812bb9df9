#pragma once

#include <complex>
#include <string>
#include <vector>

// LC ladder filters between equal impedances: Butterworth, Chebyshev, and
// Chebyshev on stock capacitors (its capacitors are stock values exactly),
// low-pass or high-pass, optionally with traps on the harmonics; then the
// parts as they will really be built (stock capacitors, toroid turns) and
// the response of both the ideal and the built filter.
//
// Units: the inputs are what the user types (Ω, MHz, dB, pF, µH, W, dBc);
// everything computed is SI (Hz, F, H, Ω) unless a member says otherwise.

enum class ELcFilterType { LowPass, HighPass };
enum class ELcResponse { Butterworth, Chebyshev, StockChebyshev };
enum class ELcFirstElement { Capacitor, Inductor };
enum class ELcCapacitorSeries { None, E6, E12, E24 };

// Inclusive input ranges, shared by the dialog and vantix-calc. A "min" of
// 0 for a positive quantity means "more than 0".
inline constexpr int kLcMinButterworthOrder = 2;
inline constexpr int kLcMaxButterworthOrder = 10;
inline constexpr int kLcMinChebyshevOrder = 3; // odd only
inline constexpr int kLcMaxChebyshevOrder = 9;
inline constexpr int kLcStockOrders[] = {5, 7};
inline constexpr double kLcMaxImpedance = 10000.0; // Ω, more than 0
inline constexpr double kLcMaxCutoff = 3000.0;     // MHz, more than 0
inline constexpr double kLcMinRipple = 0.001;      // dB
inline constexpr double kLcMaxRipple = 3.0;        // dB
inline constexpr double kLcMaxSwr = 3.0;           // more than 1
// Band and check frequencies have no limit of their own; this one only
// keeps the arithmetic finite (ten times the highest cutoff).
inline constexpr double kLcMaxFrequency = 30000.0; // MHz, more than 0
inline constexpr int kLcMaxTraps = 3;
inline constexpr double kLcMaxQ = 10000.0;       // 0 = lossless
inline constexpr double kLcMaxPower = 10000.0;   // W, 0 = no harmonic lines
inline constexpr double kLcMinHarmonic = -200.0; // dBc
inline constexpr double kLcMaxHarmonic = 0.0;    // dBc

inline constexpr int kLcDefaultOrder = 7;
inline constexpr double kLcDefaultImpedance = 50.0;
inline constexpr double kLcDefaultRipple = 0.1;
inline constexpr double kLcDefaultSwr = 1.2;
inline constexpr double kLcDefaultHarmonic = -20.0;

// Beyond this an attenuation is shown as "∞" (null in JSON): what is left
// is the rounding of an exact notch, not a property of the filter.
inline constexpr double kLcInfiniteAttenuation = 250.0; // dB
// Frequencies at which the band's SWR is looked at, LOW .. HIGH inclusive.
inline constexpr int kLcBandPoints = 1001;
// Stock-capacitor pairs listed by the search.
inline constexpr int kLcMaxCandidates = 8;
// Trap k (from 0) sits at (k + 2) × the band's upper edge.
inline constexpr int kLcFirstTrapHarmonic = 2;

// A chosen value edited in the parts list: "C3" = 820 (pF) or "L2" = 1.2 (µH).
struct CLcOverride {
    std::string m_strName;
    double m_dValue = 0.0; // pF for a capacitor, µH for an inductor
};

struct CLcFilterInputs {
    ELcFilterType m_eType = ELcFilterType::LowPass;
    ELcResponse m_eResponse = ELcResponse::Chebyshev;
    int m_nOrder = kLcDefaultOrder;
    ELcFirstElement m_eFirst = ELcFirstElement::Capacitor; // stock Chebyshev: capacitor only
    double m_dImpedance = kLcDefaultImpedance;             // Ω, both ends
    // MHz. Stock Chebyshev with a given pair takes its cutoff from the pair
    // and does not use this.
    double m_dCutoff = 0.0;
    double m_dRipple = kLcDefaultRipple; // dB, Chebyshev
    double m_dMaxSwr = kLcDefaultSwr;    // stock Chebyshev search
    // Stock Chebyshev: the capacitor pair to use, pF; both 0 searches.
    double m_dOuterPf = 0.0;
    double m_dInnerPf = 0.0;
    // Which of the searched pairs to build (0 = the best); the dialog's
    // candidate list sets it.
    int m_nCandidate = 0;
    double m_dBandLow = 0.0;  // MHz
    double m_dBandHigh = 0.0; // MHz
    int m_nTraps = 0;         // at 2×, 3×, 4× the band's upper edge
    ELcCapacitorSeries m_eSeries = ELcCapacitorSeries::E12;
    std::string m_strCore; // catalogue name ("T-50-6"); empty: air-wound, ideal L
    double m_dQ = 0.0;     // of every coil; 0 = lossless
    // Check frequencies, MHz; 0 takes the default (low-pass 2× and 3× the
    // band's upper edge, high-pass ½ and ⅓ of its lower edge).
    double m_dCheck1 = 0.0;
    double m_dCheck2 = 0.0;
    double m_dPower = 0.0;                   // W; 0: no harmonic lines
    double m_dHarmonic = kLcDefaultHarmonic; // dBc of the final stage
    std::vector<CLcOverride> m_overrides;    // applied in order
};

// Why the inputs cannot be designed (Japanese, one sentence), or empty.
// Every rule of the input table is checked here, in the table's order;
// the design itself can still refuse (no stock pair fits, traps that leave
// a negative element), with a message of the same kind.
std::string LcFilterInputProblem(const CLcFilterInputs& inputs);

enum class ELcPartKind { Capacitor, Inductor };
enum class ELcPlace { Shunt, Series, Across }; // Across: a trap capacitor across an inductor

// One part in signal order; a trap capacitor comes right after its inductor.
// Values are in the units the list shows (pF, µH), so that a stock value
// reads back exactly as it is printed on the part.
struct CLcPart {
    std::string m_strName; // "C1", "L2", "C2" (across L2)
    ELcPartKind m_eKind = ELcPartKind::Capacitor;
    ELcPlace m_ePlace = ELcPlace::Shunt;
    int m_nPosition = 0;   // ladder position from the input, 1 ..
    double m_dIdeal = 0.0; // pF or µH
    double m_dValue = 0.0; // the chosen value, pF or µH
    // Turns on the core (0 for capacitors and without a core); for an edited
    // inductor the turns nearest to the edited value, which is kept as typed.
    int m_nTurns = 0;
    bool m_bEdited = false; // m_dValue came from an override
};

// "shunt", "series", "across L2": vantix-calc and its JSON.
std::string LcPlaceKey(const CLcPart& part);
// "対地", "直列", "L2に並列": the parts list and the report.
std::string LcPlaceLabel(const CLcPart& part);

// A searched stock pair (stock Chebyshev).
struct CLcCandidate {
    double m_dOuterPf = 0.0;
    double m_dInnerPf = 0.0;
    double m_dCutoff = 0.0; // Hz, the cutoff this pair gives
    double m_dRipple = 0.0; // dB
    double m_dMaxSwr = 0.0; // of the ripple
};

// A ladder as the response sees it: branches in signal order between two
// terminations of m_dImpedance. A branch is a capacitor (m_dL 0), an
// inductor with m_dR in series (m_dC 0), or both: the lossy inductor with
// the capacitor across it.
struct CLcBranch {
    bool m_bShunt = false;
    double m_dL = 0.0; // H
    double m_dC = 0.0; // F
    double m_dR = 0.0; // Ω, in series with the inductor
};
struct CLcLadder {
    double m_dImpedance = 0.0;
    std::vector<CLcBranch> m_branches;
};

struct CLcScattering {
    std::complex<double> m_s21;
    std::complex<double> m_s11;
};
// S21 and S11 at f (Hz), referred to the terminations. Below 1 Hz the
// response is taken at 1 Hz (where a high-pass has long gone to nothing).
CLcScattering LcLadderResponse(const CLcLadder& ladder, double dFrequency);
// −20·log10|S21| and −20·log10|S11|, dB; each +∞ for a zero.
double LcAttenuation(const CLcScattering& s);
double LcReturnLoss(const CLcScattering& s);

struct CLcCheck {
    double m_dFrequency = 0.0;   // Hz
    double m_dAttenuation = 0.0; // dB; +∞ above kLcInfiniteAttenuation
};
struct CLcHarmonic {
    double m_dFrequency = 0.0; // Hz
    double m_dDbc = 0.0;       // h − (A − band loss); −∞ when A is infinite
    double m_dPower = 0.0;     // W, P·10^(dBc/10)
};
struct CLcFigures {
    double m_dBandMaxSwr = 0.0; // over kLcBandPoints from LOW to HIGH
    double m_dBandLoss = 0.0;   // dB at (LOW + HIGH)/2
    // The first frequency beyond the band (above HIGH low-pass, below LOW
    // high-pass) where the loss exceeds the band loss by 3 dB, to 1 Hz; NaN
    // when there is none within three decades.
    double m_dCutoff3Db = 0.0;
    CLcCheck m_checks[2];
    std::vector<CLcHarmonic> m_harmonics; // one per check; empty without a power
};

// The outcome of one computation.
struct CLcFilterDesign {
    bool m_bComputed = false;
    std::string m_strMessage; // why not (Japanese); empty when computed
    ELcFilterType m_eType = ELcFilterType::LowPass;
    ELcResponse m_eResponse = ELcResponse::Chebyshev;
    int m_nOrder = 0;
    double m_dImpedance = 0.0;              // Ω
    double m_dCutoff = 0.0;                 // Hz, the design's fc
    double m_dRipple = 0.0;                 // dB; Chebyshev and stock Chebyshev
    double m_dMaxSwr = 0.0;                 // of that ripple (stock Chebyshev)
    double m_dCoreAl = 0.0;                 // nH/turn²; 0 without a core
    std::vector<double> m_trapFrequencies;  // Hz, ascending
    std::vector<CLcCandidate> m_candidates; // stock Chebyshev search, best first
    int m_nCandidate = -1;                  // the one built; -1 for a given pair
    std::vector<CLcPart> m_parts;           // signal order
    CLcLadder m_ideal;                      // ideal values, lossless
    CLcLadder m_built;                      // chosen values, coils with their Q
    double m_dBandLow = 0.0;                // Hz
    double m_dBandHigh = 0.0;               // Hz
    CLcFigures m_idealFigures;
    CLcFigures m_builtFigures;
};

CLcFilterDesign DesignLcFilter(const CLcFilterInputs& inputs);

// The figures of one ladder for the band (Hz), check frequencies (Hz) and,
// with dPower > 0, the harmonic lines.
CLcFigures LcLadderFigures(const CLcLadder& ladder, ELcFilterType eType, double dBandLow,
                           double dBandHigh, double dCheck1, double dCheck2, double dPower,
                           double dHarmonic);

// The nearest value of the series to dIdeal (pF) on a log scale, a tie
// going to the smaller; dIdeal itself for ELcCapacitorSeries::None.
double LcNearestCapacitor(ELcCapacitorSeries eSeries, double dIdealPf);
// Every value of the series from dFrom to dTo (pF), ascending.
std::vector<double> LcSeriesValues(ELcCapacitorSeries eSeries, double dFrom, double dTo);

// One point of the chart: both ladders; dB floored at −kLcInfiniteAttenuation
// and return losses capped at kLcInfiniteAttenuation, so that the chart and
// the CSV never see an infinity.
struct CLcSweepPoint {
    double m_dFrequency = 0.0;       // Hz
    double m_dIdealS21Db = 0.0;      // 20·log10|S21|
    double m_dIdealReturnLoss = 0.0; // dB
    double m_dBuiltS21Db = 0.0;
    double m_dBuiltReturnLoss = 0.0;
};
// nPoints (≥ 2) frequencies evenly from dFrom to dTo (Hz), both included;
// empty when the design was refused.
std::vector<CLcSweepPoint> LcSweep(const CLcFilterDesign& design, double dFrom, double dTo,
                                   int nPoints);

// The chart's span: 0 to 4 × HIGH (low-pass) or 0 to 4 × LOW (high-pass), Hz.
struct CLcSweepRange {
    double m_dFrom = 0.0;
    double m_dTo = 0.0;
};
CLcSweepRange LcChartRange(const CLcFilterDesign& design);

// The table `ngspice -b` writes in its current folder: a header line, then
// frequency, vdb(out) and vp(out) per point to twelve digits.
inline constexpr const char* kLcSweepTableName = "lc-sweep.txt";

// An ngspice netlist of the built filter (chosen values, coil losses) with
// an AC sweep of nPoints from dFrom to dTo (Hz) whose vdb(out) is S21 in dB;
// run in batch mode it prints the sweep and writes it to kLcSweepTableName.
// Empty when the design was refused.
std::string LcSpiceNetlist(const CLcFilterDesign& design, double dFrom, double dTo, int nPoints);

// The sweep as CSV (header line, then frequency Hz and the four dB columns
// per line; LF line ends).
std::string LcSweepCsv(const std::vector<CLcSweepPoint>& points);

// Keys of vantix-calc and its JSON: "lowpass", "chebyshev", "svc", "capacitor", "E12".
const char* LcFilterTypeKey(ELcFilterType eType);
const char* LcResponseKey(ELcResponse eResponse);
const char* LcFirstElementKey(ELcFirstElement eFirst);
const char* LcCapacitorSeriesKey(ELcCapacitorSeries eSeries); // "none", "E6", ...
bool ParseLcFilterType(const std::string& strKey, ELcFilterType& eType);
bool ParseLcResponse(const std::string& strKey, ELcResponse& eResponse);
bool ParseLcFirstElement(const std::string& strKey, ELcFirstElement& eFirst);
bool ParseLcCapacitorSeries(const std::string& strKey, ELcCapacitorSeries& eSeries);
// The dialog's and the report's names: "ローパス", "チェビシェフ（標準値コンデンサ）", ...
const char* LcFilterTypeLabel(ELcFilterType eType);
const char* LcResponseLabel(ELcResponse eResponse);
const char* LcFirstElementLabel(ELcFirstElement eFirst);
