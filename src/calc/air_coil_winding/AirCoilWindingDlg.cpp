#include "calc/air_coil_winding/AirCoilWindingDlg.h"

#include "calc/air_coil/AirCoil.h"
#include "calc/air_coil_winding/AirCoilWinding.h"
#include "dialogs/DataExchange.h"
#include "dialogs/GaugeList.h"
#include "dialogs/ReportClock.h"
#include "dialogs/UpDownControl.h"
#include "templates/AirCoilWindingTemplate.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;

// The Enter order of the air-core coil, then the lead: diameter, length,
// wire, turns, lead, back to the diameter.
constexpr CFocusStop kCycle[] = {
    {kAirCoilWindingDiameterEdit, 0}, {kAirCoilWindingLengthEdit, 1}, {kAirCoilWindingWireEdit, 3},
    {kAirCoilWindingTurnsEdit, 2},    {kAirCoilWindingLeadEdit, 4},
};

} // namespace

CAirCoilWindingDlg::CAirCoilWindingDlg(QWidget* pParent)
    : CCalcDialog(AirCoilWindingTemplate(), pParent), m_strReport(kAirCoilWindingNoReport) {
    KeepRefusedText();
    m_spinTurns = Item<CUpDownControl>(kAirCoilWindingTurnsUpDown);
    m_editDiameter = Item<QLineEdit>(kAirCoilWindingDiameterEdit);
    m_editLength = Item<QLineEdit>(kAirCoilWindingLengthEdit);
    m_editWireDiameter = Item<QLineEdit>(kAirCoilWindingWireEdit);
    m_listGauge = Item<QComboBox>(kAirCoilWindingGaugeList);
    m_editTurns = Item<QLineEdit>(kAirCoilWindingTurnsEdit);
    m_editLead = Item<QLineEdit>(kAirCoilWindingLeadEdit);
    TrackFocus(kCycle, m_nFocus, -1, [this] { Compute(); });
    OnNotify(kAirCoilWindingGaugeList, ENotify::SelChange, [this] { OnGaugeSelected(); });
    OnDeltaPos(kAirCoilWindingTurnsUpDown, [this](int nDelta) { OnTurnsStep(nDelta); });
    // The compute button (3) has no handler: clicking it takes the focus
    // from the edit, and that focus loss computes.
}

void CAirCoilWindingDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kAirCoilWindingDiameterEdit, m_dDiameter, 0.0, kAirCoilMaxSize);
    dx.Number(kAirCoilWindingLengthEdit, m_dLength, 0.0, kAirCoilMaxSize);
    dx.Number(kAirCoilWindingWireEdit, m_dWireDiameter, 0.0, kWireMaxMm);
    dx.Number(kAirCoilWindingTurnsEdit, m_dTurns, 0.0, kAirCoilMaxTurns);
    dx.Number(kAirCoilWindingLeadEdit, m_dLead, 0.0, kLeadMaxMm);
    dx.Text(kAirCoilWindingInductanceStatic, m_strInductance, kResultMaxChars);
    dx.Text(kAirCoilWindingPitchStatic, m_strPitch, kResultMaxChars);
    dx.Text(kAirCoilWindingWireLengthStatic, m_strWireLength, kResultMaxChars);
    dx.Text(kAirCoilWindingResistanceStatic, m_strResistance, kResultMaxChars);
    dx.Text(kAirCoilWindingCapacitanceStatic, m_strSelfCapacitance, kResultMaxChars);
    dx.Text(kAirCoilWindingResonanceStatic, m_strSelfResonance, kResultMaxChars);
    dx.Text(kAirCoilWindingFitStatic, m_strFit, kResultMaxChars);
}

bool CAirCoilWindingDlg::OnInitDialog() {
    const bool bDefaultFocus = CCalcDialog::OnInitDialog();
    SetBuddy(kAirCoilWindingTurnsUpDown, kAirCoilWindingTurnsEdit);
    FillGaugeList(*m_listGauge, m_wireTable);
    // A coil handed over from the air-core coil calculator shows its winding
    // at once; a fresh dialog (all zeros) shows nothing yet.
    Compute();
    return bDefaultFocus;
}

void CAirCoilWindingDlg::OnEnterKey() {
    UpdateData(true);
    // The diameter as well when no edit had the focus.
    MoveFocus(NextInCycle(kCycle, m_nFocus, kAirCoilWindingDiameterEdit));
}

void CAirCoilWindingDlg::OnGaugeSelected() {
    UpdateData(true);
    // No selection (-1) clears the table's selection to 0.0.
    m_wireTable.SelectIndex(m_listGauge->currentIndex());
    m_dWireDiameter = m_wireTable.Diameter(); // overwrites whatever was typed
    UpdateData(false);
    Compute();
}

void CAirCoilWindingDlg::OnTurnsStep(int nDelta) {
    UpdateData(true);
    m_dTurns = TurnsAfterStep(m_dTurns, nDelta);
    UpdateData(false);
    Compute();
}

void CAirCoilWindingDlg::Compute() {
    // A refused field keeps its text: nothing is computed until it is put right.
    CAirCoilWindingResult result;
    result.strReport = kAirCoilWindingNoReport;
    if (UpdateData(true)) {
        result = ComputeAirCoilWinding({m_dDiameter, m_dLength, m_dWireDiameter, m_dTurns, m_dLead},
                                       ReportTime());
    }
    m_strInductance = result.strInductance;
    m_strPitch = result.strPitch;
    m_strWireLength = result.strWireLength;
    m_strResistance = result.strResistance;
    m_strSelfCapacitance = result.strSelfCapacitance;
    m_strSelfResonance = result.strSelfResonance;
    m_strFit = result.strFit;
    m_strReport = result.strReport;
    UpdateData(false);
}
