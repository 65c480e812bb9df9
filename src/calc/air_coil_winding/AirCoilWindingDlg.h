#pragma once

#include "dialogs/CalcDialog.h"
#include "tables/CopperWire.h"
#include "tables/WireGaugeTable.h"

#include <string>

class CUpDownControl;
class QComboBox;
class QLineEdit;

// The air-core winding calculator (template 153): inner diameter, length,
// wire (typed or picked by AWG), turns and the lead at each end in; the
// inductance, pitch, whether the turns fit, the wire's length and
// resistance, the self-capacitance and the self-resonance out.
class CAirCoilWindingDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CAirCoilWindingDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    CUpDownControl* m_spinTurns = nullptr;
    QLineEdit* m_editDiameter = nullptr;
    QLineEdit* m_editLength = nullptr;
    QLineEdit* m_editWireDiameter = nullptr;
    QComboBox* m_listGauge = nullptr;
    QLineEdit* m_editTurns = nullptr;
    QLineEdit* m_editLead = nullptr;
    double m_dDiameter = 0.0;     // inner diameter, mm
    double m_dLength = 0.0;       // mm
    double m_dWireDiameter = 0.0; // mm
    double m_dTurns = 0.0;
    double m_dLead = kLeadDefaultMm; // mm at each end
    std::string m_strInductance;
    std::string m_strPitch;
    std::string m_strWireLength;
    std::string m_strResistance;
    std::string m_strSelfCapacitance;
    std::string m_strSelfResonance;
    std::string m_strFit;
    CWireGaugeTable m_wireTable;
    // 0 diameter, 1 length, 2 turns, 3 wire, 4 lead, -1 none (Enter goes to
    // the diameter).
    int m_nFocus = -1;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    void OnGaugeSelected();
    void OnTurnsStep(int nDelta);
};
