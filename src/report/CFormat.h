#pragma once

#include <string>

// printf-style formatting that always uses the "C" numeric conventions, so a
// report reads "1.5", never "1,5", whatever locale the desktop (or Qt) set.
// Everything that writes a number into a report or a result goes through here
// or through CReportFormatter.
std::string FormatC(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

// A positive value with nDigits significant digits in fixed-point notation
// (0.01139, 209.8, 12345), never with an exponent: results that span many
// decades keep the same precision without a unit band of their own.
std::string FormatSignificant(double dValue, int nDigits);
