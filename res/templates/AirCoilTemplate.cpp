#include "templates/AirCoilTemplate.h"

const CDialogTemplate& AirCoilTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kAirCoilTemplateId,
        "空芯コイルの計算",
        "ＭＳ Ｐゴシック",
        9,
        254,
        175,
        {
            {kAirCoilDiameterEdit, K::Edit, "", 74, 29, 51, 12},
            {kAirCoilLengthEdit, K::Edit, "", 74, 49, 51, 11},
            {kAirCoilWireEdit, K::Edit, "", 75, 70, 51, 11},
            {kAirCoilGaugeList, K::DropDownList, "", 35, 100, 90, 60},
            {kAirCoilTurnsEdit, K::Edit, "", 74, 129, 51, 12},
            {kAirCoilTurnsUpDown, K::UpDown, "", 125, 136, 10, 10, kAlignRight},
            {kAirCoilWizardButton, K::PushButton, "選定ウイザード", 175, 60, 60, 15, kDisabled},
            {kAirCoilComputeButton, K::PushButton, "計算", 175, 80, 60, 14},
            {1, K::DefPushButton, "OK", 185, 140, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 185, 120, 50, 14},
            {kAirCoilInductanceStatic, K::Static, "", 161, 30, 65, 10, kCentre | kSunken},
            {kNoId, K::Static, "コイル内径(mm)", 20, 30, 50, 10},
            {kNoId, K::Static, "コイル長さ(mm)", 20, 50, 50, 10},
            {kNoId, K::Static, "線材直径(mm)", 25, 71, 45, 10},
            {kNoId, K::Static, "ＡＷＧ番号から線材を選択する。", 36, 90, 95, 10},
            {kNoId, K::Static, "コイル巻数", 25, 131, 45, 10},
            {kNoId, K::GroupBox, "計算条件", 10, 10, 130, 145},
            {kNoId, K::GroupBox, "インダクタンス", 150, 10, 85, 40},
        }};
    return dialog;
}
