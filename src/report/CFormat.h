#pragma once

#include <string>

// printf-style formatting that always uses the "C" numeric conventions, so a
// report reads "1.5", never "1,5", whatever locale the desktop (or Qt) set.
// Everything that writes a number into a report or a result goes through here
// or through CReportFormatter.
std::string FormatC(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));
