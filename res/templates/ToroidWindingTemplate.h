#pragma once

#include "dialogs/DialogTemplate.h"

// Template 152, the toroid winding dialog.
inline constexpr int kToroidWindingTemplateId = 152;
inline constexpr int kToroidWindingCoreCombo = 1101;
inline constexpr int kToroidWindingTurnsEdit = 1102;
inline constexpr int kToroidWindingTurnsUpDown = 1103;
inline constexpr int kToroidWindingWireEdit = 1104;
inline constexpr int kToroidWindingGaugeList = 1105;
inline constexpr int kToroidWindingLeadEdit = 1106;
inline constexpr int kToroidWindingComputeButton = 3;
inline constexpr int kToroidWindingInductanceStatic = 1110;
inline constexpr int kToroidWindingTurnLengthStatic = 1111;
inline constexpr int kToroidWindingWireLengthStatic = 1112;
inline constexpr int kToroidWindingResistanceStatic = 1113;
inline constexpr int kToroidWindingLayerStatic = 1114;

const CDialogTemplate& ToroidWindingTemplate();
