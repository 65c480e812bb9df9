#include "calc/ladder_filter/LadderFilterDlg.h"

#include "calc/ladder_filter/LadderFilter.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "templates/LadderFilterTemplate.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr const char* kNoReport = "\r\n\r\n";
constexpr int kColumnWidth = 100; // pixels, as the list was designed

constexpr const char* kColumnHeaders[kLadderListColumnCount] = {"帯域幅(kHz)", "Ｃ(PF)", "２Ｃ(PF)",
                                                                "Ｚ(Ω)"};

constexpr CFocusStop kInputs[] = {
    {kLadderFrequencyEdit, 1},
    {kLadderCapacitanceEdit, 2},
    {kLadderBandwidthEdit, 3},
};
constexpr int kComputeClicked = 4;

} // namespace

CLadderFilterDlg::CLadderFilterDlg(QWidget* pParent)
    : CCalcDialog(LadderFilterTemplate(), pParent), m_strReport(kNoReport) {
    m_btnCompute = Item<QPushButton>(kLadderComputeButton);
    m_listTable = Item<QTreeWidget>(kLadderTableList);
    m_editCapacitance = Item<QLineEdit>(kLadderCapacitanceEdit);
    m_editFrequency = Item<QLineEdit>(kLadderFrequencyEdit);
    m_editBandwidth = Item<QLineEdit>(kLadderBandwidthEdit);
    TrackFocus(kInputs, m_nFocus, 0, [this] { Compute(); });
    // The click itself computes nothing: it took the focus from the edit,
    // whose focus loss already did. It only sends the next Enter home.
    OnNotify(kLadderComputeButton, ENotify::Clicked, [this] { m_nFocus = kComputeClicked; });
}

void CLadderFilterDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(kLadderComputeButton, m_btnCompute);
    dx.Control(kLadderTableList, m_listTable);
    dx.Control(kLadderCapacitanceEdit, m_editCapacitance);
    dx.Control(kLadderFrequencyEdit, m_editFrequency);
    dx.Control(kLadderBandwidthEdit, m_editBandwidth);
    dx.Number(kLadderBandwidthEdit, m_dBandwidth, 0.0, 1000.0);
    dx.Number(kLadderFrequencyEdit, m_dFrequency, 0.0, 100.0);
    dx.Number(kLadderCapacitanceEdit, m_dHolderCapacitance, 0.0, 100.0);
}

bool CLadderFilterDlg::OnInitDialog() {
    CCalcDialog::OnInitDialog();
    QStringList headers;
    for (const char* pszHeader : kColumnHeaders) {
        headers << QString::fromUtf8(pszHeader);
    }
    m_listTable->setHeaderLabels(headers);
    for (int nColumn = 0; nColumn < kLadderListColumnCount; ++nColumn) {
        m_listTable->setColumnWidth(nColumn, kColumnWidth);
    }
    m_listTable->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_nFocus = 0;
    m_strReport = kNoReport;
    return true;
}

void CLadderFilterDlg::OnEnterKey() {
    // Round the inputs, home after a click on Compute; with no input
    // focused Enter does nothing.
    if (m_nFocus == kComputeClicked) {
        MoveFocus(kLadderFrequencyEdit);
    } else if (const int nNext = NextInCycle(kInputs, m_nFocus, kNoId); nNext != kNoId) {
        MoveFocus(nNext);
    }
}

void CLadderFilterDlg::Compute() {
    UpdateData(true); // a failed field has had its message; go on with the values held
    const CLadderDesign design =
        ComputeLadderFilter(m_dFrequency, m_dHolderCapacitance, m_dBandwidth, ReportTime());
    m_listTable->clear();
    for (const CLadderListItem& item : LadderListItems(design)) {
        QStringList cells;
        for (const std::string& strCell : item) {
            cells << QString::fromStdString(strCell);
        }
        m_listTable->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    m_strReport = design.m_strReport;
    m_dTerminationImpedance = design.m_bComputed ? design.m_dTerminationImpedance : 0.0;
}
