#include "templates/XtalMeasureTemplate.h"

const CDialogTemplate& XtalMeasureTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kXtalMeasureTemplateId,
        "水晶の測定 (G3UUR)",
        "ＭＳ Ｐゴシック",
        9,
        252,
        202,
        {
            {kMeasureF1Edit, K::Edit, "", 100, 20, 54, 12},
            {kMeasureF2Edit, K::Edit, "", 100, 36, 54, 12},
            {kMeasureCsEdit, K::Edit, "", 100, 52, 54, 12},
            {kMeasureC0Edit, K::Edit, "", 100, 68, 54, 12},
            {kMeasureComputeButton, K::PushButton, "計算", 168, 12, 76, 15},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 168, 140, 76, 14},
            {1, K::DefPushButton, "OK", 168, 158, 76, 14},
            {kMeasureNoticeStatic, K::Static, "", 8, 176, 236, 20, kWrap},
            {kNoId, K::GroupBox, "測定値", 8, 6, 154, 82},
            {kNoId, K::Static, "f1 Cs 短絡 (MHz)", 16, 20, 82, 12, kVCentre},
            {kNoId, K::Static, "f2 Cs 直列 (MHz)", 16, 36, 82, 12, kVCentre},
            {kNoId, K::Static, "Cs (pF)", 16, 52, 82, 12, kVCentre},
            {kNoId, K::Static, "C0 (pF)", 16, 68, 82, 12, kVCentre},
            {kNoId, K::Static,
             "f1 は Cs を短絡したとき、f2 は Cs を水晶と直列に入れたときの発振周波数です。", 8, 94,
             236, 20, kWrap},
            {kNoId, K::GroupBox, "計算結果", 8, 118, 154, 54},
            {kNoId, K::Static, "モーショナル C (Cm)", 16, 131, 70, 11, kVCentre},
            {kNoId, K::Static, "モーショナル L (Lm)", 16, 144, 70, 11, kVCentre},
            {kNoId, K::Static, "並列共振 (fp)", 16, 157, 70, 11, kVCentre},
            {kMeasureCmStatic, K::Static, "", 88, 131, 66, 11, kCentre | kSunken},
            {kMeasureLmStatic, K::Static, "", 88, 144, 66, 11, kCentre | kSunken},
            {kMeasureFpStatic, K::Static, "", 88, 157, 66, 11, kCentre | kSunken},
        }};
    return dialog;
}
