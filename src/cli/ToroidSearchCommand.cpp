#include "calc/toroid_wizard/ToroidWizard.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"
#include "tables/ToroidCoreCatalog.h"

namespace {

using NameFn = int (CToroidCoreCatalog::*)(int, std::string&) const;

bool IsListed(const CToroidCoreCatalog& catalog, NameFn pfnName, const std::string& strText) {
    std::string strName;
    for (int i = 0; (catalog.*pfnName)(i, strName) >= 0; ++i) {
        if (strName == strText) {
            return true;
        }
    }
    return false;
}

CCalcOutcome RunToroidSearch(const COptionValues& values, const CLocalTime& time) {
    CToroidCoreCatalog catalog;
    // The wizard's list shows the mixes as "#43"; take either spelling.
    std::string strMix = values.Text("material");
    if (!strMix.empty() && strMix.front() == '#') {
        strMix.erase(0, 1);
    }
    if (values.Has("material") &&
        !IsListed(catalog, &CToroidCoreCatalog::GetMaterialName, strMix)) {
        return FailedOutcome(CCalcOutcome::BadUsage,
                             FormatC("\"%s\" というコア材はカタログにありません。",
                                     values.Text("material").c_str()));
    }
    const std::string& strSize = values.Text("size");
    if (values.Has("size") && !IsListed(catalog, &CToroidCoreCatalog::GetSizeName, strSize)) {
        return FailedOutcome(
            CCalcOutcome::BadUsage,
            FormatC("\"%s\" というコアサイズはカタログにありません。", strSize.c_str()));
    }

    const double dTarget = values.Number("inductance");
    const CToroidSearchResult result = SearchToroidCores(catalog, dTarget, strSize, strMix);

    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "toroid-search")
        .BeginObject("inputs")
        .Number("inductance_uH", dTarget)
        .String("material", strMix)
        .String("size", strSize)
        .EndObject()
        .BeginObject("results")
        .Integer("count", static_cast<long long>(result.m_candidates.size()))
        .BeginArray("cores");
    for (const CToroidCandidate& candidate : result.m_candidates) {
        json.BeginObject()
            .String("name", candidate.m_strName)
            .Number("turns", candidate.m_dTurns)
            .EndObject();
    }
    json.EndArray().EndObject().EndObject();

    return DoneOutcome(ToroidListReport(result.m_strList, time), json.Text());
}

} // namespace

CCalcCommand ToroidSearchCommand() {
    return {"toroid-search",
            "トロイダルコアの選定（ウイザードの全結果リスト）",
            {
                {"inductance", "L", "計画インダクタンス", COptionDef::Number, kToroidMinTarget,
                 kToroidMaxTarget},
                {"material", "MIX", "コア材（例 43 または #43）", COptionDef::Text, 0.0, 0.0, false,
                 COptionDef::CoreMixValue},
                {"size", "CODE", "コアサイズ（例 T-80, FT-82）", COptionDef::Text, 0.0, 0.0, false,
                 COptionDef::CoreSizeValue},
            },
            RunToroidSearch};
}
