#include "calc/xtal_filter/XtalText.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>

std::string XtalGrouped(double dValue, int nDecimals, const char* pszUnit) {
    const double dScale = std::pow(10.0, nDecimals);
    std::string str;
    CReportFormatter().FormatGrouped(str, std::round(dValue * dScale) / dScale, nDecimals);
    if (std::isfinite(dValue) && dValue >= 0.0) {
        str += pszUnit;
    }
    return str;
}

std::string XtalSigned(const char* pszFormat, double dValue, const char* pszUnit) {
    if (!std::isfinite(dValue)) {
        return "-----";
    }
    std::string str = FormatC(pszFormat, dValue);
    if (str.starts_with('-') && str.find_first_of("123456789") == std::string::npos) {
        str.erase(0, 1);
    }
    return str + pszUnit;
}
