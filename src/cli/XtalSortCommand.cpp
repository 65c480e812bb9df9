#include "calc/xtal_filter/XtalFilter.h"
#include "calc/xtal_filter/XtalListFile.h"
#include "calc/xtal_filter/XtalSort.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"

namespace {

CCalcOutcome RunXtalSort(const COptionValues& values, const CLocalTime& time) {
    if (auto bad = RequireWholeNumber(values, "crystals")) {
        return *bad;
    }
    const std::string& strPath = values.Text(kArgumentValue);
    std::string strText;
    std::string strProblem;
    if (!ReadXtalListFile(strPath, strPath, EXtalListSource::FilesAndPipes, strText, strProblem)) {
        return FailedOutcome(CCalcOutcome::BadUsage, strProblem);
    }
    std::vector<CXtalListEntry> frequencies;
    std::string strError;
    if (!ParseXtalFrequencyList(strText, frequencies, strError)) {
        return FailedOutcome(CCalcOutcome::BadUsage, strPath + ": " + strError);
    }
    const int nCount = static_cast<int>(values.Number("crystals"));
    const CXtalSortResult result = ComputeXtalSort(frequencies, nCount, time);
    if (!result.m_bComputed) {
        return FailedOutcome(CCalcOutcome::Refused, result.m_strMessage);
    }
    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "xtal-sort")
        .BeginObject("inputs")
        .String("file", strPath)
        .Integer("measured", static_cast<long long>(frequencies.size()))
        .Integer("crystals", nCount)
        .EndObject()
        .BeginObject("results")
        .BeginArray("selected");
    for (std::size_t i = 0; i < result.m_indices.size(); ++i) {
        json.BeginObject()
            .Integer("number", result.m_indices[i] + 1)
            .Integer("line", result.m_lines[i])
            .String("label", frequencies[static_cast<std::size_t>(result.m_indices[i])].m_strLabel)
            .Number("frequency_mhz", result.m_frequencies[i])
            .EndObject();
    }
    json.EndArray()
        .Number("spread_hz", result.m_dSpread)
        .Number("mean_mhz", result.m_dMean)
        .EndObject()
        .EndObject();
    CCalcOutcome outcome = DoneOutcome(result.m_strReport, json.Text());
    outcome.strWarning = result.m_strWarning;
    return outcome;
}

} // namespace

CCalcCommand XtalSortCommand() {
    return {"xtal-sort",
            "水晶の選別：測定した周波数（MHz、1 行に 1 個）から揃った組を選ぶ",
            {
                {"crystals", "N", "選ぶ数", COptionDef::Number, kXtalMinCrystals, kXtalMaxCrystals},
            },
            &RunXtalSort,
            "FILE"};
}
