#include "calc/toroid_coil/ToroidCoil.h"
#include "calc/toroid_wizard/ToroidWizard.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"
#include "tables/ToroidCoreCatalog.h"
#include "text/NumberInput.h"

namespace {

CCalcOutcome RunToroid(const COptionValues& values, const CLocalTime& time) {
    if (std::optional<CCalcOutcome> misuse =
            RequireOneOf(values, "toroid", "turns", "inductance")) {
        return *misuse;
    }
    const bool bInductance = values.Has("inductance");
    CToroidCoreCatalog catalog;
    const std::string& strCore = values.Text("core");
    if (catalog.FindName(strCore) < 0) {
        return FailedOutcome(CCalcOutcome::BadUsage,
                             FormatC("\"%s\" というコアはカタログにありません。", strCore.c_str()));
    }

    double dTurns = values.Number("turns");
    double dUnroundedTurns = dTurns;
    if (bInductance) {
        // The turns the wizard would hand over for this target.
        dUnroundedTurns = catalog.GetTurns(values.Number("inductance"));
        RoundHandedTurns(dUnroundedTurns, dTurns);
        if (dTurns > kToroidMaxTurns) {
            // The dialog's turns field refuses such a count, so OK could never
            // append this report.
            return FailedOutcome(CCalcOutcome::Refused,
                                 FormatC("%s には %s 回巻く必要があり、巻き数の範囲（0 から 10000 "
                                         "まで）を超えます。",
                                         strCore.c_str(), FormatEditValue(dTurns).c_str()));
        }
    }
    if (dTurns == 0.0) {
        return FailedOutcome(CCalcOutcome::Refused,
                             "巻き数が 0 なのでインダクタンスはありません。");
    }

    const CToroidCoilResult result = ComputeToroidCoil(catalog, dTurns, time);
    CJsonWriter json;
    json.BeginObject().String("calculator", "toroid").BeginObject("inputs").String("core", strCore);
    if (bInductance) {
        json.Number("inductance_uH", values.Number("inductance"));
    } else {
        json.Number("turns", dTurns);
    }
    json.EndObject()
        .BeginObject("results")
        .Number("turns", dTurns)
        .Number("unrounded_turns", dUnroundedTurns)
        .Number("inductance_uH", result.m_dInductance)
        .Number("al_nH", catalog.m_dAL)
        .Number("outer_diameter_mm", catalog.m_dOuterDiameter)
        .Number("inner_diameter_mm", catalog.m_dInnerDiameter)
        .Number("thickness_mm", catalog.m_dHeight)
        .String("color", result.m_strColor)
        .EndObject()
        .EndObject();

    return DoneOutcome(result.m_strReport, json.Text());
}

} // namespace

CCalcCommand ToroidCommand() {
    return {
        "toroid",
        "トロイダルコイルのインダクタンス",
        {
            {"core", "NAME", "コア種類（例 T-50-2, FT-82-43）", COptionDef::Text, 0.0, 0.0, true,
             COptionDef::CoreNameValue},
            {"turns", "N", "巻き数", COptionDef::Number, kToroidMinTurns, kToroidMaxTurns, false},
            {"inductance", "L", "目標インダクタンス（巻き数はウイザードと同じく四捨五入して計算）",
             COptionDef::Number, kToroidMinTarget, kToroidMaxTarget, false},
        },
        RunToroid};
}
