#include "templates/LadderFilterTemplate.h"

const CDialogTemplate& LadderFilterTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kLadderFilterTemplateId,
        "ＬＳＢ型ラダークリスタルフィルターの計算",
        "ＭＳ Ｐゴシック",
        9,
        295,
        285,
        {
            {kLadderFrequencyEdit, K::Edit, "", 110, 25, 40, 10},
            {kLadderCapacitanceEdit, K::Edit, "", 110, 45, 40, 10},
            {kLadderBandwidthEdit, K::Edit, "", 110, 65, 40, 10},
            {kLadderComputeButton, K::PushButton, "計算", 170, 95, 55, 15},
            {1, K::DefPushButton, "OK", 230, 260, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 170, 260, 50, 14},
            {kLadderTableList, K::ListView, "", 10, 120, 270, 130},
            {kNoId, K::GroupBox, "計算条件入力", 10, 10, 150, 100},
            {kNoId, K::Static, "クリスタルの周波数(MHz)", 20, 25, 80, 8, kVCentre},
            {kNoId, K::Static, "クリスタルの端子間容量(PF)", 20, 45, 85, 8, kVCentre},
            {kNoId, K::Static, "必要とする帯域幅(kHz)", 20, 65, 80, 8, kVCentre},
            {kNoId, K::Static, "クリスタルの端子間容量が不明の時は\n3PF～5PF の値を与えて下さい。",
             25, 85, 120, 20},
            {kNoId, K::Picture, ":/schematics/ladder_filter.svg", 170, 15, 112, 66, kSunken},
        }};
    return dialog;
}
