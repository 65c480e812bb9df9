#include "templates/ToroidWizardTemplate.h"

const CDialogTemplate& ToroidWizardTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kToroidWizardTemplateId,
        "トロイダルコイルの選定・検索・計算ウイザード",
        "ＭＳ Ｐゴシック",
        9,
        299,
        225,
        {
            {kWizardTargetEdit, K::Edit, "", 35, 45, 65, 11},
            {kWizardMaterialCheck, K::CheckBox, "コア材を指定する", 35, 80, 65, 10},
            {kWizardMaterialCombo, K::DropDownList, "", 35, 96, 65, 60, kDisabled},
            {kWizardSizeCheck, K::CheckBox, "コアサイズを指定する", 35, 135, 75, 10},
            {kWizardSizeCombo, K::DropDownList, "", 35, 151, 65, 60, kDisabled},
            {kWizardSearchButton, K::PushButton, "選定・検索・計算実行", 141, 15, 145, 15},
            {kWizardResultCombo, K::DropDown, "", 157, 60, 114, 140},
            {kWizardListAllRadio, K::RadioButton, "全部の結果をリスト出力する", 150, 120, 125, 10,
             kGroup},
            {kWizardTakeCoreRadio, K::RadioButton, "選択されたコアを計算に反映する", 150, 140, 125,
             10},
            {kWizardNothingRadio, K::RadioButton, "何もしないで終了する", 150, 160, 125, 10},
            {1, K::DefPushButton, "選定・検索・計算ウイザード終了", 140, 200, 145, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 80, 200, 50, 14},
            {kNoId, K::Static, "計画インダクタンス(μH)", 35, 30, 75, 8},
            {kNoId, K::GroupBox, "コイルの検索条件", 10, 10, 120, 175},
            {kNoId, K::GroupBox, "検索結果", 141, 40, 145, 45},
            {kNoId, K::GroupBox, "終了オプション", 140, 100, 145, 85},
        }};
    return dialog;
}
