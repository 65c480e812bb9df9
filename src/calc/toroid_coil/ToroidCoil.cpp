#include "calc/toroid_coil/ToroidCoil.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "tables/ToroidCoreCatalog.h"

#include <cmath>

CToroidCoilResult ComputeToroidCoil(const CToroidCoreCatalog& catalog, double dTurns,
                                    const CLocalTime& time) {
    const CReportFormatter formatter;
    CToroidCoilResult result;
    result.m_dInductance = catalog.GetInductance(dTurns);
    formatter.FormatInductance(result.m_strInductance, result.m_dInductance);
    result.m_strOuterDiameter = FormatCoreDimension(catalog.m_dOuterDiameter);
    result.m_strInnerDiameter = FormatCoreDimension(catalog.m_dInnerDiameter);
    result.m_strThickness = FormatCoreDimension(catalog.m_dHeight);
    result.m_strColor = catalog.m_strColor;
    if (dTurns == 0.0) {
        result.m_strReport = kToroidCoilNoResultReport;
        return result;
    }

    std::string& strReport = result.m_strReport;
    strReport = ReportHeading(kToroidCoilTitleLine, time);
    strReport += FormatC("　　　　　コア種類  %s\r\n", catalog.m_strName.c_str());
    strReport += FormatC("　　　　　巻き数  %s\r\n", FormatToroidTurns(dTurns).c_str());
    strReport += FormatC("　　　　　外径 %s\r\n", result.m_strOuterDiameter.c_str());
    strReport += FormatC("　　　　　内径 %s\r\n", result.m_strInnerDiameter.c_str());
    strReport += FormatC("　　　　　厚さ %s\r\n", result.m_strThickness.c_str());
    strReport += FormatC("　　　　　コア色  %s\r\n", result.m_strColor.c_str());
    strReport += FormatC("　　　　　インダクタンス  %s\r\n\r\n", result.m_strInductance.c_str());
    return result;
}

std::string FormatCoreDimension(double dMillimetres) {
    return FormatC("%.1f mm", dMillimetres);
}

std::string FormatToroidTurns(double dTurns) {
    if (std::isfinite(dTurns) && dTurns != std::floor(dTurns)) {
        return FormatC("%.1f", dTurns);
    }
    return FormatC("%.0f", dTurns);
}

bool RoundHandedTurns(double dTurns, double& dRounded) {
    if (!std::isfinite(dTurns)) {
        return false;
    }
    // Half up in double: a cast to a 32-bit integer is undefined beyond its range.
    dRounded = std::floor(dTurns + 0.5);
    return true;
}
