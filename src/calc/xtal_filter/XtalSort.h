#pragma once

#include "report/LocalTime.h"

#include <string>
#include <string_view>
#include <vector>

// Picking a matched set of n crystals from a batch of measured frequencies.

// Reads frequencies in MHz, one per line, as typed, pasted or saved from a
// spreadsheet: blank lines and lines starting with '#' are skipped; a line
// with several comma-, semicolon- or tab-separated fields uses its last one;
// a first line that is not a number is taken as a header. Returns false with
// strError naming the line (Japanese) for anything else that is not a
// frequency within the crystal range.
bool ParseXtalFrequencyList(std::string_view text, std::vector<double>& frequencies,
                            std::string& strError);

struct CXtalSortResult {
    bool m_bComputed = false;
    std::string m_strMessage;          // why there is no result (Japanese); empty when computed
    std::vector<int> m_indices;        // the chosen crystals' positions in the list (0-based),
                                       // in ascending frequency
    std::vector<double> m_frequencies; // their frequencies, MHz, ascending
    double m_dSpread = 0.0;            // highest minus lowest, Hz
    double m_dMean = 0.0;              // MHz
    std::string m_strSpread;           // "12.0Hz"
    std::string m_strMean;             // "10.0001230MHz"
    std::string m_strReport;           // UTF-8 with CR LF; kXtalSortNoReport when refused
};

// The n crystals with the smallest spread: sorted, a window of n slid along,
// the window with the smallest f[i+n−1] − f[i] (the first on ties). Refused
// when the list holds fewer than n frequencies.
CXtalSortResult ComputeXtalSort(const std::vector<double>& frequencies, int nCount,
                                const CLocalTime& time);

inline constexpr const char* kXtalSortNoReport = "\r\n\r\n";
