#pragma once

#include "report/LocalTime.h"

#include <array>
#include <string>

// The ladder filter's own 2π. It is deliberately 6.283184 (not 6.283185, and
// not the L-match's 6.28): published tables were made with it.
inline constexpr double kLadderTwoPi = 6.283184;

// The design table has eleven bandwidths, 125 % down to 75 % of the required
// one; the sixth computed (the centre row) is the required bandwidth itself.
inline constexpr int kLadderRowCount = 11;
inline constexpr int kLadderCentreRow = 5;
// The list shows the eleven rows with a separator row on each side of the centre.
inline constexpr int kLadderListItemCount = 13;
inline constexpr int kLadderListColumnCount = 4;

// End capacitor C in pF of a three-crystal ladder for crystal frequency f in
// MHz, bandwidth dF in kHz and holder capacitance Cp in pF. Negative when dF
// exceeds 2.1·f, 0 when they are equal.
double ShuntCapacitance(double dFrequency, double dBandwidth, double dHolderCapacitance);

// Termination impedance in Ω: the reactance of the end capacitor C (pF) at f
// (MHz); 0 when f·C is 0.
double TerminationImpedance(double dFrequency, double dCapacitance);

// One row of the design table, values and the texts the list and report show.
struct CLadderRow {
    double m_dBandwidth = 0.0; // kHz
    double m_dC = 0.0;         // pF
    double m_d2C = 0.0;        // pF
    double m_dZ = 0.0;         // Ω
    std::string m_strBandwidth;
    std::string m_strC;
    std::string m_str2C;
    std::string m_strZ;
};

// The outcome of one computation of the dialog.
struct CLadderDesign {
    // False when an input is 0: no table, the report is a single CR LF.
    bool m_bComputed = false;
    // Smallest bandwidth first (75 % .. 125 %), as the list and the report show them.
    std::array<CLadderRow, kLadderRowCount> m_rows;
    // Z of the centre row; meaningful only when m_bComputed.
    double m_dTerminationImpedance = 0.0;
    std::string m_strReport;
};

CLadderDesign ComputeLadderFilter(double dFrequency, double dHolderCapacitance, double dBandwidth,
                                  const CLocalTime& time);

using CLadderListItem = std::array<std::string, kLadderListColumnCount>;

// The list's 13 items from top to bottom: rows 75 % to 95 %, a separator,
// the centre row, a separator, rows 105 % to 125 %. A refused computation
// gives 13 empty items.
std::array<CLadderListItem, kLadderListItemCount> LadderListItems(const CLadderDesign& design);

// The output impedance handed to the L-match after a ladder OK: Z cut (not
// rounded) to two decimals. Anything that is no impedance to match (not
// finite, zero or negative) hands over 0, and so does a Z beyond the
// L-match's Zout field, which the L-match would only refuse on OK.
double HandOverImpedance(double dTerminationImpedance);

// Hand-over values for the L-match: the filter is matched from a 50 Ω stage.
inline constexpr double kHandOverInputImpedance = 50.0;
