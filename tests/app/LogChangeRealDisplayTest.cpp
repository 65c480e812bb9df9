#include "ShellTestSupport.h"

#include "app/NoticeBar.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <utility>

// The log changed on disk while the user types, on an X server with real
// message boxes and every key going through the server (xdotool), so that a
// box that took the keyboard would take the keys as it would a user's.
// tests/scripts/log_change_real_display.sh runs these under Xvfb without and
// with a window manager; elsewhere they are skipped.

namespace {

// "***** テスト *****" CR LF in CP932.
const std::string kOldLog = "***** \x83\x65\x83\x58\x83\x67 *****\r\n";

bool Xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

class RealDisplayLogChange : public CShellTest {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs a real display (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
        }
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            GTEST_SKIP() << "xdotool is not installed";
        }
        CShellTest::SetUp();
        // Real boxes, not the test's answers.
        m_previousHandler = SetMessageHandler({});
        m_boxWatch.setInterval(10);
        // Runs inside the box's own event loop: the keys planned for the
        // next box go to it once it has the keyboard.
        QObject::connect(&m_boxWatch, &QTimer::timeout, [this] {
            auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (pBox == nullptr) {
                return;
            }
            if (pBox != m_pLastBox) {
                m_pLastBox = pBox;
                ++m_nBoxes;
                m_nBoxWaitMs = 0;
            }
            if (m_boxKeys.isEmpty()) {
                // A box nobody asked for: what it took is counted, then
                // it is closed so that the test ends.
                if ((m_nBoxWaitMs += 10) > 3000) {
                    ADD_FAILURE() << "a box came up uninvited";
                    pBox->reject();
                }
                return;
            }
            if (QApplication::activeWindow() == pBox) {
                const QStringList keys = std::exchange(m_boxKeys, {});
                EXPECT_TRUE(Xdotool(QStringList{"key", "--delay", "100"} + keys));
            } else if ((m_nBoxWaitMs += 10) > 5000) {
                ADD_FAILURE() << "the question never got the keyboard";
                m_boxKeys.clear();
                pBox->reject();
            }
        });
        m_boxWatch.start();
    }
    void TearDown() override {
        m_boxWatch.stop();
        if (m_pFrame) {
            SetMessageHandler(m_previousHandler);
            CShellTest::TearDown();
        }
    }

    CVantixDoc* Doc() const { return m_pFrame->GetDocument(); }

    // The window shown and holding the keyboard; with a window manager whose
    // focus follows the pointer, the pointer rests on it.
    void ShowWithTheKeyboard() {
        ShowFrame();
        m_pFrame->GetView()->setFocus();
        m_pFrame->GetView()->moveCursor(QTextCursor::End);
        const QPoint centre = m_pFrame->mapToGlobal(m_pFrame->rect().center());
        EXPECT_TRUE(
            Xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())}));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_pFrame->GetView()->hasFocus(); }));
    }

    // Another program appending nCount reports, nGapMs apart, while the
    // event loop runs.
    static QString AppendLoop(const QString& strLog, int nCount, int nGapMs) {
        return QStringLiteral("for i in $(seq %1); do sleep %2; \"%3\" pi --impedance 77 "
                              "--attenuation 10 --time '2026-12-08 10:30' --append \"%4\" || "
                              "exit 1; done")
            .arg(nCount)
            .arg(nGapMs / 1000.0)
            .arg(QStringLiteral(VANTIX_CALC_BINARY), strLog);
    }

    QTimer m_boxWatch;
    QPointer<QMessageBox> m_pLastBox;
    int m_nBoxes = 0;
    int m_nBoxWaitMs = 0;
    QStringList m_boxKeys; // for the next box, once it has the keyboard

private:
    MessageHandler m_previousHandler;
};

int CountOf(const std::string& strText, const std::string& strPart) {
    int n = 0;
    for (size_t at = strText.find(strPart); at != std::string::npos;
         at = strText.find(strPart, at + 1)) {
        ++n;
    }
    return n;
}

TEST_F(RealDisplayLogChange, TypingWhileAnotherProgramAppendsKeepsEveryKeyAndTheirReports) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    ShowWithTheKeyboard();
    QString strTyped;
    for (int i = 0; i < 8; ++i) {
        strTyped += QStringLiteral("x y\tz ");
    }
    QProcess outside;
    outside.start(QStringLiteral("bash"), {"-c", AppendLoop(strLog, 5, 300)});
    QProcess keys;
    keys.start(QStringLiteral("xdotool"), {"type", "--delay", "40", "--", strTyped});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return outside.state() == QProcess::NotRunning && keys.state() == QProcess::NotRunning;
        },
        30000));
    ASSERT_EQ(outside.exitCode(), 0) << outside.readAllStandardError().toStdString();
    ASSERT_EQ(keys.exitCode(), 0);
    QTest::qWait(300);

    EXPECT_EQ(m_nBoxes, 0);
    EXPECT_TRUE(Doc()->EditorText().ends_with(strTyped.toStdString())) << Doc()->EditorText();
    const std::string strFile = ReadBytes(strLog);
    EXPECT_EQ(CountOf(strFile, "77.0"), 5) << "the other program's five reports";
    EXPECT_EQ(strFile.find("x y"), std::string::npos);
    EXPECT_TRUE(m_pFrame->GetNoticeBar()->Text().contains(QStringLiteral("log.txt")));
}

// The question comes with the save, with the keyboard on キャンセル: letters,
// Tab and Space never overwrite the other program's change; Alt+O does.
TEST_F(RealDisplayLogChange, SaveQuestionOverwritesOnlyByItsOwnKey) {
    const QString strLog = Path("log.txt");
    WriteBytes(strLog, kOldLog);
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strLog));
    ShowWithTheKeyboard();
    Doc()->AppendReport("mine\r\n");
    QProcess outside;
    outside.start(QStringLiteral("bash"), {"-c", AppendLoop(strLog, 1, 0)});
    ASSERT_TRUE(outside.waitForFinished(10000));
    const std::string strOutside = ReadBytes(strLog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_pFrame->GetNoticeBar()->Text().isEmpty(); }, 5000));

    // Each round: Ctrl+S, then the keys given to the box.
    const auto saveAndPress = [&](const QStringList& answer) {
        const int nBefore = m_nBoxes;
        m_boxKeys = answer;
        EXPECT_TRUE(Xdotool({"key", "ctrl+s"}));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return m_nBoxes > nBefore && QApplication::activeModalWidget() == nullptr; },
            10000))
            << "the question did not come";
        m_boxKeys.clear();
        QTest::qWait(200);
    };
    // Typing on after Ctrl+S (the file dialog of 名前を付けて保存 is the
    // test's, which gives no name), then Enter on the default.
    saveAndPress({"o", "r", "Tab", "space"});
    EXPECT_EQ(ReadBytes(strLog), strOutside);
    saveAndPress({"Tab", "Tab", "Tab", "space"});
    EXPECT_EQ(ReadBytes(strLog), strOutside);
    saveAndPress({"Return"});
    EXPECT_EQ(ReadBytes(strLog), strOutside);
    EXPECT_TRUE(Doc()->IsModified());

    saveAndPress({"alt+o"});
    EXPECT_EQ(ReadBytes(strLog), kOldLog + "mine\r\n");
    EXPECT_FALSE(Doc()->IsModified());
}

} // namespace
