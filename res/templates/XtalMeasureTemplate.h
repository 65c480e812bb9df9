#pragma once

#include "dialogs/DialogTemplate.h"

// Template 161, the crystal measurement from two oscillator frequencies.
inline constexpr int kXtalMeasureTemplateId = 161;
inline constexpr int kMeasureF1Edit = 1000;
inline constexpr int kMeasureF2Edit = 1001;
inline constexpr int kMeasureCsEdit = 1002;
inline constexpr int kMeasureC0Edit = 1003;
inline constexpr int kMeasureComputeButton = 1004;
inline constexpr int kMeasureCmStatic = 1005;
inline constexpr int kMeasureLmStatic = 1006;
inline constexpr int kMeasureFpStatic = 1007;
inline constexpr int kMeasureNoticeStatic = 1008;

const CDialogTemplate& XtalMeasureTemplate();
