#include "report/LocalTime.h"

#include <chrono>
#include <cstddef>
#include <ctime>

CLocalTime CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    CLocalTime time;
    time.m_nYear = parts.tm_year + 1900;
    time.m_nMonth = parts.tm_mon + 1;
    time.m_nDay = parts.tm_mday;
    time.m_nHour = parts.tm_hour;
    time.m_nMinute = parts.tm_min;
    return time;
}

namespace {

// Reads nMin..nMax decimal digits at text[i]; sscanf would also let blanks and
// signs through.
bool ReadDigits(const char* pszText, std::size_t& i, std::size_t nMin, std::size_t nMax,
                int& nValue) {
    nValue = 0;
    std::size_t nCount = 0;
    while (nCount < nMax && pszText[i] >= '0' && pszText[i] <= '9') {
        nValue = nValue * 10 + (pszText[i] - '0');
        ++i;
        ++nCount;
    }
    return nCount >= nMin;
}

bool ReadChar(const char* pszText, std::size_t& i, char c) {
    if (pszText[i] != c) {
        return false;
    }
    ++i;
    return true;
}

} // namespace

bool ParseLocalTime(const char* pszText, CLocalTime& time) {
    int nYear = 0, nMonth = 0, nDay = 0, nHour = 0, nMinute = 0;
    std::size_t i = 0;
    if (!ReadDigits(pszText, i, 4, 4, nYear) || !ReadChar(pszText, i, '-') ||
        !ReadDigits(pszText, i, 1, 2, nMonth) || !ReadChar(pszText, i, '-') ||
        !ReadDigits(pszText, i, 1, 2, nDay) || !ReadChar(pszText, i, ' ') ||
        !ReadDigits(pszText, i, 1, 2, nHour) || !ReadChar(pszText, i, ':') ||
        !ReadDigits(pszText, i, 2, 2, nMinute) || pszText[i] != '\0') {
        return false;
    }
    if (nYear < 1 || nHour > 23 || nMinute > 59) {
        return false;
    }
    const std::chrono::year_month_day date{std::chrono::year{nYear},
                                           std::chrono::month{static_cast<unsigned>(nMonth)},
                                           std::chrono::day{static_cast<unsigned>(nDay)}};
    if (!date.ok()) {
        return false;
    }
    time = CLocalTime{nYear, nMonth, nDay, nHour, nMinute};
    return true;
}
