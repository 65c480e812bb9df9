#include "calc/xtal_filter/XtalMeasureDlg.h"

#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "templates/XtalMeasureTemplate.h"

#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;
constexpr int kNoticeMaxChars = 250;

constexpr CFocusStop kCycle[] = {
    {kMeasureF1Edit, 1},
    {kMeasureF2Edit, 2},
    {kMeasureCsEdit, 3},
    {kMeasureC0Edit, 4},
};

} // namespace

CXtalMeasureDlg::CXtalMeasureDlg(QWidget* pParent) : CCalcDialog(XtalMeasureTemplate(), pParent) {
    KeepRefusedText();
    m_editF1 = Item<QLineEdit>(kMeasureF1Edit);
    m_editF2 = Item<QLineEdit>(kMeasureF2Edit);
    m_editCs = Item<QLineEdit>(kMeasureCsEdit);
    m_editC0 = Item<QLineEdit>(kMeasureC0Edit);
    TrackFocus(kCycle, m_nFocus, 0, [this] { Compute(); });
    // The compute button has no handler: the click takes the focus from the
    // edit, and that focus loss computes.
}

void CXtalMeasureDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kMeasureF1Edit, m_dF1, kXtalMeasureMinFrequency, kXtalMeasureMaxFrequency);
    dx.Number(kMeasureF2Edit, m_dF2, kXtalMeasureMinFrequency, kXtalMeasureMaxFrequency);
    dx.Number(kMeasureCsEdit, m_dCs, kXtalMeasureMinCs, kXtalMeasureMaxCs);
    dx.Number(kMeasureC0Edit, m_dC0, kXtalMeasureMinC0, kXtalMeasureMaxC0);
    dx.Text(kMeasureCmStatic, m_strCm, kResultMaxChars);
    dx.Text(kMeasureLmStatic, m_strLm, kResultMaxChars);
    dx.Text(kMeasureFpStatic, m_strFp, kResultMaxChars);
    dx.Text(kMeasureNoticeStatic, m_strNotice, kNoticeMaxChars);
}

bool CXtalMeasureDlg::OnInitDialog() {
    CCalcDialog::OnInitDialog();
    // The values it was opened with are results already.
    Compute();
    return true;
}

void CXtalMeasureDlg::OnEnterKey() {
    MoveFocus(NextInCycle(kCycle, m_nFocus, kMeasureF1Edit));
}

void CXtalMeasureDlg::Compute() {
    // A refused field keeps its text: nothing is computed until it is put right.
    m_result = CXtalMeasureResult{};
    m_result.m_strReport = kXtalMeasureNoReport;
    if (UpdateData(true)) {
        m_result = ComputeXtalMeasure(m_dF1, m_dF2, m_dCs, m_dC0, ReportTime());
    }
    m_strCm = m_result.m_strCm;
    m_strLm = m_result.m_strLm;
    m_strFp = m_result.m_strParallelFrequency;
    m_strNotice = m_result.m_strMessage;
    UpdateData(false);
}
