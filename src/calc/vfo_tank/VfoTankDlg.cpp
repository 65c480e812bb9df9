#include "calc/vfo_tank/VfoTankDlg.h"

#include "calc/vfo_tank/VfoTank.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "templates/VfoTankTemplate.h"

#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;
constexpr int kNoticeMaxChars = 250;

// The Enter cycle: lower frequency, upper frequency, VC minimum, VC maximum.
constexpr CFocusStop kCycle[] = {
    {kVfoFreqMinEdit, 1},
    {kVfoFreqMaxEdit, 2},
    {kVfoCapMinEdit, 3},
    {kVfoCapMaxEdit, 4},
};

} // namespace

CVfoTankDlg::CVfoTankDlg(QWidget* pParent) : CCalcDialog(VfoTankTemplate(), pParent) {
    m_editCapMin = Item<QLineEdit>(kVfoCapMinEdit);
    m_editFreqMin = Item<QLineEdit>(kVfoFreqMinEdit);
    m_editCapMax = Item<QLineEdit>(kVfoCapMaxEdit);
    m_editFreqMax = Item<QLineEdit>(kVfoFreqMaxEdit);
    TrackFocus(kCycle, m_nFocus, 0, [this] { Compute(); });
    // The compute button (3) has no handler: clicking it takes the focus
    // from the edit, and that focus loss computes.
}

void CVfoTankDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(kVfoFixedCapStatic, m_strFixedCap, kResultMaxChars);
    dx.Text(kVfoInductanceStatic, m_strInductance, kResultMaxChars);
    dx.Number(kVfoFreqMaxEdit, m_dFreqMax, 0.0, 1000.0);
    dx.Number(kVfoCapMaxEdit, m_dCapMax, 0.0, 10000.0);
    dx.Number(kVfoFreqMinEdit, m_dFreqMin, 0.0, 1000.0);
    dx.Number(kVfoCapMinEdit, m_dCapMin, 0.0, 10000.0);
    dx.Text(kVfoNoticeStatic, m_strNotice, kNoticeMaxChars);
}

void CVfoTankDlg::OnEnterKey() {
    UpdateData(true);
    // The VC minimum when no input had the focus.
    MoveFocus(NextInCycle(kCycle, m_nFocus, kVfoCapMinEdit));
}

void CVfoTankDlg::Compute() {
    UpdateData(true); // a failed field has had its message; go on with the values held
    const CVfoTankResult result =
        ComputeVfoTank(m_dFreqMin, m_dFreqMax, m_dCapMin, m_dCapMax, ReportTime());
    m_strInductance = result.strInductance;
    m_strFixedCap = result.strFixedCap;
    m_strNotice = result.strNotice;
    m_strReport = result.strReport;
    UpdateData(false);
}
