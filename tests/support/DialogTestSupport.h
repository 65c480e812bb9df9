#pragma once

// A fixture for calculator dialog tests: the report clock reads a fixed
// time (and counts its reads), every message box is recorded and answered
// with Ok, and the dialog's controls are reached by their resource ids.

#include "dialogs/FilePrompt.h"
#include "dialogs/MessageSink.h"
#include "dialogs/ReportClock.h"
#include "report/LocalTime.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

// Answers every file dialog with m_strNextFile ("" cancels) and records what
// was asked, for as long as it lives.
class CFilePromptAnswers {
public:
    CFilePromptAnswers()
        : m_previous(SetFilePromptHandler([this](const CFilePrompt& prompt) {
              m_prompts.push_back(prompt);
              return m_strNextFile;
          })) {}
    ~CFilePromptAnswers() { SetFilePromptHandler(m_previous); }
    CFilePromptAnswers(const CFilePromptAnswers&) = delete;
    CFilePromptAnswers& operator=(const CFilePromptAnswers&) = delete;

    std::vector<CFilePrompt> m_prompts;
    QString m_strNextFile;

private:
    FilePromptHandler m_previous;
};

class CDialogTest : public ::testing::Test {
protected:
    explicit CDialogTest(const CLocalTime& time = CLocalTime{2026, 12, 8, 9, 5})
        : m_reportTime(time) {}

    void SetUp() override {
        m_previousClock = SetReportClock([this] {
            ++m_nClockReads;
            return m_reportTime;
        });
        m_previousHandler = SetMessageHandler([this](const CMessage& message) {
            m_messages.push_back(message.strText);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override {
        SetReportClock(m_previousClock);
        SetMessageHandler(m_previousHandler);
    }

    // Controls are named "id<resource id>" by the template builder.
    static QWidget* Item(QDialog& dialog, int nId) {
        return dialog.findChild<QWidget*>(QStringLiteral("id%1").arg(nId));
    }
    // An edit's or a static's text; empty for anything else.
    static QString Text(QDialog& dialog, int nId) {
        QWidget* pItem = Item(dialog, nId);
        if (auto* pEdit = qobject_cast<QLineEdit*>(pItem)) {
            return pEdit->text();
        }
        auto* pLabel = qobject_cast<QLabel*>(pItem);
        return pLabel ? pLabel->text() : QString();
    }
    // 0 when the focus is not on one of the dialog's controls.
    static int FocusId(QDialog& dialog) {
        QWidget* pFocus = QApplication::focusWidget();
        return pFocus && pFocus->parent() == &dialog ? pFocus->objectName().mid(2).toInt() : 0;
    }
    static void Click(QDialog& dialog, int nId) {
        QTest::mouseClick(Item(dialog, nId), Qt::LeftButton);
    }

    const CLocalTime m_reportTime;
    int m_nClockReads = 0;
    QStringList m_messages;

private:
    ReportClockFn m_previousClock;
    MessageHandler m_previousHandler;
};

// The same around one dialog under test, m_dlg, whose controls are reached
// through the dialog's own id lookup.
template <class TDialog> class CDialogTestOf : public CDialogTest {
protected:
    using CDialogTest::CDialogTest;
    using CDialogTest::Click;
    using CDialogTest::FocusId;

    QString Shown(int nId) const { return m_dlg.template Item<QLabel>(nId)->text(); }
    int FocusId() const { return m_dlg.IdOf(QApplication::focusWidget()); }
    void Click(int nId) const { QTest::mouseClick(m_dlg.GetDlgItem(nId), Qt::LeftButton); }

    TDialog m_dlg;
};
