#include "templates/XtalSortTemplate.h"

const CDialogTemplate& XtalSortTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kXtalSortTemplateId,
        "水晶の選別",
        "ＭＳ Ｐゴシック",
        9,
        304,
        240,
        {
            {kSortListFrame, K::Static, "", 8, 18, 124, 178, kSunken | kWrap},
            {kSortFileButton, K::PushButton, "ファイルから読む…", 8, 200, 124, 15},
            {kSortCountCombo, K::DropDownList, "", 190, 18, 42, 100},
            {kSortComputeButton, K::PushButton, "計算", 240, 16, 56, 15},
            {kSortResultList, K::ListView, "", 140, 38, 156, 100},
            {kSortUseMeanRadio, K::RadioButton, "平均の周波数で", 148, 196, 84, 11, kGroup},
            {kSortUseEachRadio, K::RadioButton, "個々の周波数で", 148, 210, 84, 11},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 242, 200, 54, 14},
            {1, K::DefPushButton, "OK", 242, 218, 54, 14},
            {kNoId, K::Static, "測定した周波数 (1 行に 1 個)", 8, 6, 124, 10, kVCentre},
            {kNoId, K::Static, "選ぶ個数", 140, 18, 46, 12, kVCentre},
            {kNoId, K::Static, "ばらつき", 140, 143, 46, 11, kVCentre},
            {kNoId, K::Static, "平均", 140, 156, 46, 11, kVCentre},
            {kSortSpreadStatic, K::Static, "", 190, 143, 106, 11, kCentre | kSunken},
            {kSortMeanStatic, K::Static, "", 190, 156, 106, 11, kCentre | kSunken},
            {kSortNoticeStatic, K::Static, "", 140, 168, 156, 16, kWrap},
            {kNoId, K::GroupBox, "設計に使う", 140, 186, 96, 40},
        }};
    return dialog;
}
