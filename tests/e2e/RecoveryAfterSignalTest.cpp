#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <memory>

// The real program, killed with SIGTERM while text is unsaved, offers that
// text at its next start; restored and saved, it is in the log. Typing needs
// an X server, so the program runs on a private Xvfb driven by xdotool.

namespace {

class RecoveryAfterSignalTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty()) {
            GTEST_SKIP() << "Xvfb or xdotool missing";
        }
        ASSERT_TRUE(m_dir.isValid());
        m_xvfb.start("Xvfb",
                     {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        ASSERT_TRUE(m_xvfb.waitForReadyRead(10000));
        m_strDisplay = QStringLiteral(":") + QString::fromLatin1(m_xvfb.readLine()).trimmed();
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("DISPLAY", m_strDisplay);
        m_env.insert("QT_QPA_PLATFORM", "xcb");
        m_env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        m_env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        m_env.insert("XDG_RUNTIME_DIR", m_dir.path());
        m_env.insert("ASAN_OPTIONS", "detect_leaks=0");
    }

    void TearDown() override {
        if (m_pVantix && m_pVantix->state() != QProcess::NotRunning) {
            m_pVantix->kill();
            m_pVantix->waitForFinished(5000);
        }
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(5000);
        }
    }

    // Runs xdotool; returns its standard output (the window id for a search).
    QString XDo(const QStringList& arguments, int nTimeoutMs = 20000) {
        QProcess tool;
        tool.setProcessEnvironment(m_env);
        tool.start("timeout",
                   QStringList{QString::number(nTimeoutMs / 1000), "xdotool"} + arguments);
        EXPECT_TRUE(tool.waitForFinished(nTimeoutMs + 5000));
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    QString WaitForWindow(const QString& strTitlePattern) {
        return XDo({"search", "--sync", "--onlyvisible", "--name", strTitlePattern})
            .section('\n', 0, 0);
    }

    void StartVantix(const QStringList& arguments) {
        m_pVantix = std::make_unique<QProcess>();
        m_pVantix->setProcessEnvironment(m_env);
        m_pVantix->start(QStringLiteral(VANTIX_GUI_BINARY), arguments);
        ASSERT_TRUE(m_pVantix->waitForStarted(10000));
    }

    // Starts the program on a log holding "saved line" and types strTyped
    // at its end, until the title says the log is modified.
    void TypeIntoTheLog(const QString& strLog, const QString& strTyped) {
        {
            std::ofstream out(strLog.toStdString(), std::ios::binary);
            out << "saved line\r\n";
        }
        StartVantix({strLog});
        const QString strWindow = WaitForWindow("^log.txt - Vantix$");
        ASSERT_FALSE(strWindow.isEmpty());
        XDo({"windowfocus", "--sync", strWindow});
        XDo({"key", "ctrl+End"});
        XDo({"type", "--delay", "30", strTyped});
        ASSERT_FALSE(WaitForWindow("^log.txt\\* - Vantix$").isEmpty()); // modified
    }

    QStringList RecoveryCopies() const {
        return QDir(m_dir.filePath("data/Vantix/recovery")).entryList({"*.recovery"});
    }

    static std::string ReadBytes(const QString& strPath) {
        std::ifstream in(strPath.toStdString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    QTemporaryDir m_dir;
    QProcess m_xvfb;
    QString m_strDisplay;
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_pVantix;
};

TEST_F(RecoveryAfterSignalTest, TypedTextSurvivesSigtermAndIsOfferedAtTheNextStart) {
    const QString strLog = m_dir.filePath("log.txt");
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheLog(strLog, "typed before the end"));

    // At once, well before the recovery copy's own delay.
    ::kill(static_cast<pid_t>(m_pVantix->processId()), SIGTERM);
    ASSERT_TRUE(m_pVantix->waitForFinished(10000));
    EXPECT_EQ(m_pVantix->exitStatus(), QProcess::CrashExit); // ended by the signal
    const QStringList copies = RecoveryCopies();
    ASSERT_EQ(copies.size(), 1);
    EXPECT_NE(ReadBytes(m_dir.filePath("data/Vantix/recovery/" + copies.front()))
                  .find("saved line\ntyped before the end"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(strLog), "saved line\r\n");

    // The next start offers it; the default answer restores it.
    StartVantix({});
    const QString strOffer = WaitForWindow("^Vantix$");
    ASSERT_FALSE(strOffer.isEmpty());
    XDo({"windowfocus", "--sync", strOffer});
    // Keys go through the server (a key sent to the box itself would repeat
    // into the editor once the box is gone).
    XDo({"key", "Return"});
    const QString strRestored = WaitForWindow("^log.txt\\* - Vantix$");
    ASSERT_FALSE(strRestored.isEmpty());
    XDo({"windowfocus", "--sync", strRestored});
    XDo({"key", "ctrl+s"});
    ASSERT_FALSE(WaitForWindow("^log.txt - Vantix$").isEmpty()); // saved
    EXPECT_EQ(ReadBytes(strLog), "saved line\r\ntyped before the end");

    // Nothing unsaved: the end leaves no copy behind.
    ::kill(static_cast<pid_t>(m_pVantix->processId()), SIGTERM);
    ASSERT_TRUE(m_pVantix->waitForFinished(10000));
    const QStringList left =
        QDir(m_dir.filePath("data/Vantix/recovery")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
}

// Ctrl+C and Ctrl+\\ in the terminal, and the display going away, keep the
// typed text as SIGTERM does.
enum class EEnd { Interrupt, Quit, DisplayGone };

class RecoveryAfterEveryEndTest : public RecoveryAfterSignalTest,
                                  public ::testing::WithParamInterface<EEnd> {};

TEST_P(RecoveryAfterEveryEndTest, TypedTextIsInTheRecoveryCopy) {
    const QString strLog = m_dir.filePath("log.txt");
    ASSERT_NO_FATAL_FAILURE(TypeIntoTheLog(strLog, "typed"));
    const auto pid = static_cast<pid_t>(m_pVantix->processId());
    switch (GetParam()) {
    case EEnd::Interrupt:
        ::kill(pid, SIGINT);
        break;
    case EEnd::Quit:
        ::kill(pid, SIGQUIT);
        break;
    case EEnd::DisplayGone:
        m_xvfb.kill();
        break;
    }
    ASSERT_TRUE(m_pVantix->waitForFinished(10000));
    const QStringList copies = RecoveryCopies();
    ASSERT_EQ(copies.size(), 1);
    EXPECT_NE(ReadBytes(m_dir.filePath("data/Vantix/recovery/" + copies.front()))
                  .find("saved line\ntyped"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(strLog), "saved line\r\n");
}

std::string EndName(const ::testing::TestParamInfo<EEnd>& info) {
    static const char* const kNames[] = {"CtrlC", "CtrlBackslash", "DisplayGone"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ends, RecoveryAfterEveryEndTest,
                         ::testing::Values(EEnd::Interrupt, EEnd::Quit, EEnd::DisplayGone),
                         EndName);

} // namespace
