#pragma once

#include "report/LocalTime.h"

#include <string>
#include <string_view>
#include <vector>

// Picking a matched set of n crystals from a batch of measured frequencies.

// One measured crystal of a list: its frequency, the line it stands on
// (1-based) and the line's first field when the line has a label column.
struct CXtalListEntry {
    double m_dFrequency = 0.0; // MHz
    int m_nLine = 0;
    std::string m_strLabel; // "A12"; empty without a label column
};

// Reads frequencies in MHz, one per line, as typed, pasted or saved from a
// spreadsheet: blank lines and lines starting with '#' are skipped; a line
// with several comma-, semicolon- or tab-separated fields uses its last one
// and keeps its first as the label, and so does a line of a label and a value
// separated by spaces; a line that is exactly digits,digits ("10,000123") is
// a number with a decimal comma. The first line is a header when it holds no
// digit at all. Returns false with strError naming the line (Japanese) for
// anything else that is not a frequency within the crystal range.
bool ParseXtalFrequencyList(std::string_view text, std::vector<CXtalListEntry>& entries,
                            std::string& strError);
// The frequencies alone.
bool ParseXtalFrequencyList(std::string_view text, std::vector<double>& frequencies,
                            std::string& strError);

// Values of one batch lie within a few kilohertz; a list that spans more than
// this share of its median holds a typo or a crystal of another batch.
inline constexpr double kXtalListSpanWarning = 0.01;

// Empty for a list within kXtalListSpanWarning of its median; otherwise a
// warning line (Japanese) naming the values farther than half that from the
// median, by line.
std::string XtalListSpreadWarning(const std::vector<CXtalListEntry>& entries);

struct CXtalSortResult {
    bool m_bComputed = false;
    std::string m_strMessage;          // why there is no result (Japanese); empty when computed
    std::vector<int> m_indices;        // the chosen crystals' positions in the list (0-based),
                                       // in ascending frequency
    std::vector<double> m_frequencies; // their frequencies, MHz, ascending
    std::vector<int> m_lines;          // their lines
    std::vector<std::string> m_names;  // "4行目", "4行目 A12": what the list and report show
    std::string m_strWarning;          // XtalListSpreadWarning of the whole list
    double m_dSpread = 0.0;            // highest minus lowest, Hz
    double m_dMean = 0.0;              // MHz
    std::string m_strSpread;           // "12.0Hz"
    std::string m_strMean;             // "10.0001230MHz"
    std::string m_strReport;           // UTF-8 with CR LF; kXtalSortNoReport when refused
};

// The n crystals with the smallest spread: sorted, a window of n slid along,
// the window with the smallest f[i+n−1] − f[i] (the first on ties, spreads
// compared in whole millihertz so that rounding makes none). Refused when the
// list holds fewer than n frequencies.
CXtalSortResult ComputeXtalSort(const std::vector<CXtalListEntry>& entries, int nCount,
                                const CLocalTime& time);
// A bare list of frequencies, one per line.
CXtalSortResult ComputeXtalSort(const std::vector<double>& frequencies, int nCount,
                                const CLocalTime& time);

inline constexpr const char* kXtalSortNoReport = "\r\n\r\n";
