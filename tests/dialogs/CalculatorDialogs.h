#pragma once

// Every calculator dialog and wizard, one line each, for the tests that
// hold for all of them: the layout with the real font, the keyboard after a
// bad value (offscreen and on a real display) and the press on Cancel.
// A new calculator dialog adds its line to CalculatorDialogs() below.

#include "calc/air_coil/AirCoilDlg.h"
#include "calc/air_coil_wizard/AirCoilWizardDlg.h"
#include "calc/ladder_filter/LadderFilterDlg.h"
#include "calc/lmatch/LMatchDlg.h"
#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "calc/toroid_coil/ToroidCoilDlg.h"
#include "calc/toroid_wizard/ToroidWizardDlg.h"
#include "calc/vfo_tank/VfoTankDlg.h"
#include "templates/AirCoilTemplate.h"
#include "templates/AirCoilWizardTemplate.h"
#include "templates/LMatchTemplate.h"
#include "templates/LadderFilterTemplate.h"
#include "templates/PiAttenuatorTemplate.h"
#include "templates/ToroidCoilTemplate.h"
#include "templates/ToroidWizardTemplate.h"
#include "templates/VfoTankTemplate.h"

#include <QComboBox>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct CCalculatorCase {
    const char* pszName;
    std::function<std::unique_ptr<CCalcDialog>()> fnCreate;
    // A worked example, so that every result box shows a result.
    std::function<void(CCalcDialog&)> fnFill;
    // An input and a value it refuses (not a number, or out of range).
    int nBadField;
    const char* pszBadValue;
    // Where Enter puts the focus when no input has it; kIdCancel when it
    // leaves the focus where it is (on Cancel, in the tests).
    int nEnterWithoutInput;
};

inline void PrintTo(const CCalculatorCase& c, std::ostream* pOut) {
    *pOut << c.pszName;
}

template <class TDialog> std::unique_ptr<CCalcDialog> MakeDialog() {
    return std::make_unique<TDialog>();
}

inline void FillPi(CCalcDialog& dialog) {
    auto& dlg = static_cast<CPiAttenuatorDlg&>(dialog);
    dlg.m_dImpedance = 600.0;
    dlg.m_dAttenuation = 20.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillVfo(CCalcDialog& dialog) {
    auto& dlg = static_cast<CVfoTankDlg&>(dialog);
    dlg.m_dFreqMin = 3.5;
    dlg.m_dFreqMax = 7.0;
    dlg.m_dCapMin = 10.0;
    dlg.m_dCapMax = 100.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillLadder(CCalcDialog& dialog) {
    auto& dlg = static_cast<CLadderFilterDlg&>(dialog);
    dlg.m_dFrequency = 10.0;
    dlg.m_dHolderCapacitance = 3.5;
    dlg.m_dBandwidth = 2.4;
    dlg.UpdateData(false);
    dlg.Compute();
}

// One of the seven nine-character cores, the longest names of the list.
inline void FillToroidCoil(CCalcDialog& dialog) {
    auto& dlg = static_cast<CToroidCoilDlg&>(dialog);
    dlg.m_comboCore->setCurrentIndex(dlg.m_comboCore->findText("FT-114-63"));
    dlg.m_dTurns = 20.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillLMatch(CCalcDialog& dialog) {
    auto& dlg = static_cast<CLMatchDlg&>(dialog);
    dlg.m_dFrequency = 10.0;
    dlg.m_dZin = 50.0;
    dlg.m_dZout = 293.37;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillToroidWizard(CCalcDialog& dialog) {
    auto& dlg = static_cast<CToroidWizardDlg&>(dialog);
    dlg.m_dTargetInductance = 10.0;
    dlg.m_bMaterialFilter = 1;
    dlg.UpdateData(false);
    dlg.RunSearch();
}

inline void FillAirCoil(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilDlg&>(dialog);
    dlg.m_dDiameter = 10.0;
    dlg.m_dLength = 20.0;
    dlg.m_dWireDiameter = 0.813;
    dlg.m_dTurns = 20.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillAirCoilWizard(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilWizardDlg&>(dialog);
    dlg.SetCoil(10.0, 20.0, 0.813);
    dlg.m_dTargetInductance = 1.0;
    dlg.UpdateData(false);
    dlg.Solve();
}

inline std::vector<CCalculatorCase> CalculatorDialogs() {
    return {
        {"PiAttenuator", MakeDialog<CPiAttenuatorDlg>, FillPi, kPiImpedanceEdit, "20000",
         kPiImpedanceEdit},
        {"VfoTank", MakeDialog<CVfoTankDlg>, FillVfo, kVfoFreqMinEdit, "abc", kVfoCapMinEdit},
        {"LadderFilter", MakeDialog<CLadderFilterDlg>, FillLadder, kLadderFrequencyEdit, "1e400",
         kIdCancel},
        {"LMatch", MakeDialog<CLMatchDlg>, FillLMatch, kLMatchFrequencyEdit, "3000", kIdCancel},
        {"ToroidCoil", MakeDialog<CToroidCoilDlg>, FillToroidCoil, kToroidTurnsEdit, "x",
         kToroidCoreCombo},
        {"ToroidWizard", MakeDialog<CToroidWizardDlg>, FillToroidWizard, kWizardTargetEdit, "-1",
         kIdCancel},
        {"AirCoil", MakeDialog<CAirCoilDlg>, FillAirCoil, kAirCoilDiameterEdit, "abc",
         kAirCoilDiameterEdit},
        {"AirCoilWizard", MakeDialog<CAirCoilWizardDlg>, FillAirCoilWizard,
         kAirCoilWizardTargetEdit, "1,5", kIdCancel},
    };
}

inline std::string CaseName(const ::testing::TestParamInfo<CCalculatorCase>& info) {
    return info.param.pszName;
}
