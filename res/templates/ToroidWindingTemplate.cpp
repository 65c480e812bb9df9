#include "templates/ToroidWindingTemplate.h"

const CDialogTemplate& ToroidWindingTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kToroidWindingTemplateId,
        "トロイダルコイルの巻線",
        "ＭＳ Ｐゴシック",
        9,
        320,
        180,
        {
            {kToroidWindingCoreCombo, K::DropDownList, "", 80, 25, 57, 100},
            {kToroidWindingTurnsEdit, K::Edit, "", 80, 43, 57, 12},
            {kToroidWindingTurnsUpDown, K::UpDown, "", 127, 43, 10, 12, kAlignRight},
            {kToroidWindingWireEdit, K::Edit, "", 80, 61, 57, 12},
            {kToroidWindingGaugeList, K::DropDownList, "", 25, 92, 112, 80},
            {kToroidWindingLeadEdit, K::Edit, "", 80, 111, 57, 12},
            {kToroidWindingComputeButton, K::PushButton, "計算", 80, 140, 57, 14},
            {1, K::DefPushButton, "OK", 260, 155, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 205, 155, 50, 14},
            {kNoId, K::Static, "コア種類", 20, 27, 55, 10},
            {kNoId, K::Static, "巻き数", 20, 45, 55, 10},
            {kNoId, K::Static, "線材直径(mm)", 20, 63, 55, 10},
            {kNoId, K::Static, "ＡＷＧ番号から線材を選択する。", 20, 80, 117, 10},
            {kNoId, K::Static, "リード線 片側(mm)", 20, 113, 58, 10},
            {kNoId, K::Static, "インダクタンス", 163, 26, 75, 10},
            {kNoId, K::Static, "１回巻きの長さ", 163, 42, 75, 10},
            {kNoId, K::Static, "線の長さ", 163, 58, 75, 10},
            {kNoId, K::Static, "直流抵抗", 163, 74, 75, 10},
            {kNoId, K::Static, "一層巻き", 163, 92, 75, 10},
            {kToroidWindingInductanceStatic, K::Static, "", 240, 25, 62, 10, kCentre | kSunken},
            {kToroidWindingTurnLengthStatic, K::Static, "", 240, 41, 62, 10, kCentre | kSunken},
            {kToroidWindingWireLengthStatic, K::Static, "", 240, 57, 62, 10, kCentre | kSunken},
            {kToroidWindingResistanceStatic, K::Static, "", 240, 73, 62, 10, kCentre | kSunken},
            {kToroidWindingLayerStatic, K::Static, "", 163, 104, 139, 10, kCentre | kSunken},
            {kNoId, K::GroupBox, "計算条件", 10, 10, 135, 160},
            {kNoId, K::GroupBox, "計算結果", 155, 10, 155, 112},
        }};
    return dialog;
}
