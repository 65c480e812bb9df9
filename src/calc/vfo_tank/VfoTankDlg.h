#pragma once

#include "dialogs/CalcDialog.h"

#include <string>

class QLineEdit;

// The VFO tank circuit calculator (template 145): the oscillator's frequency
// range and the variable capacitor's swing in, the coil and the fixed
// capacitor out.
class CVfoTankDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CVfoTankDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK; empty until computed
    QLineEdit* m_editCapMin = nullptr;
    QLineEdit* m_editFreqMin = nullptr;
    QLineEdit* m_editCapMax = nullptr;
    QLineEdit* m_editFreqMax = nullptr;
    std::string m_strFixedCap;
    std::string m_strInductance;
    double m_dFreqMax = 0.0; // MHz
    double m_dCapMax = 0.0;  // pF
    double m_dFreqMin = 0.0; // MHz
    double m_dCapMin = 0.0;  // pF
    std::string m_strNotice;
    // 1 lower frequency, 2 upper frequency, 3 VC minimum, 4 VC maximum,
    // 0 none (Enter then goes to the VC minimum).
    int m_nFocus = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void OnEnterKey() override;
};
