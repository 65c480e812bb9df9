#include "text/NumberInput.h"

#include "report/CFormat.h"
#include "text/ShiftJis.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// Reads one UTF-8 character starting at text[i]; returns 0 for malformed input.
char32_t NextCodePoint(std::string_view text, size_t& i) {
    const auto c0 = static_cast<unsigned char>(text[i]);
    if (c0 < 0x80) {
        ++i;
        return c0;
    }
    int nExtra = 0;
    char32_t ch = 0;
    if ((c0 & 0xE0) == 0xC0) {
        nExtra = 1;
        ch = c0 & 0x1F;
    } else if ((c0 & 0xF0) == 0xE0) {
        nExtra = 2;
        ch = c0 & 0x0F;
    } else if ((c0 & 0xF8) == 0xF0) {
        nExtra = 3;
        ch = c0 & 0x07;
    } else {
        return 0;
    }
    for (int k = 1; k <= nExtra; ++k) {
        if (i + k >= text.size()) {
            return 0;
        }
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            return 0;
        }
        ch = (ch << 6) | (c & 0x3F);
    }
    i += static_cast<size_t>(nExtra) + 1;
    return ch;
}

// The ASCII twin of a character an IME may type; 0 for anything else that is
// not plain ASCII.
char AsciiTwin(char32_t ch) {
    if (ch < 0x80) {
        return static_cast<char>(ch);
    }
    if (ch >= U'０' && ch <= U'９') {
        return static_cast<char>('0' + (ch - U'０'));
    }
    switch (ch) {
    case U'．':
        return '.';
    case U'＋':
        return '+';
    case U'－':
    case U'−': // minus sign
        return '-';
    case U'ｅ':
        return 'e';
    case U'Ｅ':
        return 'E';
    case U'　': // ideographic space
        return ' ';
    default:
        return 0;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Checks the plain decimal grammar; strtod alone would also take hex, "inf",
// "nan" and leading junk it silently skips.
bool IsPlainDecimal(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    size_t nDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++nDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++nDigits;
        }
    }
    if (nDigits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        size_t nExponentDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++nExponentDigits;
        }
        if (nExponentDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

bool ParseNumber(std::string_view text, double& dValue) {
    return ReadNumber(text, dValue) == ENumberText::Number;
}

ENumberText ReadNumber(std::string_view text, double& dValue) {
    // Overlong forms such as C0 B1 would otherwise read as a digit.
    std::size_t nBad = 0;
    if (!IsValidUtf8(text, nBad)) {
        return ENumberText::NotANumber;
    }
    std::string strAscii;
    strAscii.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char c = AsciiTwin(NextCodePoint(text, i));
        if (c == 0) {
            return ENumberText::NotANumber;
        }
        strAscii += c;
    }
    size_t nBegin = 0;
    size_t nEnd = strAscii.size();
    while (nBegin < nEnd && IsBlank(strAscii[nBegin])) {
        ++nBegin;
    }
    while (nEnd > nBegin && IsBlank(strAscii[nEnd - 1])) {
        --nEnd;
    }
    const std::string strNumber = strAscii.substr(nBegin, nEnd - nBegin);
    if (!IsPlainDecimal(strNumber)) {
        return ENumberText::NotANumber;
    }
    const double dParsed = strtod_l(strNumber.c_str(), nullptr, CLocale());
    if (!std::isfinite(dParsed)) {
        return ENumberText::BeyondDouble; // the grammar above admits no inf or nan
    }
    dValue = dParsed + 0.0; // -0 becomes +0, so nothing downstream shows "-0"
    return ENumberText::Number;
}

bool IsWithinRange(double dValue, double dMin, double dMax) {
    return std::isfinite(dValue) && dValue >= dMin && dValue <= dMax;
}

std::string FormatEditValue(double dValue) {
    return FormatC("%.15g", dValue + 0.0);
}
