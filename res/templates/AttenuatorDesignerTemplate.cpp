#include "templates/AttenuatorDesignerTemplate.h"

const CDialogTemplate& AttenuatorDesignerTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kAttenuatorTemplateId,
        "抵抗アッテネータの設計",
        "ＭＳ Ｐゴシック",
        9,
        330,
        250,
        {
            {kAttImpedanceEdit, K::Edit, "", 95, 21, 55, 12},
            {kAttAttenuationEdit, K::Edit, "", 95, 39, 55, 12},
            {kAttPowerEdit, K::Edit, "", 95, 57, 55, 12},
            {kAttSeriesCombo, K::DropDownList, "", 95, 75, 55, 100},
            {kAttPiRadio, K::RadioButton, "π型", 55, 94, 36, 11, kGroup},
            {kAttTRadio, K::RadioButton, "T型", 93, 94, 36, 11},
            {kAttBridgedTRadio, K::RadioButton, "橋絡T型", 131, 94, 52, 11},
            {kAttComputeButton, K::PushButton, "計算", 205, 102, 50, 14},
            {1, K::DefPushButton, "OK", 270, 226, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 270, 206, 50, 14},
            {kAttResistorList, K::ListView, "", 10, 132, 310, 66},
            {kAttAttenuationStatic, K::Static, "", 85, 207, 50, 11, kCentre | kSunken},
            {kAttReturnLossStatic, K::Static, "", 210, 207, 50, 11, kCentre | kSunken},
            {kAttVswrStatic, K::Static, "", 85, 227, 50, 11, kCentre | kSunken},
            {kAttLoadPowerStatic, K::Static, "", 210, 227, 50, 11, kCentre | kSunken},
            {kNoId, K::Static, "インピーダンス（Ω）", 18, 22, 72, 10, kVCentre},
            {kNoId, K::Static, "減衰量（dB）", 18, 40, 72, 10, kVCentre},
            {kNoId, K::Static, "入力電力（W）", 18, 58, 72, 10, kVCentre},
            {kNoId, K::Static, "抵抗の系列", 18, 76, 72, 10, kVCentre},
            {kNoId, K::Static, "形式", 18, 94, 30, 10, kVCentre},
            {kNoId, K::Static, "入力電力 0 では電力を計算しません。", 18, 110, 170, 10, kVCentre},
            {kNoId, K::GroupBox, "計算条件", 10, 8, 185, 118},
            {kAttSchematicPicture, K::Picture, ":/schematics/attenuator_pi.svg", 205, 12, 115, 80,
             kSunken},
            {kNoId, K::Static, "実際の減衰量（dB）", 10, 208, 72, 10, kVCentre},
            {kNoId, K::Static, "リターンロス（dB）", 140, 208, 68, 10, kVCentre},
            {kNoId, K::Static, "VSWR", 10, 228, 72, 10, kVCentre},
            {kNoId, K::Static, "負荷の電力（W）", 140, 228, 68, 10, kVCentre},
        }};
    return dialog;
}
