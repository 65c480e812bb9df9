#pragma once

#include "dialogs/CalcDialog.h"
#include "tables/ToroidCoreCatalog.h"

#include <string>

class CToroidWizardDlg;
class CUpDownControl;
class QComboBox;
class QLineEdit;

// The toroidal coil calculator (template 136): a core of the catalogue and a
// number of turns in, the core's dimensions and colour and the inductance out.
// Its wizard button opens the core selection wizard.
class CToroidCoilDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CToroidCoilDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();
    // Opens the core selection wizard and takes over its outcome.
    void RunCoreWizard();
    // What the wizard's end option does here, once the wizard ended with OK.
    void TakeWizardOutcome(const CToroidWizardDlg& wizard);

    std::string m_strReport; // appended to the log after OK
    CUpDownControl* m_spinTurns = nullptr;
    QLineEdit* m_editTurns = nullptr;
    QComboBox* m_comboCore = nullptr;
    std::string m_strInductance;
    double m_dTurns = 0.0;
    std::string m_strOuterDiameter;
    std::string m_strInnerDiameter;
    std::string m_strColor;
    std::string m_strThickness;
    CToroidCoreCatalog m_catalog;
    int m_nFocus = 0; // 0 core list, 1 turns, -1 neither (Enter goes to the core list)
    int m_nCoreCount = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    void StepTurns(int nDelta);
    void ShowCurrentCore();
};
