#pragma once

#include "dialogs/DialogTemplate.h"

// Template 160, the crystal filter workbench.
inline constexpr int kXtalFilterTemplateId = 160;
inline constexpr int kXtalFrequencyEdit = 1000;
inline constexpr int kXtalLmEdit = 1001;
inline constexpr int kXtalC0Edit = 1002;
inline constexpr int kXtalQEdit = 1003;
inline constexpr int kXtalCountCombo = 1004;
inline constexpr int kXtalResponseCombo = 1005;
inline constexpr int kXtalRippleEdit = 1006;
inline constexpr int kXtalBandwidthEdit = 1007;
inline constexpr int kXtalPerCrystalCheck = 1008;
inline constexpr int kXtalMeasureButton = 1009;
inline constexpr int kXtalSortButton = 1010;
inline constexpr int kXtalComputeButton = 1011;
inline constexpr int kXtalSetStatic = 1012;
inline constexpr int kXtalMeshList = 1013;
inline constexpr int kXtalNetlistButton = 1014;
inline constexpr int kXtalCsvButton = 1015;
inline constexpr int kXtalChartFrame = 1016;
inline constexpr int kXtalNoticeStatic = 1017;
inline constexpr int kXtalMatchBandwidthCheck = 1018;
// Results, top to bottom.
inline constexpr int kXtalDesignFrequencyStatic = 1020;
inline constexpr int kXtalEndResistanceStatic = 1021;
inline constexpr int kXtalMaxBandwidthStatic = 1022;
inline constexpr int kXtalInsertionLossStatic = 1023;
inline constexpr int kXtalBandwidth3Static = 1024;
inline constexpr int kXtalBandwidth6Static = 1025;
inline constexpr int kXtalBandwidth60Static = 1026;
inline constexpr int kXtalShapeFactorStatic = 1027;
inline constexpr int kXtalRippleStatic = 1028;
inline constexpr int kXtalGroupDelayStatic = 1029;

const CDialogTemplate& XtalFilterTemplate();
