#pragma once

#include "dialogs/DialogTemplate.h"

// Template 162, picking a matched set from a batch of measured crystals.
inline constexpr int kXtalSortTemplateId = 162;
inline constexpr int kSortListFrame = 1000;
inline constexpr int kSortFileButton = 1001;
inline constexpr int kSortCountCombo = 1002;
inline constexpr int kSortComputeButton = 1003;
inline constexpr int kSortResultList = 1004;
inline constexpr int kSortSpreadStatic = 1005;
inline constexpr int kSortMeanStatic = 1006;
inline constexpr int kSortNoticeStatic = 1007;
inline constexpr int kSortUseMeanRadio = 1008;
inline constexpr int kSortUseEachRadio = 1009;

const CDialogTemplate& XtalSortTemplate();
