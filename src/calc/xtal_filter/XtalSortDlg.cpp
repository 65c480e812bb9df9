#include "calc/xtal_filter/XtalSortDlg.h"

#include "calc/xtal_filter/XtalFilter.h"
#include "calc/xtal_filter/XtalListFile.h"
#include "dialogs/DataExchange.h"
#include "dialogs/FilePrompt.h"
#include "dialogs/MessageSink.h"
#include "dialogs/ReportClock.h"
#include "report/CFormat.h"
#include "templates/XtalSortTemplate.h"
#include "text/ShiftJis.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {

constexpr int kResultMaxChars = 80;
constexpr int kNoticeMaxChars = 250;
constexpr int kColumnWidths[] = {50, 200}; // pixels

// The text of a list file, checked before it is opened: a named pipe would
// hold the window until some writer came.
bool DecodeListFile(const QString& strPath, QString& strText, QString& strError) {
    std::string strUtf8;
    std::string strProblem;
    if (!ReadXtalListFile(QFile::encodeName(strPath).toStdString(),
                          QFileInfo(strPath).fileName().toStdString(), EXtalListSource::FilesOnly,
                          strUtf8, strProblem)) {
        strError = QString::fromStdString(strProblem);
        return false;
    }
    strText = QString::fromStdString(strUtf8);
    return true;
}

} // namespace

CXtalSortDlg::CXtalSortDlg(QWidget* pParent) : CCalcDialog(XtalSortTemplate(), pParent) {
    KeepRefusedText();
    m_comboCount = Item<QComboBox>(kSortCountCombo);
    m_listSet = Item<QTreeWidget>(kSortResultList);
    for (int nCount = kXtalMinCrystals; nCount <= kXtalMaxCrystals; ++nCount) {
        m_comboCount->addItem(QString::number(nCount));
    }
    // The list is edited in a plain-text editor laid over its frame: a
    // template edit holds one line only.
    QWidget* pFrame = GetDlgItem(kSortListFrame);
    m_editList = new QPlainTextEdit(this);
    m_editList->setGeometry(pFrame->geometry());
    m_editList->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editList->setTabChangesFocus(true);
    QWidget::setTabOrder(m_editList, GetDlgItem(kSortFileButton));

    OnNotify(kSortCountCombo, ENotify::SelChange, [this] { Compute(); });
    OnNotify(kSortCountCombo, ENotify::KillFocus, [this] { Compute(); });
    OnNotify(kSortFileButton, ENotify::Clicked, [this] { ReadListFile(); });
    // The compute button has no handler: the click takes the focus from the
    // list, and that focus loss computes.
}

void CXtalSortDlg::DoDataExchange(CDataExchange& dx) {
    if (dx.IsSaving()) {
        m_strList = m_editList->toPlainText().toStdString();
    } else if (m_editList->toPlainText().toStdString() != m_strList) {
        m_editList->setPlainText(QString::fromStdString(m_strList));
    }
    dx.ComboIndex(kSortCountCombo, m_nCountIndex);
    dx.Radio(kSortUseMeanRadio, m_nUse);
    dx.Text(kSortSpreadStatic, m_strSpread, kResultMaxChars);
    dx.Text(kSortMeanStatic, m_strMean, kResultMaxChars);
    dx.Text(kSortNoticeStatic, m_strNotice, kNoticeMaxChars);
}

bool CXtalSortDlg::OnInitDialog() {
    CCalcDialog::OnInitDialog();
    QStringList headers{QStringLiteral("番号"), QStringLiteral("周波数")};
    m_listSet->setHeaderLabels(headers);
    for (int nColumn = 0; nColumn < headers.size(); ++nColumn) {
        m_listSet->setColumnWidth(nColumn, kColumnWidths[nColumn]);
    }
    // An empty list is no mistake yet: nothing to say until one is typed.
    if (m_editList->toPlainText().trimmed().isEmpty()) {
        m_strNotice.clear();
    } else {
        Compute();
    }
    GiveFocus(m_editList);
    return false; // the list has the focus, not the first template control
}

void CXtalSortDlg::OnEnterKey() {
    // In the list Enter starts the next line; elsewhere it picks the set.
    if (m_editList->hasFocus()) {
        m_editList->insertPlainText(QStringLiteral("\n"));
        return;
    }
    Compute();
}

// The dialog watches the whole application (see CCalcDialog), the list's
// focus changes included. Its context menu or the window losing the
// activation is no focus change for the list, as for the template's inputs.
bool CXtalSortDlg::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_editList && pEvent->type() == QEvent::FocusOut) {
        const Qt::FocusReason eReason = static_cast<QFocusEvent*>(pEvent)->reason();
        if (eReason != Qt::PopupFocusReason && eReason != Qt::ActiveWindowFocusReason &&
            isVisible() && !IsShowingMessage()) {
            Compute();
        }
    }
    return CCalcDialog::eventFilter(pWatched, pEvent);
}

void CXtalSortDlg::ReadListFile(const QString& strPath) {
    QString strChosen = strPath;
    if (strChosen.isEmpty()) {
        CFilePrompt prompt;
        prompt.pParent = this;
        prompt.strTitle = QStringLiteral("周波数の一覧を開く");
        prompt.strFilter = QStringLiteral("周波数の一覧 (*.txt *.csv);;すべてのファイル (*)");
        strChosen = PromptForFile(prompt);
        if (strChosen.isEmpty()) {
            return;
        }
    }
    QString strText;
    QString strError;
    if (!DecodeListFile(strChosen, strText, strError)) {
        ShowMessage(this, QMessageBox::Warning, strError);
        return;
    }
    m_editList->setPlainText(strText);
    Compute();
}

void CXtalSortDlg::Compute() {
    UpdateData(true);
    std::vector<CXtalListEntry> entries;
    std::string strError;
    if (!ParseXtalFrequencyList(m_strList, entries, strError)) {
        m_result = CXtalSortResult{};
        m_result.m_strMessage = strError;
    } else {
        m_result = ComputeXtalSort(entries, m_nCountIndex + kXtalMinCrystals, ReportTime());
    }
    ShowSet();
    UpdateData(false);
}

void CXtalSortDlg::ShowSet() {
    m_listSet->clear();
    m_strSpread.clear();
    m_strMean.clear();
    m_strNotice = m_result.m_bComputed ? m_result.m_strWarning : m_result.m_strMessage;
    if (!m_result.m_bComputed) {
        return;
    }
    for (std::size_t n = 0; n < m_result.m_indices.size(); ++n) {
        const QStringList cells{
            QString::fromStdString(m_result.m_names[n]),
            QString::fromStdString(FormatC("%.6fMHz", m_result.m_frequencies[n]))};
        m_listSet->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    m_strSpread = m_result.m_strSpread;
    m_strMean = m_result.m_strMean;
}
