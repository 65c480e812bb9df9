#pragma once

// Every calculator dialog and wizard, one line each, for the tests that
// hold for all of them: the layout with the real font, the keyboard after a
// bad value (offscreen and on a real display) and the press on Cancel.
// A new calculator dialog adds its line to CalculatorDialogs() below.

#include "calc/air_coil/AirCoilDlg.h"
#include "calc/air_coil_winding/AirCoilWindingDlg.h"
#include "calc/air_coil_wizard/AirCoilWizardDlg.h"
#include "calc/attenuator_designer/AttenuatorDesignerDlg.h"
#include "calc/ladder_filter/LadderFilterDlg.h"
#include "calc/lc_filter/LcFilterDlg.h"
#include "calc/lmatch/LMatchDlg.h"
#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "calc/toroid_coil/ToroidCoilDlg.h"
#include "calc/toroid_winding/ToroidWindingDlg.h"
#include "calc/toroid_wizard/ToroidWizardDlg.h"
#include "calc/vfo_tank/VfoTankDlg.h"
#include "calc/xtal_filter/XtalFilterDlg.h"
#include "calc/xtal_filter/XtalMeasureDlg.h"
#include "calc/xtal_filter/XtalSortDlg.h"
#include "templates/AirCoilTemplate.h"
#include "templates/AirCoilWindingTemplate.h"
#include "templates/AirCoilWizardTemplate.h"
#include "templates/AttenuatorDesignerTemplate.h"
#include "templates/LMatchTemplate.h"
#include "templates/LadderFilterTemplate.h"
#include "templates/LcFilterTemplate.h"
#include "templates/PiAttenuatorTemplate.h"
#include "templates/ToroidCoilTemplate.h"
#include "templates/ToroidWindingTemplate.h"
#include "templates/ToroidWizardTemplate.h"
#include "templates/VfoTankTemplate.h"
#include "templates/XtalFilterTemplate.h"
#include "templates/XtalMeasureTemplate.h"
#include "templates/XtalSortTemplate.h"

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
    // An input and a value it refuses (not a number, or out of range) with
    // a message; kNoId for a dialog none of whose inputs does.
    int nBadField;
    const char* pszBadValue;
    // Where Enter puts the focus when no input has it; kIdCancel when it
    // leaves the focus where it is (on Cancel, in the tests).
    int nEnterWithoutInput;
    // The designers keep a refused text as typed whatever took the focus
    // away; the calculators write the value held back into the field.
    bool bKeepsRefusedText = false;
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

inline void FillAttenuatorDesigner(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAttenuatorDesignerDlg&>(dialog);
    dlg.m_dImpedance = 50.0;
    dlg.m_dAttenuation = 10.0;
    dlg.m_dPower = 5.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillToroidWinding(CCalcDialog& dialog) {
    auto& dlg = static_cast<CToroidWindingDlg&>(dialog);
    dlg.m_comboCore->setCurrentIndex(dlg.m_comboCore->findText("T-50-2"));
    dlg.m_dTurns = 50.0; // more than one layer holds: the longest result text
    dlg.m_dWireDiameter = 0.5;
    dlg.m_dLead = 25.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillAirCoilWinding(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilWindingDlg&>(dialog);
    dlg.m_dDiameter = 10.0;
    dlg.m_dLength = 20.0;
    dlg.m_dWireDiameter = 1.5;
    dlg.m_dTurns = 15.0; // longer than the coil: the longest result text
    dlg.m_dLead = 0.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

// Two traps on toroids with a power: every figure and list cell filled.
inline void FillLcFilter(CCalcDialog& dialog) {
    auto& dlg = static_cast<CLcFilterDlg&>(dialog);
    dlg.m_nTraps = 2;
    dlg.m_nCore = dlg.m_comboCore->findText("T-50-6");
    dlg.m_dQ = 150.0;
    dlg.m_dPower = 10.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

// The workbench opens with its worked design computed.
inline void FillXtalFilter(CCalcDialog&) {}

inline void FillXtalMeasure(CCalcDialog& dialog) {
    auto& dlg = static_cast<CXtalMeasureDlg&>(dialog);
    dlg.m_dF1 = 10.0;
    dlg.m_dF2 = 10.002313;
    dlg.m_dCs = 33.0;
    dlg.m_dC0 = 3.5;
    dlg.UpdateData(false);
    dlg.Compute();
}

inline void FillXtalSort(CCalcDialog& dialog) {
    auto& dlg = static_cast<CXtalSortDlg&>(dialog);
    dlg.m_strList = "10.000100\n10.000130\n9.999000\n10.000110\n10.000125\n10.000120\n";
    dlg.m_nCountIndex = 2;
    dlg.UpdateData(false);
    dlg.Compute();
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
        {"AttenuatorDesigner", MakeDialog<CAttenuatorDesignerDlg>, FillAttenuatorDesigner,
         kAttAttenuationEdit, "200", kAttImpedanceEdit, true},
        {"LcFilter", MakeDialog<CLcFilterDlg>, FillLcFilter, kLcCutoffEdit, "5000",
         kLcImpedanceEdit, true},
        {"ToroidWinding", MakeDialog<CToroidWindingDlg>, FillToroidWinding, kToroidWindingWireEdit,
         "abc", kToroidWindingCoreCombo, true},
        {"AirCoilWinding", MakeDialog<CAirCoilWindingDlg>, FillAirCoilWinding,
         kAirCoilWindingTurnsEdit, "1e400", kAirCoilWindingDiameterEdit, true},
        {"XtalFilter", MakeDialog<CXtalFilterDlg>, FillXtalFilter, kXtalBandwidthEdit, "0",
         kXtalFrequencyEdit, true},
        {"XtalMeasure", MakeDialog<CXtalMeasureDlg>, FillXtalMeasure, kMeasureF2Edit, "abc",
         kMeasureF1Edit, true},
        // Its one input is the list, whose mistakes are a notice under it,
        // not a message; Enter away from the list picks the set in place.
        {"XtalSort", MakeDialog<CXtalSortDlg>, FillXtalSort, kNoId, "", kIdCancel},
    };
}

inline std::string CaseName(const ::testing::TestParamInfo<CCalculatorCase>& info) {
    return info.param.pszName;
}
