#pragma once

#include "dialogs/DialogTemplate.h"

// Template 140, the toroidal core selection wizard.
inline constexpr int kToroidWizardTemplateId = 140;
inline constexpr int kWizardTargetEdit = 1012;
inline constexpr int kWizardMaterialCheck = 1031;
inline constexpr int kWizardSizeCheck = 1032;
inline constexpr int kWizardMaterialCombo = 1033;
inline constexpr int kWizardSizeCombo = 1034;
inline constexpr int kWizardSearchButton = 1035;
inline constexpr int kWizardResultCombo = 1036;
inline constexpr int kWizardListAllRadio = 1037; // first of the end options
inline constexpr int kWizardTakeCoreRadio = 1038;
inline constexpr int kWizardNothingRadio = 1039;

const CDialogTemplate& ToroidWizardTemplate();
