#include "calc/pi_attenuator/PiAttenuatorDlg.h"

#include "calc/pi_attenuator/PiAttenuator.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "templates/PiAttenuatorTemplate.h"

#include <QLineEdit>

namespace {

constexpr int kResultMaxChars = 80;

constexpr CFocusStop kInputs[] = {
    {kPiImpedanceEdit, 0},
    {kPiAttenuationEdit, 1},
};

} // namespace

CPiAttenuatorDlg::CPiAttenuatorDlg(QWidget* pParent)
    : CCalcDialog(PiAttenuatorTemplate(), pParent), m_strReport(kPiAttenuatorNoReport) {
    m_editImpedance = Item<QLineEdit>(kPiImpedanceEdit);
    m_editAttenuation = Item<QLineEdit>(kPiAttenuationEdit);
    TrackFocus(kInputs, m_nFocus, -1, [this] { Compute(); });
    // The compute button (3) has no handler: clicking it takes the focus
    // from the edit, and that focus loss computes.
}

void CPiAttenuatorDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(kPiR1Static, m_strR1, kResultMaxChars);
    dx.Text(kPiR2Static, m_strR2, kResultMaxChars);
    dx.Number(kPiImpedanceEdit, m_dImpedance, 0.0, 10000.0);
    dx.Number(kPiAttenuationEdit, m_dAttenuation, 0.0, 200.0);
}

void CPiAttenuatorDlg::OnEnterKey() {
    UpdateData(true);
    MoveFocus(m_nFocus == 0 ? kPiAttenuationEdit : kPiImpedanceEdit);
}

void CPiAttenuatorDlg::Compute() {
    UpdateData(true); // a failed field has had its message; go on with the values held
    const CPiAttenuatorResult result =
        ComputePiAttenuator(m_dImpedance, m_dAttenuation, ReportTime());
    m_strR1 = result.strR1;
    m_strR2 = result.strR2;
    m_strReport = result.strReport;
    UpdateData(false);
}
