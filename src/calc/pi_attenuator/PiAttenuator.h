#pragma once

#include "report/LocalTime.h"

#include <string>

// A symmetrical pi attenuator: one series resistor R1 between the ports and
// two equal shunt resistors R2, one from each port to ground.

// R1 and R2 in ohms for impedance Z (ohms) and attenuation A (dB), evaluated
// step by step in the order the report's numbers depend on. Meaningless for
// Z * A == 0 (see ComputePiAttenuator).
void PiAttenuatorResistors(double dImpedance, double dAttenuation, double& dR1, double& dR2);

// What the dialog shows and reports for one set of inputs.
struct CPiAttenuatorResult {
    bool bComputed = false; // false: refused (impedance or attenuation 0)
    double dR1 = 0.0;
    double dR2 = 0.0;
    std::string strR1;     // FormatGrouped with 2 decimals; " " when refused
    std::string strR2;     // likewise
    std::string strReport; // UTF-8 with CR LF; CR LF CR LF when refused
};

CPiAttenuatorResult ComputePiAttenuator(double dImpedance, double dAttenuation,
                                        const CLocalTime& time);

// The report the dialog holds before its first computation and after a
// refused one.
inline constexpr const char* kPiAttenuatorNoReport = "\r\n\r\n";
