#include "calc/xtal_filter/XtalFilter.h"

#include "calc/xtal_filter/XtalText.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace {

// Exact 2π: the response is checked against a circuit simulator, so this
// calculator carries no historical rounding of its own.
constexpr double kTwoPi = 2.0 * std::numbers::pi;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 40·log10(e), the ripple constant of the Chebyshev prototype, usually quoted
// rounded as 17.372. The rounding moves the fifth digit of the tuning
// capacitors, so the exact value is used.
constexpr double kRippleConstant = 40.0 / std::numbers::ln10;

// A mesh needs no tuning capacitor when 1/CT is this small against S.
constexpr double kNoTuningRatio = 1e-9;
// The design frequency is bisected to this width, Hz.
constexpr double kDesignTolerance = 1e-7;
// Samples of h between fs and fp before its maximum is refined.
constexpr int kDesignScanSteps = 2000;
// Crossings of the response are located to this width, Hz (well under 0.1 Hz).
constexpr double kCrossingTolerance = 0.005;
// The figures look this many design bandwidths either side of fd.
constexpr double kSearchSpan = 50.0;

using Complex = std::complex<double>;

double Sq(double x) {
    return x * x;
}

// ---- prototype ---------------------------------------------------------------

std::vector<double> ButterworthG(int n) {
    std::vector<double> g(n + 2, 1.0);
    for (int k = 1; k <= n; ++k) {
        g[k] = 2.0 * std::sin((2.0 * k - 1.0) * std::numbers::pi / (2.0 * n));
    }
    return g;
}

std::vector<double> ChebyshevG(int n, double dRipple) {
    const double beta = std::log(1.0 / std::tanh(dRipple / kRippleConstant));
    const double gamma = std::sinh(beta / (2.0 * n));
    auto a = [n](int k) { return std::sin((2.0 * k - 1.0) * std::numbers::pi / (2.0 * n)); };
    auto b = [n, gamma](int k) { return Sq(gamma) + Sq(std::sin(k * std::numbers::pi / n)); };
    std::vector<double> g(n + 2, 1.0);
    g[1] = 2.0 * a(1) / gamma;
    for (int k = 2; k <= n; ++k) {
        g[k] = 4.0 * a(k - 1) * a(k) / (b(k - 1) * g[k - 1]);
    }
    g[n + 1] = n % 2 == 1 ? 1.0 : Sq(1.0 / std::tanh(beta / 4.0));
    return g;
}

// ---- the design at a trial frequency ------------------------------------------

// What every mesh looks like at one trial frequency.
struct CMeshState {
    double dOmega = 0.0;
    std::vector<double> reactance;  // X_i, Ω
    std::vector<double> inductance; // Leff_i, H
    std::vector<double> coupling;   // CK_{i,i+1}, F
    std::vector<double> sum;        // S_i, 1/F
};

CMeshState MeshesAt(const std::vector<CXtalCrystal>& crystals, const CXtalPrototype& proto,
                    double dBandwidth, double dFrequency) {
    const std::size_t n = crystals.size();
    CMeshState state;
    state.dOmega = kTwoPi * dFrequency;
    for (const CXtalCrystal& crystal : crystals) {
        state.reactance.push_back(XtalReactance(crystal, dFrequency));
        state.inductance.push_back(XtalEffectiveInductance(crystal, dFrequency));
    }
    state.sum.assign(n, 0.0);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double ck =
            1.0 / (Sq(state.dOmega) * std::sqrt(state.inductance[i] * state.inductance[i + 1]) *
                   proto.m_k[i] * dBandwidth / dFrequency);
        state.coupling.push_back(ck);
        state.sum[i] += 1.0 / ck;
        state.sum[i + 1] += 1.0 / ck;
    }
    return state;
}

// ω·X_i − S_i: 1/CT of mesh i.
double InverseTuning(const CMeshState& state, std::size_t i) {
    return state.dOmega * state.reactance[i] - state.sum[i];
}

// h(f) = min_i (ω·X_i − S_i): every mesh can be tuned with a positive CT where h ≥ 0.
double TuningMargin(const std::vector<CXtalCrystal>& crystals, const CXtalPrototype& proto,
                    double dBandwidth, double dFrequency) {
    const CMeshState state = MeshesAt(crystals, proto, dBandwidth, dFrequency);
    double h = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < crystals.size(); ++i) {
        h = std::min(h, InverseTuning(state, i));
    }
    return h;
}

// Golden-section search for an extremum of f on [a, b]; bMax picks maximum or minimum.
template <class F> double GoldenSection(F f, double a, double b, bool bMax, double dTolerance) {
    const double r = (std::sqrt(5.0) - 1.0) / 2.0;
    double c = b - r * (b - a);
    double d = a + r * (b - a);
    double fc = f(c);
    double fd = f(d);
    // The cap stops a bracket that rounding keeps from shrinking below the tolerance.
    for (int nStep = 0; nStep < 200 && b - a > dTolerance; ++nStep) {
        if ((fc > fd) == bMax) {
            b = d;
            d = c;
            fd = fc;
            c = b - r * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + r * (b - a);
            fd = f(d);
        }
    }
    return (a + b) / 2.0;
}

// Bisects f between lo (f < 0) and hi (f ≥ 0) to dTolerance.
template <class F> double Bisect(F f, double lo, double hi, double dTolerance) {
    while (hi - lo > dTolerance) {
        const double mid = (lo + hi) / 2.0;
        if (mid <= lo || mid >= hi) {
            break;
        }
        (f(mid) < 0.0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2.0;
}

// ---- response -------------------------------------------------------------------

// An ABCD matrix with its derivative by ω, carried along the cascade so the
// group delay comes out exactly instead of by differencing the phase.
struct CAbcd {
    Complex a{1.0}, b{0.0}, c{0.0}, d{1.0};
    Complex da{0.0}, db{0.0}, dc{0.0}, dd{0.0};

    void Series(Complex z, Complex dz) {
        db = da * z + db + a * dz;
        dd = dc * z + dd + c * dz;
        b = a * z + b;
        d = c * z + d;
    }
    void Shunt(Complex y, Complex dy) {
        da = da + db * y + b * dy;
        dc = dc + dd * y + d * dy;
        a = a + b * y;
        c = c + d * y;
    }
};

// Impedance of the crystal with its losses, and its derivative by ω.
void CrystalImpedance(const CXtalCrystal& crystal, double w, Complex& z, Complex& dz) {
    const Complex j(0.0, 1.0);
    const Complex zm = crystal.m_dRm + j * (w * crystal.m_dLm - 1.0 / (w * crystal.m_dCm));
    const Complex dzm = j * (crystal.m_dLm + 1.0 / (w * w * crystal.m_dCm));
    const Complex y0 = j * w * crystal.m_dC0;
    const Complex dy0 = j * crystal.m_dC0;
    const Complex den = 1.0 + zm * y0;
    z = zm / den;
    dz = (dzm - zm * zm * dy0) / (den * den);
}

// S21 and the group delay (s) at ω.
void Transmission(const CXtalDesign& design, double w, Complex& s21, double& dDelay) {
    const Complex j(0.0, 1.0);
    CAbcd m;
    const std::size_t n = design.m_crystals.size();
    for (std::size_t i = 0; i < n; ++i) {
        Complex z;
        Complex dz;
        CrystalImpedance(design.m_crystals[i], w, z, dz);
        const CXtalMesh& mesh = design.m_meshes[i];
        if (!mesh.m_bNoTuning) {
            z += -j / (w * mesh.m_dTuning);
            dz += j / (w * w * mesh.m_dTuning);
        }
        m.Series(z, dz);
        if (i + 1 < n) {
            m.Shunt(j * w * mesh.m_dCoupling, j * mesh.m_dCoupling);
        }
    }
    const double rs = design.m_dSourceResistance;
    const double rl = design.m_dLoadResistance;
    const Complex den = m.a + m.b / rl + rs * m.c + rs * m.d / rl;
    const Complex dden = m.da + m.db / rl + rs * m.dc + rs * m.dd / rl;
    s21 = 2.0 * std::sqrt(rs / rl) / den;
    dDelay = std::imag(dden / den);
}

double S21Db(const CXtalDesign& design, double dFrequency) {
    Complex s21;
    double dDelay = 0.0;
    Transmission(design, kTwoPi * dFrequency, s21, dDelay);
    return 20.0 * std::log10(std::abs(s21));
}

// Frequencies at which the figures first look at the response: dense over
// the passband, then spreading out geometrically into the skirts.
std::vector<double> FigureGrid(double fd, double bw) {
    const double dStep = bw / 400.0;
    const double dDense = 4.0 * bw;
    const double dLimit = std::min(kSearchSpan * bw, 0.9 * fd);
    std::vector<double> offsets;
    for (double o = dStep; o <= dLimit; o += std::max(dStep, o > dDense ? 0.02 * o : 0.0)) {
        offsets.push_back(o);
    }
    std::vector<double> grid;
    for (auto it = offsets.rbegin(); it != offsets.rend(); ++it) {
        grid.push_back(fd - *it);
    }
    grid.push_back(fd);
    for (const double o : offsets) {
        grid.push_back(fd + o);
    }
    return grid;
}

// The outermost crossings of dLevel (dB) on the sampled response, refined.
void OutermostCrossings(const CXtalDesign& design, const std::vector<double>& grid,
                        const std::vector<double>& db, double dLevel, double& dLow, double& dHigh) {
    auto above = [&](double f) { return S21Db(design, f) - dLevel; };
    auto below = [&](double f) { return dLevel - S21Db(design, f); };
    dLow = kNaN;
    dHigh = kNaN;
    const auto first = std::find_if(db.begin(), db.end(), [&](double v) { return v >= dLevel; });
    if (first == db.end()) {
        return;
    }
    const std::size_t i = static_cast<std::size_t>(first - db.begin());
    if (i > 0) {
        dLow = Bisect(above, grid[i - 1], grid[i], kCrossingTolerance);
    }
    std::size_t k = db.size() - 1;
    while (db[k] < dLevel) {
        --k;
    }
    if (k + 1 < db.size()) {
        dHigh = Bisect(below, grid[k], grid[k + 1], kCrossingTolerance);
    }
}

// ---- texts ----------------------------------------------------------------------

std::string Picofarads(double dFarads) {
    return XtalGrouped(dFarads * 1e12, 3, "PF");
}

std::string InputLines(const CXtalFilterInputs& inputs) {
    std::string str;
    if (inputs.m_crystalFrequencies.empty()) {
        str += FormatC("　　　　　水晶の周波数  %.6fMHz\r\n", inputs.m_dFrequency);
    } else {
        for (std::size_t i = 0; i < inputs.m_crystalFrequencies.size(); ++i) {
            str += FormatC("　　　　　水晶%zuの周波数  %.6fMHz\r\n", i + 1,
                           inputs.m_crystalFrequencies[i]);
        }
    }
    str += FormatC("　　　　　モーショナルインダクタンス  %.4fmH\r\n", inputs.m_dLm);
    str += FormatC("　　　　　端子間容量  %.2fPF\r\n", inputs.m_dC0);
    if (inputs.m_dQu == 0.0) {
        str += "　　　　　無負荷Q  0（損失なし）\r\n";
    } else {
        str += FormatC("　　　　　無負荷Q  %s\r\n", XtalGrouped(inputs.m_dQu, 0).c_str());
    }
    str += FormatC("　　　　　水晶の数  %d\r\n", inputs.m_nCrystals);
    if (inputs.m_eResponse == EXtalResponse::Chebyshev) {
        str += FormatC("　　　　　特性  %s（リップル %.2fdB）\r\n",
                       XtalResponseName(inputs.m_eResponse), inputs.m_dRipple);
    } else {
        str += FormatC("　　　　　特性  %s\r\n", XtalResponseName(inputs.m_eResponse));
    }
    str += FormatC("　　　　　必要とする帯域幅(3dB)  %.3fkHz\r\n", inputs.m_dBandwidth);
    return str;
}

std::string ResultLines(const CXtalFilterResult& result) {
    std::string str;
    str += FormatC("　　　　　設計周波数  %s\r\n", result.m_strDesignFrequency.c_str());
    str += FormatC("　　　　　最大帯域幅  %s\r\n", result.m_strMaxBandwidth.c_str());
    str += FormatC("　　　　　終端抵抗  %s\r\n", result.m_strEndResistance.c_str());
    for (std::size_t i = 0; i < result.m_rows.size(); ++i) {
        const CXtalMeshRow& row = result.m_rows[i];
        std::string strLine =
            FormatC("　　　　　メッシュ%zu  Leff=%s   CT=%s", i + 1,
                    row.m_strEffectiveInductance.c_str(), row.m_strTuning.c_str());
        if (!row.m_strCoupling.empty()) {
            strLine += FormatC("   CK%zu-%zu=%s", i + 1, i + 2, row.m_strCoupling.c_str());
        }
        strLine += FormatC("   オフセット=%s\r\n", row.m_strOffset.c_str());
        str += strLine;
    }
    str += FormatC("　　　　　挿入損失  %s\r\n", result.m_strInsertionLoss.c_str());
    str += FormatC("　　　　　3dB帯域幅  %s\r\n", result.m_strBandwidth3.c_str());
    str += FormatC("　　　　　6dB帯域幅  %s\r\n", result.m_strBandwidth6.c_str());
    str += FormatC("　　　　　60dB帯域幅  %s\r\n", result.m_strBandwidth60.c_str());
    str +=
        FormatC("　　　　　シェープファクター(60dB/6dB)  %s\r\n", result.m_strShapeFactor.c_str());
    str += FormatC("　　　　　リップル  %s\r\n", result.m_strRipple.c_str());
    str += FormatC("　　　　　中心の群遅延  %s\r\n", result.m_strGroupDelay.c_str());
    return str;
}

// Why these inputs cannot be designed at all (empty when they can).
std::string InputProblem(const CXtalFilterInputs& inputs) {
    if (inputs.m_nCrystals < kXtalMinCrystals || inputs.m_nCrystals > kXtalMaxCrystals) {
        return FormatC("水晶の数は %d から %d までです。", kXtalMinCrystals, kXtalMaxCrystals);
    }
    if (!inputs.m_crystalFrequencies.empty() &&
        inputs.m_crystalFrequencies.size() != static_cast<std::size_t>(inputs.m_nCrystals)) {
        return FormatC("水晶ごとの周波数が %zu 個ありますが、水晶の数は %d です。",
                       inputs.m_crystalFrequencies.size(), inputs.m_nCrystals);
    }
    auto within = [](double v, double lo, double hi) { return v >= lo && v <= hi; };
    bool bFrequencies = within(inputs.m_dFrequency, kXtalMinFrequency, kXtalMaxFrequency);
    for (const double f : inputs.m_crystalFrequencies) {
        bFrequencies = bFrequencies && within(f, kXtalMinFrequency, kXtalMaxFrequency);
    }
    if (!bFrequencies || !within(inputs.m_dLm, kXtalMinLm, kXtalMaxLm) ||
        !within(inputs.m_dC0, kXtalMinC0, kXtalMaxC0) ||
        !within(inputs.m_dQu, kXtalMinQ, kXtalMaxQ) ||
        !within(inputs.m_dBandwidth, kXtalMinBandwidth, kXtalMaxBandwidth) ||
        (inputs.m_eResponse == EXtalResponse::Chebyshev &&
         !within(inputs.m_dRipple, kXtalMinRipple, kXtalMaxRipple))) {
        return "入力が範囲外なので設計できません。";
    }
    return {};
}

} // namespace

CXtalCrystal MakeXtalCrystal(double dFs, double dLm, double dC0, double dQu) {
    CXtalCrystal crystal;
    crystal.m_dFs = dFs;
    crystal.m_dLm = dLm;
    crystal.m_dCm = 1.0 / (Sq(kTwoPi * dFs) * dLm);
    crystal.m_dC0 = dC0;
    crystal.m_dRm = dQu > 0.0 ? kTwoPi * dFs * dLm / dQu : 0.0;
    return crystal;
}

double XtalReactance(const CXtalCrystal& crystal, double dFrequency) {
    // X = Xs / (1 − ω·C0·Xs), Xs the motional arm's reactance.
    const double w = kTwoPi * dFrequency;
    const double xs = w * crystal.m_dLm - 1.0 / (w * crystal.m_dCm);
    return xs / (1.0 - w * crystal.m_dC0 * xs);
}

double XtalEffectiveInductance(const CXtalCrystal& crystal, double dFrequency) {
    // dX/dω = (Xs' + C0·Xs²) / (1 − ω·C0·Xs)².
    const double w = kTwoPi * dFrequency;
    const double xs = w * crystal.m_dLm - 1.0 / (w * crystal.m_dCm);
    const double dxs = crystal.m_dLm + 1.0 / (w * w * crystal.m_dCm);
    return (dxs + crystal.m_dC0 * xs * xs) / (2.0 * Sq(1.0 - w * crystal.m_dC0 * xs));
}

double XtalParallelFrequency(const CXtalCrystal& crystal) {
    if (crystal.m_dC0 == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return crystal.m_dFs * std::sqrt(1.0 + crystal.m_dCm / crystal.m_dC0);
}

CXtalPrototype XtalPrototype(EXtalResponse eResponse, int nCrystals, double dRipple) {
    const int n = nCrystals;
    CXtalPrototype proto;
    switch (eResponse) {
    case EXtalResponse::Butterworth:
        proto.m_g = ButterworthG(n);
        break;
    case EXtalResponse::Chebyshev:
        proto.m_g = ChebyshevG(n, dRipple);
        break;
    case EXtalResponse::Cohn:
        proto.m_g.assign(n + 2, std::pow(2.0, (n - 1.0) / n));
        proto.m_g.front() = 1.0;
        proto.m_g.back() = 1.0;
        break;
    }
    const std::vector<double>& g = proto.m_g;
    proto.m_dQ1 = g[0] * g[1];
    proto.m_dQn = g[n] * g[n + 1];
    for (int i = 1; i < n; ++i) {
        proto.m_k.push_back(1.0 / std::sqrt(g[i] * g[i + 1]));
    }
    if (eResponse == EXtalResponse::Chebyshev) {
        // The prototype is normalised to the ripple bandwidth; scale it to the 3 dB one.
        const double eps = std::sqrt(std::pow(10.0, dRipple / 10.0) - 1.0);
        const double omega3 = std::cosh(std::acosh(1.0 / eps) / n);
        proto.m_dQ1 *= omega3;
        proto.m_dQn *= omega3;
        for (double& k : proto.m_k) {
            k /= omega3;
        }
    }
    return proto;
}

CXtalDesign DesignXtalFilter(const CXtalFilterInputs& inputs) {
    const int n = inputs.m_nCrystals;
    CXtalDesign design;
    design.m_dBandwidth = inputs.m_dBandwidth * 1e3;
    std::vector<CXtalCrystal> lossless;
    for (int i = 0; i < n; ++i) {
        const double fs = inputs.m_crystalFrequencies.empty() ? inputs.m_dFrequency
                                                              : inputs.m_crystalFrequencies[i];
        lossless.push_back(MakeXtalCrystal(fs * 1e6, inputs.m_dLm * 1e-3, inputs.m_dC0 * 1e-12, 0));
        design.m_crystals.push_back(
            MakeXtalCrystal(fs * 1e6, inputs.m_dLm * 1e-3, inputs.m_dC0 * 1e-12, inputs.m_dQu));
    }
    const CXtalPrototype proto = XtalPrototype(inputs.m_eResponse, n, inputs.m_dRipple);
    const double bw = design.m_dBandwidth;

    // The lowest crystal bounds the search, and its Cm/C0 the widest bandwidth.
    const CXtalCrystal& lowest = *std::min_element(
        lossless.begin(), lossless.end(),
        [](const CXtalCrystal& x, const CXtalCrystal& y) { return x.m_dFs < y.m_dFs; });
    double kappa = 0.0;
    for (int i = 0; i < n; ++i) {
        const double left = i > 0 ? proto.m_k[i - 1] : 0.0;
        const double right = i + 1 < n ? proto.m_k[i] : 0.0;
        kappa = std::max(kappa, left + right);
    }
    design.m_dMaxBandwidth = lowest.m_dFs * lowest.m_dCm / (4.0 * lowest.m_dC0 * kappa);

    // Without C0 there is no parallel resonance; the series arm only grows
    // more inductive, so an octave above fs is as far as the search needs.
    const double fLow = lowest.m_dFs;
    double fHigh = 2.0 * fLow;
    for (const CXtalCrystal& crystal : lossless) {
        fHigh = std::min(fHigh, XtalParallelFrequency(crystal));
    }
    auto h = [&](double f) { return TuningMargin(lossless, proto, bw, f); };

    // Maximum of h on (fs, fp): sampled, then refined around the best sample.
    const double dStep = (fHigh - fLow) / kDesignScanSteps;
    int nBest = 0;
    double hBest = h(fLow);
    std::vector<double> samples{hBest};
    for (int j = 1; j < kDesignScanSteps; ++j) {
        samples.push_back(h(fLow + j * dStep));
        if (samples.back() > hBest) {
            hBest = samples.back();
            nBest = j;
        }
    }
    const double fMax = GoldenSection(h, fLow + std::max(nBest - 1, 0) * dStep,
                                      fLow + (nBest + 1) * dStep, true, kDesignTolerance);
    if (!(h(fMax) >= 0.0)) {
        return design;
    }
    // The lowest root: the first sample where h is no longer negative brackets it.
    int nFirst = 1;
    while (nFirst <= nBest && samples[nFirst] < 0.0) {
        ++nFirst;
    }
    const double fAbove = nFirst <= nBest ? fLow + nFirst * dStep : fMax;
    const double fd = Bisect(h, fLow + (nFirst - 1) * dStep, fAbove, kDesignTolerance);

    const CMeshState state = MeshesAt(lossless, proto, bw, fd);
    const double w = state.dOmega;
    design.m_bComputed = true;
    design.m_dDesignFrequency = fd;
    design.m_dSourceResistance = kTwoPi * bw * state.inductance.front() / proto.m_dQ1;
    design.m_dLoadResistance = kTwoPi * bw * state.inductance.back() / proto.m_dQn;
    for (int i = 0; i < n; ++i) {
        CXtalMesh mesh;
        mesh.m_dEffectiveInductance = state.inductance[i];
        mesh.m_dCoupling = i + 1 < n ? state.coupling[i] : 0.0;
        const double invTuning = InverseTuning(state, i);
        mesh.m_bNoTuning = invTuning <= kNoTuningRatio * state.sum[i];
        mesh.m_dTuning = mesh.m_bNoTuning ? 0.0 : 1.0 / invTuning;
        // The mesh's own resonance without CT: Leff against the crystal's
        // equivalent series capacitance and the coupling capacitors.
        const double invTotal = w * (w * state.inductance[i] - state.reactance[i]) + state.sum[i];
        mesh.m_dOffset = 1.0 / (kTwoPi * std::sqrt(state.inductance[i] / invTotal)) - fd;
        design.m_meshes.push_back(mesh);
    }
    return design;
}

CXtalResponsePoint XtalResponseAt(const CXtalDesign& design, double dFrequency) {
    Complex s21;
    double dDelay = 0.0;
    Transmission(design, kTwoPi * dFrequency, s21, dDelay);
    CXtalResponsePoint point;
    point.m_dFrequency = dFrequency;
    point.m_dS21Db = 20.0 * std::log10(std::abs(s21));
    point.m_dPhase = std::arg(s21) * 180.0 / std::numbers::pi;
    point.m_dGroupDelay = dDelay * 1e3;
    return point;
}

std::vector<CXtalResponsePoint> XtalSweep(const CXtalDesign& design, double dFrom, double dTo,
                                          int nPoints) {
    std::vector<CXtalResponsePoint> points;
    if (!design.m_bComputed || nPoints < 2) {
        return points;
    }
    points.reserve(nPoints);
    for (int i = 0; i < nPoints; ++i) {
        points.push_back(XtalResponseAt(design, dFrom + (dTo - dFrom) * i / (nPoints - 1)));
    }
    return points;
}

CXtalFigures XtalResponseFigures(const CXtalDesign& design) {
    CXtalFigures figures;
    if (!design.m_bComputed) {
        return figures;
    }
    const std::vector<double> grid = FigureGrid(design.m_dDesignFrequency, design.m_dBandwidth);
    std::vector<double> db;
    db.reserve(grid.size());
    for (const double f : grid) {
        db.push_back(S21Db(design, f));
    }
    auto response = [&](double f) { return S21Db(design, f); };

    // Every local maximum and minimum of the samples, refined.
    std::vector<double> maxima;
    std::vector<double> minima;
    for (std::size_t i = 1; i + 1 < grid.size(); ++i) {
        if (db[i] >= db[i - 1] && db[i] > db[i + 1]) {
            maxima.push_back(GoldenSection(response, grid[i - 1], grid[i + 1], true, 1e-4));
        } else if (db[i] <= db[i - 1] && db[i] < db[i + 1]) {
            minima.push_back(GoldenSection(response, grid[i - 1], grid[i + 1], false, 1e-4));
        }
    }
    double peak = -std::numeric_limits<double>::infinity();
    for (const double f : maxima) {
        if (response(f) > peak) {
            peak = response(f);
            figures.m_dPeakFrequency = f;
        }
    }
    figures.m_dInsertionLoss = -peak;

    OutermostCrossings(design, grid, db, peak - 3.0, figures.m_dLow3, figures.m_dHigh3);
    OutermostCrossings(design, grid, db, peak - 6.0, figures.m_dLow6, figures.m_dHigh6);
    OutermostCrossings(design, grid, db, peak - 60.0, figures.m_dLow60, figures.m_dHigh60);
    figures.m_dBandwidth3 = figures.m_dHigh3 - figures.m_dLow3;
    figures.m_dBandwidth6 = figures.m_dHigh6 - figures.m_dLow6;
    figures.m_dBandwidth60 = figures.m_dHigh60 - figures.m_dLow60;
    figures.m_dShapeFactor = figures.m_dBandwidth60 / figures.m_dBandwidth6;

    // Ripple between the first and the last maximum inside the 3 dB band.
    std::vector<double> inBand;
    for (const double f : maxima) {
        if (f > figures.m_dLow3 && f < figures.m_dHigh3) {
            inBand.push_back(f);
        }
    }
    if (inBand.size() > 1) {
        double top = -std::numeric_limits<double>::infinity();
        for (const double f : inBand) {
            top = std::max(top, response(f));
        }
        double bottom = top;
        for (const double f : minima) {
            if (f > inBand.front() && f < inBand.back()) {
                bottom = std::min(bottom, response(f));
            }
        }
        figures.m_dRipple = top - bottom;
    }
    const double fc = (figures.m_dLow3 + figures.m_dHigh3) / 2.0;
    figures.m_dGroupDelayCentre =
        std::isfinite(fc) ? XtalResponseAt(design, fc).m_dGroupDelay : kNaN;
    return figures;
}

CXtalSweepRange XtalChartRange(const CXtalDesign& design, const CXtalFigures& figures) {
    if (std::isfinite(figures.m_dBandwidth60)) {
        const double dMargin = 0.25 * figures.m_dBandwidth60;
        return {figures.m_dLow60 - dMargin, figures.m_dHigh60 + dMargin};
    }
    const double dSpan = 3.0 * design.m_dBandwidth;
    return {design.m_dDesignFrequency - dSpan, design.m_dDesignFrequency + dSpan};
}

namespace {

// The widest bandwidth for which the design search finds a ladder, to 0.1 Hz
// and rounded down, so that every bandwidth up to it designs: bisected below
// the bound, which the search never quite reaches. The bound itself when the
// search reaches it, or when nothing near it designs (crystals too far
// apart).
double ReachableBandwidth(const CXtalFilterInputs& inputs, double dBound) {
    const auto designs = [&](double dHz) {
        CXtalFilterInputs trial = inputs;
        trial.m_dBandwidth = dHz / 1000.0;
        return DesignXtalFilter(trial).m_bComputed;
    };
    if (designs(dBound)) {
        return dBound;
    }
    double dLow = dBound * 0.99;
    while (!designs(dLow)) {
        dLow -= dBound * 0.05;
        if (dLow < dBound * 0.5) {
            return dBound;
        }
    }
    double dHigh = dBound;
    while (dHigh - dLow > 0.02) {
        const double dMid = (dLow + dHigh) / 2.0;
        (designs(dMid) ? dLow : dHigh) = dMid;
    }
    return std::floor(dLow * 10.0) / 10.0;
}

// With 設計帯域を合わせる, the design bandwidth found by the secant method
// (bisection where a step leaves the designable range) so that the simulated
// 3 dB bandwidth is the one asked for within 0.1 %; without it, a remark
// when the two differ by more than 2 % (near the maximum bandwidth, or with
// few crystals).
void MatchOrRemarkBandwidth(const CXtalFilterInputs& inputs, CXtalFilterResult& result) {
    const double dTarget = inputs.m_dBandwidth * 1e3;
    const double dGot = result.m_figures.m_dBandwidth3;
    if (!std::isfinite(dGot)) {
        return;
    }
    if (!inputs.m_bMatchBandwidth) {
        const double dOff = (dGot - dTarget) / dTarget;
        if (std::abs(dOff) > 0.02) {
            result.m_strWarning = FormatC(
                "3dB 帯域幅 %s は、指定した %s と %+.1f%% 違います（設計帯域を合わせる で合わせら"
                "れます）。",
                XtalGrouped(dGot, 1, "Hz").c_str(), XtalGrouped(dTarget, 1, "Hz").c_str(),
                dOff * 100.0);
        }
        return;
    }
    const double dMax = result.m_design.m_dMaxBandwidth;
    CXtalFilterInputs trial = inputs;
    double x0 = dTarget;
    double f0 = dGot - dTarget;
    double x1 = std::min(dTarget * dTarget / dGot, dMax);
    CXtalDesign best = result.m_design;
    CXtalFigures bestFigures = result.m_figures;
    double dBestOff = std::abs(f0);
    for (int nStep = 0; nStep < 40 && dBestOff > 0.001 * dTarget; ++nStep) {
        trial.m_dBandwidth = x1 / 1000.0;
        const CXtalDesign design = DesignXtalFilter(trial);
        const CXtalFigures figures =
            design.m_bComputed ? XtalResponseFigures(design) : CXtalFigures{};
        if (!design.m_bComputed || !std::isfinite(figures.m_dBandwidth3)) {
            x1 = (x0 + x1) / 2.0; // back towards the last bandwidth that designed
            continue;
        }
        const double f1 = figures.m_dBandwidth3 - dTarget;
        if (std::abs(f1) < dBestOff) {
            dBestOff = std::abs(f1);
            best = design;
            bestFigures = figures;
            result.m_dDesignBandwidth = x1;
        }
        const double x2 = f1 != f0 ? x1 - f1 * (x1 - x0) / (f1 - f0) : x1;
        x0 = x1;
        f0 = f1;
        x1 = std::clamp(x2, dTarget * 0.2, dMax);
    }
    best.m_dMaxBandwidth = dMax;
    result.m_design = best;
    result.m_figures = bestFigures;
    if (dBestOff > 0.001 * dTarget) {
        result.m_strWarning =
            FormatC("3dB 帯域幅を %s に合わせられませんでした（最も近い設計で %s）。",
                    XtalGrouped(dTarget, 1, "Hz").c_str(),
                    XtalGrouped(bestFigures.m_dBandwidth3, 1, "Hz").c_str());
    } else if (result.m_dDesignBandwidth != dTarget) {
        result.m_strWarning = FormatC("3dB 帯域幅を %s に合わせるため、帯域幅 %s で設計しました。",
                                      XtalGrouped(dTarget, 1, "Hz").c_str(),
                                      XtalGrouped(result.m_dDesignBandwidth, 1, "Hz").c_str());
    }
}

// A number as the user typed it: the shortest decimal that reads back as it.
std::string AsTyped(double dValue) {
    char buffer[32];
    const auto [pEnd, eError] = std::to_chars(buffer, buffer + sizeof buffer, dValue);
    return eError == std::errc() ? std::string(buffer, pEnd) : FormatC("%g", dValue);
}

} // namespace

CXtalFilterResult ComputeXtalFilter(const CXtalFilterInputs& inputs, const CLocalTime& time) {
    CXtalFilterResult result;
    result.m_strReport = kXtalFilterNoReport;
    result.m_strMessage = InputProblem(inputs);
    if (!result.m_strMessage.empty()) {
        return result;
    }
    result.m_design = DesignXtalFilter(inputs);
    result.m_design.m_dMaxBandwidth = ReachableBandwidth(inputs, result.m_design.m_dMaxBandwidth);
    const CXtalDesign& design = result.m_design;
    result.m_strMaxBandwidth = XtalGrouped(design.m_dMaxBandwidth, 1, "Hz");
    if (!design.m_bComputed) {
        if (!inputs.m_crystalFrequencies.empty() &&
            inputs.m_dBandwidth * 1000.0 <= design.m_dMaxBandwidth) {
            // Within reach of the crystals, yet no ladder: their frequencies
            // differ by more than the couplings can bridge.
            const auto [itLow, itHigh] = std::ranges::minmax_element(inputs.m_crystalFrequencies);
            result.m_strMessage = FormatC(
                "水晶の周波数が離れすぎていて設計できません（ばらつき %s）。周波数のそろった水晶を"
                "選んで下さい。",
                XtalGrouped((*itHigh - *itLow) * 1e6, 1, "Hz").c_str());
            return result;
        }
        result.m_strMessage =
            FormatC("帯域幅 %skHz は、この水晶で作れる最大の帯域幅 %s を超えています。",
                    AsTyped(inputs.m_dBandwidth).c_str(), result.m_strMaxBandwidth.c_str());
        return result;
    }
    result.m_bComputed = true;
    result.m_figures = XtalResponseFigures(design);
    result.m_dDesignBandwidth = inputs.m_dBandwidth * 1e3;
    MatchOrRemarkBandwidth(inputs, result);
    const CXtalFigures& figures = result.m_figures;

    result.m_strDesignFrequency = XtalGrouped(design.m_dDesignFrequency, 2, "Hz");
    const std::string strSource = XtalGrouped(design.m_dSourceResistance, 3, "Ω");
    const std::string strLoad = XtalGrouped(design.m_dLoadResistance, 3, "Ω");
    result.m_strEndResistance = strSource == strLoad ? strSource : strSource + " / " + strLoad;
    for (const CXtalMesh& mesh : design.m_meshes) {
        CXtalMeshRow row;
        row.m_strEffectiveInductance = FormatC("%.4fmH", mesh.m_dEffectiveInductance * 1e3);
        if (mesh.m_dCoupling > 0.0) {
            row.m_strCoupling = Picofarads(mesh.m_dCoupling);
        }
        row.m_strTuning = mesh.m_bNoTuning ? "なし" : Picofarads(mesh.m_dTuning);
        row.m_strOffset = XtalSigned("%.1f", mesh.m_dOffset, "Hz");
        result.m_rows.push_back(row);
    }
    // A lossless ladder cannot pass more than it is given; a peak a hair
    // above 0 dB is rounding.
    result.m_strInsertionLoss = XtalSigned("%.3f", figures.m_dInsertionLoss, "dB");
    result.m_strBandwidth3 = XtalGrouped(figures.m_dBandwidth3, 1, "Hz");
    result.m_strBandwidth6 = XtalGrouped(figures.m_dBandwidth6, 1, "Hz");
    result.m_strBandwidth60 = XtalGrouped(figures.m_dBandwidth60, 1, "Hz");
    result.m_strShapeFactor = XtalGrouped(figures.m_dShapeFactor, 2);
    result.m_strRipple = XtalGrouped(figures.m_dRipple, 3, "dB");
    result.m_strGroupDelay = XtalGrouped(figures.m_dGroupDelayCentre, 3, "ms");

    result.m_strReport = ReportHeading("　　　　　***** 水晶フィルターの設計 *****\r\n", time) +
                         InputLines(inputs) + ResultLines(result) + "\r\n";
    return result;
}

std::vector<CXtalResponsePoint> XtalChartSweep(const CXtalFilterResult& result, int nPoints) {
    if (!result.m_bComputed) {
        return {};
    }
    const CXtalSweepRange range = XtalChartRange(result.m_design, result.m_figures);
    return XtalSweep(result.m_design, range.m_dFrom, range.m_dTo, nPoints);
}

const char* XtalResponseName(EXtalResponse eResponse) {
    switch (eResponse) {
    case EXtalResponse::Butterworth:
        return "バターワース";
    case EXtalResponse::Chebyshev:
        return "チェビシェフ";
    case EXtalResponse::Cohn:
        return "コーン（等容量）";
    }
    return "";
}
