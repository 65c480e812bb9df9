#include "calc/air_coil/AirCoilDlg.h"

#include "calc/air_coil/AirCoil.h"
#include "calc/air_coil_wizard/AirCoilWizardDlg.h"
#include "dialogs/DataExchange.h"
#include "dialogs/GaugeList.h"
#include "dialogs/ReportClock.h"
#include "dialogs/UpDownControl.h"
#include "templates/AirCoilTemplate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

constexpr int kResultMaxChars = 80;

// The Enter order: diameter, length, wire, turns, back to the diameter.
constexpr CFocusStop kCycle[] = {
    {kAirCoilDiameterEdit, 0},
    {kAirCoilLengthEdit, 1},
    {kAirCoilWireEdit, 3},
    {kAirCoilTurnsEdit, 2},
};

} // namespace

CAirCoilDlg::CAirCoilDlg(QWidget* pParent)
    : CCalcDialog(AirCoilTemplate(), pParent), m_strReport(kAirCoilNoReport) {
    m_spinTurns = Item<CUpDownControl>(kAirCoilTurnsUpDown);
    m_buttonWizard = Item<QPushButton>(kAirCoilWizardButton);
    m_listGauge = Item<QComboBox>(kAirCoilGaugeList);
    m_editWireDiameter = Item<QLineEdit>(kAirCoilWireEdit);
    m_editTurns = Item<QLineEdit>(kAirCoilTurnsEdit);
    m_editLength = Item<QLineEdit>(kAirCoilLengthEdit);
    m_editDiameter = Item<QLineEdit>(kAirCoilDiameterEdit);
    TrackFocus(kCycle, m_nFocus, -1, [this] { Compute(); });
    OnNotify(kAirCoilGaugeList, ENotify::SelChange, [this] { OnGaugeSelected(); });
    OnNotify(kAirCoilWizardButton, ENotify::Clicked, [this] { OnWizard(); });
    OnDeltaPos(kAirCoilTurnsUpDown, [this](int nDelta) { OnTurnsStep(nDelta); });
    // The compute button (3) has no handler: clicking it takes the focus
    // from the edit, and that focus loss computes.
}

void CAirCoilDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kAirCoilDiameterEdit, m_dDiameter, 0.0, kAirCoilMaxSize);
    dx.Number(kAirCoilLengthEdit, m_dLength, 0.0, kAirCoilMaxSize);
    dx.Number(kAirCoilTurnsEdit, m_dTurns, 0.0, kAirCoilMaxTurns);
    dx.Text(kAirCoilInductanceStatic, m_strInductance, kResultMaxChars);
    dx.Number(kAirCoilWireEdit, m_dWireDiameter, 0.0, kAirCoilMaxSize);
}

bool CAirCoilDlg::OnInitDialog() {
    const bool bDefaultFocus = CCalcDialog::OnInitDialog();
    SetBuddy(kAirCoilTurnsUpDown, kAirCoilTurnsEdit);
    FillGaugeList(*m_listGauge, m_wireTable);
    return bDefaultFocus;
}

void CAirCoilDlg::OnEnterKey() {
    UpdateData(true);
    // The diameter as well when no edit had the focus.
    MoveFocus(NextInCycle(kCycle, m_nFocus, kAirCoilDiameterEdit));
}

void CAirCoilDlg::OnGaugeSelected() {
    UpdateData(true);
    // No selection (-1) clears the table's selection to 0.0.
    m_wireTable.SelectIndex(m_listGauge->currentIndex());
    m_dWireDiameter = m_wireTable.Diameter(); // overwrites whatever was typed
    UpdateData(false);
    Compute();
}

void CAirCoilDlg::OnTurnsStep(int nDelta) {
    UpdateData(true);
    m_dTurns = TurnsAfterStep(m_dTurns, nDelta);
    UpdateData(false);
    Compute();
}

void CAirCoilDlg::OnWizard() {
    CAirCoilWizardDlg wizard(this);
    wizard.SetCoil(m_dDiameter, m_dLength, m_dWireDiameter);
    const int nResult = wizard.DoModal();
    // Without a window manager nobody hands the keyboard back to this dialog
    // once the wizard is gone, and Enter, Escape and typing would go nowhere.
    activateWindow();
    if (nResult != kIdOk) {
        return;
    }
    // A wizard without a finite count hands nothing over. A count beyond the
    // turns field is taken all the same and meets the field's range check.
    if (const std::optional<double> turns = wizard.HandedTurns()) {
        m_dTurns = *turns;
        UpdateData(false);
        Compute();
    }
}

void CAirCoilDlg::Compute() {
    UpdateData(true); // a failed field has had its message; go on with the values held
    m_buttonWizard->setEnabled(m_dDiameter * m_dLength != 0.0);
    const CAirCoilResult result =
        ComputeAirCoil({m_dDiameter, m_dLength, m_dWireDiameter, m_dTurns}, ReportTime());
    m_strInductance = result.strInductance;
    UpdateData(false);
    m_strReport = result.strReport;
}
