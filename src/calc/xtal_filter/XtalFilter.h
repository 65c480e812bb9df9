#pragma once

#include "report/LocalTime.h"

#include <string>
#include <vector>

// A ladder of n crystals in series, each mesh tuned by an optional series
// capacitor CT, with a shunt capacitor CK between neighbouring meshes and a
// resistor at each end. The design takes the holder capacitance C0 into
// account: each crystal is worked with at the design frequency fd by its
// reactance X and its effective inductance Leff = ½·dX/dω.
//
// Units: the inputs are what the user types (MHz, mH, pF, kHz); everything
// computed is SI (Hz, H, F, Ω) unless a member says otherwise.

// Inclusive input ranges, shared by the workbench dialog and vantix-calc.
inline constexpr double kXtalMinFrequency = 0.1;   // MHz
inline constexpr double kXtalMaxFrequency = 200.0; // MHz
inline constexpr double kXtalMinLm = 0.01;         // mH
inline constexpr double kXtalMaxLm = 10000.0;      // mH
inline constexpr double kXtalMinC0 = 0.0;          // pF; 0 designs without holder capacitance
inline constexpr double kXtalMaxC0 = 100.0;        // pF
inline constexpr double kXtalMinQ = 0.0;           // 0 = lossless crystals
inline constexpr double kXtalMaxQ = 10000000.0;
inline constexpr int kXtalMinCrystals = 2;
inline constexpr int kXtalMaxCrystals = 8;
inline constexpr double kXtalMinRipple = 0.01;      // dB
inline constexpr double kXtalMaxRipple = 1.0;       // dB
inline constexpr double kXtalMinBandwidth = 0.01;   // kHz
inline constexpr double kXtalMaxBandwidth = 1000.0; // kHz

enum class EXtalResponse { Butterworth = 0, Chebyshev = 1, Cohn = 2 };

// What the user asks for. The defaults are the worked design the workbench
// opens with: 10 MHz, 15 mH, 3.5 pF, lossless, 6 crystals, Chebyshev 0.1 dB,
// 2.4 kHz.
struct CXtalFilterInputs {
    double m_dFrequency = 10.0; // series resonance fs of the crystals, MHz
    // Per-crystal fs in MHz, in filter order (unequal crystals); empty: every
    // crystal is at m_dFrequency. When given, its size must be m_nCrystals.
    std::vector<double> m_crystalFrequencies;
    double m_dLm = 15.0; // motional inductance, mH (the same for every crystal)
    double m_dC0 = 3.5;  // holder capacitance, pF
    double m_dQu = 0.0;  // unloaded Q; 0 = lossless
    int m_nCrystals = 6;
    EXtalResponse m_eResponse = EXtalResponse::Chebyshev;
    double m_dRipple = 0.1;    // passband ripple, dB (Chebyshev only)
    double m_dBandwidth = 2.4; // 3 dB bandwidth, kHz
    // 設計帯域を合わせる: the ladder is designed for whatever bandwidth makes
    // its simulated 3 dB bandwidth m_dBandwidth (within 0.1 %), rather than
    // for m_dBandwidth itself.
    bool m_bMatchBandwidth = false;
};

// One crystal's Butterworth-Van Dyke model: Lm–Cm–Rm in series, C0 across.
struct CXtalCrystal {
    double m_dFs = 0.0; // series resonance, Hz
    double m_dLm = 0.0; // H
    double m_dCm = 0.0; // F, 1/((2π·fs)²·Lm)
    double m_dC0 = 0.0; // F
    double m_dRm = 0.0; // Ω, 2π·fs·Lm/Qu; 0 when lossless
};

// The crystal for fs (Hz), Lm (H), C0 (F) and unloaded Q (0 = lossless).
CXtalCrystal MakeXtalCrystal(double dFs, double dLm, double dC0, double dQu);

// Reactance X (Ω) of the lossless crystal at f (Hz): (jωLm + 1/(jωCm)) ∥ 1/(jωC0).
double XtalReactance(const CXtalCrystal& crystal, double dFrequency);

// Effective inductance Leff = ½·dX/dω (H) of the lossless crystal at f (Hz).
double XtalEffectiveInductance(const CXtalCrystal& crystal, double dFrequency);

// Parallel resonance fp = fs·√(1 + Cm/C0) in Hz; infinite when C0 is 0.
double XtalParallelFrequency(const CXtalCrystal& crystal);

// The low-pass prototype turned into coupled-resonator figures, already
// scaled to the 3 dB bandwidth: end qs and the n−1 coupling coefficients k.
struct CXtalPrototype {
    std::vector<double> m_g; // g0 .. g(n+1) as the response defines them
    double m_dQ1 = 0.0;      // q of the input end
    double m_dQn = 0.0;      // q of the output end
    std::vector<double> m_k; // k(i, i+1), i = 1 .. n−1
};

// The prototype for n crystals; the ripple (dB) is used by Chebyshev only.
CXtalPrototype XtalPrototype(EXtalResponse eResponse, int nCrystals, double dRipple);

// One mesh of the design: a crystal, its tuning capacitor, and the coupling
// capacitor to the next mesh.
struct CXtalMesh {
    double m_dEffectiveInductance = 0.0; // Leff of its crystal at fd, H
    double m_dCoupling = 0.0;            // CK to the next mesh, F; 0 for the last mesh
    double m_dTuning = 0.0;              // CT, F; 0 when the mesh needs none
    bool m_bNoTuning = false;            // no tuning capacitor (なし)
    double m_dOffset = 0.0;              // resonance of the mesh without its CT minus fd, Hz
};

// A designed filter: everything the response and the exports need.
struct CXtalDesign {
    bool m_bComputed = false;        // false: the bandwidth is above the maximum
    double m_dDesignFrequency = 0.0; // fd, Hz
    // Widest 3 dB bandwidth these crystals allow, Hz: from DesignXtalFilter the
    // bound fs·Cm/(4·C0·κ); ComputeXtalFilter puts in its place the widest one
    // the design search really reaches (a hair below the bound).
    double m_dMaxBandwidth = 0.0;
    double m_dBandwidth = 0.0;            // the 3 dB bandwidth designed for, Hz
    double m_dSourceResistance = 0.0;     // input end, Ω
    double m_dLoadResistance = 0.0;       // output end, Ω
    std::vector<CXtalCrystal> m_crystals; // in filter order, as simulated (with Rm)
    std::vector<CXtalMesh> m_meshes;      // in filter order
};

// The design for the inputs (which must lie within the ranges above). The
// crystals are designed lossless; their Rm from Qu enters the response only.
CXtalDesign DesignXtalFilter(const CXtalFilterInputs& inputs);

// The response at one frequency.
struct CXtalResponsePoint {
    double m_dFrequency = 0.0;  // Hz
    double m_dS21Db = 0.0;      // 20·log10|S21|, dB (not relative to the peak)
    double m_dPhase = 0.0;      // arg S21, degrees, −180 .. 180
    double m_dGroupDelay = 0.0; // −dφ/dω, ms
};

// S21 of the design between its two end resistances at f (Hz).
CXtalResponsePoint XtalResponseAt(const CXtalDesign& design, double dFrequency);

// nPoints (≥ 2) frequencies evenly from dFrom to dTo (Hz), both included.
std::vector<CXtalResponsePoint> XtalSweep(const CXtalDesign& design, double dFrom, double dTo,
                                          int nPoints);

// The figures of the response. Crossings are the outermost ones, relative to
// the peak, located to better than 0.1 Hz; NaN where the response does not
// reach that level within 50 design bandwidths of fd.
struct CXtalFigures {
    double m_dPeakFrequency = 0.0;          // Hz
    double m_dInsertionLoss = 0.0;          // −(peak S21), dB
    double m_dLow3 = 0.0, m_dHigh3 = 0.0;   // −3 dB crossings, Hz
    double m_dLow6 = 0.0, m_dHigh6 = 0.0;   // −6 dB crossings, Hz
    double m_dLow60 = 0.0, m_dHigh60 = 0.0; // −60 dB crossings, Hz
    double m_dBandwidth3 = 0.0;             // Hz
    double m_dBandwidth6 = 0.0;             // Hz
    double m_dBandwidth60 = 0.0;            // Hz
    double m_dShapeFactor = 0.0;            // BW60 / BW6
    double m_dRipple = 0.0;           // dB, between the first and last maxima in the 3 dB band
    double m_dGroupDelayCentre = 0.0; // ms, at the centre of the 3 dB band
};

CXtalFigures XtalResponseFigures(const CXtalDesign& design);

// The span the chart shows: the −60 dB points with a margin, or a few
// bandwidths around fd when the skirts never reach −60 dB. Hz.
struct CXtalSweepRange {
    double m_dFrom = 0.0;
    double m_dTo = 0.0;
};
CXtalSweepRange XtalChartRange(const CXtalDesign& design, const CXtalFigures& figures);

// One mesh as the dialog's list and the report show it.
struct CXtalMeshRow {
    std::string m_strEffectiveInductance; // "17.2213mH"
    std::string m_strCoupling;            // "85.764PF"; empty for the last mesh
    std::string m_strTuning;              // "113.789PF" or "なし"
    std::string m_strOffset;              // "-646.2Hz"
};

// Everything one computation of the workbench gives.
struct CXtalFilterResult {
    bool m_bComputed = false;
    std::string m_strMessage; // why there is no result (Japanese); empty when computed
    CXtalDesign m_design;     // m_dMaxBandwidth is set even when refused
    CXtalFigures m_figures;
    std::string m_strDesignFrequency; // "10,001,611.08Hz"
    std::string m_strEndResistance; // "203.414Ω", or "203.414Ω / 205.001Ω" when the ends differ
    std::string m_strMaxBandwidth;  // "9,626.7Hz"; also set when refused
    std::vector<CXtalMeshRow> m_rows; // one per mesh
    std::string m_strInsertionLoss;   // "1.765dB"
    std::string m_strBandwidth3;      // "2,406.1Hz"; "-----" when not found
    std::string m_strBandwidth6;
    std::string m_strBandwidth60;
    std::string m_strShapeFactor; // "2.08"
    std::string m_strRipple;      // "0.100dB"
    std::string m_strGroupDelay;  // "0.704ms"
    std::string m_strReport;      // UTF-8 with CR LF; kXtalFilterNoReport when refused
    // The bandwidth the ladder was designed for, Hz: the one asked for, or
    // with m_bMatchBandwidth the one found to give it.
    double m_dDesignBandwidth = 0.0;
    // A remark on a computed design (Japanese; empty when there is none): the
    // 3 dB bandwidth more than 2 % off the one asked for, or where matching
    // put the design bandwidth.
    std::string m_strWarning;
};

CXtalFilterResult ComputeXtalFilter(const CXtalFilterInputs& inputs, const CLocalTime& time);

inline constexpr const char* kXtalFilterNoReport = "\r\n\r\n";

// The chart's sweep: nPoints over XtalChartRange. Empty when not computed.
std::vector<CXtalResponsePoint> XtalChartSweep(const CXtalFilterResult& result, int nPoints);

// The table `ngspice -b` writes in its current folder: a header line, then
// frequency, vdb(out) and vp(out) per point to twelve digits.
inline constexpr const char* kXtalSweepTableName = "xtal-sweep.txt";

// An ngspice netlist of the design with an AC sweep of nPoints from dFrom to
// dTo (Hz) whose vdb(out) is S21 in dB; run in batch mode it prints the sweep
// and writes it to kXtalSweepTableName.
std::string XtalSpiceNetlist(const CXtalDesign& design, double dFrom, double dTo, int nPoints);

// The sweep as CSV (header line, then frequency Hz, S21 dB, phase °, group
// delay ms per line; LF line ends).
std::string XtalSweepCsv(const std::vector<CXtalResponsePoint>& points);

// Name of the response as the dialog's combo and the report show it.
const char* XtalResponseName(EXtalResponse eResponse);
