#pragma once

#include "dialogs/CalcDialog.h"

#include <string>

class QLineEdit;

// The L-match calculator (template 135): frequency and two impedances in,
// the series L and the shunt C out. The view presets the inputs with the
// ladder filter's hand-over; the dialog computes once before it is shown so
// that those results are on screen at once.
class CLMatchDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CLMatchDlg(QWidget* pParent = nullptr);

    // Computes with the members as they stand, then runs the dialog modally.
    int exec() override;

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    QLineEdit* m_editZout = nullptr;
    QLineEdit* m_editZin = nullptr;
    QLineEdit* m_editFrequency = nullptr;
    std::string m_strC;
    std::string m_strL;
    double m_dFrequency = 0.0; // MHz
    double m_dZin = 0.0;       // Ω
    double m_dZout = 0.0;      // Ω
    // 1 frequency, 2 Zin, 3 Zout, 4 "計算" clicked, 0 none.
    int m_nFocus = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void OnEnterKey() override;

private:
    // The computation on the members alone; false when an input is 0, in
    // which case only the report changes.
    bool ComputeMembers();
};
