#pragma once

#include <vector>

// Normalised low-pass prototypes of the LC filter designer: 1 Ω at both ends,
// cutoff 1 rad/s. Element k (from 1) of a ladder is a shunt capacitor when k
// is odd and a series inductor when k is even; the designer turns them into
// the low-pass or high-pass ladder it builds.

// g0 .. g(n+1) of the Butterworth prototype of order n.
std::vector<double> LcButterworthG(int nOrder);
// g0 .. g(n+1) of the Chebyshev prototype of order n and ripple dRipple dB.
std::vector<double> LcChebyshevG(int nOrder, double dRipple);

// Ripples the stock-capacitor design may solve for, dB: below the lower one
// the prototype is Butterworth in all but name.
inline constexpr double kLcMinSolvedRipple = 1e-12;
inline constexpr double kLcMaxSolvedRipple = 3.0;

// The ripple (dB) of the odd Chebyshev prototype of order n whose g3/g1 is
// dRatio, or NaN when no ripple from kLcMinSolvedRipple to kLcMaxSolvedRipple
// gives it. g3/g1 falls steadily with the ripple, so the answer is unique;
// it is found in closed form, both g being simple in sinh(β/2n).
double LcRippleForRatio(int nOrder, double dRatio);

// The largest input SWR of a Chebyshev response of ripple dRipple dB:
// ρ = √(1 − 10^(−R/10)), SWR = (1 + ρ)/(1 − ρ). And the ripple of an SWR.
double LcRippleSwr(double dRipple);
double LcSwrRipple(double dSwr);

// A prototype with transmission zeros: n elements by position as above, and
// the capacitors across the first series inductors that make them traps
// (m_across[i] across element 2i + 2).
struct CLcPrototype {
    std::vector<double> m_elements; // g1 .. gn
    std::vector<double> m_across;   // one per finite zero, ascending
};

// The generalized Chebyshev low-pass of odd order n, ripple dRipple dB, with
// a pair of transmission zeros at ±Ωᵢ for every entry of zeros (normalised,
// ascending, each above 1) and the rest at infinity:
//   |S21|² = 1/(1 + ε²·C(Ω)²),  C(Ω) = cosh(Σ arccosh xᵢ),
//   xᵢ = (Ω − 1/Ωᵢ)/(1 − Ω/Ωᵢ), ε² = 10^(R/10) − 1.
// Realised as a pi ladder by zero shifting: the k-th shunt capacitor is
// removed only in part, leaving the k-th zero for the parallel-resonant
// series arm after it; the elements after the last trap are removed whole.
// False when these zeros leave an element that is not positive (2·zeros
// must be below n).
bool LcTrapPrototype(int nOrder, double dRipple, const std::vector<double>& zeros,
                     CLcPrototype& prototype);
