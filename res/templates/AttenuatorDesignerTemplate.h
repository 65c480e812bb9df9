#pragma once

#include "dialogs/DialogTemplate.h"

// Template 150, the attenuator designer.
inline constexpr int kAttenuatorTemplateId = 150;
inline constexpr int kAttImpedanceEdit = 1050;
inline constexpr int kAttAttenuationEdit = 1051;
inline constexpr int kAttPowerEdit = 1052;
inline constexpr int kAttSeriesCombo = 1053;
inline constexpr int kAttPiRadio = 1054; // first of the topology group: π, T, bridged T
inline constexpr int kAttTRadio = 1055;
inline constexpr int kAttBridgedTRadio = 1056;
inline constexpr int kAttComputeButton = 1057;
inline constexpr int kAttResistorList = 1058;
inline constexpr int kAttAttenuationStatic = 1059;
inline constexpr int kAttReturnLossStatic = 1060;
inline constexpr int kAttVswrStatic = 1061;
inline constexpr int kAttLoadPowerStatic = 1062;
inline constexpr int kAttSchematicPicture = 1063;

const CDialogTemplate& AttenuatorDesignerTemplate();
