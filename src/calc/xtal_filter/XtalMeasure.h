#pragma once

#include "report/LocalTime.h"

#include <string>

// Motional parameters of a crystal from two frequencies of one oscillator:
// f1 with the series capacitor Cs shorted, f2 with Cs in series.

// Inclusive input ranges, shared by the measurement dialog and vantix-calc.
inline constexpr double kXtalMeasureMinFrequency = 0.1;   // MHz
inline constexpr double kXtalMeasureMaxFrequency = 200.0; // MHz
inline constexpr double kXtalMeasureMinCs = 1.0;          // pF
inline constexpr double kXtalMeasureMaxCs = 10000.0;      // pF
inline constexpr double kXtalMeasureMinC0 = 0.0;          // pF
inline constexpr double kXtalMeasureMaxC0 = 100.0;        // pF

struct CXtalMeasureResult {
    bool m_bComputed = false;
    std::string m_strMessage;           // why there is no result (Japanese); empty when computed
    double m_dCm = 0.0;                 // motional capacitance, fF
    double m_dLm = 0.0;                 // motional inductance, mH
    double m_dParallelFrequency = 0.0;  // fp, Hz; infinite when C0 is 0
    std::string m_strCm;                // "16.887fF"
    std::string m_strLm;                // "15.000mH"
    std::string m_strParallelFrequency; // "10,024,097.2Hz"; "-----" when infinite
    std::string m_strReport;            // UTF-8 with CR LF; kXtalMeasureNoReport when refused
};

// f1, f2 in MHz, Cs and C0 in pF. Refused unless f2 > f1 (Cs in series can
// only pull the crystal up).
CXtalMeasureResult ComputeXtalMeasure(double dF1, double dF2, double dCs, double dC0,
                                      const CLocalTime& time);

inline constexpr const char* kXtalMeasureNoReport = "\r\n\r\n";
