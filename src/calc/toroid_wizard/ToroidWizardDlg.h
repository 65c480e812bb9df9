#pragma once

#include "dialogs/CalcDialog.h"
#include "tables/ToroidCoreCatalog.h"

#include <string>

class QComboBox;

// The core selection wizard (template 140): lists every catalogue core that
// passes the material and size filters with the turns a planned inductance
// needs. The toroidal coil calculator reads the outcome after OK.
class CToroidWizardDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CToroidWizardDlg(QWidget* pParent = nullptr);

    // Searches with the fields as they stand and picks the first result.
    void RunSearch();
    // Makes the selected result line the picked core.
    void SelectResultCore();

    // The outcome.
    double m_dSelectedTurns = 0.0; // turns on the picked core, unrounded
    std::string m_strSelectedName; // empty: no core picked
    std::string m_strList;         // target line and every result line

    QComboBox* m_comboResult = nullptr;
    QComboBox* m_comboSize = nullptr;
    QComboBox* m_comboMaterial = nullptr;
    double m_dTargetInductance = 0.0; // µH
    int m_bSizeFilter = 0;
    int m_bMaterialFilter = 0;
    int m_nEndOption = 0; // 0 list everything, 1 take the picked core over, 2 nothing
    CToroidCoreCatalog m_catalog;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override { RunSearch(); }
};
