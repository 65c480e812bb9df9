#pragma once

#include "report/LocalTime.h"

#include <string>
#include <vector>

class CToroidCoreCatalog;

// The limits of the wizard's target field, µH.
inline constexpr double kToroidMinTarget = 0.0;
inline constexpr double kToroidMaxTarget = 100000000.0;

// One core that a search found, with the turns the target needs (unrounded).
struct CToroidCandidate {
    std::string m_strName;
    double m_dTurns = 0.0;
};

// What a search of the wizard produces.
struct CToroidSearchResult {
    std::vector<CToroidCandidate> m_candidates; // catalogue order
    std::vector<std::string> m_lines;           // items of the result list, one per candidate
    std::string m_strList;                      // the target line and every result line
};

// Searches the catalogue with the size code and mix (empty text: no filter)
// and lists every match with the turns for the target in µH. A target of 0
// or below, or not a number, lists no core. The catalogue's current core is
// left at the last match.
CToroidSearchResult SearchToroidCores(CToroidCoreCatalog& catalog, double dTargetInductance,
                                      const std::string& strSize, const std::string& strMix);

// "目標インダクタンス  >10.00 μH" and "T-200-41  >11.5T", indented, with CR LF.
std::string ToroidTargetLine(double dTargetInductance);
std::string ToroidResultLine(const std::string& strName, double dTurns);

// The picked core of the wizard: the k-th result of the catalogue's last
// search, or an empty name when k is no result position.
CToroidCandidate PickToroidResult(CToroidCoreCatalog& catalog, int k, double dTargetInductance);

// The report of the end option "全部の結果をリスト出力する": the calculator's
// title line, the date line, the list text and an empty line.
std::string ToroidListReport(const std::string& strList, const CLocalTime& time);
