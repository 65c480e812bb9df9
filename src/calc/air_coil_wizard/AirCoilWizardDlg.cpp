#include "calc/air_coil_wizard/AirCoilWizardDlg.h"

#include "calc/air_coil_wizard/AirCoilWizard.h"
#include "dialogs/DataExchange.h"
#include "templates/AirCoilWizardTemplate.h"

namespace {

constexpr int kTextMaxChars = 40;

} // namespace

CAirCoilWizardDlg::CAirCoilWizardDlg(QWidget* pParent)
    : CCalcDialog(AirCoilWizardTemplate(), pParent) {
    OnNotify(kAirCoilWizardTargetEdit, ENotify::KillFocus, [this] { Solve(); });
    // The solve button (1044) has no handler: clicking it takes the focus
    // from the target, and that focus loss solves.
}

void CAirCoilWizardDlg::SetCoil(double dDiameter, double dLength, double dWireDiameter) {
    m_dDiameter = dDiameter;
    m_dLength = dLength;
    m_dWireDiameter = dWireDiameter;
    FormatCoil();
}

void CAirCoilWizardDlg::FormatCoil() {
    const CWizardCoilTexts texts = FormatWizardCoil(m_dDiameter, m_dLength, m_dWireDiameter);
    m_strDiameter = texts.strDiameter;
    m_strWireDiameter = texts.strWireDiameter;
    m_strLength = texts.strLength;
}

void CAirCoilWizardDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kAirCoilWizardTargetEdit, m_dTargetInductance, 0.0, kAirCoilMaxTarget);
    dx.Text(kAirCoilWizardDiameterStatic, m_strDiameter, kTextMaxChars);
    dx.Text(kAirCoilWizardWireStatic, m_strWireDiameter, kTextMaxChars);
    dx.Text(kAirCoilWizardLengthStatic, m_strLength, kTextMaxChars);
    dx.Text(kAirCoilWizardTurnsStatic, m_strTurns, kTextMaxChars);
}

bool CAirCoilWizardDlg::OnInitDialog() {
    const bool bDefaultFocus = CCalcDialog::OnInitDialog();
    FormatCoil();
    return bDefaultFocus; // the target edit is the first tab stop
}

void CAirCoilWizardDlg::OnEnterKey() {
    Solve(); // Enter solves in place: the wizard neither closes nor moves on
}

void CAirCoilWizardDlg::Solve() {
    UpdateData(true); // a failed target has had its message; go on with the value held
    m_dTurns = SolveTurns(m_dDiameter + m_dWireDiameter, m_dLength, m_dTargetInductance);
    m_strTurns = FormatWizardTurns(m_dTurns);
    UpdateData(false);
}

std::optional<double> CAirCoilWizardDlg::HandedTurns() const {
    return HandOverTurns(m_dTurns);
}
