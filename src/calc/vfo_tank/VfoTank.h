#pragma once

#include "report/LocalTime.h"

#include <string>

// The tank of a VFO: coil L in parallel with a variable capacitor VC and a
// fixed capacitor Cfix. Frequencies in MHz, capacitances in pF, L in µH.

// What the dialog shows and reports for one set of inputs.
struct CVfoTankResult {
    bool bComputed = false;    // false: unusable inputs
    double dFixedCap = 0.0;    // Cfix in pF; negative when VC alone cannot cover the range
    double dInductance = 0.0;  // L in µH
    std::string strInductance; // FormatInductance of L
    std::string strFixedCap;   // "%.2f PF" of Cfix
    std::string strNotice;     // the caution about stray capacitance, two lines
    std::string strReport;     // UTF-8 with CR LF; CR LF CR LF when refused
};

// Refused (empty texts, report CR LF CR LF) unless fmax * fmin * Cmax != 0,
// Cmax > Cmin and fmax > fmin, and also when L or Cfix come out infinite or
// NaN (a lower frequency so small that its ratio to the upper one vanishes).
CVfoTankResult ComputeVfoTank(double dFreqMin, double dFreqMax, double dCapMin, double dCapMax,
                              const CLocalTime& time);

inline constexpr const char* kVfoTankNoReport = "\r\n\r\n";

// Shown under the results after every computation.
inline constexpr const char* kVfoTankNotice =
    "注意！　計算値には、回路や負荷の容量が考慮されていないので、実際の部品選定を\r\n"
    "　　　　　行う時は、これらに対し十分に検討をして下さい。";
