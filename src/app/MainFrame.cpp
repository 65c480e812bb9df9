#include "app/MainFrame.h"

#include "ShellResources.h"
#include "app/AboutDlg.h"
#include "app/FindBar.h"
#include "app/HelpWindow.h"
#include "app/LockKeys.h"
#include "app/LogTextBuilder.h"
#include "app/NoticeBar.h"
#include "app/RecoveryCopy.h"
#include "app/ShellIcons.h"
#include "app/ShellSettings.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "dialogs/MessageSink.h"
#include "text/LogFile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kRecentFileCount = 4;
const QString kTimeFormat = QStringLiteral("yyyy/MM/dd HH:mm:ss");

CMainFrame::WindowLauncher& InstalledLauncher() {
    static CMainFrame::WindowLauncher launcher;
    return launcher;
}

CMainFrame::FileNamePrompt& InstalledPrompt() {
    static CMainFrame::FileNamePrompt prompt;
    return prompt;
}

// The two parts of a command's string: the status-bar prompt and the tooltip.
QString PromptPart(int nCommand, int nPart) {
    return QString::fromUtf8(LoadResString(nCommand)).section(QLatin1Char('\n'), nPart, nPart);
}

QString FileFilter() {
    // Field 3 of the document string: "Text ﾌｧｲﾙ (*.txt)".
    const QString strFilter =
        QString::fromUtf8(LoadResString(IDR_MAINFRAME)).section(QLatin1Char('\n'), 3, 3);
    // "*": names without a dot are files too.
    return strFilter + QStringLiteral(";;すべてのﾌｧｲﾙ (*)");
}

} // namespace

CMainFrame::CMainFrame(QWidget* pParent) : QMainWindow(pParent) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(ApplicationIcon());
    m_pView = new CVantixView(this);
    m_pView->setObjectName(QStringLiteral("CVantixView"));
    // A change on disk is told in a bar above the editor, never in a box
    // that would take the keys the user is typing.
    auto* pCentre = new QWidget(this);
    auto* pCentreLayout = new QVBoxLayout(pCentre);
    pCentreLayout->setContentsMargins(0, 0, 0, 0);
    pCentreLayout->setSpacing(0);
    m_pNoticeBar = new CNoticeBar(pCentre);
    pCentreLayout->addWidget(m_pNoticeBar);
    pCentreLayout->addWidget(m_pView, 1);
    m_pFindBar = new CFindBar(
        m_pView, [this](const QString& strText) { ShowNotice(strText); }, pCentre);
    pCentreLayout->addWidget(m_pFindBar);
    setCentralWidget(pCentre);
    connect(m_pNoticeBar, &CNoticeBar::ReloadClicked, this, [this] {
        if (m_pDocument->IsLoading()) {
            return;
        }
        ReloadFromDisk();
    });
    connect(m_pNoticeBar, &CNoticeBar::IgnoreClicked, this, &CMainFrame::ClearChangeNotice);
    m_pDocument = new CVantixDoc(this);
    m_pDocument->setObjectName(QStringLiteral("CVantixDoc"));
    m_pDocument->SetView(m_pView);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ConnectCommands();
    LoadRecentFiles();

    connect(m_pDocument, &CVantixDoc::DocumentChanged, this, &CMainFrame::UpdateTitle);
    connect(m_pDocument, &CVantixDoc::DocumentChanged, this, &CMainFrame::UpdateFormatPane);
    connect(m_pView, &CVantixView::FileDropped, this, &CMainFrame::OpenDropped);
    connect(m_pDocument, &CVantixDoc::ChangedOnDisk, this, &CMainFrame::OnChangedOnDisk);
    m_pDocument->SetLockPause([this](int nMs) { return WaitForTheLock(nMs); });
    // A report on a log that changed on disk while the window held nothing
    // of the user's goes after the file's new text, not over it.
    connect(m_pDocument, &CVantixDoc::AboutToAppendReport, this, [this] {
        if (m_pDocument->IsLoading() || !m_pDocument->GetWatch().HasChanged() ||
            !QFileInfo::exists(m_pDocument->GetPathName())) {
            return;
        }
        if (HoldsNothingOfItsOwn()) {
            m_nGoneAtRevision = -1;
            ReloadFromDisk();
        }
    });
    setAcceptDrops(true);

    // A log written in place keeps a copy of its old bytes beside the
    // recovery copies until the write is on disk.
    SetLogBackupFolder(QFile::encodeName(CRecoveryCopy::DefaultFolder()).toStdString());
    m_pRecovery = new CRecoveryCopy(
        CRecoveryCopy::DefaultFolder(),
        [this](QString& strText, CRecoveryCopy::CLog& log) {
            // A log being read has no text of the user's yet.
            if (!m_pDocument->IsModified() || m_pDocument->IsLoading()) {
                return false;
            }
            strText = LogTextOf(*m_pView->document());
            log.strPath = m_pDocument->GetPathName();
            log.format = m_pDocument->GetFormat();
            log.basedOn = m_pDocument->GetWatch().Known();
            return true;
        },
        this);
    connect(m_pView, &QPlainTextEdit::textChanged, this, &CMainFrame::OnTextChanged);
    connect(m_pView, &QPlainTextEdit::modificationChanged, this, [this](bool bModified) {
        if (bModified) {
            m_pRecovery->TextChanged();
        } else {
            m_pRecovery->Discard();
        }
    });
    connect(m_pRecovery, &CRecoveryCopy::WriteFailed, this, &CMainFrame::ShowNotice);
    qApp->installEventFilter(this);

    m_pDocument->OnNewDocument();
    UpdateTitle();
    UpdateIndicators();
    // Within the screen, whatever its size and scale (at 200 % on a small
    // screen 760 x 560 would reach below it).
    QSize size(760, 560);
    if (const QScreen* pScreen = screen()) {
        size = size.boundedTo(pScreen->availableGeometry().size() * 0.95);
    }
    resize(size);
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::FindCommand(int nCommand) const {
    const auto it = m_commands.find(nCommand);
    return it == m_commands.end() ? nullptr : it->second;
}

QAction* CMainFrame::AddCommand(int nCommand, const QString& strText) {
    auto* pAction = new QAction(strText, this);
    pAction->setObjectName(QString::number(nCommand));
    pAction->setStatusTip(PromptPart(nCommand, 0));
    pAction->setToolTip(PromptPart(nCommand, 1));
    if (const char* pszIcon = ToolbarIconPath(nCommand)) {
        pAction->setIcon(ToolbarIcon(QString::fromLatin1(pszIcon)));
    }
    m_commands[nCommand] = pAction;
    return pAction;
}

void CMainFrame::CreateActions() {
    for (const CMenuPopupRes& popup : MainMenuResource()) {
        for (const CMenuItemRes& item : popup.items) {
            if (item.pszText != nullptr) {
                AddCommand(item.nCommand, QString::fromUtf8(item.pszText));
            }
        }
    }
    // Commands that only have keys (next / previous pane).
    for (const CAcceleratorRes& accel : AcceleratorResource()) {
        if (FindCommand(accel.nCommand) == nullptr) {
            addAction(AddCommand(accel.nCommand, QString()));
        }
    }
    std::map<int, QList<QKeySequence>> keys;
    for (const CAcceleratorRes& accel : AcceleratorResource()) {
        keys[accel.nCommand] << QKeySequence(accel.key);
    }
    for (const auto& [nCommand, sequences] : keys) {
        FindCommand(nCommand)->setShortcuts(sequences);
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* pAction = new QAction(this);
        pAction->setStatusTip(QString::fromUtf8(LoadResString(ID_FILE_MRU_FILE1 + i)));
        pAction->setVisible(false);
        connect(pAction, &QAction::triggered, this, [this, i] { OnOpenRecentFile(i); });
        m_recentActions << pAction;
    }
}

void CMainFrame::CreateMenus() {
    for (const CMenuPopupRes& popup : MainMenuResource()) {
        QMenu* pMenu = menuBar()->addMenu(QString::fromUtf8(popup.pszText));
        for (const CMenuItemRes& item : popup.items) {
            if (item.pszText == nullptr) {
                pMenu->addSeparator();
                continue;
            }
            pMenu->addAction(FindCommand(item.nCommand));
            if (item.nCommand == ID_FILE_MRU_FILE1) {
                pMenu->addActions(m_recentActions);
            }
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"), this);
    m_pToolBar->setObjectName(QString::number(ID_VIEW_TOOLBAR));
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int nCommand : ToolbarResource()) {
        if (nCommand == ID_SEPARATOR) {
            m_pToolBar->addSeparator();
        } else {
            m_pToolBar->addAction(FindCommand(nCommand));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* pStatus = statusBar();
    pStatus->setObjectName(QString::number(ID_VIEW_STATUS_BAR));
    m_pIdleLabel = new QLabel(QString::fromUtf8(LoadResString(AFX_IDS_IDLEMESSAGE)), pStatus);
    m_pIdleLabel->setObjectName(QStringLiteral("IdleMessage"));
    pStatus->addWidget(m_pIdleLabel, 1);
    // The idle text makes way for a notice. The status bar hides it only
    // for a moment: a notice given before the window is first shown would
    // have it drawn over the notice once the window comes up.
    connect(pStatus, &QStatusBar::messageChanged, m_pIdleLabel,
            [this](const QString& strMessage) { m_pIdleLabel->setVisible(strMessage.isEmpty()); });
    m_pFormatLabel = new QLabel(pStatus);
    m_pFormatLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pFormatLabel->setVisible(false);
    pStatus->addPermanentWidget(m_pFormatLabel);
    for (const int nId :
         {ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto* pLabel = new QLabel(QString::fromUtf8(LoadResString(nId)), pStatus);
        pLabel->setObjectName(QString::number(nId));
        pLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pLabel->setAlignment(Qt::AlignCenter);
        pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) +
                                10);
        pStatus->addPermanentWidget(pLabel);
        m_indicators[nId] = pLabel;
    }
}

void CMainFrame::ConnectCommands() {
    connect(FindCommand(ID_FILE_NEW), &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(FindCommand(ID_FILE_OPEN), &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(FindCommand(ID_FILE_SAVE), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(FindCommand(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(FindCommand(ID_FILE_PRINT), &QAction::triggered, this, &CMainFrame::OnFilePrint);
    connect(FindCommand(ID_FILE_PRINT_PREVIEW), &QAction::triggered, this,
            &CMainFrame::OnFilePrintPreview);
    connect(FindCommand(ID_FILE_PRINT_SETUP), &QAction::triggered, this,
            &CMainFrame::OnFilePrintSetup);
    connect(FindCommand(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(FindCommand(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::OnAppAbout);
    connect(FindCommand(ID_HELP_USER_GUIDE), &QAction::triggered, this,
            &CMainFrame::OnHelpUserGuide);
    FindCommand(ID_FILE_MRU_FILE1)->setEnabled(false);

    connect(FindCommand(ID_EDIT_UNDO), &QAction::triggered, m_pView, &QPlainTextEdit::undo);
    connect(FindCommand(ID_EDIT_REDO), &QAction::triggered, m_pView, &QPlainTextEdit::redo);
    connect(FindCommand(ID_EDIT_SELECT_ALL), &QAction::triggered, m_pView,
            &QPlainTextEdit::selectAll);
    connect(FindCommand(ID_EDIT_FIND), &QAction::triggered, m_pFindBar, &CFindBar::Open);
    connect(FindCommand(ID_EDIT_FIND_NEXT), &QAction::triggered, m_pFindBar, &CFindBar::FindNext);
    connect(FindCommand(ID_EDIT_FIND_PREVIOUS), &QAction::triggered, m_pFindBar,
            &CFindBar::FindPrevious);
    connect(FindCommand(ID_EDIT_CUT), &QAction::triggered, m_pView, &QPlainTextEdit::cut);
    connect(FindCommand(ID_EDIT_COPY), &QAction::triggered, m_pView, &QPlainTextEdit::copy);
    connect(FindCommand(ID_EDIT_PASTE), &QAction::triggered, m_pView, &QPlainTextEdit::paste);
    connect(m_pView, &QPlainTextEdit::undoAvailable, FindCommand(ID_EDIT_UNDO),
            &QAction::setEnabled);
    connect(m_pView, &QPlainTextEdit::copyAvailable, FindCommand(ID_EDIT_CUT),
            &QAction::setEnabled);
    connect(m_pView, &QPlainTextEdit::copyAvailable, FindCommand(ID_EDIT_COPY),
            &QAction::setEnabled);
    FindCommand(ID_EDIT_UNDO)->setEnabled(false);
    FindCommand(ID_EDIT_CUT)->setEnabled(false);
    FindCommand(ID_EDIT_COPY)->setEnabled(false);
    const auto updatePaste = [this] {
        FindCommand(ID_EDIT_PASTE)->setEnabled(m_pView->canPaste());
    };
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, updatePaste);
    updatePaste();
    // A single pane: the pane keys only give the editor the focus.
    for (const int nCommand : {ID_NEXT_PANE, ID_PREV_PANE}) {
        connect(FindCommand(nCommand), &QAction::triggered, m_pView,
                [this] { m_pView->setFocus(); });
    }

    QAction* pToolBarToggle = FindCommand(ID_VIEW_TOOLBAR);
    pToolBarToggle->setCheckable(true);
    pToolBarToggle->setChecked(true);
    connect(pToolBarToggle, &QAction::toggled, m_pToolBar, &QWidget::setVisible);
    connect(m_pToolBar, &QToolBar::visibilityChanged, pToolBarToggle, &QAction::setChecked);
    QAction* pStatusToggle = FindCommand(ID_VIEW_STATUS_BAR);
    pStatusToggle->setCheckable(true);
    pStatusToggle->setChecked(true);
    connect(pStatusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);

    const std::pair<int, void (CVantixView::*)()> calcCommands[] = {
        {ID_CALC_LADDER_FILTER, &CVantixView::OnCalcLadderFilter},
        {ID_CALC_LMATCH, &CVantixView::OnCalcLMatch},
        {ID_CALC_TOROID_COIL, &CVantixView::OnCalcToroidCoil},
        {ID_CALC_AIR_COIL, &CVantixView::OnCalcAirCoil},
        {ID_CALC_PI_ATTENUATOR, &CVantixView::OnCalcPiAttenuator},
        {ID_CALC_VFO_TANK, &CVantixView::OnCalcVfoTank},

        {ID_DESIGN_ATTENUATOR, &CVantixView::OnDesignAttenuator},
        {ID_DESIGN_LC_FILTER, &CVantixView::OnDesignLcFilter},

        {ID_DESIGN_TOROID_WINDING, &CVantixView::OnDesignToroidWinding},

        {ID_DESIGN_AIR_COIL_WINDING, &CVantixView::OnDesignAirCoilWinding},

        {ID_DESIGN_XTAL_FILTER, &CVantixView::OnDesignXtalFilter},
    };
    for (const auto& [nCommand, pHandler] : calcCommands) {
        QAction* pAction = FindCommand(nCommand);
        pAction->setEnabled(pHandler != nullptr && CVantixView::IsCalcCommandAvailable(nCommand));
        if (pHandler != nullptr) {
            connect(pAction, &QAction::triggered, m_pView, pHandler);
        }
    }
}

// ---- file commands -------------------------------------------------------

CMainFrame::WindowLauncher CMainFrame::SetWindowLauncher(WindowLauncher launcher) {
    WindowLauncher previous = std::move(InstalledLauncher());
    InstalledLauncher() = std::move(launcher);
    return previous;
}

CMainFrame::FileNamePrompt CMainFrame::SetFileNamePrompt(FileNamePrompt prompt) {
    FileNamePrompt previous = std::move(InstalledPrompt());
    InstalledPrompt() = std::move(prompt);
    return previous;
}

QString CMainFrame::PromptFileName(bool bSave, const QString& strProposed) {
    if (InstalledPrompt()) {
        return InstalledPrompt()(bSave, strProposed);
    }
    // Declared first so that it outlives the dialog, which saves its state
    // when it is destroyed.
    const CDialogStateGuard stateGuard;
    QFileDialog dialog(this, bSave ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く"));
    if (!m_strLastFolder.isEmpty()) {
        dialog.setDirectory(m_strLastFolder);
    }
    dialog.setNameFilter(FileFilter());
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!strProposed.isEmpty()) {
        dialog.selectFile(strProposed);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    const QString strChosen = dialog.selectedFiles().first();
    m_strLastFolder = QFileInfo(strChosen).absolutePath();
    return strChosen;
}

bool CMainFrame::SaveModified() {
    if (!m_pDocument->IsModified()) {
        return true;
    }
    const QMessageBox::StandardButton eAnswer =
        ShowMessage(this, QMessageBox::Warning,
                    QStringLiteral("%1 への変更を保存しますか?").arg(m_pDocument->GetTitle()),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (eAnswer == QMessageBox::Yes) {
        return DoSave(m_pDocument->GetPathName());
    }
    if (eAnswer == QMessageBox::No) {
        // A deliberate "don't save": nothing to recover.
        m_pRecovery->Discard();
        return true;
    }
    return false;
}

bool CMainFrame::NewDocument() {
    if (!SaveModified()) {
        return false;
    }
    m_pDocument->OnNewDocument();
    ClearChangeNotice();
    return true;
}

bool CMainFrame::OpenDocumentFile(const QString& strPath) {
    if (!SaveModified()) {
        return false;
    }
    QString strError;
    if (!LoadWithProgress(strPath, strError, false)) {
        if (!strError.isEmpty()) {
            ShowMessage(this, QMessageBox::Warning, strError);
        }
        return false;
    }
    AddToRecentFileList(m_pDocument->GetPathName());
    ShowNotice(m_pDocument->FormatNotice());
    return true;
}

QString CMainFrame::ProposedFileName() const {
    return m_pDocument->GetPathName().isEmpty() ? m_pDocument->GetTitle() + QStringLiteral(".txt")
                                                : m_pDocument->GetPathName();
}

bool CMainFrame::DoSave(const QString& strPath) {
    QString strTarget = strPath;
    if (strTarget.isEmpty()) {
        strTarget = PromptFileName(true, ProposedFileName());
        if (strTarget.isEmpty()) {
            return false;
        }
        return SaveTo(strTarget, true);
    }
    return SaveTo(strTarget, false);
}

bool CMainFrame::SaveTo(const QString& strTarget, bool bNameJustChosen, bool bReplaceChanged) {
    QString strError;
    ESaveFailure eFailure = ESaveFailure::None;
    const bool bSaved = m_pDocument->SaveFile(strTarget, strError, &eFailure, bReplaceChanged);
    m_pLockWait.reset();
    if (bSaved) {
        AddToRecentFileList(m_pDocument->GetPathName());
        ClearChangeNotice();
        TellOnceAboutNoLocks();
        return true;
    }
    switch (eFailure) {
    case ESaveFailure::ChangedOnDisk:
        return ResolveChangeOnDisk();
    case ESaveFailure::Locked:
        if (!strError.isEmpty()) { // empty: the user stopped waiting
            ShowMessage(this, QMessageBox::Warning, strError);
        }
        return false;
    case ESaveFailure::Unencodable: {
        // A name chosen a moment ago is not asked for again.
        const QString strQuestion =
            bNameJustChosen
                ? QStringLiteral("\n\nShift-JIS をやめて UTF-8 で保存しますか?")
                : QStringLiteral("\n\nShift-JIS をやめて UTF-8 で名前を付けて保存しますか?");
        const QMessageBox::StandardButton eAnswer =
            ShowMessage(this, QMessageBox::Warning, strError + strQuestion,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        return eAnswer == QMessageBox::Yes && SaveAsUtf8(bNameJustChosen ? strTarget : QString());
    }
    case ESaveFailure::FolderNotWritable: {
        const QMessageBox::StandardButton eAnswer = ShowMessage(
            this, QMessageBox::Warning,
            strError + QStringLiteral("\n\nほかのフォルダーに名前を付けて保存しますか?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        return eAnswer == QMessageBox::Yes && DoSave(QString());
    }
    default: {
        // The text is still only here: another place may take it.
        const QMessageBox::StandardButton eAnswer =
            ShowMessage(this, QMessageBox::Warning,
                        strError + QStringLiteral("\n\nほかの場所に名前を付けて保存しますか?"),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        return eAnswer == QMessageBox::Yes && DoSave(QString());
    }
    }
}

void CMainFrame::TellOnceAboutNoLocks() {
    const QString strWarning = m_pDocument->SaveWarning();
    if (!strWarning.isEmpty() && !m_noLockWarned.contains(m_pDocument->GetPathName())) {
        m_noLockWarned.insert(m_pDocument->GetPathName());
        ShowMessage(this, QMessageBox::Information, strWarning);
    }
}

std::unique_ptr<QProgressDialog> CMainFrame::MakeWaitBox(const QString& strText, int nMaximum) {
    auto pBox = std::make_unique<QProgressDialog>(strText, QString(), 0, nMaximum, this);
    // Keys typed on while the box comes up must not cancel: Escape or a
    // click does.
    auto* pCancel = new QPushButton(QStringLiteral("キャンセル"), pBox.get());
    pCancel->setFocusPolicy(Qt::NoFocus);
    pBox->setCancelButton(pCancel);
    pBox->setWindowTitle(QStringLiteral("Vantix"));
    pBox->setWindowModality(Qt::ApplicationModal);
    pBox->setMinimumDuration(0);
    pBox->setAutoClose(false);
    pBox->setAutoReset(false);
    return pBox;
}

bool CMainFrame::HoldsNothingOfItsOwn() const {
    // Unsaved only because the file went away, with no typing since.
    return !m_pDocument->IsModified() || m_nGoneAtRevision == m_pView->document()->revision();
}

bool CMainFrame::WaitForTheLock(int nMs) {
    // The window keeps painting; after a moment the wait shows, with a way
    // out. Typing waits until the save is done.
    if (!m_pLockWait) {
        m_pLockWait = MakeWaitBox(
            QStringLiteral("ほかのプログラムが %1 に書き込んでいます。終わるのを待っています...")
                .arg(QFileInfo(m_pDocument->GetPathName()).fileName()),
            0);
        m_pLockWait->hide();
        m_lockWaited.start();
    }
    if (m_pLockWait->isHidden() && m_lockWaited.elapsed() >= 300) {
        m_pLockWait->show();
    }
    QEventLoop wait;
    QTimer::singleShot(nMs, &wait, &QEventLoop::quit);
    wait.exec(m_pLockWait->isHidden() ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    return !m_pLockWait->wasCanceled();
}

bool CMainFrame::SaveAsUtf8(const QString& strChosen) {
    const QString strTarget =
        strChosen.isEmpty() ? PromptFileName(true, ProposedFileName()) : strChosen;
    if (strTarget.isEmpty()) {
        return false;
    }
    QString strError;
    const bool bSaved = m_pDocument->SaveFileAsUtf8(strTarget, strError);
    m_pLockWait.reset();
    if (!bSaved) {
        if (!strError.isEmpty()) {
            ShowMessage(this, QMessageBox::Warning, strError);
        }
        return false;
    }
    AddToRecentFileList(m_pDocument->GetPathName());
    ClearChangeNotice();
    TellOnceAboutNoLocks();
    ShowNotice(QStringLiteral("UTF-8 で保存しました。このログは以後も UTF-8 で保存します。"));
    return true;
}

// ---- the log changed on disk -------------------------------------------------

QMessageBox::StandardButton CMainFrame::AskAboutChangeOnDisk() {
    const QString strPath = m_pDocument->GetPathName();
    const bool bExists = QFileInfo::exists(strPath);
    CMessage message;
    message.pParent = this;
    message.eIcon = QMessageBox::Warning;
    QString strText =
        bExists ? QStringLiteral("%1 は、ほかのプログラムによってディスク上で変更されました。\n")
                : QStringLiteral("%1 は、ディスク上で削除されたか名前が変わりました。\n");
    strText += QStringLiteral("このまま保存すると、その変更は失われます。\n\n");
    if (bExists) {
        strText += QStringLiteral("再読み込み: ディスク上の内容を読み込みます "
                                  "(このウィンドウの変更は捨てます)。\n");
    }
    strText += QStringLiteral("上書き: このウィンドウの内容で %2 を書き直します。\n"
                              "名前を付けて保存: このウィンドウの内容を別のファイルに保存します。\n"
                              "キャンセル: 何もしません。");
    message.strText = strText.arg(strPath).arg(QFileInfo(strPath).fileName());
    message.buttons = kOverwriteAnswer | kSaveAsAnswer | QMessageBox::Cancel;
    if (bExists) {
        message.buttons |= kReloadAnswer;
    }
    message.eDefault = QMessageBox::Cancel;
    message.buttonTexts = {{kReloadAnswer, QStringLiteral("再読み込み(&R)")},
                           {kOverwriteAnswer, QStringLiteral("上書き(&O)")},
                           {kSaveAsAnswer, QStringLiteral("名前を付けて保存(&A)")},
                           {QMessageBox::Cancel, QStringLiteral("キャンセル")}};
    // The keyboard starts on キャンセル; what throws away one side's text is
    // pressed by its own key or a click, never reached by Tab and Space.
    message.ownKeyOnly = kReloadAnswer | kOverwriteAnswer;
    return ShowMessage(message);
}

bool CMainFrame::ResolveChangeOnDisk() {
    switch (AskAboutChangeOnDisk()) {
    case kReloadAnswer:
        return ReloadFromDisk();
    case kOverwriteAnswer:
        return SaveTo(m_pDocument->GetPathName(), false, true);
    case kSaveAsAnswer:
        return DoSave(QString());
    default:
        return false;
    }
}

void CMainFrame::AnnounceChangeOnDisk(const CFileIdentity& known, const CFileIdentity& now) {
    ++m_nChangesAnnounced;
    const QString strName = QFileInfo(m_pDocument->GetPathName()).fileName();
    QString strText = QStringLiteral("%1 はほかのプログラムによって変更されました (%2")
                          .arg(strName, DescribeChangeOnDisk(known, now));
    if (m_nChangesAnnounced > 1) {
        strText += QStringLiteral("、変更 %1 回").arg(m_nChangesAnnounced);
    }
    strText += QStringLiteral(")。このウィンドウの変更はまだ保存していません。");
    if (now.bExists) {
        strText += QStringLiteral("再読み込みすると、このウィンドウの変更は捨てます。");
    }
    strText += QStringLiteral("保存するときにどうするかを尋ねます。");
    m_pNoticeBar->Announce(strText, now.bExists);
}

void CMainFrame::ClearChangeNotice() {
    m_nChangesAnnounced = 0;
    m_pNoticeBar->Dismiss();
}

bool CMainFrame::ReloadFromDisk() {
    QString strError;
    if (!LoadWithProgress(m_pDocument->GetPathName(), strError, true)) {
        if (!strError.isEmpty()) {
            ShowMessage(this, QMessageBox::Warning, strError);
        }
        return false;
    }
    ShowNotice(QStringLiteral("%1 はほかのプログラムで変更されたため、読み込み直しました。")
                   .arg(m_pDocument->GetTitle()));
    return true;
}

void CMainFrame::OnChangedOnDisk() {
    // Asked later when something else holds the user's attention (a
    // calculator, a message, a file being read, the window in the back).
    if (m_pDocument->IsLoading() || IsShowingMessage() ||
        QApplication::activeModalWidget() != nullptr) {
        if (!m_bChangeOnDiskPending) {
            m_bChangeOnDiskPending = true;
            QTimer::singleShot(500, this, [this] {
                m_bChangeOnDiskPending = false;
                OnChangedOnDisk();
            });
        }
        return;
    }
    // Each state of the file is dealt with once; a save asks again anyway.
    const std::pair<CFileIdentity, CFileIdentity> change{
        m_pDocument->GetWatch().Known(),
        FileIdentityOf(QFile::encodeName(m_pDocument->GetPathName()).toStdString())};
    if (!m_pDocument->GetWatch().HasChanged() || change == m_handledOnDisk) {
        return;
    }
    m_handledOnDisk = change;
    // A log made again under its name (an editor's save, a rotation) while
    // the window holds nothing of its own is read.
    if (!HoldsNothingOfItsOwn()) {
        AnnounceChangeOnDisk(change.first, change.second);
    } else if (QFileInfo::exists(m_pDocument->GetPathName())) {
        m_nGoneAtRevision = -1;
        ReloadFromDisk();
    } else {
        // Nothing to read back: the text here is now the only copy.
        m_pDocument->SetModifiedFlag(true);
        m_nGoneAtRevision = m_pView->document()->revision();
        ShowNotice(QStringLiteral("%1 はディスク上で削除されたか名前が変わりました。"
                                  "このウィンドウの内容はまだ保存していません。")
                       .arg(m_pDocument->GetTitle()));
    }
}

bool CMainFrame::LoadWithProgress(const QString& strPath, QString& strError, bool bReload) {
    std::unique_ptr<QProgressDialog> pProgress;
    const LoadProgress progress = [&](int nPercent) {
        if (!pProgress) {
            pProgress = MakeWaitBox(
                QStringLiteral("%1 を読み込んでいます...\n読み込みが終わるまで編集できません。")
                    .arg(QFileInfo(strPath).fileName()),
                100);
            pProgress->show();
        }
        if (nPercent < 0) {
            pProgress->setRange(0, 0); // busy, no share known yet
        } else {
            pProgress->setRange(0, 100);
            pProgress->setValue(nPercent);
        }
        return !pProgress->wasCanceled();
    };
    const bool bRead = bReload ? m_pDocument->Reload(strError, progress)
                               : m_pDocument->LoadFile(strPath, strError, progress);
    if (bRead) {
        ClearChangeNotice();
    }
    return bRead;
}

void CMainFrame::OnTextChanged() {
    // Whether the change is still unsaved is asked when the copy is due.
    m_pRecovery->TextChanged();
}

void CMainFrame::OnFileNew() {
    NewDocument();
}

void CMainFrame::OnFileOpen() {
    const QString strPath = PromptFileName(false, QString());
    if (!strPath.isEmpty()) {
        OpenDocumentFile(strPath);
    }
}

void CMainFrame::OnFileSave() {
    DoSave(m_pDocument->GetPathName());
}

void CMainFrame::OnFileSaveAs() {
    DoSave(QString());
}

void CMainFrame::OpenDropped(const QString& strPath) {
    // Opened once the drop is over, so that the save prompt does not run
    // inside the drag and drop.
    QTimer::singleShot(0, this, [this, strPath] {
        activateWindow();
        OpenDocumentFile(strPath);
    });
}

void CMainFrame::ShowNotice(const QString& strText) {
    if (strText.isEmpty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(strText);
    }
}

// ---- recovery ----------------------------------------------------------------

void CMainFrame::OfferRecovery() {
    for (const CRecoveryCopy::CInfo& info :
         CRecoveryCopy::FindAbandoned(CRecoveryCopy::DefaultFolder())) {
        QString strText;
        QString strError;
        if (!CRecoveryCopy::ReadText(info, strText, strError)) {
            ShowMessage(this, QMessageBox::Warning, strError);
            continue;
        }
        // Saved after all (the end came between the save and the clean-up).
        if (CRecoveryCopy::MatchesLog(info, strText)) {
            CRecoveryCopy::RemoveAbandoned(info);
            continue;
        }
        const QString strLog = info.log.strPath;
        QString strQuestion =
            QStringLiteral("前回、保存しないまま終了したログがあります。\n\n"
                           "ファイル: %1\n最後の変更: %2\n\n"
                           "復元すると、その内容を開きます (保存するまでファイルは変わりません)。\n"
                           "破棄すると、その内容は失われます。")
                .arg(strLog.isEmpty() ? QStringLiteral("無題のログ") : strLog,
                     info.written.toString(kTimeFormat));
        if (!strLog.isEmpty() &&
            FileIdentityOf(QFile::encodeName(strLog).toStdString()) != info.log.basedOn) {
            strQuestion += QStringLiteral("\n\n%1 は、この内容を書いている間にディスク上で変更"
                                          "されています。保存するときに、どうするかを確かめます。")
                               .arg(QFileInfo(strLog).fileName());
        }
        CMessage message;
        message.pParent = this;
        message.eIcon = QMessageBox::Question;
        message.strText = strQuestion;
        message.buttons = kRestoreAnswer | kDiscardAnswer;
        message.eDefault = kRestoreAnswer;
        message.buttonTexts = {{kRestoreAnswer, QStringLiteral("復元")},
                               {kDiscardAnswer, QStringLiteral("破棄")}};
        const QMessageBox::StandardButton eAnswer = ShowMessage(message);
        if (eAnswer == kDiscardAnswer) {
            CRecoveryCopy::RemoveAbandoned(info);
            continue;
        }
        if (eAnswer != kRestoreAnswer) {
            continue; // kept for the next start
        }
        m_pDocument->RestoreText(strLog, info.log.format, info.log.basedOn, strText);
        m_pRecovery->Adopt(info);
        AddToRecentFileList(m_pDocument->GetPathName());
        ShowNotice(QStringLiteral("%1 を復元しました。保存するまでファイルは変わりません。")
                       .arg(m_pDocument->GetTitle()));
        OfferTheOtherCopies();
        return;
    }
}

void CMainFrame::OfferTheOtherCopies() {
    // This window holds one log; each further copy gets a window of its own,
    // which offers the next one as it starts.
    const qsizetype nLeft = CRecoveryCopy::FindAbandoned(CRecoveryCopy::DefaultFolder()).size();
    if (nLeft == 0) {
        return;
    }
    const QMessageBox::StandardButton eAnswer =
        ShowMessage(this, QMessageBox::Question,
                    QStringLiteral("保存しないまま終了したログが、ほかに %1 件あります。\n\n"
                                   "新しいウィンドウを開いて、次のログを復元しますか?\n"
                                   "(いいえを選ぶと、次に起動したときに尋ねます。)")
                        .arg(nLeft),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (eAnswer != QMessageBox::Yes) {
        return;
    }
    const bool bStarted =
        InstalledLauncher() ? InstalledLauncher()()
                            : QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
    if (!bStarted) {
        ShowMessage(this, QMessageBox::Warning,
                    QStringLiteral("新しいウィンドウを開けませんでした。残りのログは、次に"
                                   "起動したときに尋ねます。"));
    }
}

bool CMainFrame::WriteRecoveryNow() {
    QString strError;
    return m_pRecovery->WriteBeforeTheEnd(strError);
}

// ---- recent files ----------------------------------------------------------

void CMainFrame::LoadRecentFiles() {
    m_recentFiles = ReadRecentFileList(kRecentFileCount);
    UpdateRecentMenu();
}

void CMainFrame::SaveRecentFiles() const {
    WriteRecentFileList(m_recentFiles);
}

void CMainFrame::AddToRecentFileList(const QString& strPath) {
    if (strPath.isEmpty()) {
        return;
    }
    m_recentFiles.removeAll(strPath);
    m_recentFiles.prepend(strPath);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
    SaveRecentFiles();
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() {
    FindCommand(ID_FILE_MRU_FILE1)->setVisible(m_recentFiles.isEmpty());
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* pAction = m_recentActions[i];
        if (i < m_recentFiles.size()) {
            pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                QDir::toNativeSeparators(m_recentFiles[i])));
            pAction->setVisible(true);
        } else {
            pAction->setVisible(false);
        }
    }
}

void CMainFrame::OnOpenRecentFile(int nIndex) {
    if (nIndex < 0 || nIndex >= m_recentFiles.size()) {
        return;
    }
    const QString strPath = m_recentFiles[nIndex];
    if (!QFileInfo::exists(strPath)) {
        ShowMessage(this, QMessageBox::Warning,
                    QStringLiteral("%1 が見つかりません。\n最近使ったﾌｧｲﾙの一覧から外します。")
                        .arg(strPath));
        m_recentFiles.removeAll(strPath);
        SaveRecentFiles();
        UpdateRecentMenu();
        return;
    }
    OpenDocumentFile(strPath);
}

// ---- printing --------------------------------------------------------------

QPrinter* CMainFrame::GetPrinter() {
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return m_pPrinter.get();
}

void CMainFrame::OnFilePrint() {
    QPrintDialog dialog(GetPrinter(), this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() == QDialog::Accepted) {
        m_pView->PrintLog(GetPrinter());
    }
}

void CMainFrame::OnFilePrintPreview() {
    QPrintPreviewDialog preview(GetPrinter(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, m_pView, &CVantixView::PrintLog);
    preview.resize(size());
    preview.exec();
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dialog(GetPrinter(), this);
    dialog.exec();
}

QWidget* CMainFrame::GetHelpWindow() const {
    return m_pHelp;
}

void CMainFrame::OnHelpUserGuide() {
    if (!m_pHelp) {
        m_pHelp = new CHelpWindow(this);
    }
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

// ---- window ----------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* pEvent) {
    if (SaveModified()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (!CVantixView::DroppedFile(pEvent->mimeData()).isEmpty()) {
        pEvent->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* pEvent) {
    const QString strPath = CVantixView::DroppedFile(pEvent->mimeData());
    if (!strPath.isEmpty()) {
        pEvent->acceptProposedAction();
        OpenDropped(strPath);
    }
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::ApplicationActivate:
        // Some file systems never report changes: look when the user comes back.
        m_pDocument->GetWatch().CheckNow();
        UpdateIndicators();
        break;
    case QEvent::KeyRelease:
    case QEvent::WindowActivate:
        UpdateIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CMainFrame::UpdateTitle() {
    // "[*]" is the modified marker; one in a file name must stay text.
    QString strName = m_pDocument->GetTitle();
    strName.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(strName + QStringLiteral("[*] - ") +
                   QString::fromUtf8(LoadResString(AFX_IDS_APP_TITLE)));
    setWindowModified(m_pDocument->IsModified());
}

void CMainFrame::UpdateFormatPane() {
    switch (m_pDocument->GetFormat().eEncoding) {
    case ELogEncoding::ShiftJis:
        m_pFormatLabel->setVisible(false);
        break;
    case ELogEncoding::Utf8:
        m_pFormatLabel->setText(QStringLiteral("UTF-8"));
        m_pFormatLabel->setVisible(true);
        break;
    case ELogEncoding::Utf8Bom:
        m_pFormatLabel->setText(QStringLiteral("UTF-8 (BOM)"));
        m_pFormatLabel->setVisible(true);
        break;
    }
}

void CMainFrame::UpdateIndicators() {
    const CLockKeyState state = CLockKeyState::Query();
    const std::pair<int, bool> lit[] = {
        {ID_INDICATOR_KANA, state.bKana},
        {ID_INDICATOR_CAPS, state.bCaps},
        {ID_INDICATOR_NUM, state.bNum},
        {ID_INDICATOR_SCRL, state.bScroll},
    };
    for (const auto& [nId, bOn] : lit) {
        m_indicators[nId]->setEnabled(state.bKnown && bOn);
    }
}
