#pragma once

#include "dialogs/CalcDialog.h"

#include <string>

class QLineEdit;
class QPushButton;
class QTreeWidget;

// The LSB ladder crystal filter calculator (template 130): crystal frequency,
// holder capacitance and bandwidth in, a design table of eleven bandwidths
// out. After OK the view takes m_dFrequency and m_dTerminationImpedance for
// the L-match.
class CLadderFilterDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CLadderFilterDlg(QWidget* pParent = nullptr);

    // Reads the fields, fills the table and rebuilds the report. The edits
    // keep their text as typed.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    QPushButton* m_btnCompute = nullptr;
    QTreeWidget* m_listTable = nullptr;
    QLineEdit* m_editCapacitance = nullptr;
    QLineEdit* m_editFrequency = nullptr;
    QLineEdit* m_editBandwidth = nullptr;
    double m_dBandwidth = 0.0;         // kHz
    double m_dFrequency = 0.0;         // MHz
    double m_dHolderCapacitance = 0.0; // pF
    // Z (Ω) of the centre row of the last computation, 0 when it was
    // refused: the view hands it over with m_dFrequency, and the two must
    // come from the same computation.
    double m_dTerminationImpedance = 0.0;
    // 1 frequency, 2 holder capacitance, 3 bandwidth, 4 "計算" clicked, 0 none.
    int m_nFocus = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;
};
