#include "calc/xtal_filter/XtalSort.h"

bool ParseXtalFrequencyList(std::string_view, std::vector<double>&, std::string&) {
    return false;
}

CXtalSortResult ComputeXtalSort(const std::vector<double>&, int, const CLocalTime&) {
    CXtalSortResult result;
    result.m_strReport = kXtalSortNoReport;
    return result;
}
