#include "calc/xtal_filter/XtalFilterDlg.h"

#include "calc/xtal_filter/XtalMeasureDlg.h"
#include "calc/xtal_filter/XtalSortDlg.h"
#include "dialogs/DataExchange.h"
#include "dialogs/FilePrompt.h"
#include "dialogs/MessageSink.h"
#include "dialogs/ReportClock.h"
#include "dialogs/ResponseChart.h"
#include "report/CFormat.h"
#include "templates/XtalFilterTemplate.h"
#include "text/LogFile.h"
#include "text/NumberInput.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kResultMaxChars = 80;
constexpr int kNoticeMaxChars = 250;

// Points of the chart's sweep: smooth at the dialog's size and quick enough
// to redraw on every focus change.
constexpr int kChartPoints = 601;
// Points of the exported netlist sweep and CSV, the same frequencies in both.
constexpr int kExportPoints = 1001;
constexpr double kHzPerKHz = 1000.0;
// The S21 axis shows at least this much of the stopband, in dB.
constexpr double kChartFloorDb = -100.0;

constexpr const char* kColumnHeaders[] = {"水晶", "実効 L", "結合 CK", "直列 CT", "オフセット"};
constexpr int kColumnWidths[] = {40, 100, 100, 100, 100}; // pixels

// The Enter cycle: the inputs from top to bottom.
constexpr CFocusStop kCycle[] = {
    {kXtalFrequencyEdit, 1}, {kXtalLmEdit, 2},        {kXtalC0Edit, 3},     {kXtalQEdit, 4},
    {kXtalCountCombo, 5},    {kXtalResponseCombo, 6}, {kXtalRippleEdit, 7}, {kXtalBandwidthEdit, 8},
};

int TrackerOf(int nId) {
    for (const CFocusStop& stop : kCycle) {
        if (stop.nId == nId) {
            return stop.nTracker;
        }
    }
    return 0;
}

QString FromUtf8(const std::string& str) {
    return QString::fromUtf8(str.data(), static_cast<qsizetype>(str.size()));
}

} // namespace

CXtalFilterDlg::CXtalFilterDlg(QWidget* pParent)
    : CCalcDialog(XtalFilterTemplate(), pParent), m_strReport(kXtalFilterNoReport) {
    KeepRefusedText();
    // The worked design, until the ladder filter hands something over.
    const CXtalFilterInputs defaults;
    m_dFrequency = defaults.m_dFrequency;
    m_dLm = defaults.m_dLm;
    m_dC0 = defaults.m_dC0;
    m_dQu = defaults.m_dQu;
    m_nCountIndex = defaults.m_nCrystals - kXtalMinCrystals;
    m_nResponse = static_cast<int>(defaults.m_eResponse);
    m_dRipple = defaults.m_dRipple;
    m_dBandwidth = defaults.m_dBandwidth;

    m_editFrequency = Item<QLineEdit>(kXtalFrequencyEdit);
    m_editLm = Item<QLineEdit>(kXtalLmEdit);
    m_editC0 = Item<QLineEdit>(kXtalC0Edit);
    m_editQu = Item<QLineEdit>(kXtalQEdit);
    m_comboCount = Item<QComboBox>(kXtalCountCombo);
    m_comboResponse = Item<QComboBox>(kXtalResponseCombo);
    m_editRipple = Item<QLineEdit>(kXtalRippleEdit);
    m_editBandwidth = Item<QLineEdit>(kXtalBandwidthEdit);
    m_listMeshes = Item<QTreeWidget>(kXtalMeshList);
    for (int nCount = kXtalMinCrystals; nCount <= kXtalMaxCrystals; ++nCount) {
        m_comboCount->addItem(QString::number(nCount));
    }
    for (const EXtalResponse eResponse :
         {EXtalResponse::Butterworth, EXtalResponse::Chebyshev, EXtalResponse::Cohn}) {
        m_comboResponse->addItem(QString::fromUtf8(XtalResponseName(eResponse)));
    }

    auto* pFrame = Item<QLabel>(kXtalChartFrame);
    m_pChart = new CResponseChart(font(), pFrame);
    m_pChart->SetAxisTitles(QStringLiteral("設計周波数からのずれ (kHz)"),
                            QStringLiteral("S21 (dB)"), QStringLiteral("群遅延 (ms)"));
    m_pChart->SetCurveNames(QStringLiteral("S21"), QStringLiteral("群遅延"));
    m_pChart->SetLeftRange(kChartFloorDb, 0.0);
    auto* pLayout = new QVBoxLayout(pFrame);
    pLayout->setContentsMargins(1, 1, 1, 1);
    pLayout->addWidget(m_pChart);

    TrackFocus(kCycle, m_nFocus, 0, [this] { Compute(); });
    OnNotify(kXtalCountCombo, ENotify::SelChange, [this] { OnCountChanged(); });
    OnNotify(kXtalResponseCombo, ENotify::SelChange, [this] { Compute(); });
    OnNotify(kXtalPerCrystalCheck, ENotify::Clicked, [this] { OnPerCrystalClicked(); });
    OnNotify(kXtalMatchBandwidthCheck, ENotify::Clicked, [this] {
        UpdateData(true);
        Compute();
    });
    OnNotify(kXtalMeasureButton, ENotify::Clicked, [this] { TakeMeasurement(); });
    OnNotify(kXtalSortButton, ENotify::Clicked, [this] { TakeMatchedSet(); });
    OnNotify(kXtalNetlistButton, ENotify::Clicked, [this] { SaveNetlist(); });
    OnNotify(kXtalCsvButton, ENotify::Clicked, [this] { SaveCsv(); });
    // The compute button has no handler: the click takes the focus from the
    // input, and that focus loss computes.
}

bool CXtalFilterDlg::TakeLadderHandOver(double dFrequency, double dHolderCapacitance,
                                        double dBandwidth) {
    if (!IsWithinRange(dFrequency, kXtalMinFrequency, kXtalMaxFrequency) ||
        !IsWithinRange(dHolderCapacitance, kXtalMinC0, kXtalMaxC0) ||
        !IsWithinRange(dBandwidth, kXtalMinBandwidth, kXtalMaxBandwidth)) {
        return false;
    }
    m_dFrequency = dFrequency;
    m_dC0 = dHolderCapacitance;
    m_dBandwidth = dBandwidth;
    return true;
}

void CXtalFilterDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kXtalFrequencyEdit, m_dFrequency, kXtalMinFrequency, kXtalMaxFrequency);
    dx.Number(kXtalLmEdit, m_dLm, kXtalMinLm, kXtalMaxLm);
    dx.Number(kXtalC0Edit, m_dC0, kXtalMinC0, kXtalMaxC0);
    dx.Number(kXtalQEdit, m_dQu, kXtalMinQ, kXtalMaxQ);
    dx.ComboIndex(kXtalCountCombo, m_nCountIndex);
    dx.ComboIndex(kXtalResponseCombo, m_nResponse);
    dx.Number(kXtalRippleEdit, m_dRipple, kXtalMinRipple, kXtalMaxRipple);
    dx.Number(kXtalBandwidthEdit, m_dBandwidth, kXtalMinBandwidth, kXtalMaxBandwidth);
    dx.Check(kXtalPerCrystalCheck, m_nPerCrystal);
    dx.Check(kXtalMatchBandwidthCheck, m_nMatchBandwidth);
    dx.Text(kXtalSetStatic, m_strSet, kNoticeMaxChars);
    dx.Text(kXtalDesignFrequencyStatic, m_strDesignFrequency, kResultMaxChars);
    dx.Text(kXtalEndResistanceStatic, m_strEndResistance, kResultMaxChars);
    dx.Text(kXtalMaxBandwidthStatic, m_strMaxBandwidth, kResultMaxChars);
    dx.Text(kXtalInsertionLossStatic, m_strInsertionLoss, kResultMaxChars);
    dx.Text(kXtalBandwidth3Static, m_strBandwidth3, kResultMaxChars);
    dx.Text(kXtalBandwidth6Static, m_strBandwidth6, kResultMaxChars);
    dx.Text(kXtalBandwidth60Static, m_strBandwidth60, kResultMaxChars);
    dx.Text(kXtalShapeFactorStatic, m_strShapeFactor, kResultMaxChars);
    dx.Text(kXtalRippleStatic, m_strRipple, kResultMaxChars);
    dx.Text(kXtalGroupDelayStatic, m_strGroupDelay, kResultMaxChars);
    dx.Text(kXtalNoticeStatic, m_strNotice, kNoticeMaxChars);
}

bool CXtalFilterDlg::OnInitDialog() {
    CCalcDialog::OnInitDialog();
    QStringList headers;
    for (const char* pszHeader : kColumnHeaders) {
        headers << QString::fromUtf8(pszHeader);
    }
    m_listMeshes->setHeaderLabels(headers);
    for (int nColumn = 0; nColumn < headers.size(); ++nColumn) {
        m_listMeshes->setColumnWidth(nColumn, kColumnWidths[nColumn]);
    }
    m_listMeshes->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // It opens with the design of what it was given, chart included.
    Compute();
    m_nFocus = 0;
    return true;
}

void CXtalFilterDlg::OnEnterKey() {
    // Round the inputs, skipping those that are greyed (the ripple of a
    // response without one, the frequency and count of a matched set); from
    // anywhere else to the frequency.
    int nTracker = m_nFocus;
    for (std::size_t n = 0; n < std::size(kCycle); ++n) {
        const int nNext = NextInCycle(kCycle, nTracker, kXtalFrequencyEdit);
        if (GetDlgItem(nNext)->isEnabled()) {
            MoveFocus(nNext);
            return;
        }
        nTracker = TrackerOf(nNext);
    }
}

CXtalFilterInputs CXtalFilterDlg::Inputs() const {
    CXtalFilterInputs inputs;
    inputs.m_dFrequency = m_dFrequency;
    inputs.m_dLm = m_dLm;
    inputs.m_dC0 = m_dC0;
    inputs.m_dQu = m_dQu;
    inputs.m_nCrystals =
        std::clamp(m_nCountIndex + kXtalMinCrystals, kXtalMinCrystals, kXtalMaxCrystals);
    inputs.m_eResponse = static_cast<EXtalResponse>(std::clamp(m_nResponse, 0, 2));
    inputs.m_dRipple = m_dRipple;
    inputs.m_dBandwidth = m_dBandwidth;
    inputs.m_bMatchBandwidth = m_nMatchBandwidth == 1;
    if (m_nPerCrystal == 1 && static_cast<int>(m_setFrequencies.size()) == inputs.m_nCrystals) {
        inputs.m_crystalFrequencies = m_setFrequencies;
    }
    return inputs;
}

void CXtalFilterDlg::Compute() {
    // A refused field keeps its text: nothing is designed until it is put right.
    m_result = CXtalFilterResult{};
    m_result.m_strReport = kXtalFilterNoReport;
    if (UpdateData(true)) {
        m_result = ComputeXtalFilter(Inputs(), ReportTime());
    }
    m_strReport = m_result.m_strReport;
    ShowResult();
    ShowChart();
    UpdateData(false);
    UpdateControlStates();
}

void CXtalFilterDlg::ShowResult() {
    const CXtalFilterResult& r = m_result;
    m_strDesignFrequency = r.m_strDesignFrequency;
    m_strEndResistance = r.m_strEndResistance;
    m_strMaxBandwidth = r.m_strMaxBandwidth;
    m_strInsertionLoss = r.m_strInsertionLoss;
    m_strBandwidth3 = r.m_strBandwidth3;
    m_strBandwidth6 = r.m_strBandwidth6;
    m_strBandwidth60 = r.m_strBandwidth60;
    m_strShapeFactor = r.m_strShapeFactor;
    m_strRipple = r.m_strRipple;
    m_strGroupDelay = r.m_strGroupDelay;
    // A refusal, or a remark on the bandwidth of a design.
    m_strNotice = r.m_bComputed ? r.m_strWarning : r.m_strMessage;
    m_listMeshes->clear();
    for (std::size_t n = 0; n < r.m_rows.size(); ++n) {
        const CXtalMeshRow& row = r.m_rows[n];
        const QStringList cells{QString::number(n + 1), FromUtf8(row.m_strEffectiveInductance),
                                FromUtf8(row.m_strCoupling), FromUtf8(row.m_strTuning),
                                FromUtf8(row.m_strOffset)};
        m_listMeshes->addTopLevelItem(new QTreeWidgetItem(cells));
    }
}

void CXtalFilterDlg::ShowChart() {
    const std::vector<CXtalResponsePoint> points = XtalChartSweep(m_result, kChartPoints);
    if (points.empty()) {
        m_pChart->Clear();
        return;
    }
    // Offsets from the design frequency in kHz: the filter's shape reads the
    // same at any crystal frequency.
    const double dCentre = m_result.m_design.m_dDesignFrequency;
    std::vector<double> offsets;
    std::vector<double> s21;
    std::vector<double> delays;
    offsets.reserve(points.size());
    s21.reserve(points.size());
    delays.reserve(points.size());
    for (const CXtalResponsePoint& point : points) {
        offsets.push_back((point.m_dFrequency - dCentre) / kHzPerKHz);
        s21.push_back(point.m_dS21Db);
        delays.push_back(point.m_dGroupDelay);
    }
    m_pChart->SetCurves(offsets, s21, delays);

    // The crossings are relative to the peak; they are drawn on the curve.
    const CXtalFigures& figures = m_result.m_figures;
    const double dPeak = -figures.m_dInsertionLoss;
    const auto mark = [dCentre](double dFrequency, double dLevel) {
        return QPointF((dFrequency - dCentre) / kHzPerKHz, dLevel);
    };
    m_pChart->SetMarks({
        {QStringLiteral("−3 dB 点"),
         {mark(figures.m_dLow3, dPeak - 3.0), mark(figures.m_dHigh3, dPeak - 3.0)}},
        {QStringLiteral("−60 dB 点"),
         {mark(figures.m_dLow60, dPeak - 60.0), mark(figures.m_dHigh60, dPeak - 60.0)}},
    });
    // Deep enough for the −60 dB points of a lossy filter too, and for its
    // curve when the loss itself is beyond a number.
    double dCurvePeak = -std::numeric_limits<double>::infinity();
    for (const double dLevel : s21) {
        if (std::isfinite(dLevel)) {
            dCurvePeak = std::max(dCurvePeak, dLevel);
        }
    }
    const double dFloor = std::min(kChartFloorDb, 10.0 * std::floor((dCurvePeak - 70.0) / 10.0));
    m_pChart->SetLeftRange(std::isfinite(dFloor) ? dFloor : kChartFloorDb, 0.0);
}

void CXtalFilterDlg::UpdateControlStates() {
    const bool bHasSet = !m_setFrequencies.empty();
    const bool bPerCrystal = bHasSet && m_nPerCrystal == 1;
    GetDlgItem(kXtalPerCrystalCheck)->setEnabled(bHasSet);
    m_editFrequency->setEnabled(!bPerCrystal);
    m_comboCount->setEnabled(!bPerCrystal);
    // A ripple out of its range stays editable so that it can be mended.
    m_editRipple->setEnabled(m_nResponse == static_cast<int>(EXtalResponse::Chebyshev) ||
                             !IsWithinRange(m_dRipple, kXtalMinRipple, kXtalMaxRipple));
    GetDlgItem(kXtalNetlistButton)->setEnabled(m_result.m_bComputed);
    GetDlgItem(kXtalCsvButton)->setEnabled(m_result.m_bComputed);
}

void CXtalFilterDlg::TakeMeasurement() {
    CXtalMeasureDlg dlg(this);
    dlg.m_dF1 = m_measure.dF1;
    dlg.m_dF2 = m_measure.dF2;
    dlg.m_dCs = m_measure.dCs;
    dlg.m_dC0 = m_dC0;
    if (dlg.exec() != kIdOk) {
        return;
    }
    m_measure.dF1 = dlg.m_dF1;
    m_measure.dF2 = dlg.m_dF2;
    m_measure.dCs = dlg.m_dCs;
    if (!dlg.m_result.m_bComputed) {
        return;
    }
    // One crystal measured: every crystal of the design is taken to be like it.
    m_dFrequency = dlg.m_dF1;
    // Seven digits: more than a G3UUR measurement knows, and the field shows
    // them whole.
    m_dLm = std::stod(FormatC("%.7g", dlg.m_result.m_dLm));
    m_dC0 = dlg.m_dC0;
    m_nPerCrystal = 0;
    UpdateData(false);
    ShowStartOfHandedOverFields();
    Compute();
}

// A value handed over may be longer than its field: the start shows, as it
// does for a value typed from the left.
void CXtalFilterDlg::ShowStartOfHandedOverFields() {
    for (QLineEdit* pEdit : {m_editFrequency, m_editLm, m_editC0}) {
        pEdit->setCursorPosition(0);
    }
}

// Designing crystal by crystal takes as many crystals as the set holds; a
// count that differs from it can only mean the mean.
void CXtalFilterDlg::OnPerCrystalClicked() {
    UpdateData(true);
    if (m_nPerCrystal == 1 && !m_setFrequencies.empty()) {
        m_nCountIndex = static_cast<int>(m_setFrequencies.size()) - kXtalMinCrystals;
        UpdateData(false);
    }
    Compute();
}

void CXtalFilterDlg::OnCountChanged() {
    UpdateData(true);
    if (m_nPerCrystal == 1 &&
        m_nCountIndex + kXtalMinCrystals != static_cast<int>(m_setFrequencies.size())) {
        m_nPerCrystal = 0;
        UpdateData(false);
    }
    Compute();
}

void CXtalFilterDlg::TakeMatchedSet() {
    CXtalSortDlg dlg(this);
    dlg.m_strList = m_strSortList;
    dlg.m_nCountIndex = m_nCountIndex;
    dlg.m_nUse = m_nSortUse;
    if (dlg.exec() != kIdOk) {
        return;
    }
    m_strSortList = dlg.m_strList;
    m_nSortUse = dlg.m_nUse;
    const CXtalSortResult& set = dlg.m_result;
    if (!set.m_bComputed) {
        return;
    }
    m_setFrequencies = set.m_frequencies;
    m_strSet = QStringLiteral("選別した %1 個: 平均 %2、ばらつき %3")
                   .arg(set.m_frequencies.size())
                   .arg(FromUtf8(set.m_strMean), FromUtf8(set.m_strSpread))
                   .toStdString();
    m_nCountIndex = static_cast<int>(set.m_frequencies.size()) - kXtalMinCrystals;
    m_dFrequency = set.m_dMean;
    m_nPerCrystal = dlg.m_nUse == 1 ? 1 : 0;
    UpdateData(false);
    ShowStartOfHandedOverFields();
    Compute();
}

void CXtalFilterDlg::SaveNetlist() {
    if (!m_result.m_bComputed) {
        return;
    }
    const CXtalSweepRange range = XtalChartRange(m_result.m_design, m_result.m_figures);
    SaveExport(QStringLiteral("ネットリストの保存"),
               QStringLiteral("SPICE ネットリスト (*.cir);;すべてのファイル (*)"),
               QStringLiteral("cir"),
               XtalSpiceNetlist(m_result.m_design, range.m_dFrom, range.m_dTo, kExportPoints));
}

void CXtalFilterDlg::SaveCsv() {
    if (!m_result.m_bComputed) {
        return;
    }
    SaveExport(QStringLiteral("CSV の保存"),
               QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)"), QStringLiteral("csv"),
               XtalSweepCsv(XtalChartSweep(m_result, kExportPoints)));
}

bool CXtalFilterDlg::SaveExport(const QString& strTitle, const QString& strFilter,
                                const QString& strSuffix, const std::string& strContent) {
    return SaveExportFile(this, strTitle, strFilter, strSuffix,
                          QStringLiteral("xtal_filter.") + strSuffix, strContent);
}
