#pragma once

#include "dialogs/DialogTemplate.h"

// Template 146, the air-core turns wizard.
inline constexpr int kAirCoilWizardTemplateId = 146;
inline constexpr int kAirCoilWizardTargetEdit = 1012;
inline constexpr int kAirCoilWizardSolveButton = 1044;
inline constexpr int kAirCoilWizardDiameterStatic = 1041;
inline constexpr int kAirCoilWizardWireStatic = 1042;
inline constexpr int kAirCoilWizardLengthStatic = 1043;
inline constexpr int kAirCoilWizardTurnsStatic = 1045;

const CDialogTemplate& AirCoilWizardTemplate();
