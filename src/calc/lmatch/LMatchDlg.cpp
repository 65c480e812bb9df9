#include "calc/lmatch/LMatchDlg.h"

#include "calc/lmatch/LMatch.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "templates/LMatchTemplate.h"

#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;

constexpr CFocusStop kInputs[] = {
    {kLMatchFrequencyEdit, 1},
    {kLMatchZinEdit, 2},
    {kLMatchZoutEdit, 3},
};
constexpr int kComputeClicked = 4;

// Shown in the inductor box when a frequency and Zin arrive without a Zout:
// the ladder filter had no impedance to hand over (a refused computation, or
// a Z beyond the Zout field).
constexpr const char* kZoutWanted = "Zout を入力して下さい";

} // namespace

CLMatchDlg::CLMatchDlg(QWidget* pParent) : CCalcDialog(LMatchTemplate(), pParent) {
    m_editZout = Item<QLineEdit>(kLMatchZoutEdit);
    m_editZin = Item<QLineEdit>(kLMatchZinEdit);
    m_editFrequency = Item<QLineEdit>(kLMatchFrequencyEdit);
    TrackFocus(kInputs, m_nFocus, 0, [this] { Compute(); });
    // Unlike most compute buttons this one computes itself as well (a second
    // time when the click took the focus from an edit; same result).
    OnNotify(kLMatchComputeButton, ENotify::Clicked, [this] {
        m_nFocus = kComputeClicked;
        Compute();
    });
}

int CLMatchDlg::exec() {
    // The controls show the members when the dialog opens, so the preset
    // inputs arrive with their results (and exchanged if need be).
    if (!ComputeMembers() && m_dFrequency > 0.0 && m_dZin > 0.0 && m_dZout == 0.0) {
        m_strL = kZoutWanted;
    }
    return CCalcDialog::exec();
}

void CLMatchDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(kLMatchZoutEdit, m_editZout);
    dx.Control(kLMatchZinEdit, m_editZin);
    dx.Control(kLMatchFrequencyEdit, m_editFrequency);
    dx.Text(kLMatchCapacitorStatic, m_strC, kResultMaxChars);
    dx.Text(kLMatchInductorStatic, m_strL, kResultMaxChars);
    dx.Number(kLMatchFrequencyEdit, m_dFrequency, 0.0, 2000.0);
    dx.Number(kLMatchZinEdit, m_dZin, 0.0, kLMatchMaxImpedance);
    dx.Number(kLMatchZoutEdit, m_dZout, 0.0, kLMatchMaxImpedance);
}

void CLMatchDlg::OnEnterKey() {
    // Round the inputs, home after a click on Compute; with no input
    // focused Enter does nothing.
    if (m_nFocus == kComputeClicked) {
        MoveFocus(kLMatchFrequencyEdit);
    } else if (const int nNext = NextInCycle(kInputs, m_nFocus, kNoId); nNext != kNoId) {
        MoveFocus(nNext);
    }
}

bool CLMatchDlg::ComputeMembers() {
    const CLMatchResult result = ComputeLMatch(m_dFrequency, m_dZin, m_dZout, ReportTime());
    m_strReport = result.m_strReport;
    if (!result.m_bComputed) {
        return false; // the results keep showing the last computation
    }
    m_dZin = result.m_dZin;
    m_dZout = result.m_dZout;
    m_strC = result.m_strC;
    m_strL = result.m_strL;
    return true;
}

void CLMatchDlg::Compute() {
    UpdateData(true); // a failed field has had its message; go on with the values held
    if (ComputeMembers()) {
        UpdateData(false);
    }
}
