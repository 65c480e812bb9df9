#pragma once

#include "report/LocalTime.h"

#include <string>

// Five ideographic spaces (U+3000): the indent of every report line.
inline constexpr const char* kReportIndent = "　　　　　";

// Number, inductance and date-line formatting shared by every calculator.
// Stateless: any instance, or a temporary, serves. Results are UTF-8.
class CReportFormatter {
public:
    virtual ~CReportFormatter() = default;

    // A non-negative value with thousands separators and 0..3 decimals (more
    // are cut to 3). The value is rounded half up at the fourth decimal, and
    // that rounding carries into the integer part; the requested decimals are
    // then cut, not rounded. Negative values, NaN and infinity give "-----".
    void FormatGrouped(std::string& strOut, double dValue, int nDecimals) const;

    // An inductance given in µH, written with a unit from pH to H. 0 and
    // non-finite values give the empty text (no result to show).
    void FormatInductance(std::string& strOut, double dMicroHenry) const;

    // The indented date line "　　　　　2005-3-7  9:05\r\n" for the current
    // local time, or for the given one.
    void FormatTimestamp(std::string& strOut) const;
    void FormatTimestamp(std::string& strOut, const CLocalTime& time) const;
};

// How every report starts: its title line, then the date line.
std::string ReportHeading(const std::string& strTitleLine, const CLocalTime& time);
