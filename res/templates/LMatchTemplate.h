#pragma once

#include "dialogs/DialogTemplate.h"

// Template 135, the L-match dialog.
inline constexpr int kLMatchTemplateId = 135;
inline constexpr int kLMatchFrequencyEdit = 1000;
inline constexpr int kLMatchZinEdit = 1006;
inline constexpr int kLMatchZoutEdit = 1007;
inline constexpr int kLMatchInductorStatic = 1008;
inline constexpr int kLMatchCapacitorStatic = 1009;
inline constexpr int kLMatchComputeButton = 1010;

const CDialogTemplate& LMatchTemplate();
