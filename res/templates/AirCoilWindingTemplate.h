#pragma once

#include "dialogs/DialogTemplate.h"

// Template 153, the air-core winding dialog.
inline constexpr int kAirCoilWindingTemplateId = 153;
inline constexpr int kAirCoilWindingDiameterEdit = 1121;
inline constexpr int kAirCoilWindingLengthEdit = 1122;
inline constexpr int kAirCoilWindingWireEdit = 1123;
inline constexpr int kAirCoilWindingGaugeList = 1124;
inline constexpr int kAirCoilWindingTurnsEdit = 1125;
inline constexpr int kAirCoilWindingTurnsUpDown = 1126;
inline constexpr int kAirCoilWindingLeadEdit = 1127;
inline constexpr int kAirCoilWindingComputeButton = 3;
inline constexpr int kAirCoilWindingInductanceStatic = 1130;
inline constexpr int kAirCoilWindingPitchStatic = 1131;
inline constexpr int kAirCoilWindingWireLengthStatic = 1132;
inline constexpr int kAirCoilWindingResistanceStatic = 1133;
inline constexpr int kAirCoilWindingCapacitanceStatic = 1134;
inline constexpr int kAirCoilWindingResonanceStatic = 1135;
inline constexpr int kAirCoilWindingFitStatic = 1136;

const CDialogTemplate& AirCoilWindingTemplate();
