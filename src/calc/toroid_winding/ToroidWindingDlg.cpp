#include "calc/toroid_winding/ToroidWindingDlg.h"

#include "calc/toroid_coil/ToroidCoil.h"
#include "calc/toroid_winding/ToroidWinding.h"
#include "dialogs/DataExchange.h"
#include "dialogs/GaugeList.h"
#include "dialogs/ReportClock.h"
#include "dialogs/UpDownControl.h"
#include "templates/ToroidWindingTemplate.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;

// The Enter order: core, turns, wire, lead, back to the core.
constexpr CFocusStop kCycle[] = {
    {kToroidWindingCoreCombo, 0},
    {kToroidWindingTurnsEdit, 1},
    {kToroidWindingWireEdit, 2},
    {kToroidWindingLeadEdit, 3},
};

constexpr const char* kWireWanted = "線材直径を入力して下さい";

} // namespace

CToroidWindingDlg::CToroidWindingDlg(QWidget* pParent)
    : CCalcDialog(ToroidWindingTemplate(), pParent), m_strReport(kToroidWindingNoReport) {
    KeepRefusedText();
    m_spinTurns = Item<CUpDownControl>(kToroidWindingTurnsUpDown);
    m_comboCore = Item<QComboBox>(kToroidWindingCoreCombo);
    m_editTurns = Item<QLineEdit>(kToroidWindingTurnsEdit);
    m_editWireDiameter = Item<QLineEdit>(kToroidWindingWireEdit);
    m_listGauge = Item<QComboBox>(kToroidWindingGaugeList);
    m_editLead = Item<QLineEdit>(kToroidWindingLeadEdit);
    TrackFocus(kCycle, m_nFocus, -1, [this] { Compute(); });
    OnNotify(kToroidWindingCoreCombo, ENotify::SelChange, [this] { Compute(); });
    OnNotify(kToroidWindingGaugeList, ENotify::SelChange, [this] { OnGaugeSelected(); });
    OnDeltaPos(kToroidWindingTurnsUpDown, [this](int nDelta) { OnTurnsStep(nDelta); });
    // The compute button (3) has no handler: clicking it takes the focus
    // from the input, and that focus loss computes.
}

void CToroidWindingDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kToroidWindingTurnsEdit, m_dTurns, kToroidMinTurns, kToroidMaxTurns);
    dx.Number(kToroidWindingWireEdit, m_dWireDiameter, 0.0, kWireMaxMm);
    dx.Number(kToroidWindingLeadEdit, m_dLead, 0.0, kLeadMaxMm);
    dx.Text(kToroidWindingInductanceStatic, m_strInductance, kResultMaxChars);
    dx.Text(kToroidWindingTurnLengthStatic, m_strTurnLength, kResultMaxChars);
    dx.Text(kToroidWindingWireLengthStatic, m_strWireLength, kResultMaxChars);
    dx.Text(kToroidWindingResistanceStatic, m_strResistance, kResultMaxChars);
    dx.Text(kToroidWindingLayerStatic, m_strLayer, kResultMaxChars);
}

bool CToroidWindingDlg::OnInitDialog() {
    const bool bDefaultFocus = CCalcDialog::OnInitDialog();
    SetBuddy(kToroidWindingTurnsUpDown, kToroidWindingTurnsEdit);
    // The list holds the whole catalogue in order: item k is result k.
    m_catalog.Search({}, {});
    for (int k = 0; k < m_catalog.GetResultCount(); ++k) {
        m_catalog.SelectResult(k);
        m_comboCore->addItem(QString::fromStdString(m_catalog.m_strName));
    }
    const int nHandedCore = m_strCore.empty() ? -1 : m_catalog.FindName(m_strCore);
    m_comboCore->setCurrentIndex(nHandedCore < 0 ? 0 : nHandedCore);
    FillGaugeList(*m_listGauge, m_wireTable);
    // A coil handed over from the toroidal coil calculator shows its winding
    // as soon as a wire is known; a fresh dialog shows nothing yet.
    Compute();
    return bDefaultFocus;
}

void CToroidWindingDlg::OnEnterKey() {
    UpdateData(true);
    // The core as well when no input had the focus.
    MoveFocus(NextInCycle(kCycle, m_nFocus, kToroidWindingCoreCombo));
}

void CToroidWindingDlg::OnGaugeSelected() {
    UpdateData(true);
    // No selection (-1) clears the table's selection to 0.0.
    m_wireTable.SelectIndex(m_listGauge->currentIndex());
    m_dWireDiameter = m_wireTable.Diameter(); // overwrites whatever was typed
    UpdateData(false);
    Compute();
}

void CToroidWindingDlg::OnTurnsStep(int nDelta) {
    UpdateData(true);
    m_dTurns = TurnsAfterStep(m_dTurns, nDelta);
    UpdateData(false);
    Compute();
}

void CToroidWindingDlg::Compute() {
    // A refused field keeps its text: nothing is computed until it is put right.
    const bool bRead = UpdateData(true);
    m_catalog.SelectResult(m_comboCore->currentIndex());
    m_strCore = m_catalog.m_strName;
    CToroidWindingResult result;
    result.strReport = kToroidWindingNoReport;
    if (bRead) {
        result =
            ComputeToroidWinding(m_catalog, {m_dTurns, m_dWireDiameter, m_dLead}, ReportTime());
    }
    m_strInductance = result.strInductance;
    m_strTurnLength = result.strTurnLength;
    m_strWireLength = result.strWireLength;
    m_strResistance = result.strResistance;
    m_strLayer = result.strLayer;
    // Turns without a wire (as handed over from the toroidal coil) say what
    // the empty results wait for.
    if (bRead && !result.bComputed && m_dTurns != 0.0 && m_dWireDiameter == 0.0) {
        m_strLayer = kWireWanted;
    }
    m_strReport = result.strReport;
    UpdateData(false);
}
