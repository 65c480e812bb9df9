#include "calc/toroid_wizard/ToroidWizard.h"

#include "calc/toroid_coil/ToroidCoil.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "tables/ToroidCoreCatalog.h"

CToroidSearchResult SearchToroidCores(CToroidCoreCatalog& catalog, double dTargetInductance,
                                      const std::string& strSize, const std::string& strMix) {
    CToroidSearchResult result;
    const int nCount = catalog.Search(strSize, strMix);
    result.m_strList = ToroidTargetLine(dTargetInductance);
    if (nCount > 0 && dTargetInductance > 0.0) {
        for (int k = 0; k < nCount; ++k) {
            catalog.SelectResult(k);
            const CToroidCandidate candidate{catalog.m_strName,
                                             catalog.GetTurns(dTargetInductance)};
            result.m_lines.push_back(ToroidResultLine(candidate.m_strName, candidate.m_dTurns));
            result.m_strList += result.m_lines.back();
            result.m_candidates.push_back(candidate);
        }
    }
    return result;
}

std::string ToroidTargetLine(double dTargetInductance) {
    std::string strInductance;
    CReportFormatter().FormatInductance(strInductance, dTargetInductance);
    return FormatC("　　　　　目標インダクタンス  >%s\r\n", strInductance.c_str());
}

std::string ToroidResultLine(const std::string& strName, double dTurns) {
    return FormatC("　　　　　%s  >%0.1fT\r\n", strName.c_str(), dTurns);
}

CToroidCandidate PickToroidResult(CToroidCoreCatalog& catalog, int k, double dTargetInductance) {
    catalog.SelectResult(k);
    return {catalog.m_strName, catalog.GetTurns(dTargetInductance)};
}

std::string ToroidListReport(const std::string& strList, const CLocalTime& time) {
    std::string strReport = ReportHeading(kToroidCoilTitleLine, time);
    strReport += strList;
    strReport += "\r\n\r\n";
    return strReport;
}
