#pragma once

#include "dialogs/CalcDialog.h"
#include "tables/CopperWire.h"
#include "tables/ToroidCoreCatalog.h"
#include "tables/WireGaugeTable.h"

#include <string>

class CUpDownControl;
class QComboBox;
class QLineEdit;

// The toroid winding calculator (template 152): a core of the catalogue, the
// turns, the wire (typed or picked by AWG) and the lead at each end in; the
// inductance, the length of one turn and of the whole wire, its resistance
// and whether the turns fit in one layer out.
class CToroidWindingDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CToroidWindingDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    CUpDownControl* m_spinTurns = nullptr;
    QComboBox* m_comboCore = nullptr;
    QLineEdit* m_editTurns = nullptr;
    QLineEdit* m_editWireDiameter = nullptr;
    QComboBox* m_listGauge = nullptr;
    QLineEdit* m_editLead = nullptr;
    // The core by name: set before the dialog opens to preselect it (the
    // first core when empty or unknown); the selected core after a Compute.
    std::string m_strCore;
    double m_dTurns = 0.0;
    double m_dWireDiameter = 0.0;    // mm
    double m_dLead = kLeadDefaultMm; // mm at each end
    std::string m_strInductance;
    std::string m_strTurnLength;
    std::string m_strWireLength;
    std::string m_strResistance;
    std::string m_strLayer;
    CToroidCoreCatalog m_catalog;
    CWireGaugeTable m_wireTable;
    int m_nFocus = -1; // 0 core, 1 turns, 2 wire, 3 lead, -1 none (Enter goes to the core)

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    void OnGaugeSelected();
    void OnTurnsStep(int nDelta);
};
