#pragma once

#include "calc/lc_filter/LcFilter.h"
#include "calc/lc_filter/LcReport.h"
#include "dialogs/CalcDialog.h"

#include <array>
#include <string>
#include <vector>

class CResponseChart;
class CSchematicPicture;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The LC filter designer (template 163): a low- or high-pass ladder from
// its prototype, on stock capacitors and toroid turns, with traps on the
// harmonics; the parts as built, the response of the ideal and the built
// filter side by side, a schematic and a chart. Opens with its results
// computed from the preset members (a 40 m band low-pass).
class CLcFilterDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CLcFilterDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();
    // The designed filter as shown.
    const CLcFilterDesign& Design() const { return m_design; }
    // A chosen value typed into the parts list (row nRow, signal order):
    // kept as an override and the filter computed again; a text that is no
    // value above 0 is refused with a message and the value stays.
    bool EditChosenValue(int nRow, const QString& strText);
    // Opens the toroid winding for the inductor of row nRow (its core and
    // turns); its report, if ended with OK, follows this one in the log.
    void OpenWinding(int nRow);

    std::string m_strReport; // appended to the log after OK
    QComboBox* m_comboResponse = nullptr;
    QComboBox* m_comboOrder = nullptr;
    QComboBox* m_comboTraps = nullptr;
    QComboBox* m_comboSeries = nullptr;
    QComboBox* m_comboCore = nullptr;
    QTreeWidget* m_listParts = nullptr;
    QTreeWidget* m_listCandidates = nullptr;
    CSchematicPicture* m_pictureSchematic = nullptr;
    CResponseChart* m_pChart = nullptr;
    QLabel* m_staticNotice = nullptr;

    int m_nType = 0;       // 0 low-pass, 1 high-pass
    int m_nResponse = 1;   // Butterworth, Chebyshev, Chebyshev on stock capacitors
    int m_nOrderIndex = 0; // kLcOrderChoices
    int m_nFirst = 0;      // 0 capacitor, 1 inductor
    double m_dImpedance = kLcDefaultImpedance;
    double m_dCutoff = 7.5;
    double m_dRipple = kLcDefaultRipple;
    double m_dSwr = kLcDefaultSwr;
    double m_dOuter = 0.0; // pF; 0 with the inner 0: searched
    double m_dInner = 0.0;
    double m_dBandLow = 7.0;
    double m_dBandHigh = 7.2;
    int m_nTraps = 0;
    int m_nSeries = 2; // none, E6, E12, E24
    int m_nCore = 0;   // 0 none, then the catalogue
    double m_dQ = 0.0;
    double m_dCheck1 = 0.0; // MHz; 0: the default
    double m_dCheck2 = 0.0;
    double m_dPower = 0.0;
    double m_dHarmonic = kLcDefaultHarmonic;
    int m_nCandidate = 0;
    std::vector<CLcOverride> m_overrides;
    std::array<std::string, kLcFigureTextCount> m_strFigures[2]; // ideal, built
    int m_nFocus = -1; // the input with the focus, -1 none

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;
    void OnOK() override;

private:
    CLcFilterInputs Inputs() const;
    void ComputeMembers();
    void ShowParts();
    void ShowCandidates();
    void ShowChart();
    void EnableInputs();
    void SaveNetlist();
    void SaveCsv();

    CLcFilterDesign m_design;
    CLcFilterInputs m_lastInputs;
    std::vector<std::string> m_coreNames; // the core list's items after なし
    std::string m_strWindingReports;
    bool m_bRefusedField = false;
    bool m_bShowing = false; // the lists are being filled: their signals are ours
};
