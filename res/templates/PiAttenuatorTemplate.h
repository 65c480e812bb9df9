#pragma once

#include "dialogs/DialogTemplate.h"

// Template 138, the pi attenuator dialog.
inline constexpr int kPiAttenuatorTemplateId = 138;
inline constexpr int kPiImpedanceEdit = 1022;
inline constexpr int kPiAttenuationEdit = 1023;
inline constexpr int kPiComputeButton = 3;
inline constexpr int kPiR1Static = 1024;
inline constexpr int kPiR2Static = 1025;

const CDialogTemplate& PiAttenuatorTemplate();
