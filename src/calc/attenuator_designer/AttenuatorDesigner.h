#pragma once

#include "report/LocalTime.h"
#include "tables/ResistorSeries.h"

#include <array>
#include <string>
#include <vector>

// Resistive attenuators between equal impedances, built from stock resistors:
// the ideal values, the best combination of stock values near them, the loss
// and match that combination really gives, and the power each resistor takes.

enum class EAttenuatorTopology { Pi, T, BridgedT };
inline constexpr int kAttenuatorTopologyCount = 3;

// Input limits, shared by the dialog and vantix-calc. Impedance 0 and
// attenuation 0 are accepted by the fields but refuse the design.
inline constexpr double kAttenuatorMaxImpedance = 10000.0;    // Ω
inline constexpr double kAttenuatorMaxAttenuation = 100.0;    // dB
inline constexpr double kAttenuatorMaxPower = 10000.0;        // W
inline constexpr double kAttenuatorDefaultImpedance = 50.0;   // Ω
inline constexpr double kAttenuatorDefaultAttenuation = 10.0; // dB

// Below this the reflection is rounding noise of the arithmetic: the match
// counts as exact (return loss "∞").
inline constexpr double kAttenuatorExactMatch = 1e-12;

struct CAttenuatorInputs {
    double dImpedance = kAttenuatorDefaultImpedance;     // Ω, both ports
    double dAttenuation = kAttenuatorDefaultAttenuation; // dB
    EAttenuatorTopology eTopology = EAttenuatorTopology::Pi;
    EResistorSeries eSeries = EResistorSeries::E24;
    double dPower = 0.0; // W available from the source; 0: no power figures
};

// "π型", "T型", "橋絡T型": the radio buttons and the report.
const char* AttenuatorTopologyLabel(EAttenuatorTopology eTopology);
// "pi", "t", "bridged-t": vantix-calc and its JSON.
const char* AttenuatorTopologyKey(EAttenuatorTopology eTopology);
bool ParseAttenuatorTopology(const std::string& strKey, EAttenuatorTopology& eTopology);

// The distinct resistor values of the ideal network, in the order they first
// appear along the signal: π {R2, R1}, T {R1, R2}, bridged T {R3, R1, R2}.
// Empty when the inputs allow no attenuator (impedance or attenuation not
// positive, or an attenuation too small to tell from 0 dB).
std::vector<double> AttenuatorIdealValues(EAttenuatorTopology eTopology, double dImpedance,
                                          double dAttenuation);

// One physical resistor, in signal order.
struct CAttenuatorPart {
    const char* pszName;  // "R2", as the schematic labels it
    const char* pszPlace; // "入力側", "出力側", or "" for the only one of its name
    int nValue;           // index into the distinct values
};
const std::vector<CAttenuatorPart>& AttenuatorParts(EAttenuatorTopology eTopology);

// The network built from the distinct values, between source and load of
// impedance Z. S-parameters refer to Z at both ports (the network is
// symmetric, S22 = S11); all are real since the network is resistive.
// Powers assume a source of available power dPower (W): one per physical
// resistor in signal order, and the load's.
struct CAttenuatorResponse {
    double dS11 = 0.0;
    double dS21 = 0.0;
    double dOneMinusS21 = 0.0;  // 1 − S21 to full precision, even when S21 rounds to 1
    std::vector<double> powers; // W
    double dLoadPower = 0.0;    // W
};
CAttenuatorResponse AttenuatorResponse(EAttenuatorTopology eTopology,
                                       const std::vector<double>& values, double dImpedance,
                                       double dPower);

// A resistor of the design, with the texts the list and the report show.
struct CAttenuatorResistor {
    std::string strName;      // "R2"
    std::string strPlace;     // "入力側" / "出力側" / ""
    double dIdeal = 0.0;      // Ω
    double dValue = 0.0;      // Ω, the stock value chosen
    double dPower = 0.0;      // W (0 without power figures)
    std::string strLabel;     // "R2 入力側", "R1"
    std::string strIdeal;     // "96.25Ω", four digits
    std::string strValue;     // "100Ω", as many digits as the series has
    std::string strDeviation; // "+3.9" (%), chosen against ideal
    std::string strPower;     // "2.60" (W); empty without power figures
};

// The outcome of one computation of the designer.
struct CAttenuatorDesign {
    bool bComputed = false;                     // false: no attenuator for these inputs
    bool bPower = false;                        // power figures were asked for (P > 0)
    std::vector<CAttenuatorResistor> resistors; // signal order
    double dS11 = 0.0;
    double dS21 = 0.0;
    double dAttenuation = 0.0; // dB, actual
    bool bExactMatch = false;
    double dReturnLoss = 0.0; // dB; infinity when the match is exact
    double dVswr = 0.0;
    double dLoadPower = 0.0; // W
    // What the dialog's result statics show; empty when refused.
    std::string strAttenuation; // "10.07"
    std::string strReturnLoss;  // "34.2" or "∞"
    std::string strVswr;        // "1.040"
    std::string strLoadPower;   // "0.492"; empty without power figures
    std::string strReport;      // UTF-8 with CR LF; CR LF CR LF when refused
};

// Chooses, among the stock values next to each distinct ideal value (see
// CResistorSeries::Candidates), the combination with the smallest
// max(|S11|, |K·S21 − 1|), K = 10^(A/20); a tie goes to the smaller
// |K·S21 − 1|, and after that to the combination met first (smaller values
// first, the first distinct value varying slowest).
CAttenuatorDesign DesignAttenuator(const CAttenuatorInputs& inputs, const CLocalTime& time);

// The report the dialog holds after a refused computation.
inline constexpr const char* kAttenuatorNoReport = "\r\n\r\n";

// The list's columns: name, ideal value, chosen value, deviation (%), power (W).
inline constexpr int kAttenuatorListColumnCount = 5;
using CAttenuatorListItem = std::array<std::string, kAttenuatorListColumnCount>;
// One item per physical resistor in signal order; none when refused.
std::vector<CAttenuatorListItem> AttenuatorListItems(const CAttenuatorDesign& design);

// A resistance with nDigits significant digits and a unit from Ω to TΩ
// ("1.0Ω", "47Ω", "2.2kΩ", "0.10Ω", "96.25Ω"); below 1 mΩ and from 1000 TΩ
// as digits and exponent ("5.1e-06Ω").
std::string FormatResistance(double dOhm, int nDigits);
// A power in W with three significant digits ("2.60", "0.246"; below 1 µW
// "1.50e-07"); 0 is "0".
std::string FormatPower(double dWatt);
