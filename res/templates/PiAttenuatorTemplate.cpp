#include "templates/PiAttenuatorTemplate.h"

const CDialogTemplate& PiAttenuatorTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        kPiAttenuatorTemplateId,
        "π型アッテネータの計算",
        "ＭＳ Ｐゴシック",
        9,
        234,
        139,
        {
            {kPiImpedanceEdit, K::Edit, "", 85, 25, 40, 10},
            {kPiAttenuationEdit, K::Edit, "", 85, 45, 40, 10},
            {kPiComputeButton, K::PushButton, "計算", 15, 73, 50, 14},
            {1, K::DefPushButton, "OK", 167, 113, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 167, 93, 50, 14},
            {kPiR1Static, K::Static, "", 50, 95, 80, 10, kCentre | kSunken},
            {kPiR2Static, K::Static, "", 50, 115, 80, 10, kCentre | kSunken},
            {kNoId, K::Static, "インピーダンス（Ω）", 25, 25, 55, 10, kCentre},
            {kNoId, K::Static, "減衰量（ｄｂ）", 30, 45, 40, 10, kCentre},
            {kNoId, K::GroupBox, "計算条件", 15, 10, 125, 55},
            {kNoId, K::Picture, ":/schematics/pi_attenuator.svg", 150, 15, 65, 59, kSunken},
            {kNoId, K::Static, "R1（Ω）", 20, 95, 25, 10},
            {kNoId, K::Static, "R2（Ω）", 20, 115, 25, 10},
        }};
    return dialog;
}
