#pragma once

#include "text/FileIdentity.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QSet>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

class CFindBar;
class CHelpWindow;
class CNoticeBar;
class CRecoveryCopy;
class CVantixDoc;
class CVantixView;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QProgressDialog;
class QToolBar;

// The main window: menu, toolbar and status bar around the log's editor;
// the file, print, view and help commands; the recent-file list.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* pParent = nullptr);
    ~CMainFrame() override;

    CVantixDoc* GetDocument() const { return m_pDocument; }
    CVantixView* GetView() const { return m_pView; }
    QToolBar* GetToolBar() const { return m_pToolBar; }
    // The action of a command id of the menu, accelerator or toolbar tables.
    QAction* FindCommand(int nCommand) const;
    QStringList GetRecentFiles() const { return m_recentFiles; }

    // The file commands without their file dialogs. Each asks to save a
    // modified log first (Yes / No / Cancel through ShowMessage).
    bool NewDocument();
    bool OpenDocumentFile(const QString& strPath);
    // Saves to strPath, or asks for a name when it is empty; on success the
    // file becomes the log's file and enters the recent-file list. A log
    // whose file changed on disk is never written over without asking.
    bool DoSave(const QString& strPath);
    // The save prompt: false when the user cancelled or the save failed.
    bool SaveModified();
    void AddToRecentFileList(const QString& strPath);
    // A short notice in the status bar's message pane.
    void ShowNotice(const QString& strText);

    // The answers to the question about a log changed on disk.
    static constexpr QMessageBox::StandardButton kReloadAnswer = QMessageBox::Discard;
    static constexpr QMessageBox::StandardButton kOverwriteAnswer = QMessageBox::Save;
    static constexpr QMessageBox::StandardButton kSaveAsAnswer = QMessageBox::SaveAll;
    // The answers to the offer of a recovered log.
    static constexpr QMessageBox::StandardButton kRestoreAnswer = QMessageBox::Yes;
    static constexpr QMessageBox::StandardButton kDiscardAnswer = QMessageBox::Discard;

    // Reads a log as Open does, without asking to save the current one; a
    // large file shows its progress and can be cancelled (false, no error).
    bool LoadWithProgress(const QString& strPath, QString& strError, bool bReload = false);

    // At start-up: offers each log that a sudden end left unsaved, newest
    // first, until one is restored; when more are left, offers to open a new
    // window, which offers the next one at its own start.
    void OfferRecovery();
    // Starts another window of the program (replaced in tests).
    using WindowLauncher = std::function<bool()>;
    static WindowLauncher SetWindowLauncher(WindowLauncher launcher);
    // Writes the recovery copy at once (the program is about to be ended).
    bool WriteRecoveryNow();
    CRecoveryCopy* GetRecovery() const { return m_pRecovery; }
    CNoticeBar* GetNoticeBar() const { return m_pNoticeBar; }
    CFindBar* GetFindBar() const { return m_pFindBar; }
    QWidget* GetHelpWindow() const;

    // Replaces the file dialogs (tests): returns the chosen name or "".
    using FileNamePrompt = std::function<QString(bool bSave, const QString& strProposed)>;
    static FileNamePrompt SetFileNamePrompt(FileNamePrompt prompt);

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnHelpUserGuide();
    void OnOpenRecentFile(int nIndex);

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectCommands();
    QAction* AddCommand(int nCommand, const QString& strText);
    QString PromptFileName(bool bSave, const QString& strProposed);
    QString ProposedFileName() const;
    bool SaveTo(const QString& strTarget, bool bNameJustChosen, bool bReplaceChanged = false);
    bool SaveAsUtf8(const QString& strChosen);
    bool WaitForTheLock(int nMs);
    // A modal box of a wait the user may give up (0 as the maximum: busy).
    std::unique_ptr<QProgressDialog> MakeWaitBox(const QString& strText, int nMaximum);
    // The window holds no typing of its own: unmodified, or unsaved only
    // because its file went away with nothing typed since.
    bool HoldsNothingOfItsOwn() const;
    void TellOnceAboutNoLocks();
    QMessageBox::StandardButton AskAboutChangeOnDisk();
    bool ResolveChangeOnDisk();
    void OnChangedOnDisk();
    void AnnounceChangeOnDisk(const CFileIdentity& known, const CFileIdentity& now);
    void ClearChangeNotice();
    bool ReloadFromDisk();
    void OfferTheOtherCopies();
    void OnTextChanged();
    void OpenDropped(const QString& strPath);
    void LoadRecentFiles();
    void SaveRecentFiles() const;
    void UpdateRecentMenu();
    void UpdateTitle();
    void UpdateIndicators();
    void UpdateFormatPane();
    QPrinter* GetPrinter();

    CVantixDoc* m_pDocument = nullptr;
    CVantixView* m_pView = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pIdleLabel = nullptr;
    QLabel* m_pFormatLabel = nullptr;
    std::map<int, QLabel*> m_indicators;
    std::map<int, QAction*> m_commands;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    QString m_strLastFolder; // where the last file dialog ended, for this session only
    std::unique_ptr<QPrinter> m_pPrinter;
    CRecoveryCopy* m_pRecovery = nullptr;
    // A change on disk seen while the question could not be asked.
    bool m_bChangeOnDiskPending = false;
    // The last change dealt with: the file as known, and as found.
    std::optional<std::pair<CFileIdentity, CFileIdentity>> m_handledOnDisk;
    // The editor's revision when the log was found gone (-1: not gone).
    int m_nGoneAtRevision = -1;
    CNoticeBar* m_pNoticeBar = nullptr;
    CFindBar* m_pFindBar = nullptr;
    CHelpWindow* m_pHelp = nullptr;               // made when first asked for
    std::unique_ptr<QProgressDialog> m_pLockWait; // while a save waits for the lock
    QElapsedTimer m_lockWaited;
    QSet<QString> m_noLockWarned; // logs told of their lock-less file system
    int m_nChangesAnnounced = 0;  // since the bar last went away
};
