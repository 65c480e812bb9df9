#include "ShellTestSupport.h"

#include "app/NoticeBar.h"
#include "app/RecoveryCopy.h"
#include "app/VantixApp.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "text/FileIdentity.h"
#include "text/LogLock.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QUrl>

#include <sys/mount.h>
#include <unistd.h>

namespace {

std::string Utf8(const char8_t* psz) {
    return std::string(reinterpret_cast<const char*>(psz));
}

// "***** テスト *****" CR LF in CP932.
const std::string kOldLog = "***** \x83\x65\x83\x58\x83\x67 *****\r\n";

class CLogSafetyTest : public CShellTest {
protected:
    CVantixDoc* Doc() const { return m_pFrame->GetDocument(); }
    CVantixView* View() const { return m_pFrame->GetView(); }

    // What another program does to the log: vantix-calc appends the 77 Ω
    // attenuator report.
    static void AppendFromOutside(const QString& strLog) {
        QProcess calc;
        calc.start(QStringLiteral(VANTIX_CALC_BINARY),
                   {"pi", "--impedance", "77", "--attenuation", "10", "--time", "2026-12-08 10:30",
                    "--append", strLog});
        ASSERT_TRUE(calc.waitForFinished(10000));
        ASSERT_EQ(calc.exitCode(), 0) << calc.readAllStandardError().toStdString();
    }

    static bool HoldsTheOutsideReport(const std::string& bytes) {
        // "77.0" appears only in the appended report.
        return bytes.find("77.0") != std::string::npos;
    }

    QString Notice() const { return m_pFrame->statusBar()->currentMessage(); }

    // What a window that was killed left behind: its unsaved text for the
    // log as the log is on disk now.
    static void LeaveCopy(const QString& strLog, const QString& strText) {
        CRecoveryCopy gone(
            CRecoveryCopy::DefaultFolder(), [&](QString& strCopy, CRecoveryCopy::CLog& log) {
                strCopy = strText;
                log.strPath = strLog;
                log.basedOn = FileIdentityOf(QFile::encodeName(strLog).toStdString());
                return true;
            });
        gone.TextChanged();
        QString strError;
        ASSERT_TRUE(gone.WriteNow(strError)) << strError.toStdString();
    }
};

// ---- a log changed on disk ----------------------------------------------------

struct CSaveAnswerCase {
    const char* pszName;
    bool bModified;
    QMessageBox::StandardButton eAnswer;
    bool bLogKeepsOutsideReport; // what the log's file holds afterwards
    bool bLogHasMine;
    bool bStillModified;
};

class CChangedOnDiskSaveTest : public CLogSafetyTest,
                               public ::testing::WithParamInterface<CSaveAnswerCase> {};

TEST_P(CChangedOnDiskSaveTest, SaveAsksAndDoesWhatTheUserChose) {
    const CSaveAnswerCase& c = GetParam();
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    if (c.bModified) {
        Doc()->AppendReport("mine\r\n");
    }
    AppendFromOutside(strLog);
    const std::string strOutside = ReadBytes(strLog);
    ASSERT_TRUE(HoldsTheOutsideReport(strOutside));

    m_answers = {c.eAnswer};
    m_strNextFileName = Path("elsewhere.txt");
    m_pFrame->DoSave(strLog); // Ctrl+S

    ASSERT_FALSE(m_messages.empty());
    const CMessage& question = m_messages.front();
    EXPECT_TRUE(question.strText.contains(strLog)) << question.strText.toStdString();
    EXPECT_EQ(question.buttons, CMainFrame::kReloadAnswer | CMainFrame::kOverwriteAnswer |
                                    CMainFrame::kSaveAsAnswer | QMessageBox::Cancel);
    EXPECT_EQ(question.eDefault, QMessageBox::Cancel);
    QStringList labels;
    for (const auto& [eButton, strText] : question.buttonTexts) {
        labels << strText;
    }
    EXPECT_EQ(labels,
              (QStringList{"再読み込み(&R)", "上書き(&O)", "名前を付けて保存(&A)", "キャンセル"}));
    // Tab and Space never reach the answers that throw one side away.
    EXPECT_EQ(question.ownKeyOnly, CMainFrame::kReloadAnswer | CMainFrame::kOverwriteAnswer);

    const std::string strNow = ReadBytes(strLog);
    EXPECT_EQ(HoldsTheOutsideReport(strNow), c.bLogKeepsOutsideReport);
    EXPECT_EQ(strNow.find("mine") != std::string::npos, c.bLogHasMine);
    EXPECT_EQ(Doc()->IsModified(), c.bStillModified);
    if (c.eAnswer == CMainFrame::kReloadAnswer) {
        // The file's text, not mine.
        EXPECT_TRUE(HoldsTheOutsideReport(Doc()->SavedText()));
        EXPECT_EQ(Doc()->SavedText().find("mine"), std::string::npos);
    }
    if (c.eAnswer == CMainFrame::kSaveAsAnswer) {
        EXPECT_EQ(Doc()->GetPathName(), Path("elsewhere.txt"));
        EXPECT_NE(ReadBytes(Path("elsewhere.txt")).find("mine"), std::string::npos);
    } else {
        EXPECT_FALSE(QFile::exists(Path("elsewhere.txt")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CChangedOnDiskSaveTest,
    ::testing::Values(
        CSaveAnswerCase{"Reload", true, CMainFrame::kReloadAnswer, true, false, false},
        CSaveAnswerCase{"Overwrite", true, CMainFrame::kOverwriteAnswer, false, true, false},
        CSaveAnswerCase{"SaveAs", true, CMainFrame::kSaveAsAnswer, true, false, false},
        CSaveAnswerCase{"Cancel", true, QMessageBox::Cancel, true, false, true},
        CSaveAnswerCase{"UnmodifiedCancel", false, QMessageBox::Cancel, true, false, false}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(CLogSafetyTest, UnmodifiedLogIsReloadedKeepingTheView) {
    QString strLines;
    for (int i = 0; i < 400; ++i) {
        strLines += QStringLiteral("line %1\r\n").arg(i);
    }
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, strLines.toStdString());
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    ShowFrame();
    QTextCursor caret(View()->document()->findBlockByNumber(200));
    View()->setTextCursor(caret);
    View()->verticalScrollBar()->setValue(150);
    const int nScroll = View()->verticalScrollBar()->value();

    AppendFromOutside(strLog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return HoldsTheOutsideReport(Doc()->SavedText()); }, 5000));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(View()->textCursor().blockNumber(), 200);
    EXPECT_EQ(View()->verticalScrollBar()->value(), nScroll);
    EXPECT_TRUE(Notice().contains(QStringLiteral("log.txt"))) << Notice().toStdString();
    EXPECT_TRUE(m_messages.empty());
    // Saving now writes what is on disk, report included.
    m_pFrame->DoSave(strLog);
    EXPECT_TRUE(HoldsTheOutsideReport(ReadBytes(strLog)));
}

// Typing goes on while another program writes the log: the change is told in
// the bar above the editor, with no box to take the keys; one bar however
// many changes come; the question waits for the save.
TEST_F(CLogSafetyTest, ModifiedLogChangedOnDiskIsAnnouncedInTheBarWithoutABox) {
    for (const bool bReload : {false, true}) {
        SCOPED_TRACE(bReload ? "reload" : "ignore");
        m_messages.clear();
        const QString strLog = Path("log.txt");
        WriteBytes(strLog, kOldLog);
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
        ShowFrame();
        View()->setFocus();
        Doc()->AppendReport("mine\r\n");
        CNoticeBar* pBar = m_pFrame->GetNoticeBar();
        EXPECT_TRUE(pBar->Text().isEmpty());

        AppendFromOutside(strLog);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pBar->Text().isEmpty(); }, 5000));
        EXPECT_TRUE(pBar->Text().contains(QStringLiteral("log.txt"))) << pBar->Text().toStdString();
        EXPECT_TRUE(pBar->ReloadButton()->isVisibleTo(pBar));
        EXPECT_TRUE(m_messages.empty());
        EXPECT_TRUE(View()->hasFocus());
        EXPECT_TRUE(Doc()->IsModified());

        for (int i = 0; i < 2; ++i) {
            AppendFromOutside(strLog);
            const QString strCount = QStringLiteral("変更 %1 回").arg(i + 2);
            ASSERT_TRUE(QTest::qWaitFor([&] { return pBar->Text().contains(strCount); }, 5000))
                << pBar->Text().toStdString();
        }
        EXPECT_EQ(m_pFrame->findChildren<CNoticeBar*>().size(), 1);
        EXPECT_TRUE(m_messages.empty());
        EXPECT_TRUE(View()->hasFocus());
        const std::string strOutside = ReadBytes(strLog);

        if (bReload) {
            pBar->ReloadButton()->click();
            EXPECT_TRUE(pBar->Text().isEmpty());
            EXPECT_FALSE(Doc()->IsModified());
            EXPECT_EQ(Doc()->SavedText().find("mine"), std::string::npos);
            m_pFrame->DoSave(strLog);
            EXPECT_EQ(ReadBytes(strLog), strOutside);
            EXPECT_TRUE(m_messages.empty());
        } else {
            pBar->IgnoreButton()->click();
            EXPECT_TRUE(pBar->Text().isEmpty());
            EXPECT_TRUE(View()->hasFocus());
            // Ignored: the save still asks.
            m_answers = {CMainFrame::kOverwriteAnswer};
            EXPECT_TRUE(m_pFrame->DoSave(strLog));
            EXPECT_EQ(m_messages.size(), 1u);
            EXPECT_EQ(ReadBytes(strLog), kOldLog + "mine\r\n");
        }
    }
}

// The log changed on disk while the window held nothing of the user's, and
// a calculator's report comes before the window noticed: the report goes
// after the file's new text, neither is lost.
TEST_F(CLogSafetyTest, ReportOnALogChangedOnDiskFollowsTheFilesNewText) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    AppendFromOutside(strLog); // no event is handled before the report
    const std::string strOutside = ReadBytes(strLog);
    Doc()->AppendReport("mine\r\n");
    EXPECT_TRUE(HoldsTheOutsideReport(Doc()->SavedText()));
    EXPECT_TRUE(Doc()->SavedText().ends_with("mine\r\n"));
    EXPECT_TRUE(Doc()->IsModified());
    QTest::qWait(500);
    EXPECT_TRUE(m_pFrame->GetNoticeBar()->Text().isEmpty());
    EXPECT_TRUE(m_pFrame->DoSave(strLog));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(ReadBytes(strLog), strOutside + "mine\r\n");
}

TEST_F(CLogSafetyTest, DeletedOrRenamedLogCountsAsChanged) {
    for (const bool bRenamed : {false, true}) {
        SCOPED_TRACE(bRenamed ? "renamed" : "deleted");
        m_messages.clear();
        const QString strLog = Path("log.txt");
        WriteBytes(strLog, kOldLog);
        m_answers = {QMessageBox::No};
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
        if (bRenamed) {
            ASSERT_TRUE(QFile::rename(strLog, Path("moved.txt")));
        } else {
            ASSERT_TRUE(QFile::remove(strLog));
        }
        // Nothing to reload: the text here is the only copy now.
        ASSERT_TRUE(QTest::qWaitFor([&] { return Doc()->IsModified(); }, 5000));
        EXPECT_TRUE(Notice().contains(QStringLiteral("log.txt")));

        m_messages.clear();
        m_answers = {CMainFrame::kOverwriteAnswer};
        EXPECT_TRUE(m_pFrame->DoSave(strLog));
        ASSERT_EQ(m_messages.size(), 1u);
        // No reload is offered for a file that is not there.
        EXPECT_FALSE(m_messages.front().buttons.testFlag(CMainFrame::kReloadAnswer));
        EXPECT_EQ(ReadBytes(strLog), kOldLog);
    }
}

// Deleted and made again (an editor saving by delete and create, a log
// rotation) while the window holds nothing of its own: the new file is read,
// without a question; typing in between makes it the user's to decide.
TEST_F(CLogSafetyTest, LogDeletedAndMadeAgainIsReloadedWhenNothingWasTyped) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    ASSERT_TRUE(QFile::remove(strLog));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Doc()->IsModified(); }, 5000));
    WriteBytes(strLog, kOldLog + "made again\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Doc()->IsModified(); }, 5000));
    EXPECT_TRUE(Doc()->SavedText().ends_with("made again\r\n")) << Doc()->SavedText();
    EXPECT_TRUE(m_messages.empty());

    // Gone again, then typed into: the text is the user's now.
    ASSERT_TRUE(QFile::remove(strLog));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Doc()->IsModified(); }, 5000));
    Doc()->AppendReport("mine\r\n");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_pFrame->GetNoticeBar()->Text().isEmpty(); }, 5000));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_NE(Doc()->SavedText().find("mine"), std::string::npos);
}

// A log with a second name (a hard link) is saved into the same file, so the
// other name shows the save; its copy of the old bytes is gone afterwards.
TEST_F(CLogSafetyTest, SaveKeepsEveryNameOfTheLog) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_EQ(::link(QFile::encodeName(strLog).constData(),
                     QFile::encodeName(Path("same-log.txt")).constData()),
              0);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    Doc()->AppendReport("mine\r\n");
    ASSERT_TRUE(m_pFrame->DoSave(strLog));
    EXPECT_EQ(ReadBytes(Path("same-log.txt")), kOldLog + "mine\r\n");
    EXPECT_TRUE(m_messages.empty());
    const QDir recovery(CRecoveryCopy::DefaultFolder());
    EXPECT_TRUE(recovery.entryList({"*.vantix-old"}, QDir::Files | QDir::Hidden).isEmpty());
    // Saved again with nothing changed outside: no question either.
    Doc()->AppendReport("more\r\n");
    ASSERT_TRUE(m_pFrame->DoSave(strLog));
    EXPECT_EQ(ReadBytes(Path("same-log.txt")), kOldLog + "mine\r\nmore\r\n");
    EXPECT_TRUE(m_messages.empty());
}

// A file system without working locks: the window saves without the lock,
// new log and existing alike, and says so once, in Japanese.
TEST_F(CLogSafetyTest, SavesOnAFileSystemWithoutLocksTellingOnce) {
    const CLogLock::FlockFn previous = CLogLock::SetFlockFunction([](int, int) {
        errno = ENOLCK;
        return -1;
    });
    const QString strLog = Path("new.txt");
    Doc()->AppendReport("first\r\n");
    const bool bFirst = m_pFrame->DoSave(strLog);
    Doc()->AppendReport("second\r\n");
    const bool bSecond = m_pFrame->DoSave(strLog);
    CLogLock::SetFlockFunction(previous);
    EXPECT_TRUE(bFirst);
    EXPECT_TRUE(bSecond);
    EXPECT_EQ(ReadBytes(strLog), "first\r\nsecond\r\n");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages.front().eIcon, QMessageBox::Information);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("ロックせずに書き込みます")))
        << LastMessage().toStdString();
    EXPECT_FALSE(LastMessage().contains(QStringLiteral("ファイルは変更していません")));
}

TEST_F(CLogSafetyTest, SaveWaitsForTheLockAndGivesUpWithoutWriting) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    Doc()->AppendReport("mine\r\n");
    CLogLock other;
    std::string strError;
    ASSERT_TRUE(other.Acquire(QFile::encodeName(strLog).toStdString(), 0, strError));
    // The window keeps painting while it waits, and says it waits.
    int nTicks = 0;
    bool bWaitShown = false;
    QTimer painter;
    QObject::connect(&painter, &QTimer::timeout, [&] {
        ++nTicks;
        for (QProgressDialog* pDialog : m_pFrame->findChildren<QProgressDialog*>()) {
            bWaitShown = bWaitShown || pDialog->isVisible();
        }
    });
    painter.start(50);
    EXPECT_FALSE(m_pFrame->DoSave(strLog));
    painter.stop();
    EXPECT_GT(nTicks, 50);
    EXPECT_TRUE(bWaitShown);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(LastMessage().contains(strLog)) << LastMessage().toStdString();
    EXPECT_EQ(LastMessage().count(QStringLiteral("ファイルは変更していません")), 1)
        << LastMessage().toStdString();
    EXPECT_EQ(ReadBytes(strLog), kOldLog);
    EXPECT_TRUE(Doc()->IsModified());

    // Given up by the user: no message, nothing written.
    m_messages.clear();
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QProgressDialog* pDialog : m_pFrame->findChildren<QProgressDialog*>()) {
            if (pDialog->isVisible()) {
                pDialog->cancel();
            }
        }
    });
    canceller.start(20);
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(m_pFrame->DoSave(strLog));
    canceller.stop();
    EXPECT_LT(waited.elapsed(), 3000);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(ReadBytes(strLog), kOldLog);
    other.Release();
    EXPECT_TRUE(m_pFrame->DoSave(strLog));
    EXPECT_EQ(ReadBytes(strLog), kOldLog + "mine\r\n");
}

// ---- failures of the file system -------------------------------------------------

// A mount made for one test (tests run as root; where mounting is not
// allowed the test is skipped).
class CMount {
public:
    bool Bind(const QString& strFrom, const QString& strTo, bool bReadOnly) {
        const QByteArray to = QFile::encodeName(strTo);
        if (::mount(QFile::encodeName(strFrom).constData(), to.constData(), nullptr, MS_BIND,
                    nullptr) != 0) {
            return false;
        }
        m_targets.push_back(to);
        return !bReadOnly || ::mount(nullptr, to.constData(), nullptr,
                                     MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    bool Tmpfs(const QString& strTo, const char* pszOptions) {
        const QByteArray to = QFile::encodeName(strTo);
        if (::mount("tmpfs", to.constData(), "tmpfs", 0, pszOptions) != 0) {
            return false;
        }
        m_targets.push_back(to);
        return true;
    }
    ~CMount() {
        for (auto it = m_targets.rbegin(); it != m_targets.rend(); ++it) {
            ::umount2(it->constData(), MNT_DETACH);
        }
    }

private:
    std::vector<QByteArray> m_targets;
};

TEST_F(CLogSafetyTest, FolderWithoutRoomForATemporaryFileOffersSaveAs) {
    // The log can be written in place, but its folder is read-only.
    QDir(m_dir.path()).mkpath("real");
    QDir(m_dir.path()).mkpath("shown");
    WriteBytes(Path("real/log.txt"), kOldLog);
    CMount mount;
    if (!mount.Bind(Path("real"), Path("shown"), true) ||
        !mount.Bind(Path("real/log.txt"), Path("shown/log.txt"), false)) {
        GTEST_SKIP() << "cannot mount here";
    }
    const QString strLog = Path("shown/log.txt");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    Doc()->AppendReport("mine\r\n");
    m_answers = {QMessageBox::Yes};
    m_strNextFileName = Path("elsewhere.txt");
    EXPECT_TRUE(m_pFrame->DoSave(strLog));
    ASSERT_FALSE(m_messages.empty());
    const QString strText = m_messages.front().strText;
    EXPECT_TRUE(strText.contains(QStringLiteral("フォルダーに書き込めません")))
        << strText.toStdString();
    EXPECT_TRUE(strText.contains(QStringLiteral("log.txt")));
    EXPECT_EQ(m_messages.front().buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(ReadBytes(strLog), kOldLog);
    EXPECT_EQ(ReadBytes(Path("elsewhere.txt")), kOldLog + "mine\r\n");
    EXPECT_EQ(Doc()->GetPathName(), Path("elsewhere.txt"));
}

TEST_F(CLogSafetyTest, FullDiskKeepsTheOldLogAndSaysWhy) {
    QDir(m_dir.path()).mkpath("small");
    CMount mount;
    if (!mount.Tmpfs(Path("small"), "size=64k")) {
        GTEST_SKIP() << "cannot mount here";
    }
    const QString strLog = Path("small/log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    std::string strBig;
    while (strBig.size() < 200 * 1024) {
        strBig += "0123456789 0123456789 0123456789 0123456789\r\n";
    }
    Doc()->AppendReport(strBig);
    QString strError;
    ESaveFailure eFailure = ESaveFailure::None;
    EXPECT_FALSE(Doc()->SaveFile(strLog, strError, &eFailure));
    EXPECT_EQ(eFailure, ESaveFailure::DiskFull);
    EXPECT_FALSE(m_pFrame->DoSave(strLog));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("log.txt")));
    EXPECT_FALSE(LastMessage().contains(QStringLiteral("未知のエラー")));
    EXPECT_EQ(ReadBytes(strLog), kOldLog);
    EXPECT_EQ(QDir(Path("small")).entryList(QDir::Files | QDir::Hidden), QStringList{"log.txt"});
    EXPECT_TRUE(Doc()->IsModified());
}

// ---- paste and the name of an untitled log ----------------------------------------

TEST_F(CLogSafetyTest, PasteWithAFileOnTheClipboardInsertsTextOnly) {
    WriteBytes(Path("copied.txt"), "a file's content\r\n");
    ShowFrame();
    struct CCase {
        const char* pszName;
        bool bWithText;
        QKeyCombination keys;
        QString strExpected;
    };
    const CCase cases[] = {
        {"Ctrl+V, text too", true, Qt::ControlModifier | Qt::Key_V, Path("copied.txt")},
        {"Shift+Insert, text too", true, Qt::ShiftModifier | Qt::Key_Insert, Path("copied.txt")},
        {"Ctrl+V, file only", false, Qt::ControlModifier | Qt::Key_V, QString()},
        {"Shift+Insert, file only", false, Qt::ShiftModifier | Qt::Key_Insert, QString()},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_answers = {QMessageBox::No};
        ASSERT_TRUE(m_pFrame->NewDocument());
        m_messages.clear();
        auto* pData = new QMimeData;
        pData->setUrls({QUrl::fromLocalFile(Path("copied.txt"))});
        if (c.bWithText) {
            pData->setText(Path("copied.txt"));
        }
        QApplication::clipboard()->setMimeData(pData);
        View()->setFocus();
        QTest::keyClick(View(), c.keys.key(), c.keys.keyboardModifiers());
        QTest::qWait(50); // an open would come from the event loop
        EXPECT_EQ(View()->toPlainText(), c.strExpected);
        EXPECT_TRUE(Doc()->GetPathName().isEmpty());
        EXPECT_TRUE(m_messages.empty());
    }
}

TEST_F(CLogSafetyTest, UntitledLogWithAnUnencodableCharacterAsksForTheNameOnce) {
    int nAsked = 0;
    CMainFrame::SetFileNamePrompt([&](bool, const QString&) {
        ++nAsked;
        return Path("new.txt");
    });
    Doc()->AppendReport(Utf8(u8"10µH\r\n"));
    m_answers = {QMessageBox::Yes};
    EXPECT_TRUE(m_pFrame->DoSave(QString()));
    EXPECT_EQ(nAsked, 1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("UTF-8 で保存しますか")));
    EXPECT_EQ(ReadBytes(Path("new.txt")), "\xEF\xBB\xBF" + Utf8(u8"10µH\r\n"));
    EXPECT_EQ(Doc()->GetFormat().eEncoding, ELogEncoding::Utf8Bom);
}

// ---- recovery copy ------------------------------------------------------------------

TEST_F(CLogSafetyTest, RecoveryCopyExistsExactlyWhileChangesAreUnsaved) {
    m_pFrame->GetRecovery()->SetDelays(20, 200);
    const auto copyExists = [this] {
        return !m_pFrame->GetRecovery()->CopyPath().isEmpty() &&
               QFile::exists(m_pFrame->GetRecovery()->CopyPath());
    };
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    ShowFrame();
    View()->setFocus();

    struct CStep {
        const char* pszName;
        std::function<void()> act;
        bool bCopy;
    };
    const CStep steps[] = {
        {"typed", [this] { QTest::keyClicks(View(), QStringLiteral("abc")); }, true},
        {"saved", [this] { ASSERT_TRUE(m_pFrame->DoSave(Doc()->GetPathName())); }, false},
        {"report appended", [this] { Doc()->AppendReport("r\r\n"); }, true},
        {"undone to the saved text", [this] { View()->undo(); }, false},
        {"typed again", [this] { QTest::keyClicks(View(), QStringLiteral("d")); }, true},
        {"not saved on New",
         [this] {
             m_answers = {QMessageBox::No};
             ASSERT_TRUE(m_pFrame->NewDocument());
         },
         false},
        {"typed into the new log", [this] { QTest::keyClicks(View(), QStringLiteral("e")); }, true},
        {"not saved on close",
         [this] {
             m_answers = {QMessageBox::No};
             EXPECT_TRUE(m_pFrame->close());
         },
         false},
    };
    for (const CStep& step : steps) {
        SCOPED_TRACE(step.pszName);
        step.act();
        if (step.bCopy) {
            EXPECT_TRUE(QTest::qWaitFor(copyExists, 2000));
        } else {
            QTest::qWait(300);
            EXPECT_FALSE(copyExists());
        }
    }
    EXPECT_TRUE(QDir(CRecoveryCopy::DefaultFolder()).entryList({"*.recovery"}).isEmpty());
}

struct COfferCase {
    const char* pszName;
    bool bUntitled;
    QMessageBox::StandardButton eAnswer;
};

class CRecoveryOfferTest : public CLogSafetyTest,
                           public ::testing::WithParamInterface<COfferCase> {};

TEST_P(CRecoveryOfferTest, LeftoverCopyIsOfferedNamingFileAndTime) {
    const COfferCase& c = GetParam();
    const QString strLog = c.bUntitled ? QString() : Path("log.txt");
    if (!c.bUntitled) {
        WriteBytes(strLog, kOldLog);
    }
    const QString strTyped = QStringLiteral("***** テスト *****\n打ちかけの行");
    LeaveCopy(strLog, strTyped);
    ShowFrame();
    m_answers = {c.eAnswer};
    m_pFrame->OfferRecovery();
    ASSERT_EQ(m_messages.size(), 1u);
    QApplication::processEvents();
    // The text starts at the top of the window, as after any open.
    EXPECT_LT(View()->cursorRect().top(), 20);
    const CMessage& offer = m_messages.front();
    EXPECT_TRUE(offer.strText.contains(c.bUntitled ? QStringLiteral("無題") : strLog))
        << offer.strText.toStdString();
    EXPECT_TRUE(offer.strText.contains(QDate::currentDate().toString("yyyy/MM/dd")));
    EXPECT_EQ(offer.buttons, CMainFrame::kRestoreAnswer | CMainFrame::kDiscardAnswer);
    EXPECT_EQ(offer.buttonTexts.size(), 2u);

    const bool bRestored = c.eAnswer == CMainFrame::kRestoreAnswer;
    EXPECT_EQ(View()->toPlainText(), bRestored ? strTyped : QString());
    EXPECT_EQ(Doc()->IsModified(), bRestored);
    EXPECT_EQ(Doc()->GetPathName(), bRestored ? strLog : QString());
    if (!c.bUntitled) {
        EXPECT_EQ(ReadBytes(strLog), kOldLog); // nothing written before a save
    }
    // Either way it is not offered again.
    m_messages.clear();
    m_pFrame->OfferRecovery();
    EXPECT_TRUE(m_messages.empty());
    if (bRestored && !c.bUntitled) {
        ASSERT_TRUE(m_pFrame->DoSave(strLog));
        EXPECT_EQ(ReadBytes(strLog), kOldLog + "\x91\xC5\x82\xBF\x82\xA9\x82\xAF\x82\xCC\x8D\x73");
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, CRecoveryOfferTest,
                         ::testing::Values(COfferCase{"Restore", false, CMainFrame::kRestoreAnswer},
                                           COfferCase{"Discard", false, CMainFrame::kDiscardAnswer},
                                           COfferCase{"RestoreUntitled", true,
                                                      CMainFrame::kRestoreAnswer}),
                         [](const auto& info) { return std::string(info.param.pszName); });

// Two windows ended without saving: this window restores one, and a new
// window, started on the user's word, offers the other at its start.
TEST_F(CLogSafetyTest, EveryLeftoverCopyIsOffered) {
    for (const bool bNewWindow : {true, false}) {
        SCOPED_TRACE(bNewWindow ? "new window" : "next start");
        m_messages.clear();
        const QString strLog = Path("log.txt");
        const QString strOther = Path("other.txt");
        WriteBytes(strLog, kOldLog);
        WriteBytes(strOther, kOldLog);
        LeaveCopy(strLog, QStringLiteral("one"));
        QTest::qWait(5);
        LeaveCopy(strOther, QStringLiteral("two"));
        int nLaunched = 0;
        const CMainFrame::WindowLauncher previous = CMainFrame::SetWindowLauncher([&] {
            ++nLaunched;
            return true;
        });
        m_answers = {CMainFrame::kRestoreAnswer, bNewWindow ? QMessageBox::Yes : QMessageBox::No};
        m_pFrame->OfferRecovery();
        CMainFrame::SetWindowLauncher(previous);
        ASSERT_EQ(m_messages.size(), 2u);
        EXPECT_TRUE(m_messages.back().strText.contains(QStringLiteral("ほかに 1 件")))
            << m_messages.back().strText.toStdString();
        EXPECT_EQ(nLaunched, bNewWindow ? 1 : 0);

        // The other window (or the next start) finds the copy not restored here.
        CMainFrame other;
        m_messages.clear();
        m_answers = {CMainFrame::kRestoreAnswer};
        other.OfferRecovery();
        EXPECT_EQ(m_messages.size(), 1u); // nothing more left to offer
        const QStringList texts{View()->toPlainText(), other.GetView()->toPlainText()};
        EXPECT_TRUE(texts.contains("one") && texts.contains("two"))
            << texts.join('|').toStdString();
        // Each gone once saved or dropped.
        Doc()->SetModifiedFlag(false);
        other.GetDocument()->SetModifiedFlag(false);
    }
}

TEST_F(CLogSafetyTest, CopyOfWhatWasSavedAnywayIsDroppedWithoutAsking) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    LeaveCopy(strLog, QStringLiteral("***** テスト *****\n"));
    m_pFrame->OfferRecovery();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(CRecoveryCopy::FindAbandoned(CRecoveryCopy::DefaultFolder()).empty());
}

TEST_F(CLogSafetyTest, RestoredTextOfALogChangedSinceIsNotSavedOverItWithoutAsking) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    LeaveCopy(strLog, QStringLiteral("***** テスト *****\nmine"));
    AppendFromOutside(strLog); // after the copy was made
    m_answers = {CMainFrame::kRestoreAnswer, QMessageBox::Cancel};
    m_pFrame->OfferRecovery();
    ASSERT_FALSE(m_messages.empty());
    EXPECT_TRUE(m_messages.front().strText.contains(QStringLiteral("変更されています")));
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("***** テスト *****\nmine"));

    m_messages.clear();
    m_answers = {QMessageBox::Cancel};
    EXPECT_FALSE(m_pFrame->DoSave(strLog));
    EXPECT_TRUE(HoldsTheOutsideReport(ReadBytes(strLog)));
    EXPECT_TRUE(Doc()->IsModified());
}

// ---- large logs ---------------------------------------------------------------------

class CLargeLogTest : public CLogSafetyTest {
protected:
    void SetUp() override {
        CLogSafetyTest::SetUp();
        std::string bytes;
        while (bytes.size() < 2 * CVantixDoc::kBackgroundReadBytes) {
            bytes += kOldLog + "  50.0 \x83\xB6  0123456789\r\n";
        }
        m_strBytes = bytes;
        WriteBytes(Path("large.txt"), bytes);
        WriteBytes(Path("small.txt"), kOldLog);
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("small.txt")));
        ShowFrame();
    }
    std::string m_strBytes;
};

TEST_F(CLargeLogTest, OpensWithProgressWhileTheWindowKeepsPainting) {
    int nTicks = 0;
    bool bProgressSeen = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++nTicks;
        for (QProgressDialog* pDialog : m_pFrame->findChildren<QProgressDialog*>()) {
            bProgressSeen = bProgressSeen || pDialog->isVisible();
        }
    });
    ticker.start(10);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("large.txt")));
    ticker.stop();
    EXPECT_TRUE(bProgressSeen);
    EXPECT_GT(nTicks, 1); // the event loop ran while the file was read
    EXPECT_TRUE(m_pFrame->findChildren<QProgressDialog*>().isEmpty());
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("copy.txt")));
    EXPECT_TRUE(ReadBytes(Path("copy.txt")) == m_strBytes);
}

// While a large log is read the editor takes no typing (it would be thrown
// away with the old text), and a calculator's report waits for the new text.
TEST_F(CLargeLogTest, NoTypingIsTakenAndNoReportLostWhileALogIsRead) {
    int nReadOnlyTicks = 0;
    int nTicks = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        ++nTicks;
        nReadOnlyTicks += View()->isReadOnly();
        QTest::keyClicks(View(), QStringLiteral("typed"));
        if (nTicks == 2) {
            Doc()->AppendReport("mine\r\n");
        }
    });
    user.start(5);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("large.txt")));
    user.stop();
    ASSERT_GE(nTicks, 2);
    EXPECT_EQ(nReadOnlyTicks, nTicks);
    EXPECT_FALSE(View()->isReadOnly());
    EXPECT_TRUE(Doc()->IsModified());
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("copy.txt")));
    EXPECT_TRUE(ReadBytes(Path("copy.txt")) == m_strBytes + "mine\r\n");
}

// Cancelled while the log named on the command line is read: the program
// goes on with an empty log.
TEST_F(CLargeLogTest, CancelledFirstReadLeavesAnEmptyWindow) {
    m_pFrame.reset();
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            for (QProgressDialog* pDialog : pWidget->findChildren<QProgressDialog*>()) {
                pDialog->cancel();
            }
        }
    });
    canceller.start(1);
    CVantixApp app;
    EXPECT_EQ(app.InitInstance({Path("large.txt")}), -1);
    canceller.stop();
    ASSERT_NE(app.GetMainFrame(), nullptr);
    EXPECT_TRUE(app.GetMainFrame()->GetDocument()->GetPathName().isEmpty());
    EXPECT_TRUE(app.GetMainFrame()->isVisible());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(CLargeLogTest, CancelledOpenLeavesTheLogAsItWas) {
    Doc()->AppendReport("unsaved\r\n");
    m_answers = {QMessageBox::No};
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QProgressDialog* pDialog : m_pFrame->findChildren<QProgressDialog*>()) {
            pDialog->cancel();
        }
    });
    canceller.start(1);
    EXPECT_FALSE(m_pFrame->OpenDocumentFile(Path("large.txt")));
    canceller.stop();
    EXPECT_EQ(m_messages.size(), 1u); // the save prompt only, no error
    EXPECT_EQ(Doc()->GetPathName(), Path("small.txt"));
    EXPECT_EQ(Doc()->SavedText(), Utf8(u8"***** テスト *****\r\nunsaved\r\n"));
}

} // namespace
