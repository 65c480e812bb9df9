#include "report/CFormat.h"

#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The "C" locale, created once; uselocale() switches only this thread.
locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

std::string FormatC(const char* pszFormat, ...) {
    const locale_t previous = uselocale(CLocale());
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    char buffer[256];
    const int nLength = std::vsnprintf(buffer, sizeof buffer, pszFormat, args);
    va_end(args);
    std::string strResult;
    if (nLength >= 0 && static_cast<size_t>(nLength) < sizeof buffer) {
        strResult.assign(buffer, static_cast<size_t>(nLength));
    } else if (nLength >= 0) {
        strResult.resize(static_cast<size_t>(nLength) + 1);
        std::vsnprintf(strResult.data(), strResult.size(), pszFormat, copy);
        strResult.resize(static_cast<size_t>(nLength));
    }
    va_end(copy);
    uselocale(previous);
    return strResult;
}

std::string FormatSignificant(double dValue, int nDigits) {
    if (!(dValue > 0.0) || !std::isfinite(dValue) || nDigits < 1) {
        return FormatC("%.0f", dValue);
    }
    // The exponent after rounding to nDigits, so 9.99996 counts as 10.00.
    const std::string strScientific = FormatC("%.*e", nDigits - 1, dValue);
    const int nExponent = std::atoi(strScientific.c_str() + strScientific.find('e') + 1);
    const int nDecimals = nDigits - 1 - nExponent;
    return FormatC("%.*f", nDecimals > 0 ? nDecimals : 0, dValue);
}
