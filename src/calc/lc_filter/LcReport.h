#pragma once

#include "calc/lc_filter/LcFilter.h"
#include "report/LocalTime.h"

#include <array>
#include <string>

// The report the dialog holds after a refused design.
inline constexpr const char* kLcFilterNoReport = "\r\n\r\n";

// The rows of figures the dialog and the report show, in this order.
inline constexpr int kLcFigureTextCount = 7;
enum ELcFigureRow {
    kLcRowBandSwr,   // "1.263"
    kLcRowBandLoss,  // "0.346dB"
    kLcRowCutoff3Db, // "8.016MHz", "―" when there is none
    kLcRowCheck1,    // "80.9dB", "∞" above kLcInfiniteAttenuation
    kLcRowCheck2,
    kLcRowHarmonic1, // "-100.6dBc（0.87nW）"; empty without a power
    kLcRowHarmonic2,
};
std::array<std::string, kLcFigureTextCount> LcFigureTexts(const CLcFigures& figures, bool bPower);

// A part's value, five significant digits and its unit ("414.09pF",
// "1.2198μH"); pszBeforeUnit goes between the two (the list writes a space).
std::string FormatLcPartValue(double dValue, ELcPartKind eKind, const char* pszBeforeUnit = "");

// A power in the unit that reads best, two significant digits below 10 of
// it and whole units above: "0.87nW", "3.2mW", "250μW", "10W".
std::string FormatLcPower(double dWatt);

// The report of a design (UTF-8, CR LF): title and date, the inputs, one
// line per part in signal order with its ideal and chosen value (and turns
// on a core), the figures of the ideal and the built filter, and with a
// power the harmonics after the filter. kLcFilterNoReport when refused.
std::string LcFilterReport(const CLcFilterInputs& inputs, const CLcFilterDesign& design,
                           const CLocalTime& time);
