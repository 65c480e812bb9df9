#pragma once

#include "dialogs/DialogTemplate.h"

// Template 163, the LC filter designer.
inline constexpr int kLcFilterTemplateId = 163;
inline constexpr int kLcLowPassRadio = 1140; // first of the type group: low-pass, high-pass
inline constexpr int kLcHighPassRadio = 1141;
inline constexpr int kLcResponseCombo = 1142;
inline constexpr int kLcOrderCombo = 1143;
inline constexpr int kLcCapacitorFirstRadio = 1144; // first of the group: capacitor, inductor
inline constexpr int kLcInductorFirstRadio = 1145;
inline constexpr int kLcImpedanceEdit = 1146;
inline constexpr int kLcCutoffEdit = 1147;
inline constexpr int kLcRippleEdit = 1148;
inline constexpr int kLcSwrEdit = 1149;
inline constexpr int kLcOuterEdit = 1150;
inline constexpr int kLcInnerEdit = 1151;
inline constexpr int kLcBandLowEdit = 1152;
inline constexpr int kLcBandHighEdit = 1153;
inline constexpr int kLcTrapsCombo = 1154;
inline constexpr int kLcSeriesCombo = 1155;
inline constexpr int kLcCoreCombo = 1156;
inline constexpr int kLcQEdit = 1157;
inline constexpr int kLcCheck1Edit = 1158;
inline constexpr int kLcCheck2Edit = 1159;
inline constexpr int kLcPowerEdit = 1160;
inline constexpr int kLcHarmonicEdit = 1161;
inline constexpr int kLcComputeButton = 1162;
inline constexpr int kLcNoticeStatic = 1163;
inline constexpr int kLcSchematicPicture = 1164;
inline constexpr int kLcCandidateList = 1165;
inline constexpr int kLcChartFrame = 1166;
inline constexpr int kLcPartList = 1167;
inline constexpr int kLcNetlistButton = 1168;
inline constexpr int kLcCsvButton = 1169;
inline constexpr int kLcWindingButton = 1170;
// The figures, ideal then built, row by row: band SWR, band loss, 3 dB
// frequency, attenuation at f1 and f2, harmonic after the filter at f1, f2
// (built only: the ideal filter takes the harmonics away whole).
inline constexpr int kLcFigureRows = 7;
inline constexpr int kLcIdealFigureStatic = 1171; // .. 1177
inline constexpr int kLcBuiltFigureStatic = 1178; // .. 1184

const CDialogTemplate& LcFilterTemplate();
