#pragma once

#include "dialogs/CalcDialog.h"

#include <optional>
#include <string>

// The air-core turns wizard (template 146): shows the coil the calculator
// passed in, takes a target inductance and solves for the turns.
class CAirCoilWizardDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CAirCoilWizardDlg(QWidget* pParent = nullptr);

    // The coil to solve for, in mm; call before the modal run.
    void SetCoil(double dDiameter, double dLength, double dWireDiameter);

    // Reads the target and computes the turns.
    void Solve();

    // The whole count the calculator takes after OK, or nothing when the last
    // solve found no finite count.
    std::optional<double> HandedTurns() const;

    double m_dTurns = 0.0;            // from the last Solve
    double m_dTargetInductance = 0.0; // µH
    std::string m_strDiameter;
    std::string m_strWireDiameter;
    std::string m_strLength;
    std::string m_strTurns;
    double m_dWireDiameter = 0.0; // mm
    double m_dLength = 0.0;       // mm
    double m_dDiameter = 0.0;     // inner diameter, mm

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;

private:
    void FormatCoil();
};
