#include "templates/AirCoilWindingTemplate.h"

const CDialogTemplate& AirCoilWindingTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kAirCoilWindingTemplateId,
        "空芯コイルの巻線",
        "ＭＳ Ｐゴシック",
        9,
        320,
        200,
        {
            {kAirCoilWindingDiameterEdit, K::Edit, "", 80, 25, 57, 12},
            {kAirCoilWindingLengthEdit, K::Edit, "", 80, 43, 57, 12},
            {kAirCoilWindingWireEdit, K::Edit, "", 80, 61, 57, 12},
            {kAirCoilWindingGaugeList, K::DropDownList, "", 25, 92, 112, 80},
            {kAirCoilWindingTurnsEdit, K::Edit, "", 80, 111, 57, 12},
            {kAirCoilWindingTurnsUpDown, K::UpDown, "", 127, 111, 10, 12, kAlignRight},
            {kAirCoilWindingLeadEdit, K::Edit, "", 80, 129, 57, 12},
            {kAirCoilWindingComputeButton, K::PushButton, "計算", 80, 158, 57, 14},
            {1, K::DefPushButton, "OK", 260, 175, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 205, 175, 50, 14},
            {kNoId, K::Static, "コイル内径(mm)", 20, 27, 55, 10},
            {kNoId, K::Static, "コイル長さ(mm)", 20, 45, 55, 10},
            {kNoId, K::Static, "線材直径(mm)", 20, 63, 55, 10},
            {kNoId, K::Static, "ＡＷＧ番号から線材を選択する。", 20, 80, 117, 10},
            {kNoId, K::Static, "コイル巻数", 20, 113, 55, 10},
            {kNoId, K::Static, "リード線 片側(mm)", 20, 131, 58, 10},
            {kNoId, K::Static, "インダクタンス", 163, 26, 75, 10},
            {kNoId, K::Static, "ピッチ", 163, 42, 75, 10},
            {kNoId, K::Static, "線の長さ", 163, 58, 75, 10},
            {kNoId, K::Static, "直流抵抗", 163, 74, 75, 10},
            {kNoId, K::Static, "自己容量", 163, 90, 75, 10},
            {kNoId, K::Static, "自己共振周波数（目安）", 163, 106, 75, 10},
            {kNoId, K::Static, "巻き幅", 163, 124, 75, 10},
            {kAirCoilWindingInductanceStatic, K::Static, "", 240, 25, 62, 10, kCentre | kSunken},
            {kAirCoilWindingPitchStatic, K::Static, "", 240, 41, 62, 10, kCentre | kSunken},
            {kAirCoilWindingWireLengthStatic, K::Static, "", 240, 57, 62, 10, kCentre | kSunken},
            {kAirCoilWindingResistanceStatic, K::Static, "", 240, 73, 62, 10, kCentre | kSunken},
            {kAirCoilWindingCapacitanceStatic, K::Static, "", 240, 89, 62, 10, kCentre | kSunken},
            {kAirCoilWindingResonanceStatic, K::Static, "", 240, 105, 62, 10, kCentre | kSunken},
            {kAirCoilWindingFitStatic, K::Static, "", 163, 136, 139, 10, kCentre | kSunken},
            {kNoId, K::GroupBox, "計算条件", 10, 10, 135, 170},
            {kNoId, K::GroupBox, "計算結果", 155, 10, 155, 144},
        }};
    return dialog;
}
