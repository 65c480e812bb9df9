#include "templates/AirCoilWizardTemplate.h"

const CDialogTemplate& AirCoilWizardTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kAirCoilWizardTemplateId,
        "空芯コイルの巻数選定ウイザード",
        "ＭＳ Ｐゴシック",
        9,
        234,
        155,
        {
            {kAirCoilWizardTargetEdit, K::Edit, "", 165, 25, 50, 11},
            {kAirCoilWizardSolveButton, K::PushButton, "選定計算", 165, 45, 50, 15},
            {1, K::DefPushButton, "OK", 166, 125, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 110, 125, 50, 14},
            {kNoId, K::Static, "コイル内径(mm)", 21, 30, 50, 10},
            {kNoId, K::Static, "コイル長さ(mm)", 20, 55, 50, 10},
            {kNoId, K::Static, "必要となるコイル巻数", 155, 70, 65, 10},
            {kNoId, K::Static, "線材直径(mm)", 25, 80, 45, 10},
            {kAirCoilWizardDiameterStatic, K::Static, "", 81, 30, 50, 10, kCentre | kSunken},
            {kAirCoilWizardWireStatic, K::Static, "", 81, 80, 50, 10, kCentre | kSunken},
            {kAirCoilWizardLengthStatic, K::Static, "", 80, 55, 50, 10, kCentre | kSunken},
            {kNoId, K::GroupBox, "コイルの計算条件", 10, 10, 135, 95},
            {kNoId, K::Static, "目標インダクタンス(μH)", 150, 10, 75, 10},
            {kAirCoilWizardTurnsStatic, K::Static, "", 165, 85, 50, 10, kCentre | kSunken},
        }};
    return dialog;
}
