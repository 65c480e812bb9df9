#include "report/LocalTime.h"

#include <chrono>
#include <cstdio>
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

bool ParseLocalTime(const char* pszText, CLocalTime& time) {
    int nYear = 0, nMonth = 0, nDay = 0, nHour = 0, nMinute = 0, nConsumed = 0;
    if (std::sscanf(pszText, "%4d-%2d-%2d %2d:%2d%n", &nYear, &nMonth, &nDay, &nHour, &nMinute,
                    &nConsumed) != 5 ||
        pszText[nConsumed] != '\0') {
        return false;
    }
    if (nYear < 1 || nHour < 0 || nHour > 23 || nMinute < 0 || nMinute > 59) {
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
