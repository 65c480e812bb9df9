#pragma once

#include <string>

// Number texts shared by the crystal workbench's reports.

// Grouped like every report number (FormatGrouped), but rounded rather than
// cut at the last decimal: these figures are read against measurements and a
// simulator's. The unit follows the number; negative and non-finite values
// give "-----" alone.
std::string XtalGrouped(double dValue, int nDecimals, const char* pszUnit = "");

// A signed value in a printf format (e.g. "%.1f") that never shows "-0.0";
// the unit follows it. A non-finite value gives "-----" alone.
std::string XtalSigned(const char* pszFormat, double dValue, const char* pszUnit = "");
