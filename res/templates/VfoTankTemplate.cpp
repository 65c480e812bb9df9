#include "templates/VfoTankTemplate.h"

const CDialogTemplate& VfoTankTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kVfoTankTemplateId,
        "ＶＦＯのタンク回路の計算",
        "ＭＳ Ｐゴシック",
        9,
        279,
        235,
        {
            {kVfoFreqMinEdit, K::Edit, "", 60, 25, 50, 12},
            {kVfoFreqMaxEdit, K::Edit, "", 60, 45, 50, 12},
            {kVfoCapMinEdit, K::Edit, "", 60, 95, 50, 12},
            {kVfoCapMaxEdit, K::Edit, "", 60, 115, 50, 12},
            {kVfoComputeButton, K::PushButton, "計算", 150, 90, 50, 44},
            {1, K::DefPushButton, "OK", 215, 180, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 215, 160, 50, 14},
            {kNoId, K::Picture, ":/schematics/vfo_tank.svg", 150, 10, 114, 71, kSunken},
            {kNoId, K::GroupBox, "バリコン ( VC ) に関する条件", 10, 80, 130, 55},
            {kNoId, K::GroupBox, "発振周波数の範囲に関する条件", 10, 10, 130, 55},
            {kNoId, K::Static, "下限周波数", 15, 25, 40, 10},
            {kNoId, K::Static, "上限周波数", 15, 45, 40, 10},
            {kNoId, K::Static, "最小容量", 21, 95, 35, 10},
            {kNoId, K::Static, "最大容量", 21, 115, 35, 10},
            {kNoId, K::Static, "MHz", 114, 25, 15, 10},
            {kNoId, K::Static, "MHz", 114, 45, 15, 10},
            {kNoId, K::Static, "PF", 114, 115, 15, 10},
            {kNoId, K::Static, "PF", 114, 95, 15, 10},
            {kNoId, K::GroupBox, "計算結果", 10, 145, 195, 50},
            {kNoId, K::Static, "コイル容量 ( Ｌ )", 35, 160, 55, 10},
            {kNoId, K::Static, "固定コンデンサ容量 ( Cfix )", 20, 175, 85, 10},
            {kVfoInductanceStatic, K::Static, "", 115, 160, 80, 10, kCentre | kSunken},
            {kVfoFixedCapStatic, K::Static, "", 115, 175, 80, 10, kCentre | kSunken},
            {kVfoNoticeStatic, K::Static, "", 10, 205, 255, 20, kWrap},
        }};
    return dialog;
}
