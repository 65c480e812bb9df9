#pragma once

#include "dialogs/DialogTemplate.h"

// Template 130, the LSB ladder crystal filter dialog.
inline constexpr int kLadderFilterTemplateId = 130;
inline constexpr int kLadderFrequencyEdit = 1000;
inline constexpr int kLadderCapacitanceEdit = 1001;
inline constexpr int kLadderBandwidthEdit = 1002;
inline constexpr int kLadderTableList = 1003;
inline constexpr int kLadderComputeButton = 1004;

const CDialogTemplate& LadderFilterTemplate();
