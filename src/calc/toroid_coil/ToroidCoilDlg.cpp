#include "calc/toroid_coil/ToroidCoilDlg.h"

#include "calc/toroid_coil/ToroidCoil.h"
#include "calc/toroid_wizard/ToroidWizard.h"
#include "calc/toroid_wizard/ToroidWizardDlg.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "dialogs/UpDownControl.h"
#include "templates/ToroidCoilTemplate.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;
constexpr int kThicknessMaxChars = 40;

// End options of the wizard.
constexpr int kListEverything = 0;
constexpr int kTakePickedCore = 1;

constexpr CFocusStop kInputs[] = {
    {kToroidCoreCombo, 0},
    {kToroidTurnsEdit, 1},
};

} // namespace

CToroidCoilDlg::CToroidCoilDlg(QWidget* pParent) : CCalcDialog(ToroidCoilTemplate(), pParent) {
    m_spinTurns = Item<CUpDownControl>(kToroidTurnsSpin);
    m_editTurns = Item<QLineEdit>(kToroidTurnsEdit);
    m_comboCore = Item<QComboBox>(kToroidCoreCombo);
    TrackFocus(kInputs, m_nFocus, -1, [this] { Compute(); });
    OnNotify(kToroidCoreCombo, ENotify::SelChange, [this] { Compute(); });
    OnDeltaPos(kToroidTurnsSpin, [this](int nDelta) { StepTurns(nDelta); });
    OnNotify(kToroidWizardButton, ENotify::Clicked, [this] { RunCoreWizard(); });
    // The compute button (1010) has no handler: clicking it takes the focus
    // from the core list or the turns, and that focus loss computes.
}

void CToroidCoilDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(kToroidInductanceStatic, m_strInductance, kResultMaxChars);
    dx.Number(kToroidTurnsEdit, m_dTurns, kToroidMinTurns, kToroidMaxTurns);
    dx.Text(kToroidOuterStatic, m_strOuterDiameter, kResultMaxChars);
    dx.Text(kToroidInnerStatic, m_strInnerDiameter, kResultMaxChars);
    dx.Text(kToroidColorStatic, m_strColor, kResultMaxChars);
    dx.Text(kToroidThicknessStatic, m_strThickness, kThicknessMaxChars);
}

bool CToroidCoilDlg::OnInitDialog() {
    CCalcDialog::OnInitDialog();
    SetBuddy(kToroidTurnsSpin, kToroidTurnsEdit);
    m_catalog.Search({}, {});
    m_nCoreCount = m_catalog.GetResultCount();
    for (int k = 0; k < m_nCoreCount; ++k) {
        m_catalog.SelectResult(k);
        m_comboCore->addItem(QString::fromStdString(m_catalog.m_strName));
    }
    m_comboCore->setCurrentIndex(0);
    m_catalog.SelectResult(0);
    ShowCurrentCore();
    UpdateData(false);
    m_strReport = kToroidCoilInitialReport;
    return true;
}

void CToroidCoilDlg::ShowCurrentCore() {
    m_strOuterDiameter = FormatCoreDimension(m_catalog.m_dOuterDiameter);
    m_strInnerDiameter = FormatCoreDimension(m_catalog.m_dInnerDiameter);
    m_strThickness = FormatCoreDimension(m_catalog.m_dHeight);
    m_strColor = m_catalog.m_strColor;
}

void CToroidCoilDlg::Compute() {
    UpdateData(true); // a failed field has had its message; go on with the values held
    // The list holds the whole catalogue in order: item k is result k.
    m_catalog.SelectResult(m_comboCore->currentIndex());
    const CToroidCoilResult result = ComputeToroidCoil(m_catalog, m_dTurns, ReportTime());
    m_strInductance = result.m_strInductance;
    m_strOuterDiameter = result.m_strOuterDiameter;
    m_strInnerDiameter = result.m_strInnerDiameter;
    m_strThickness = result.m_strThickness;
    m_strColor = result.m_strColor;
    m_strReport = result.m_strReport;
    UpdateData(false);
}

void CToroidCoilDlg::OnEnterKey() {
    const int nFocus = m_nFocus;
    Compute();
    MoveFocus(nFocus == 0 ? kToroidTurnsEdit : kToroidCoreCombo);
}

void CToroidCoilDlg::StepTurns(int nDelta) {
    UpdateData(true);
    m_dTurns = TurnsAfterStep(m_dTurns, nDelta);
    UpdateData(false);
    Compute();
}

void CToroidCoilDlg::RunCoreWizard() {
    CToroidWizardDlg wizard(this);
    if (wizard.DoModal() != kIdOk) {
        return;
    }
    TakeWizardOutcome(wizard);
}

void CToroidCoilDlg::TakeWizardOutcome(const CToroidWizardDlg& wizard) {
    if (wizard.m_nEndOption == kListEverything) {
        m_strReport = ToroidListReport(wizard.m_strList, ReportTime());
        OnOK();
        return;
    }
    if (wizard.m_nEndOption != kTakePickedCore || wizard.m_strSelectedName.empty()) {
        return;
    }
    const int nItem = m_comboCore->findText(QString::fromStdString(wizard.m_strSelectedName),
                                            Qt::MatchExactly | Qt::MatchCaseSensitive);
    double dTurns = 0.0;
    if (nItem < 0 || !RoundHandedTurns(wizard.m_dSelectedTurns, dTurns)) {
        return;
    }
    m_dTurns = dTurns;
    m_comboCore->setCurrentIndex(nItem);
    UpdateData(false);
    // Beyond 10000 turns the range check speaks up, and the computation
    // still uses the count, as it would with a typed value.
    Compute();
}
