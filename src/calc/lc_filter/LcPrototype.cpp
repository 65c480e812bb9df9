#include "calc/lc_filter/LcPrototype.h"

#include "calc/xtal_filter/XtalFilter.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace {

// 40·log10(e): the ripple constant of the Chebyshev prototype, exact (as the
// crystal workbench uses it).
constexpr double kRippleConstant = 40.0 / std::numbers::ln10;

// The synthesis runs in extended precision: finding the poles and shifting
// the zeros costs digits, and the ladder must still reproduce the response
// within 1e-9 dB close to its notches.
using Real = long double;
using Complex = std::complex<Real>;
using Poly = std::vector<Real>; // coefficient k belongs to s^k (or z^k)

constexpr int kRootIterations = 500;
constexpr int kPolishSteps = 3;

Poly Multiply(const Poly& a, const Poly& b) {
    Poly c(a.size() + b.size() - 1, 0.0L);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            c[i + j] += a[i] * b[j];
        }
    }
    return c;
}

Poly Add(Poly a, const Poly& b, Real dScale = 1.0L) {
    a.resize(std::max(a.size(), b.size()), 0.0L);
    for (std::size_t i = 0; i < b.size(); ++i) {
        a[i] += dScale * b[i];
    }
    return a;
}

Poly TimesS(const Poly& a) {
    Poly b(a.size() + 1, 0.0L);
    std::copy(a.begin(), a.end(), b.begin() + 1);
    return b;
}

Poly Truncate(Poly a, std::size_t nDegree) {
    a.resize(nDegree + 1);
    return a;
}

template <class T> Complex Evaluate(const Poly& a, T x) {
    Complex y = 0.0L;
    for (auto it = a.rbegin(); it != a.rend(); ++it) {
        y = y * Complex(x) + *it;
    }
    return y;
}

// a / (s² + w²), known to divide exactly but for rounding. Worked from the
// constant term up, so that with w > 1 each step damps the error of the
// last instead of amplifying it; the remainder, left in the two top
// coefficients, is rounding and is dropped.
Poly DivideByResonance(const Poly& a, Real w) {
    const Real w2 = w * w;
    Poly q(a.size() - 2, 0.0L);
    for (std::size_t k = 0; k < q.size(); ++k) {
        q[k] = (a[k] - (k >= 2 ? q[k - 2] : 0.0L)) / w2;
    }
    return q;
}

// All roots of a (degree ≥ 1) by the Aberth–Ehrlich iteration, polished with
// Newton steps.
std::vector<Complex> Roots(const Poly& a) {
    const std::size_t n = a.size() - 1;
    Poly da(n, 0.0L);
    for (std::size_t k = 1; k <= n; ++k) {
        da[k - 1] = static_cast<Real>(k) * a[k];
    }
    // Start on a circle of the roots' geometric mean radius, off any symmetry axis.
    const Real dRadius = std::pow(std::fabs(a[0] / a[n]), 1.0L / static_cast<Real>(n));
    std::vector<Complex> z(n);
    for (std::size_t k = 0; k < n; ++k) {
        const Real dAngle = 2.0L * std::numbers::pi_v<Real> * (static_cast<Real>(k) + 0.25L) /
                                static_cast<Real>(n) +
                            0.4L;
        z[k] = std::polar(dRadius, dAngle);
    }
    for (int nStep = 0; nStep < kRootIterations; ++nStep) {
        Real dLargest = 0.0L;
        for (std::size_t i = 0; i < n; ++i) {
            const Complex ratio = Evaluate(a, z[i]) / Evaluate(da, z[i]);
            Complex sum = 0.0L;
            for (std::size_t j = 0; j < n; ++j) {
                if (j != i) {
                    sum += 1.0L / (z[i] - z[j]);
                }
            }
            const Complex w = ratio / (1.0L - ratio * sum);
            z[i] -= w;
            dLargest = std::max(dLargest, std::abs(w) / std::max(std::abs(z[i]), 1e-30L));
        }
        if (dLargest < 1e3L * std::numeric_limits<Real>::epsilon()) {
            break;
        }
    }
    for (Complex& root : z) {
        for (int nStep = 0; nStep < kPolishSteps; ++nStep) {
            const Complex d = Evaluate(da, root);
            if (std::abs(d) == 0.0L) {
                break;
            }
            root -= Evaluate(a, root) / d;
        }
    }
    return z;
}

// The numerator of C(Ω) = cosh(Σ arccosh xᵢ) as a polynomial in Ω, by the
// recursion U + ω′V ← (cᵢ + ω′kᵢ)(U + ω′V), ω′ = √(Ω² − 1), cᵢ = Ω − 1/Ωᵢ,
// kᵢ = √(1 − 1/Ωᵢ²) (0 for 1/Ωᵢ at infinity).
Poly CharacteristicNumerator(int nOrder, const std::vector<Real>& inverseZeros) {
    Poly u{1.0L};
    Poly v{0.0L};
    const Poly omega2Minus1{-1.0L, 0.0L, 1.0L};
    for (int i = 0; i < nOrder; ++i) {
        const Real dInverse = i < static_cast<int>(inverseZeros.size()) ? inverseZeros[i] : 0.0L;
        const Poly c{-dInverse, 1.0L};
        const Real k = std::sqrt(1.0L - dInverse * dInverse);
        const Poly uNext = Add(Multiply(c, u), Multiply(omega2Minus1, v), k);
        v = Add(Multiply(c, v), u, k);
        u = uNext;
    }
    return u;
}

} // namespace

std::vector<double> LcButterworthG(int nOrder) {
    return XtalPrototype(EXtalResponse::Butterworth, nOrder, 0.0).m_g;
}

std::vector<double> LcChebyshevG(int nOrder, double dRipple) {
    return XtalPrototype(EXtalResponse::Chebyshev, nOrder, dRipple).m_g;
}

double LcRippleForRatio(int nOrder, double dRatio) {
    // With γ = sinh(β/2n), aₖ = sin((2k−1)π/2n), σₖ = sin²(kπ/n):
    // g1 = 2a1/γ and g3 = 2a3(γ² + σ1)/(γ(γ² + σ2)), so g3/g1 fixes γ².
    const double n = nOrder;
    const double a1 = std::sin(std::numbers::pi / (2.0 * n));
    const double a3 = std::sin(5.0 * std::numbers::pi / (2.0 * n));
    const double s1 = std::pow(std::sin(std::numbers::pi / n), 2);
    const double s2 = std::pow(std::sin(2.0 * std::numbers::pi / n), 2);
    const double q = dRatio * a1 / a3;
    const double gamma2 = (s1 - q * s2) / (q - 1.0);
    if (!(gamma2 > 0.0) || !std::isfinite(gamma2)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double beta = 2.0 * n * std::asinh(std::sqrt(gamma2));
    // β = ln coth(R/K): R = K·artanh(e^−β).
    const double dRipple = kRippleConstant * std::atanh(std::exp(-beta));
    if (!(dRipple >= kLcMinSolvedRipple && dRipple <= kLcMaxSolvedRipple)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return dRipple;
}

double LcRippleSwr(double dRipple) {
    const double rho = std::sqrt(-std::expm1(-dRipple * std::numbers::ln10 / 10.0));
    return (1.0 + rho) / (1.0 - rho);
}

double LcSwrRipple(double dSwr) {
    const double rho = (dSwr - 1.0) / (dSwr + 1.0);
    return -10.0 / std::numbers::ln10 * std::log1p(-rho * rho);
}

bool LcTrapPrototype(int nOrder, double dRipple, const std::vector<double>& zeros,
                     CLcPrototype& prototype) {
    prototype = {};
    const int n = nOrder;
    const std::size_t nZeros = zeros.size();
    if (n < 1 || n % 2 == 0 || 2 * static_cast<int>(nZeros) >= n) {
        return false;
    }
    for (const double dZero : zeros) {
        if (!(dZero > 1.0) || !std::isfinite(dZero)) {
            return false;
        }
    }
    std::vector<Real> inverse;
    for (const double dZero : zeros) {
        inverse.push_back(1.0L / dZero);
        inverse.push_back(-1.0L / dZero);
    }
    const Poly u = CharacteristicNumerator(n, inverse);
    const Real eps =
        std::sqrt(std::expm1(static_cast<Real>(dRipple) * std::numbers::ln10_v<Real> / 10.0L));

    // On s = jΩ: F(s) = j·U(−js) is odd with real coefficients, P(s) =
    // Π(1 + s²/Ωᵢ²) is even, and E(s)E(−s) = P(s)² − ε²F(s)². With z = s²
    // and F = s·G(z): W(z) = P(z)² − ε²·z·G(z)², whose roots give the poles.
    Poly f(static_cast<std::size_t>(n) + 1, 0.0L);
    for (int k = 1; k <= n; k += 2) {
        f[k] = eps * u[k] * (((k - 1) / 2) % 2 == 0 ? 1.0L : -1.0L);
    }
    if (f[n] < 0.0L) {
        for (Real& c : f) {
            c = -c;
        }
    }
    Poly pz{1.0L}; // P in z
    for (const double dZero : zeros) {
        const Real w = dZero;
        pz = Multiply(pz, Poly{1.0L, 1.0L / (w * w)});
    }
    Poly gz((static_cast<std::size_t>(n) + 1) / 2, 0.0L); // G in z
    for (int k = 1; k <= n; k += 2) {
        gz[(k - 1) / 2] = f[k];
    }
    const Poly w = Add(Multiply(pz, pz), TimesS(Multiply(gz, gz)), -1.0L);

    // E(s) = e_n·Π(s − sₖ), sₖ = −√zₖ in the left half-plane, e_n = f_n.
    std::vector<Complex> e{Complex(f[n])};
    for (const Complex& z : Roots(w)) {
        const Complex s = -std::sqrt(z);
        std::vector<Complex> next(e.size() + 1, 0.0L);
        for (std::size_t k = 0; k < e.size(); ++k) {
            next[k + 1] += e[k];
            next[k] -= s * e[k];
        }
        e = next;
    }
    Poly ePoly;
    for (const Complex& c : e) {
        ePoly.push_back(c.real());
    }

    // The input admittance with 1 Ω behind the ladder, −S11 = F/E:
    // Y = (E + F)/(E − F); E − F loses its top term, so Y has a pole at
    // infinity, the first shunt capacitor.
    Poly num = Add(ePoly, f);
    Poly den = Truncate(Add(ePoly, f, -1.0L), static_cast<std::size_t>(n) - 1);
    std::size_t nDegree = static_cast<std::size_t>(n); // of num; den has one less

    for (std::size_t i = 0; i < nZeros; ++i) {
        const Real wz = zeros[i];
        const Complex jw(0.0L, wz);
        // A zero of S21 leaves |S11| = 1: Y(jΩᵢ) is a pure susceptance, and
        // taking it all as a capacitor leaves the remainder a zero there.
        const Real c = (Evaluate(num, jw) / Evaluate(den, jw)).imag() / wz;
        const Poly numShifted = DivideByResonance(Add(num, TimesS(den), -c), wz);
        // 1/Y now has a pole at ±jΩᵢ: the parallel L–C arm s/Cₜ/(s² + Ωᵢ²).
        const Real invC = (Evaluate(den, jw) / (jw * Evaluate(numShifted, jw))).real();
        const Poly denShifted = DivideByResonance(Add(den, TimesS(numShifted), -invC), wz);
        prototype.m_elements.push_back(static_cast<double>(c));
        prototype.m_elements.push_back(static_cast<double>(invC / (wz * wz)));
        prototype.m_across.push_back(static_cast<double>(1.0L / invC));
        num = numShifted;
        den = denShifted;
        nDegree -= 2;
    }
    // The rest are poles at infinity, removed whole: shunt C, series L, ...
    // Each removal leaves the remainder two degrees lower (down to the 1 Ω).
    for (int k = 2 * static_cast<int>(nZeros) + 1; k <= n; ++k) {
        const bool bShunt = k % 2 == 1;
        Poly& top = bShunt ? num : den;
        const Poly& bottom = bShunt ? den : num;
        const Real value = top[nDegree] / bottom[nDegree - 1];
        top = Truncate(Add(top, TimesS(bottom), -value), nDegree >= 2 ? nDegree - 2 : 0);
        prototype.m_elements.push_back(static_cast<double>(value));
        nDegree -= 1;
    }
    // What is left must be the 1 Ω load.
    const Real dLoad = num[0] / den[0];
    if (!(std::fabs(dLoad - 1.0L) < 1e-6L)) {
        prototype = {};
        return false;
    }
    for (const double dValue : prototype.m_elements) {
        if (!(dValue > 0.0) || !std::isfinite(dValue)) {
            prototype = {};
            return false;
        }
    }
    for (const double dValue : prototype.m_across) {
        if (!(dValue > 0.0) || !std::isfinite(dValue)) {
            prototype = {};
            return false;
        }
    }
    return true;
}
