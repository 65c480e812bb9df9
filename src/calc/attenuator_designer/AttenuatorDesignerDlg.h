#pragma once

#include "dialogs/CalcDialog.h"

#include <string>

class CSchematicPicture;
class QComboBox;
class QLineEdit;
class QTreeWidget;

// The attenuator designer (template 150): impedance, attenuation, topology,
// resistor series and input power in; the resistors chosen (with their ideal
// values and powers), the loss, match and load power they give out. Opens
// with its results computed from the preset members.
class CAttenuatorDesignerDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CAttenuatorDesignerDlg(QWidget* pParent = nullptr);

    // Reads the fields, computes, shows the results and rebuilds the report.
    void Compute();

    std::string m_strReport; // appended to the log after OK
    QLineEdit* m_editImpedance = nullptr;
    QLineEdit* m_editAttenuation = nullptr;
    QLineEdit* m_editPower = nullptr;
    QComboBox* m_comboSeries = nullptr;
    QTreeWidget* m_listResistors = nullptr;
    CSchematicPicture* m_pictureSchematic = nullptr;
    std::string m_strAttenuation; // dB, actual
    std::string m_strReturnLoss;  // dB, or "∞"
    std::string m_strVswr;
    std::string m_strLoadPower;   // W
    double m_dImpedance;          // Ω
    double m_dAttenuation;        // dB
    double m_dPower = 0.0;        // W; 0: no power figures
    bool m_bRefusedField = false; // the last read refused a field: nothing designed
    int m_nTopology = 0;          // 0 π, 1 T, 2 bridged T
    int m_nSeries;                // E6 ... E192
    int m_nFocus = 0;             // 0 impedance, 1 attenuation, 2 power, -1 none

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    // Computes from the members as they stand and shows the outcome.
    void ComputeMembers();
};
