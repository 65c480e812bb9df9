#pragma once

#include "calc/xtal_filter/XtalMeasure.h"
#include "dialogs/CalcDialog.h"

#include <string>

class QLineEdit;

// What the measurement dialog opens with until the user has typed his own:
// the worked measurement (f1 10 MHz, f2 10.002313 MHz, Cs 33 pF, C0 3.5 pF).
struct CXtalMeasureValues {
    double dF1 = 10.0;      // MHz
    double dF2 = 10.002313; // MHz
    double dCs = 33.0;      // pF
    double dC0 = 3.5;       // pF
};

// The crystal measurement (template 161): the two frequencies of a test
// oscillator, with the series capacitor Cs shorted and in series, give the
// crystal's motional capacitance and inductance. Opened from the workbench,
// which takes Lm, C0 and f1 after OK; it reports nothing to the log itself.
class CXtalMeasureDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CXtalMeasureDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes and shows the results.
    void Compute();

    QLineEdit* m_editF1 = nullptr;
    QLineEdit* m_editF2 = nullptr;
    QLineEdit* m_editCs = nullptr;
    QLineEdit* m_editC0 = nullptr;
    double m_dF1 = CXtalMeasureValues{}.dF1; // MHz, Cs shorted
    double m_dF2 = CXtalMeasureValues{}.dF2; // MHz, Cs in series
    double m_dCs = CXtalMeasureValues{}.dCs; // pF
    double m_dC0 = CXtalMeasureValues{}.dC0; // pF
    std::string m_strCm;
    std::string m_strLm;
    std::string m_strFp;
    std::string m_strNotice;
    // The last computation; m_bComputed tells the workbench whether to take it.
    CXtalMeasureResult m_result;
    // 1 f1, 2 f2, 3 Cs, 4 C0, 0 none (Enter then goes to f1).
    int m_nFocus = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;
};
