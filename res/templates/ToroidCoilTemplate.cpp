#include "templates/ToroidCoilTemplate.h"

const CDialogTemplate& ToroidCoilTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kToroidCoilTemplateId,
        "トロイダルコイルの計算",
        "ＭＳ Ｐゴシック",
        9,
        235,
        169,
        {
            {kToroidCoreCombo, K::DropDownList, "", 50, 55, 46, 75},
            {kToroidTurnsEdit, K::Edit, "", 50, 80, 46, 11},
            {kToroidTurnsSpin, K::UpDown, "", 95, 90, 9, 10, kAlignRight},
            {kToroidComputeButton, K::PushButton, "計算", 20, 115, 75, 13},
            {1, K::DefPushButton, "OK", 170, 140, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 115, 140, 50, 14},
            {kNoId, K::Static, "コア種類", 20, 55, 25, 10},
            {kNoId, K::Static, "巻き数", 20, 80, 20, 10},
            // The field beside it shows the inductance; the label has always read so.
            {kNoId, K::Static, "容量", 15, 143, 15, 10},
            {kNoId, K::Static, "内径", 135, 45, 15, 10},
            {kNoId, K::Static, "外径", 135, 25, 15, 10},
            {kNoId, K::Static, "厚み", 135, 65, 15, 10},
            {kNoId, K::Static, "色", 140, 85, 10, 10},
            {kToroidInductanceStatic, K::Static, "", 35, 141, 65, 11, kCentre | kSunken},
            {kToroidInnerStatic, K::Static, "", 160, 45, 50, 10, kCentre | kSunken},
            {kToroidOuterStatic, K::Static, "", 160, 27, 50, 10, kCentre | kSunken},
            {kToroidThicknessStatic, K::Static, "", 160, 65, 50, 10, kCentre | kSunken},
            {kToroidColorStatic, K::Static, "", 160, 85, 50, 10, kCentre | kSunken},
            {kNoId, K::GroupBox, "計算条件", 10, 10, 95, 95},
            {kNoId, K::GroupBox, "トロイダルコア寸法", 120, 10, 100, 95},
            {kToroidWizardButton, K::PushButton, "選定ウイザード", 20, 30, 75, 13},
        }};
    return dialog;
}
