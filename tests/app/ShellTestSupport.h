#pragma once

#include "app/MainFrame.h"
#include "dialogs/MessageSink.h"
#include "dialogs/ReportClock.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// A main window with settings and recovery copies in a temporary folder
// (the user's own are never touched) and every message box recorded and answered from a queue
// (Ok when the queue is empty), so no test can hang on a modal box.
class CShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Path("settings"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Path("settings"));
        // Recovery copies go to the test's own folder too.
        qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
        m_previousHandler = SetMessageHandler([this](const CMessage& message) {
            m_messages.push_back(message);
            if (m_answers.empty()) {
                return QMessageBox::Ok;
            }
            const QMessageBox::StandardButton eAnswer = m_answers.front();
            m_answers.pop_front();
            return eAnswer;
        });
        m_previousPrompt = CMainFrame::SetFileNamePrompt(
            [this](bool, const QString&) { return m_strNextFileName; });
        m_pFrame = std::make_unique<CMainFrame>();
    }

    void TearDown() override {
        m_pFrame.reset();
        CMainFrame::SetFileNamePrompt(m_previousPrompt);
        SetMessageHandler(m_previousHandler);
    }

    QString Path(const char* pszName) const { return m_dir.filePath(QString::fromUtf8(pszName)); }

    static void WriteBytes(const QString& strPath, const std::string& bytes) {
        std::ofstream out(strPath.toStdString(), std::ios::binary);
        out << bytes;
    }

    static std::string ReadBytes(const QString& strPath) {
        std::ifstream in(strPath.toStdString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Shows the main window and waits until it is active; no window manager
    // activates it under Xvfb.
    void ShowFrame() {
        m_pFrame->show();
        m_pFrame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_pFrame.get()));
    }

    QString LastMessage() const {
        return m_messages.empty() ? QString() : m_messages.back().strText;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::vector<CMessage> m_messages;
    std::deque<QMessageBox::StandardButton> m_answers;
    QString m_strNextFileName;

private:
    MessageHandler m_previousHandler;
    CMainFrame::FileNamePrompt m_previousPrompt;
};

// A shell test whose reports carry a fixed time, for running calculators
// from their menu commands.
class CShellSessionTest : public CShellTest {
protected:
    explicit CShellSessionTest(const CLocalTime& time) : m_reportTime(time) {}

    void SetUp() override {
        CShellTest::SetUp();
        m_previousClock = SetReportClock([this] { return m_reportTime; });
    }
    void TearDown() override {
        SetReportClock(m_previousClock);
        CShellTest::TearDown();
    }

    void Trigger(int nCommand) {
        QAction* pAction = m_pFrame->FindCommand(nCommand);
        ASSERT_NE(pAction, nullptr);
        ASSERT_TRUE(pAction->isEnabled());
        pAction->trigger();
    }

    // Runs the calculator of a menu command: types the values through its
    // Enter cycle, then ends it with the given button.
    void RunCommand(int nCommand, std::vector<const char*> values, int nEndId) {
        WhenModalShown([values, nEndId](QDialog& dialog) {
            EnterValues(values);
            ClickItem(dialog, nEndId);
        });
        Trigger(nCommand);
    }

    const CLocalTime m_reportTime;

private:
    ReportClockFn m_previousClock;
};
