#include "templates/LMatchTemplate.h"

const CDialogTemplate& LMatchTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kLMatchTemplateId,
        "Ｌ型マッチング回路の計算",
        "ＭＳ Ｐゴシック",
        9,
        291,
        149,
        {
            {kLMatchFrequencyEdit, K::Edit, "", 120, 30, 40, 10},
            {kLMatchZinEdit, K::Edit, "", 120, 50, 40, 10},
            {kLMatchZoutEdit, K::Edit, "", 120, 70, 40, 10},
            {kLMatchComputeButton, K::PushButton, "計算", 15, 125, 50, 14},
            {1, K::DefPushButton, "OK", 230, 125, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 175, 125, 50, 14},
            {kLMatchInductorStatic, K::Static, "", 190, 90, 85, 10, kCentre | kVCentre | kSunken},
            {kLMatchCapacitorStatic, K::Static, "", 190, 105, 85, 10, kCentre | kVCentre | kSunken},
            {kNoId, K::GroupBox, "計算条件入力", 15, 10, 160, 105},
            {kNoId, K::Static, "周波数(MHz)", 50, 30, 40, 10},
            {kNoId, K::Static, "入力インピーダンス Zin(Ω)", 25, 50, 85, 10},
            {kNoId, K::Static, "出力インピーダンス Zout(Ω)", 25, 70, 85, 10},
            {kNoId, K::Static, "Zin < Zout  となるように設定して下さい。", 35, 95, 120, 10},
            {kNoId, K::Picture, ":/schematics/lmatch.svg", 190, 15, 88, 66, kSunken},
        }};
    return dialog;
}
