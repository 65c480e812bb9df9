#pragma once

#include "dialogs/DialogTemplate.h"

// Template 145, the VFO tank circuit dialog.
inline constexpr int kVfoTankTemplateId = 145;
inline constexpr int kVfoFreqMinEdit = 1029;
inline constexpr int kVfoFreqMaxEdit = 1013;
inline constexpr int kVfoCapMinEdit = 1014;
inline constexpr int kVfoCapMaxEdit = 1015;
inline constexpr int kVfoComputeButton = 3;
inline constexpr int kVfoInductanceStatic = 1027;
inline constexpr int kVfoFixedCapStatic = 1028;
inline constexpr int kVfoNoticeStatic = 1030;

const CDialogTemplate& VfoTankTemplate();
