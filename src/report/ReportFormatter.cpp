#include "report/ReportFormatter.h"

#include "report/CFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kMaxDecimals = 3;
constexpr int kFractionDigits = 4;
// Below this, value * 10000 + 0.5 fits a signed 64-bit integer with room to
// spare; at and above it the value is rounded on its exact decimal expansion.
constexpr double kExactThreshold = 1e14;

// Integer parts of 4 to 9 digits are grouped by three; shorter and longer ones
// are written plain.
std::string GroupDigits(const std::string& strDigits) {
    const size_t nLength = strDigits.size();
    if (nLength < 4 || nLength > 9) {
        return strDigits;
    }
    std::string strGrouped;
    for (size_t i = 0; i < nLength; ++i) {
        if (i > 0 && (nLength - i) % 3 == 0) {
            strGrouped += ',';
        }
        strGrouped += strDigits[i];
    }
    return strGrouped;
}

// Splits a value rounded half up at the fourth decimal into its integer digits
// and its four fraction digits. Below 1e14 this is the classic double
// computation (value * 10000 + 0.5, truncated); the carry of a fraction that
// rounds to a whole unit reaches the integer part.
void SplitRounded(double dValue, std::string& strInteger, std::string& strFraction) {
    if (dValue < kExactThreshold) {
        const auto nScaled = static_cast<std::int64_t>(dValue * 10000.0 + 0.5);
        strInteger = std::to_string(nScaled / 10000);
        strFraction = FormatC("%04d", static_cast<int>(nScaled % 10000));
        return;
    }
    // Doubles this large have at most six fraction digits, so ten fixed digits
    // are the exact expansion; round it half up at the fourth decimal by hand.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::fixed, 10);
    std::string strExact(buffer, result.ptr);
    const size_t nPoint = strExact.find('.');
    std::string strDigits =
        strExact.substr(0, nPoint) + strExact.substr(nPoint + 1, kFractionDigits);
    if (strExact[nPoint + 1 + kFractionDigits] >= '5') {
        size_t i = strDigits.size();
        while (i > 0 && strDigits[i - 1] == '9') {
            strDigits[--i] = '0';
        }
        if (i == 0) {
            strDigits.insert(strDigits.begin(), '1');
        } else {
            ++strDigits[i - 1];
        }
    }
    strInteger = strDigits.substr(0, strDigits.size() - kFractionDigits);
    strFraction = strDigits.substr(strDigits.size() - kFractionDigits);
}

} // namespace

void CReportFormatter::FormatGrouped(std::string& strOut, double dValue, int nDecimals) const {
    if (nDecimals > kMaxDecimals) {
        nDecimals = kMaxDecimals;
    }
    // Negative values, NaN and infinity have no meaningful grouped form.
    if (!(dValue >= 0.0) || std::isinf(dValue)) {
        strOut = "-----";
        return;
    }
    std::string strInteger;
    std::string strFraction;
    SplitRounded(dValue, strInteger, strFraction);
    strOut = GroupDigits(strInteger);
    if (nDecimals > 0) {
        strOut += '.';
        strOut.append(strFraction, 0, static_cast<size_t>(nDecimals));
    }
}

void CReportFormatter::FormatInductance(std::string& strOut, double dMicroHenry) const {
    const double dL = dMicroHenry;
    if (dL == 0.0 || !std::isfinite(dL)) {
        strOut.clear();
    } else if (dL < 0.00001) {
        strOut = FormatC("%0.4f pH", dL * 1000000);
    } else if (dL < 0.001) {
        strOut = FormatC("%0.4f nH", dL * 1000);
    } else if (dL < 1) {
        strOut = FormatC("%0.4f μH", dL);
    } else if (dL < 10) {
        strOut = FormatC("%0.3f μH", dL);
    } else if (dL < 100) {
        strOut = FormatC("%0.2f μH", dL);
    } else if (dL < 1000) {
        strOut = FormatC("%0.1f μH", dL);
    } else {
        const double dM = dL / 1000;
        if (dM < 10) {
            strOut = FormatC("%0.3f mH", dM);
        } else if (dM < 100) {
            strOut = FormatC("%0.2f mH", dM);
        } else if (dM < 1000) {
            strOut = FormatC("%0.1f mH", dM);
        } else {
            const double dH = dM / 1000;
            if (dH < 10) {
                strOut = FormatC("%0.3f H", dH);
            } else if (dH < 100) {
                strOut = FormatC("%0.2f H", dH);
            } else if (dH < 1000) {
                strOut = FormatC("%0.1f H", dH);
            } else {
                strOut = "Too Big !";
            }
        }
    }
}

void CReportFormatter::FormatTimestamp(std::string& strOut) const {
    FormatTimestamp(strOut, CurrentLocalTime());
}

void CReportFormatter::FormatTimestamp(std::string& strOut, const CLocalTime& time) const {
    strOut = FormatC("　　　　　%d-%d-%d  %d:%02d\r\n", time.m_nYear, time.m_nMonth, time.m_nDay,
                     time.m_nHour, time.m_nMinute);
}

std::string ReportHeading(const std::string& strTitleLine, const CLocalTime& time) {
    std::string strTimestamp;
    CReportFormatter().FormatTimestamp(strTimestamp, time);
    return strTitleLine + strTimestamp;
}
