#pragma once

#include <string>
#include <string_view>

// Reads a number typed into a field or given on the command line, without
// regard to the locale: optional blanks, an optional sign, digits with an
// optional point, an optional exponent, optional blanks. Full-width digits,
// point, signs and exponent letters (as a Japanese IME types them) count as
// their ASCII twins. Empty text, "nan", "inf", hex, grouping commas, trailing
// junk and values beyond the double range are not numbers. "-0" reads as 0.
bool ParseNumber(std::string_view text, double& dValue);

// What ParseNumber found, telling a well-formed decimal that no double can
// hold ("1e400", four hundred digits) from text that is no number at all:
// the first is a value out of any range, not a typing error.
enum class ENumberText {
    Number,      // read into dValue
    NotANumber,  // dValue left alone
    BeyondDouble // a plain decimal whose magnitude overflows; dValue left alone
};
ENumberText ReadNumber(std::string_view text, double& dValue);

// True when the value lies within [dMin, dMax]; never true for NaN or infinity.
bool IsWithinRange(double dValue, double dMin, double dMax);

// The text a field shows for a value: "%.15g" in the C locale (0 -> "0",
// 293.37 -> "293.37").
std::string FormatEditValue(double dValue);
