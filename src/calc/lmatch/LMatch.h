#pragma once

#include "report/LocalTime.h"

#include <string>

// The L-match's own 2π. It is deliberately 6.28, coarser than the ladder
// filter's 6.283184: the results users compare against were made with it.
inline constexpr double kLMatchTwoPi = 6.28;

// The largest impedance the dialog's Zin and Zout fields take, in Ω.
inline constexpr double kLMatchMaxImpedance = 100000.0;

// The outcome of one computation of the L-match dialog.
struct CLMatchResult {
    // False when an input is 0: nothing was computed, the report is CR LF CR LF
    // and the impedances are left as given (not exchanged).
    bool m_bComputed = false;
    // The impedances after the exchange that puts the lower one at the input.
    double m_dZin = 0.0;
    double m_dZout = 0.0;
    double m_dC = 0.0;  // pF, capacitor to ground on the Zout side
    double m_dL = 0.0;  // µH, series inductor on the Zin side
    std::string m_strC; // "C(PF)=…" as the dialog shows it
    std::string m_strL; // "L(μH)=…"
    std::string m_strReport;
};

// Matches Zin to Zout (Ω) at f (MHz). Zin above Zout is not an error: the two
// are exchanged first. Zin equal to Zout gives C = L = 0.
CLMatchResult ComputeLMatch(double dFrequency, double dZin, double dZout, const CLocalTime& time);
