#pragma once

#include "dialogs/DialogTemplate.h"

// Template 137, the air-core coil dialog.
inline constexpr int kAirCoilTemplateId = 137;
inline constexpr int kAirCoilDiameterEdit = 1021;
inline constexpr int kAirCoilLengthEdit = 1013;
inline constexpr int kAirCoilWireEdit = 1016;
inline constexpr int kAirCoilGaugeList = 1038;
inline constexpr int kAirCoilTurnsEdit = 1014;
inline constexpr int kAirCoilTurnsUpDown = 1046;
inline constexpr int kAirCoilWizardButton = 1040;
inline constexpr int kAirCoilComputeButton = 3;
inline constexpr int kAirCoilInductanceStatic = 1020;

const CDialogTemplate& AirCoilTemplate();
