#pragma once

#include "dialogs/CalcDialog.h"
#include "tables/WireGaugeTable.h"

#include <string>

class CUpDownControl;
class QComboBox;
class QLineEdit;
class QPushButton;

// The air-core coil calculator (template 137): inner diameter, length, wire
// (typed or picked by AWG) and turns in, the inductance out. Its wizard
// button solves for the turns that give a target inductance.
class CAirCoilDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CAirCoilDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the inductance and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    CUpDownControl* m_spinTurns = nullptr;
    QPushButton* m_buttonWizard = nullptr;
    QComboBox* m_listGauge = nullptr;
    QLineEdit* m_editWireDiameter = nullptr;
    QLineEdit* m_editTurns = nullptr;
    QLineEdit* m_editLength = nullptr;
    QLineEdit* m_editDiameter = nullptr;
    double m_dDiameter = 0.0; // inner diameter, mm
    double m_dLength = 0.0;   // mm
    double m_dTurns = 0.0;
    std::string m_strInductance;
    double m_dWireDiameter = 0.0; // mm
    CWireGaugeTable m_wireTable;
    int m_nFocus = -1; // 0 diameter, 1 length, 2 turns, 3 wire, -1 none

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    void OnGaugeSelected();
    void OnTurnsStep(int nDelta);
    void OnWizard();
};
