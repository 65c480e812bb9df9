#pragma once

#include "calc/xtal_filter/XtalFilter.h"
#include "calc/xtal_filter/XtalMeasureDlg.h"
#include "dialogs/CalcDialog.h"

#include <string>
#include <vector>

class CResponseChart;
class QComboBox;
class QLineEdit;
class QTreeWidget;

// The crystal filter workbench (template 160): crystal data and the wanted
// response in; the design frequency, end resistances, one row per mesh, the
// figures of the simulated response and its chart out. Crystal data can be
// taken from the measurement dialog and a matched set from the sorting
// dialog; the design can be saved as a netlist and its sweep as CSV.
class CXtalFilterDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CXtalFilterDlg(QWidget* pParent = nullptr);

    // Takes the ladder filter's frequency (MHz), holder capacitance (pF) and
    // bandwidth (kHz) in place of the worked example. Values this dialog
    // could not accept change nothing and give false.
    bool TakeLadderHandOver(double dFrequency, double dHolderCapacitance, double dBandwidth);

    // Reads the fields, designs, shows the results and the chart, and
    // rebuilds the report.
    void Compute();
    // The buttons' actions.
    void TakeMeasurement();
    void TakeMatchedSet();
    void OnPerCrystalClicked();
    void ShowStartOfHandedOverFields();
    void OnCountChanged();
    void SaveNetlist();
    void SaveCsv();

    // What the dialog asks the core for: the fields, and the matched set when
    // the design uses each crystal's own frequency.
    CXtalFilterInputs Inputs() const;

    std::string m_strReport; // appended to the log after OK
    QLineEdit* m_editFrequency = nullptr;
    QLineEdit* m_editLm = nullptr;
    QLineEdit* m_editC0 = nullptr;
    QLineEdit* m_editQu = nullptr;
    QComboBox* m_comboCount = nullptr;
    QComboBox* m_comboResponse = nullptr;
    QLineEdit* m_editRipple = nullptr;
    QLineEdit* m_editBandwidth = nullptr;
    QTreeWidget* m_listMeshes = nullptr;
    CResponseChart* m_pChart = nullptr; // fills the chart frame
    double m_dFrequency = 0.0;          // MHz
    double m_dLm = 0.0;                 // mH
    double m_dC0 = 0.0;                 // pF
    double m_dQu = 0.0;                 // 0 = lossless
    int m_nCountIndex = 0;              // 0 = 2 crystals .. 6 = 8 crystals
    int m_nResponse = 0;                // EXtalResponse
    double m_dRipple = 0.0;             // dB
    double m_dBandwidth = 0.0;          // kHz
    int m_nPerCrystal = 0;              // 1: design with the matched set's own frequencies
    int m_nMatchBandwidth = 0; // 1: 設計帯域を合わせる (the 3 dB bandwidth made the one asked for)
    // The matched set last taken (MHz, ascending) and what the dialog says of it.
    std::vector<double> m_setFrequencies;
    std::string m_strSet;
    std::string m_strDesignFrequency;
    std::string m_strEndResistance;
    std::string m_strMaxBandwidth;
    std::string m_strInsertionLoss;
    std::string m_strBandwidth3;
    std::string m_strBandwidth6;
    std::string m_strBandwidth60;
    std::string m_strShapeFactor;
    std::string m_strRipple;
    std::string m_strGroupDelay;
    std::string m_strNotice;
    CXtalFilterResult m_result; // the last computation
    // What the measurement and sorting dialogs showed last, offered again
    // when they are opened once more.
    CXtalMeasureValues m_measure; // its C0 is the workbench's own
    std::string m_strSortList;
    int m_nSortUse = 0;
    // 1 frequency, 2 Lm, 3 C0, 4 Q, 5 crystals, 6 response, 7 ripple,
    // 8 bandwidth, 0 none (Enter then goes to the frequency).
    int m_nFocus = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    void ShowResult();
    void ShowChart();
    void UpdateControlStates();
    bool SaveExport(const QString& strTitle, const QString& strFilter, const QString& strSuffix,
                    const std::string& strContent);
};
