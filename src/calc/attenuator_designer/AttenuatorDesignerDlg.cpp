#include "calc/attenuator_designer/AttenuatorDesignerDlg.h"

#include "calc/attenuator_designer/AttenuatorDesigner.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ReportClock.h"
#include "dialogs/SchematicPicture.h"
#include "templates/AttenuatorDesignerTemplate.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

#include <limits>

namespace {

constexpr int kResultMaxChars = 80;

constexpr CFocusStop kInputs[] = {
    {kAttImpedanceEdit, 0},
    {kAttAttenuationEdit, 1},
    {kAttPowerEdit, 2},
};

constexpr const char* kColumnHeaders[kAttenuatorListColumnCount] = {"抵抗", "理想値", "選定値",
                                                                    "偏差(%)", "電力(W)"};
constexpr int kColumnWidths[kAttenuatorListColumnCount] = {130, 100, 100, 90, 90}; // pixels
constexpr Qt::Alignment kNumberAlignment = Qt::AlignRight | Qt::AlignVCenter;

// One drawing per topology, in the order of the radio buttons.
constexpr const char* kSchematics[kAttenuatorTopologyCount] = {
    ":/schematics/attenuator_pi.svg",
    ":/schematics/attenuator_t.svg",
    ":/schematics/attenuator_bridged_t.svg",
};

constexpr int kTopologyRadios[kAttenuatorTopologyCount] = {kAttPiRadio, kAttTRadio,
                                                           kAttBridgedTRadio};

// The group always has one button checked and the list one item selected;
// anything else reads as the defaults.
EAttenuatorTopology TopologyOf(int nIndex) {
    return nIndex >= 0 && nIndex < kAttenuatorTopologyCount
               ? static_cast<EAttenuatorTopology>(nIndex)
               : EAttenuatorTopology::Pi;
}

EResistorSeries SeriesOf(int nIndex) {
    return nIndex >= 0 && nIndex < kResistorSeriesCount ? static_cast<EResistorSeries>(nIndex)
                                                        : EResistorSeries::E24;
}

} // namespace

CAttenuatorDesignerDlg::CAttenuatorDesignerDlg(QWidget* pParent)
    : CCalcDialog(AttenuatorDesignerTemplate(), pParent), m_strReport(kAttenuatorNoReport),
      m_dImpedance(kAttenuatorDefaultImpedance), m_dAttenuation(kAttenuatorDefaultAttenuation),
      m_nSeries(static_cast<int>(CAttenuatorInputs().eSeries)) {
    KeepRefusedText();
    m_editImpedance = Item<QLineEdit>(kAttImpedanceEdit);
    m_editAttenuation = Item<QLineEdit>(kAttAttenuationEdit);
    m_editPower = Item<QLineEdit>(kAttPowerEdit);
    m_comboSeries = Item<QComboBox>(kAttSeriesCombo);
    m_listResistors = Item<QTreeWidget>(kAttResistorList);
    m_pictureSchematic = Item<CSchematicPicture>(kAttSchematicPicture);
    TrackFocus(kInputs, m_nFocus, -1, [this] { Compute(); });
    OnNotify(kAttSeriesCombo, ENotify::SelChange, [this] { Compute(); });
    for (const int nRadio : kTopologyRadios) {
        OnNotify(nRadio, ENotify::Clicked, [this] { Compute(); });
    }
    // The compute button has no handler: clicking it takes the focus from
    // the edit, and that focus loss computes.
}

void CAttenuatorDesignerDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(kAttAttenuationStatic, m_strAttenuation, kResultMaxChars);
    dx.Text(kAttReturnLossStatic, m_strReturnLoss, kResultMaxChars);
    dx.Text(kAttVswrStatic, m_strVswr, kResultMaxChars);
    dx.Text(kAttLoadPowerStatic, m_strLoadPower, kResultMaxChars);
    dx.Number(kAttImpedanceEdit, m_dImpedance, 0.0, kAttenuatorMaxImpedance);
    dx.Number(kAttAttenuationEdit, m_dAttenuation, 0.0, kAttenuatorMaxAttenuation);
    dx.Radio(kAttPiRadio, m_nTopology);
    dx.ComboIndex(kAttSeriesCombo, m_nSeries);
    dx.Number(kAttPowerEdit, m_dPower, 0.0, kAttenuatorMaxPower);
}

bool CAttenuatorDesignerDlg::OnInitDialog() {
    for (int n = 0; n < kResistorSeriesCount; ++n) {
        m_comboSeries->addItem(
            QString::fromUtf8(CResistorSeries(static_cast<EResistorSeries>(n)).Name()));
    }
    QStringList headers;
    for (const char* pszHeader : kColumnHeaders) {
        headers << QString::fromUtf8(pszHeader);
    }
    m_listResistors->setHeaderLabels(headers);
    for (int nColumn = 0; nColumn < kAttenuatorListColumnCount; ++nColumn) {
        m_listResistors->setColumnWidth(nColumn, kColumnWidths[nColumn]);
    }
    m_listResistors->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Numbers line up on the right, their headers with them.
    for (int nColumn = 1; nColumn < kAttenuatorListColumnCount; ++nColumn) {
        m_listResistors->headerItem()->setTextAlignment(nColumn, kNumberAlignment);
    }
    CCalcDialog::OnInitDialog();
    // The preset values (the view's hand-over) open with their results.
    ComputeMembers();
    return true;
}

void CAttenuatorDesignerDlg::OnEnterKey() {
    UpdateData(true);
    MoveFocus(NextInCycle(kInputs, m_nFocus, kAttImpedanceEdit));
}

void CAttenuatorDesignerDlg::Compute() {
    // A refused field keeps its text: nothing is designed until it is put right.
    m_bRefusedField = !UpdateData(true);
    ComputeMembers();
}

void CAttenuatorDesignerDlg::ComputeMembers() {
    CAttenuatorInputs inputs;
    inputs.dImpedance = m_bRefusedField ? std::numeric_limits<double>::quiet_NaN() : m_dImpedance;
    inputs.dAttenuation = m_dAttenuation;
    inputs.eTopology = TopologyOf(m_nTopology);
    inputs.eSeries = SeriesOf(m_nSeries);
    inputs.dPower = m_dPower;
    const CAttenuatorDesign design = DesignAttenuator(inputs, ReportTime());

    m_pictureSchematic->SetResource(
        QString::fromUtf8(kSchematics[static_cast<int>(inputs.eTopology)]));
    m_listResistors->clear();
    for (const CAttenuatorListItem& item : AttenuatorListItems(design)) {
        QStringList cells;
        for (const std::string& strCell : item) {
            cells << QString::fromStdString(strCell);
        }
        auto* pItem = new QTreeWidgetItem(cells);
        for (int nColumn = 1; nColumn < kAttenuatorListColumnCount; ++nColumn) {
            pItem->setTextAlignment(nColumn, kNumberAlignment);
        }
        m_listResistors->addTopLevelItem(pItem);
    }
    m_strAttenuation = design.strAttenuation;
    m_strReturnLoss = design.strReturnLoss;
    m_strVswr = design.strVswr;
    m_strLoadPower = design.strLoadPower;
    m_strReport = design.strReport;
    UpdateData(false);
}
