#pragma once

// A wall-clock minute, as shown in a report's date line.
struct CLocalTime {
    int m_nYear = 1970;
    int m_nMonth = 1;
    int m_nDay = 1;
    int m_nHour = 0;
    int m_nMinute = 0;
};

// The operating system's local date and time, now.
CLocalTime CurrentLocalTime();

// Reads "YYYY-MM-DD HH:MM" (as given to vantix-calc --time). Returns false for
// anything else, including impossible dates such as 2005-02-30.
bool ParseLocalTime(const char* pszText, CLocalTime& time);
