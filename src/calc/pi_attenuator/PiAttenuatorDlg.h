#pragma once

#include "dialogs/CalcDialog.h"

#include <string>

class QLineEdit;

// The pi attenuator calculator (template 138): impedance and attenuation in,
// the series resistor R1 and the shunt resistor R2 out.
class CPiAttenuatorDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CPiAttenuatorDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    QLineEdit* m_editImpedance = nullptr;
    QLineEdit* m_editAttenuation = nullptr;
    std::string m_strR1;
    std::string m_strR2;
    double m_dImpedance = 0.0;   // ohms
    double m_dAttenuation = 0.0; // dB
    int m_nFocus = 0; // 0 impedance, 1 attenuation, -1 neither (Enter goes to the impedance)

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void OnEnterKey() override;
};
