#include "calc/lc_filter/LcFilterDlg.h"

#include "calc/lc_filter/LcReport.h"
#include "calc/lc_filter/LcSchematic.h"
#include "calc/toroid_winding/ToroidWindingDlg.h"
#include "dialogs/DataExchange.h"
#include "dialogs/FilePrompt.h"
#include "dialogs/MessageSink.h"
#include "dialogs/ReportClock.h"
#include "dialogs/ResponseChart.h"
#include "dialogs/SchematicPicture.h"
#include "report/CFormat.h"
#include "tables/ToroidCoreCatalog.h"
#include "templates/LcFilterTemplate.h"
#include "text/NumberInput.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

static_assert(kLcFigureRows == kLcFigureTextCount);

namespace {

constexpr int kResultMaxChars = 80;
constexpr int kChartPoints = 801;
constexpr int kExportPoints = 2001;
constexpr double kChartFloorDb = -120.0;

// Enter walks these, greyed ones skipped; each one's focus loss computes.
constexpr CFocusStop kInputs[] = {
    {kLcImpedanceEdit, 0}, {kLcCutoffEdit, 1}, {kLcRippleEdit, 2},  {kLcSwrEdit, 3},
    {kLcOuterEdit, 4},     {kLcInnerEdit, 5},  {kLcBandLowEdit, 6}, {kLcBandHighEdit, 7},
    {kLcQEdit, 8},         {kLcCheck1Edit, 9}, {kLcCheck2Edit, 10}, {kLcPowerEdit, 11},
    {kLcHarmonicEdit, 12},
};

// The orders the list offers; a response allows only some (the design says
// which, and why not the others).
constexpr int kOrderChoices[] = {2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr int kOrderChoiceCount = static_cast<int>(std::size(kOrderChoices));

constexpr const char* kTrapChoices[] = {"なし", "2倍", "2倍と3倍", "2倍・3倍・4倍"};
constexpr const char* kSeriesChoices[] = {"なし", "E6", "E12", "E24"};

constexpr const char* kPartHeaders[] = {"名前", "場所", "理想値", "選定値", "巻数", "ずれ(%)"};
constexpr int kPartWidths[] = {40, 66, 76, 76, 36, 50}; // pixels
constexpr int kChosenColumn = 3;
constexpr const char* kCandidateHeaders[] = {"外側(pF)", "内側(pF)", "fc(MHz)", "SWR"};
constexpr int kCandidateWidths[] = {66, 66, 70, 56};
constexpr Qt::Alignment kNumberAlignment = Qt::AlignRight | Qt::AlignVCenter;

// Traps sit on a Chebyshev low-pass with a capacitor first only.
bool TakesTraps(const CLcFilterInputs& inputs) {
    return inputs.m_eResponse == ELcResponse::Chebyshev &&
           inputs.m_eType == ELcFilterType::LowPass &&
           inputs.m_eFirst == ELcFirstElement::Capacitor;
}

template <class T> T Clamped(int nIndex, int nCount, T fallback) {
    return nIndex >= 0 && nIndex < nCount ? static_cast<T>(nIndex) : fallback;
}

} // namespace

CLcFilterDlg::CLcFilterDlg(QWidget* pParent)
    : CCalcDialog(LcFilterTemplate(), pParent), m_strReport(kLcFilterNoReport),
      m_nOrderIndex(kLcDefaultOrder - kOrderChoices[0]) {
    KeepRefusedText();
    m_comboResponse = Item<QComboBox>(kLcResponseCombo);
    m_comboOrder = Item<QComboBox>(kLcOrderCombo);
    m_comboTraps = Item<QComboBox>(kLcTrapsCombo);
    m_comboSeries = Item<QComboBox>(kLcSeriesCombo);
    m_comboCore = Item<QComboBox>(kLcCoreCombo);
    m_listParts = Item<QTreeWidget>(kLcPartList);
    m_listCandidates = Item<QTreeWidget>(kLcCandidateList);
    m_pictureSchematic = Item<CSchematicPicture>(kLcSchematicPicture);
    m_staticNotice = Item<QLabel>(kLcNoticeStatic);

    auto* pFrame = Item<QLabel>(kLcChartFrame);
    m_pChart = new CResponseChart(font(), pFrame);
    m_pChart->SetAxisTitles(QStringLiteral("周波数 (MHz)"), QStringLiteral("S21 (dB)"),
                            QStringLiteral("リターンロス (dB)"));
    m_pChart->SetCurveNames(QStringLiteral("S21 実際"), QStringLiteral("リターンロス 実際"));
    m_pChart->SetRightCurveSolid(true);
    m_pChart->SetLeftRange(kChartFloorDb, 0.0);
    auto* pLayout = new QVBoxLayout(pFrame);
    pLayout->setContentsMargins(1, 1, 1, 1);
    pLayout->addWidget(m_pChart);

    TrackFocus(kInputs, m_nFocus, -1, [this] { Compute(); });
    for (const int nCombo :
         {kLcResponseCombo, kLcOrderCombo, kLcTrapsCombo, kLcSeriesCombo, kLcCoreCombo}) {
        OnNotify(nCombo, ENotify::SelChange, [this] { Compute(); });
    }
    for (const int nRadio :
         {kLcLowPassRadio, kLcHighPassRadio, kLcCapacitorFirstRadio, kLcInductorFirstRadio}) {
        OnNotify(nRadio, ENotify::Clicked, [this] { Compute(); });
    }
    OnNotify(kLcNetlistButton, ENotify::Clicked, [this] { SaveNetlist(); });
    OnNotify(kLcCsvButton, ENotify::Clicked, [this] { SaveCsv(); });
    OnNotify(kLcWindingButton, ENotify::Clicked, [this] {
        QTreeWidgetItem* pItem = m_listParts->currentItem();
        OpenWinding(pItem ? m_listParts->indexOfTopLevelItem(pItem) : -1);
    });
    connect(m_listParts, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* pItem, int nColumn) {
                if (!m_bShowing && nColumn == kChosenColumn) {
                    EditChosenValue(m_listParts->indexOfTopLevelItem(pItem),
                                    pItem->text(kChosenColumn));
                }
            });
    connect(m_listParts, &QTreeWidget::currentItemChanged, this, [this] { EnableInputs(); });
    connect(m_listCandidates, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* pItem) {
                if (m_bShowing || pItem == nullptr) {
                    return;
                }
                m_nCandidate = m_listCandidates->indexOfTopLevelItem(pItem);
                ComputeMembers();
            });
    // The compute button has no handler: the click takes the focus from the
    // input, and that focus loss computes.
}

void CLcFilterDlg::DoDataExchange(CDataExchange& dx) {
    for (int i = 0; i < kLcFigureTextCount; ++i) {
        if (i < kLcRowHarmonic1) {
            dx.Text(kLcIdealFigureStatic + i, m_strFigures[0][i], kResultMaxChars);
        }
        dx.Text(kLcBuiltFigureStatic + i, m_strFigures[1][i], kResultMaxChars);
    }
    dx.Radio(kLcLowPassRadio, m_nType);
    dx.ComboIndex(kLcResponseCombo, m_nResponse);
    dx.ComboIndex(kLcOrderCombo, m_nOrderIndex);
    dx.Radio(kLcCapacitorFirstRadio, m_nFirst);
    dx.Number(kLcImpedanceEdit, m_dImpedance, 0.0, kLcMaxImpedance);
    dx.Number(kLcCutoffEdit, m_dCutoff, 0.0, kLcMaxCutoff);
    dx.Number(kLcRippleEdit, m_dRipple, kLcMinRipple, kLcMaxRipple);
    dx.Number(kLcSwrEdit, m_dSwr, 1.0, kLcMaxSwr);
    dx.Number(kLcOuterEdit, m_dOuter, 0.0, 1e9);
    dx.Number(kLcInnerEdit, m_dInner, 0.0, 1e9);
    dx.Number(kLcBandLowEdit, m_dBandLow, 0.0, kLcMaxFrequency);
    dx.Number(kLcBandHighEdit, m_dBandHigh, 0.0, kLcMaxFrequency);
    dx.ComboIndex(kLcTrapsCombo, m_nTraps);
    dx.ComboIndex(kLcSeriesCombo, m_nSeries);
    dx.ComboIndex(kLcCoreCombo, m_nCore);
    dx.Number(kLcQEdit, m_dQ, 0.0, kLcMaxQ);
    dx.Number(kLcCheck1Edit, m_dCheck1, 0.0, kLcMaxFrequency);
    dx.Number(kLcCheck2Edit, m_dCheck2, 0.0, kLcMaxFrequency);
    dx.Number(kLcPowerEdit, m_dPower, 0.0, kLcMaxPower);
    dx.Number(kLcHarmonicEdit, m_dHarmonic, kLcMinHarmonic, kLcMaxHarmonic);
}

bool CLcFilterDlg::OnInitDialog() {
    for (const ELcResponse eResponse :
         {ELcResponse::Butterworth, ELcResponse::Chebyshev, ELcResponse::StockChebyshev}) {
        m_comboResponse->addItem(QString::fromUtf8(LcResponseLabel(eResponse)));
    }
    for (const int nOrder : kOrderChoices) {
        m_comboOrder->addItem(QString::number(nOrder));
    }
    for (const char* pszTrap : kTrapChoices) {
        m_comboTraps->addItem(QString::fromUtf8(pszTrap));
    }
    for (const char* pszSeries : kSeriesChoices) {
        m_comboSeries->addItem(QString::fromUtf8(pszSeries));
    }
    m_comboCore->addItem(QStringLiteral("なし"));
    CToroidCoreCatalog catalog;
    const int nCores = catalog.Search("", "");
    for (int k = 0; k < nCores; ++k) {
        catalog.SelectResult(k);
        m_coreNames.push_back(catalog.m_strName);
        m_comboCore->addItem(QString::fromStdString(catalog.m_strName));
    }
    const auto setUpList = [](QTreeWidget* pList, const auto& headers, const auto& widths) {
        QStringList labels;
        for (const char* pszHeader : headers) {
            labels << QString::fromUtf8(pszHeader);
        }
        pList->setHeaderLabels(labels);
        for (int nColumn = 0; nColumn < static_cast<int>(std::size(widths)); ++nColumn) {
            pList->setColumnWidth(nColumn, widths[nColumn]);
            if (nColumn >= 2 || pList->columnCount() == 4) {
                pList->headerItem()->setTextAlignment(nColumn, kNumberAlignment);
            }
        }
        pList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    };
    setUpList(m_listParts, kPartHeaders, kPartWidths);
    setUpList(m_listCandidates, kCandidateHeaders, kCandidateWidths);
    // A chosen value is typed over with F2 or a double click.
    m_listParts->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed);
    CCalcDialog::OnInitDialog();
    ComputeMembers();
    // The keyboard starts on the first number, as in the other designers,
    // not on the choices above it.
    GiveFocus(GetDlgItem(kLcImpedanceEdit));
    return false;
}

void CLcFilterDlg::OnEnterKey() {
    UpdateData(true);
    MoveFocus(NextInCycle(kInputs, m_nFocus, kLcImpedanceEdit));
}

void CLcFilterDlg::OnOK() {
    m_strReport += m_strWindingReports;
    CCalcDialog::OnOK();
}

CLcFilterInputs CLcFilterDlg::Inputs() const {
    CLcFilterInputs inputs;
    inputs.m_eType = Clamped(m_nType, 2, ELcFilterType::LowPass);
    inputs.m_eResponse = Clamped(m_nResponse, 3, ELcResponse::Chebyshev);
    inputs.m_nOrder = kOrderChoices[Clamped(m_nOrderIndex, kOrderChoiceCount, 5)];
    inputs.m_eFirst = Clamped(m_nFirst, 2, ELcFirstElement::Capacitor);
    inputs.m_dImpedance = m_bRefusedField ? std::numeric_limits<double>::quiet_NaN() : m_dImpedance;
    inputs.m_dCutoff = m_dCutoff;
    inputs.m_dRipple = m_dRipple;
    inputs.m_dMaxSwr = m_dSwr;
    inputs.m_dOuterPf = m_dOuter;
    inputs.m_dInnerPf = m_dInner;
    inputs.m_nCandidate = m_nCandidate;
    inputs.m_dBandLow = m_dBandLow;
    inputs.m_dBandHigh = m_dBandHigh;
    inputs.m_nTraps = Clamped(m_nTraps, kLcMaxTraps + 1, 0);
    inputs.m_eSeries = Clamped(m_nSeries, 4, ELcCapacitorSeries::E12);
    if (m_nCore > 0 && m_nCore <= static_cast<int>(m_coreNames.size())) {
        inputs.m_strCore = m_coreNames[static_cast<std::size_t>(m_nCore - 1)];
    }
    inputs.m_dQ = m_dQ;
    inputs.m_dCheck1 = m_dCheck1;
    inputs.m_dCheck2 = m_dCheck2;
    inputs.m_dPower = m_dPower;
    inputs.m_dHarmonic = m_dHarmonic;
    inputs.m_overrides = m_overrides;
    // What a greyed choice holds does not count: traps only on a Chebyshev
    // low-pass with a capacitor first, stock capacitors only capacitor first.
    if (inputs.m_eResponse == ELcResponse::StockChebyshev) {
        inputs.m_eFirst = ELcFirstElement::Capacitor;
    }
    if (!TakesTraps(inputs)) {
        inputs.m_nTraps = 0;
    }
    return inputs;
}

void CLcFilterDlg::Compute() {
    // A refused field keeps its text: nothing is designed until it is put right.
    m_bRefusedField = !UpdateData(true);
    ComputeMembers();
}

void CLcFilterDlg::ComputeMembers() {
    CLcFilterInputs inputs = Inputs();
    // Values typed into the list belong to its parts: another ladder drops
    // them. Another search starts from its best pair.
    const bool bOtherLadder =
        inputs.m_eType != m_lastInputs.m_eType || inputs.m_eResponse != m_lastInputs.m_eResponse ||
        inputs.m_nOrder != m_lastInputs.m_nOrder || inputs.m_eFirst != m_lastInputs.m_eFirst ||
        inputs.m_nTraps != m_lastInputs.m_nTraps;
    if (bOtherLadder) {
        m_overrides.clear();
        inputs.m_overrides.clear();
    }
    const bool bOtherSearch = bOtherLadder || inputs.m_dCutoff != m_lastInputs.m_dCutoff ||
                              inputs.m_dMaxSwr != m_lastInputs.m_dMaxSwr ||
                              inputs.m_dImpedance != m_lastInputs.m_dImpedance ||
                              inputs.m_eSeries != m_lastInputs.m_eSeries ||
                              inputs.m_dOuterPf != m_lastInputs.m_dOuterPf ||
                              inputs.m_dInnerPf != m_lastInputs.m_dInnerPf;
    if (bOtherSearch) {
        m_nCandidate = 0;
        inputs.m_nCandidate = 0;
    }
    m_lastInputs = inputs;
    m_design = DesignLcFilter(inputs);

    const bool bPower = inputs.m_dPower > 0.0;
    if (m_design.m_bComputed) {
        m_strFigures[0] = LcFigureTexts(m_design.m_idealFigures, bPower);
        m_strFigures[1] = LcFigureTexts(m_design.m_builtFigures, bPower);
        m_staticNotice->setText(QStringLiteral("外側・内側を 0 にすると標準値の組を探します。\n"
                                               "評価する周波数 0 は既定（高調波）です。"));
        m_strReport = LcFilterReport(inputs, m_design, ReportTime());
    } else {
        for (auto& texts : m_strFigures) {
            for (std::string& strText : texts) {
                strText.clear();
            }
        }
        m_staticNotice->setText(QString::fromStdString(m_design.m_strMessage));
        m_strReport = kLcFilterNoReport;
    }
    m_pictureSchematic->SetSvg(QByteArray::fromStdString(LcSchematicSvg(m_design.m_parts)));
    ShowParts();
    ShowCandidates();
    ShowChart();
    EnableInputs();
    UpdateData(false);
}

void CLcFilterDlg::ShowParts() {
    m_bShowing = true;
    // The part picked stays picked through a recompute (a button's press
    // recomputes as it takes the focus from an input).
    const QTreeWidgetItem* pCurrent = m_listParts->currentItem();
    const QString strCurrent = pCurrent ? pCurrent->text(0) : QString();
    m_listParts->clear();
    for (const CLcPart& part : m_design.m_parts) {
        const QStringList cells = {
            QString::fromStdString(part.m_strName),
            QString::fromStdString(LcPlaceLabel(part)),
            QString::fromStdString(FormatLcPartValue(part.m_dIdeal, part.m_eKind, " ")),
            QString::fromStdString(FormatLcPartValue(part.m_dValue, part.m_eKind, " ")),
            part.m_nTurns > 0 ? QString::number(part.m_nTurns) : QString(),
            QString::fromStdString(FormatC("%+.1f", 100.0 * (part.m_dValue / part.m_dIdeal - 1.0))),
        };
        auto* pItem = new QTreeWidgetItem(cells);
        pItem->setFlags(pItem->flags() | Qt::ItemIsEditable);
        for (int nColumn = 2; nColumn < static_cast<int>(std::size(kPartHeaders)); ++nColumn) {
            pItem->setTextAlignment(nColumn, kNumberAlignment);
        }
        m_listParts->addTopLevelItem(pItem);
        if (!strCurrent.isEmpty() && cells[0] == strCurrent) {
            m_listParts->setCurrentItem(pItem);
        }
    }
    m_bShowing = false;
}

void CLcFilterDlg::ShowCandidates() {
    m_bShowing = true;
    m_listCandidates->clear();
    for (const CLcCandidate& candidate : m_design.m_candidates) {
        auto* pItem = new QTreeWidgetItem(QStringList{
            QString::fromStdString(FormatC("%g", candidate.m_dOuterPf)),
            QString::fromStdString(FormatC("%g", candidate.m_dInnerPf)),
            QString::fromStdString(FormatC("%.3f", candidate.m_dCutoff / 1e6)),
            QString::fromStdString(FormatC("%.3f", candidate.m_dMaxSwr)),
        });
        for (int nColumn = 0; nColumn < 4; ++nColumn) {
            pItem->setTextAlignment(nColumn, kNumberAlignment);
        }
        m_listCandidates->addTopLevelItem(pItem);
    }
    if (m_design.m_nCandidate >= 0 &&
        m_design.m_nCandidate < m_listCandidates->topLevelItemCount()) {
        m_listCandidates->setCurrentItem(m_listCandidates->topLevelItem(m_design.m_nCandidate));
    }
    m_bShowing = false;
}

void CLcFilterDlg::ShowChart() {
    if (!m_design.m_bComputed) {
        m_pChart->Clear();
        return;
    }
    const CLcSweepRange range = LcChartRange(m_design);
    const std::vector<CLcSweepPoint> points =
        LcSweep(m_design, range.m_dFrom, range.m_dTo, kChartPoints);
    std::vector<double> x, built, builtReturn, ideal, idealReturn;
    for (const CLcSweepPoint& point : points) {
        x.push_back(point.m_dFrequency / 1e6);
        built.push_back(point.m_dBuiltS21Db);
        builtReturn.push_back(point.m_dBuiltReturnLoss);
        ideal.push_back(point.m_dIdealS21Db);
        idealReturn.push_back(point.m_dIdealReturnLoss);
    }
    m_pChart->SetCurves(x, built, builtReturn);
    m_pChart->SetReferenceCurves(x, ideal, idealReturn, QStringLiteral("S21 理想"),
                                 QStringLiteral("リターンロス 理想"));
    m_pChart->SetLeftRange(kChartFloorDb, 0.0);
    m_pChart->SetBand(m_design.m_dBandLow / 1e6, m_design.m_dBandHigh / 1e6);
    const CLcFigures& figures = m_design.m_builtFigures;
    std::vector<QPointF> checks;
    for (const CLcCheck& check : figures.m_checks) {
        const CLcScattering s = LcLadderResponse(m_design.m_built, check.m_dFrequency);
        const double dDb = std::max(kChartFloorDb, -LcAttenuation(s));
        checks.emplace_back(check.m_dFrequency / 1e6, dDb);
    }
    m_pChart->SetMarks({
        {QStringLiteral("評価する周波数"), checks},
        {QStringLiteral("3dB点"),
         {QPointF(figures.m_dCutoff3Db / 1e6, -(figures.m_dBandLoss + 3.0))}},
    });
}

void CLcFilterDlg::EnableInputs() {
    const bool bChebyshev = m_nResponse == static_cast<int>(ELcResponse::Chebyshev);
    const bool bStock = m_nResponse == static_cast<int>(ELcResponse::StockChebyshev);
    GetDlgItem(kLcRippleEdit)->setEnabled(bChebyshev);
    GetDlgItem(kLcSwrEdit)->setEnabled(bStock);
    GetDlgItem(kLcOuterEdit)->setEnabled(bStock);
    GetDlgItem(kLcInnerEdit)->setEnabled(bStock);
    GetDlgItem(kLcInductorFirstRadio)->setEnabled(!bStock);
    GetDlgItem(kLcTrapsCombo)->setEnabled(TakesTraps(Inputs()));
    const bool bComputed = m_design.m_bComputed;
    GetDlgItem(kLcNetlistButton)->setEnabled(bComputed);
    GetDlgItem(kLcCsvButton)->setEnabled(bComputed);
    QTreeWidgetItem* pItem = m_listParts->currentItem();
    const int nRow = pItem ? m_listParts->indexOfTopLevelItem(pItem) : -1;
    const bool bCoil = nRow >= 0 && nRow < static_cast<int>(m_design.m_parts.size()) &&
                       m_design.m_parts[static_cast<std::size_t>(nRow)].m_nTurns > 0;
    GetDlgItem(kLcWindingButton)->setEnabled(bComputed && bCoil);
}

bool CLcFilterDlg::EditChosenValue(int nRow, const QString& strText) {
    if (nRow < 0 || nRow >= static_cast<int>(m_design.m_parts.size())) {
        return false;
    }
    const CLcPart& part = m_design.m_parts[static_cast<std::size_t>(nRow)];
    // The unit may be typed along with the number.
    QString strNumber = strText.trimmed();
    for (const QString& strUnit :
         {QStringLiteral("pF"), QStringLiteral("μH"), QStringLiteral("µH"), QStringLiteral("uH")}) {
        if (strNumber.endsWith(strUnit, Qt::CaseInsensitive)) {
            strNumber.chop(strUnit.size());
            strNumber = strNumber.trimmed();
        }
    }
    double dValue = 0.0;
    if (!ParseNumber(strNumber.toStdString(), dValue) || !(dValue > 0.0) ||
        !std::isfinite(dValue)) {
        ShowMessage(
            this, QMessageBox::Warning,
            QString::fromStdString(FormatC("%s の選定値には 0 より大きい数（%s）を入れてください。",
                                           part.m_strName.c_str(),
                                           part.m_eKind == ELcPartKind::Capacitor ? "pF" : "μH")));
        ShowParts();
        return false;
    }
    const std::string strName = part.m_strName;
    std::erase_if(m_overrides, [&](const CLcOverride& o) { return o.m_strName == strName; });
    m_overrides.push_back({strName, dValue});
    ComputeMembers();
    m_listParts->setCurrentItem(m_listParts->topLevelItem(nRow));
    return true;
}

void CLcFilterDlg::OpenWinding(int nRow) {
    if (nRow < 0 || nRow >= static_cast<int>(m_design.m_parts.size()) ||
        m_design.m_parts[static_cast<std::size_t>(nRow)].m_nTurns <= 0 || m_nCore <= 0) {
        return;
    }
    CToroidWindingDlg dlg(this);
    dlg.m_strCore = m_coreNames[static_cast<std::size_t>(m_nCore - 1)];
    dlg.m_dTurns = m_design.m_parts[static_cast<std::size_t>(nRow)].m_nTurns;
    if (dlg.exec() == kIdOk) {
        m_strWindingReports += dlg.m_strReport;
    }
}

void CLcFilterDlg::SaveNetlist() {
    if (!m_design.m_bComputed) {
        return;
    }
    const CLcSweepRange range = LcChartRange(m_design);
    SaveExportFile(this, QStringLiteral("ネットリストの保存"),
                   QStringLiteral("SPICE ネットリスト (*.cir);;すべてのファイル (*)"),
                   QStringLiteral("cir"), QStringLiteral("lc_filter.cir"),
                   LcSpiceNetlist(m_design, range.m_dFrom, range.m_dTo, kExportPoints));
}

void CLcFilterDlg::SaveCsv() {
    if (!m_design.m_bComputed) {
        return;
    }
    const CLcSweepRange range = LcChartRange(m_design);
    SaveExportFile(this, QStringLiteral("CSV の保存"),
                   QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)"),
                   QStringLiteral("csv"), QStringLiteral("lc_filter.csv"),
                   LcSweepCsv(LcSweep(m_design, range.m_dFrom, range.m_dTo, kExportPoints)));
}
