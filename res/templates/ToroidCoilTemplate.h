#pragma once

#include "dialogs/DialogTemplate.h"

// Template 136, the toroidal coil calculator.
inline constexpr int kToroidCoilTemplateId = 136;
inline constexpr int kToroidTurnsEdit = 1012;
inline constexpr int kToroidTurnsSpin = 1013;
inline constexpr int kToroidCoreCombo = 1014;
inline constexpr int kToroidComputeButton = 1010;
inline constexpr int kToroidWizardButton = 1011;
inline constexpr int kToroidInductanceStatic = 1015;
inline constexpr int kToroidInnerStatic = 1016;
inline constexpr int kToroidOuterStatic = 1017;
inline constexpr int kToroidThicknessStatic = 1018;
inline constexpr int kToroidColorStatic = 1019;

const CDialogTemplate& ToroidCoilTemplate();
