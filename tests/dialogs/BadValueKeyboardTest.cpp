#include "dialogs/CalculatorDialogs.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleOption>

#include <tuple>

// A bad value in every calculator dialog and wizard, followed by Enter, Tab
// or a click on OK: one message, then the failed field has the keyboard
// with its text selected, so that typing replaces it.
//
// BadValueKeyboard runs offscreen with the messages answered by the test
// handler. RealDisplayKeyboard does the same on an X server with real
// message boxes, every key and click going through the X server (xdotool),
// so a window that has lost the keyboard loses the keys as a user's would;
// tests/scripts/dialogs_keyboard_real_display.sh runs it under Xvfb without
// and with a window manager.

namespace {

enum class ETrigger { Enter, Tab, ClickOk };

using BadValueParam = std::tuple<CCalculatorCase, ETrigger>;

// Every dialog with an input that refuses a value with a message.
std::vector<CCalculatorCase> DialogsWithARefusingInput() {
    std::vector<CCalculatorCase> cases = CalculatorDialogs();
    std::erase_if(cases, [](const CCalculatorCase& c) { return c.nBadField == kNoId; });
    return cases;
}

auto EveryDialogAndTrigger() {
    return ::testing::Combine(::testing::ValuesIn(DialogsWithARefusingInput()),
                              ::testing::Values(ETrigger::Enter, ETrigger::Tab, ETrigger::ClickOk));
}

const char* TriggerName(ETrigger eTrigger) {
    static const char* const kTriggers[] = {"Enter", "Tab", "ClickOk"};
    return kTriggers[static_cast<int>(eTrigger)];
}

std::string ParamName(const ::testing::TestParamInfo<BadValueParam>& info) {
    return std::string(std::get<0>(info.param).pszName) + "_" +
           TriggerName(std::get<1>(info.param));
}

// With VANTIX_SHOT_DIR set on a real display, the screen as the user sees
// it, saved as <strName>.png there.
void SaveScreen(QWidget& dialog, const QString& strName) {
    const QString strShots = qEnvironmentVariable("VANTIX_SHOT_DIR");
    if (strShots.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    QTest::qWait(100); // the focus frame and selection drawn
    QDir().mkpath(strShots);
    dialog.screen()->grabWindow(0).save(strShots + QLatin1Char('/') + strName +
                                        QStringLiteral(".png"));
}

QLineEdit* BadField(CCalcDialog& dlg, const CCalculatorCase& c) {
    return dlg.Item<QLineEdit>(c.nBadField);
}

// How the test's keys and clicks reach the dialog, and how many messages it
// has seen.
class CUser {
public:
    virtual ~CUser() = default;
    virtual void Begin(QWidget& dialog) = 0;
    virtual void Type(const QString& strText) = 0;
    virtual void Press(ETrigger eTrigger, CCalcDialog& dlg) = 0;
    virtual void Escape() = 0;
    virtual int Messages() const = 0;
};

// Qt's own events to the focus widget, messages through the test handler.
class COffscreenUser : public CUser {
public:
    explicit COffscreenUser(const QStringList& messages) : m_messages(messages) {}
    void Begin(QWidget&) override {}
    void Type(const QString& strText) override { TypeToFocus(strText); }
    void Press(ETrigger eTrigger, CCalcDialog& dlg) override {
        switch (eTrigger) {
        case ETrigger::Enter:
            KeyToFocus(Qt::Key_Return);
            break;
        case ETrigger::Tab:
            KeyToFocus(Qt::Key_Tab);
            break;
        case ETrigger::ClickOk:
            QTest::mouseClick(dlg.GetDlgItem(kIdOk), Qt::LeftButton);
            break;
        }
    }
    void Escape() override { KeyToFocus(Qt::Key_Escape); }
    int Messages() const override { return static_cast<int>(m_messages.size()); }

private:
    const QStringList& m_messages;
};

bool Xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// Keys and clicks through the X server; real message boxes, each answered
// with Return once it has the keyboard.
class CXUser : public CUser {
public:
    CXUser() {
        m_answer.setInterval(20);
        QObject::connect(&m_answer, &QTimer::timeout, [this] { AnswerBox(); });
        m_answer.start();
    }
    // Without a window manager the pointer rests off every window, as a
    // keyboard user's may: keys then reach only a window that really has the
    // keyboard focus, not whatever lies under the pointer. With one (twm's
    // focus follows the pointer) it rests on the dialog, as it must there.
    void Begin(QWidget& dialog) override {
        const QPoint rest = qEnvironmentVariableIsSet("VANTIX_WINDOW_MANAGER")
                                ? dialog.mapToGlobal(dialog.rect().center())
                                : QPoint(0, 0);
        EXPECT_TRUE(Xdotool({"mousemove", QString::number(rest.x()), QString::number(rest.y())}));
    }
    void Type(const QString& strText) override {
        EXPECT_TRUE(Xdotool({"type", "--delay", "20", "--", strText}));
    }
    void Press(ETrigger eTrigger, CCalcDialog& dlg) override {
        switch (eTrigger) {
        case ETrigger::Enter:
            EXPECT_TRUE(Xdotool({"key", "Return"}));
            break;
        case ETrigger::Tab:
            EXPECT_TRUE(Xdotool({"key", "Tab"}));
            break;
        case ETrigger::ClickOk: {
            QWidget* pOk = dlg.GetDlgItem(kIdOk);
            const QPoint centre = pOk->mapToGlobal(pOk->rect().center());
            EXPECT_TRUE(Xdotool({"mousemove", QString::number(centre.x()),
                                 QString::number(centre.y()), "click", "1"}));
            break;
        }
        }
    }
    void Escape() override { EXPECT_TRUE(Xdotool({"key", "Escape"})); }
    int Messages() const override { return m_nBoxes; }

private:
    void AnswerBox() {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!pBox || pBox == m_pAnswered) {
            m_nWaitedMs = 0;
            return;
        }
        if (QApplication::activeWindow() == pBox) {
            ++m_nBoxes;
            m_pAnswered = pBox;
            EXPECT_TRUE(Xdotool({"key", "Return"}));
            return;
        }
        m_nWaitedMs += m_answer.interval();
        if (m_nWaitedMs > 5000) {
            ADD_FAILURE() << "the message box never got the keyboard";
            ++m_nBoxes;
            m_pAnswered = pBox;
            pBox->reject();
        }
    }

    QTimer m_answer;
    QPointer<QMessageBox> m_pAnswered;
    int m_nBoxes = 0;
    int m_nWaitedMs = 0;
};

// The case itself, the same for both kinds of user.
void BadValueLeavesTheFieldReadyToRetype(CUser& user, const BadValueParam& param) {
    const auto& [c, eTrigger] = param;
    const std::unique_ptr<CCalcDialog> pDialog = c.fnCreate();
    CCalcDialog& dlg = *pDialog;
    const QString strBad = QString::fromUtf8(c.pszBadValue);
    const int nResult = RunModal(dlg, [&](QDialog& dialog) {
        QLineEdit* pField = BadField(dlg, c);
        ASSERT_NE(pField, nullptr);
        user.Begin(dialog);
        dlg.MoveFocus(c.nBadField);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pField->hasFocus(); }));
        user.Type(strBad);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pField->text() == strBad; }))
            << pField->text().toStdString();

        user.Press(eTrigger, dlg);
        // The message gone and the field the dialog's focus. (Whether keys
        // reach it is for the typing below: a window manager whose focus
        // follows the pointer sends them without activating the window.)
        const bool bBack = QTest::qWaitFor(
            [&] {
                return user.Messages() > 0 && QApplication::activeModalWidget() == &dialog &&
                       dialog.focusWidget() == pField;
            },
            5000);
        EXPECT_TRUE(bBack) << "focus on " << dlg.IdOf(dialog.focusWidget());
        QTest::qWait(300); // time for a second message, if one were coming
        EXPECT_EQ(user.Messages(), 1);
        EXPECT_TRUE(dialog.isVisible());
        // Selected whole: what was typed (the designers, however the focus
        // went), or the value held written back (the calculators).
        if (c.bKeepsRefusedText) {
            EXPECT_EQ(pField->text(), strBad);
        }
        EXPECT_FALSE(pField->text().isEmpty());
        EXPECT_EQ(pField->selectedText(), pField->text());
        // No other field looks selected, as if it were the one to retype.
        for (const QLineEdit* pEdit : dialog.findChildren<QLineEdit*>()) {
            EXPECT_TRUE(pEdit == pField || !pEdit->hasSelectedText())
                << dlg.IdOf(pEdit) << " shows " << pEdit->selectedText().toStdString();
        }
        SaveScreen(dialog, QStringLiteral("%1-%2-refused").arg(c.pszName, TriggerName(eTrigger)));

        user.Type(QStringLiteral("7"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return pField->text() == QStringLiteral("7"); }))
            << pField->text().toStdString();
        user.Escape();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }));
    });
    EXPECT_EQ(nResult, kIdCancel) << "Escape reached the dialog";
}

class BadValueKeyboard : public CDialogTest, public ::testing::WithParamInterface<BadValueParam> {};

TEST_P(BadValueKeyboard, OneMessageThenTheFieldHasTheFocusWithItsTextSelected) {
    COffscreenUser user(m_messages);
    BadValueLeavesTheFieldReadyToRetype(user, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Calculators, BadValueKeyboard, EveryDialogAndTrigger(), ParamName);

class RealDisplayKeyboard : public ::testing::TestWithParam<BadValueParam> {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs a real display (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
        }
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            GTEST_SKIP() << "xdotool is not installed";
        }
        // The test's own handler must not answer for the real box.
        m_previousHandler = SetMessageHandler({});
    }
    void TearDown() override { SetMessageHandler(m_previousHandler); }

private:
    MessageHandler m_previousHandler;
};

TEST_P(RealDisplayKeyboard, OneRealMessageThenTheFieldHasTheKeyboardWithItsTextSelected) {
    CXUser user;
    BadValueLeavesTheFieldReadyToRetype(user, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Calculators, RealDisplayKeyboard, EveryDialogAndTrigger(), ParamName);

// The focus a dialog gives by itself shows: on opening, and after each
// Enter (a list that takes the focus draws its focus frame only with the
// keyboard cue).
bool ShowsKeyboardFocus(const QWidget* pWidget) {
    if (!pWidget) {
        return false;
    }
    QStyleOption option;
    option.initFrom(pWidget);
    return (option.state & QStyle::State_HasFocus) &&
           (option.state & QStyle::State_KeyboardFocusChange);
}

class CalculatorKeyboard : public CDialogTest,
                           public ::testing::WithParamInterface<CCalculatorCase> {};

TEST_P(CalculatorKeyboard, FocusGivenOnOpeningAndByEnterIsShown) {
    const std::unique_ptr<CCalcDialog> pDialog = GetParam().fnCreate();
    RunModal(*pDialog, [&](QDialog& dialog) {
        EXPECT_TRUE(ShowsKeyboardFocus(QApplication::focusWidget()))
            << "on opening: " << pDialog->IdOf(QApplication::focusWidget());
        for (int n = 0; n < 2; ++n) {
            KeyToFocus(Qt::Key_Return);
            EXPECT_TRUE(ShowsKeyboardFocus(QApplication::focusWidget()))
                << "after Enter " << n + 1 << ": " << pDialog->IdOf(QApplication::focusWidget());
        }
        dialog.reject();
    });
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(' ').toStdString();
}

// A press on Cancel, dragged away and released elsewhere, ends nothing; the
// field it took the focus from is no longer tracked, so Enter acts as it
// does with no input focused.
TEST_P(CalculatorKeyboard, EnterAfterACancelPressDraggedAwayActsAsWithNoInput) {
    const std::unique_ptr<CCalcDialog> pDialog = GetParam().fnCreate();
    RunModal(*pDialog, [&](QDialog& dialog) {
        QWidget* pCancel = pDialog->GetDlgItem(kIdCancel);
        const QPoint away(-30, pCancel->height() / 2);
        QTest::mousePress(pCancel, Qt::LeftButton);
        QTest::mouseMove(pCancel, away);
        QTest::mouseRelease(pCancel, Qt::LeftButton, {}, away);
        ASSERT_TRUE(dialog.isVisible());
        ASSERT_EQ(pDialog->IdOf(QApplication::focusWidget()), kIdCancel);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(pDialog->IdOf(QApplication::focusWidget()), GetParam().nEnterWithoutInput);
        dialog.reject();
    });
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Calculators, CalculatorKeyboard, ::testing::ValuesIn(CalculatorDialogs()),
                         CaseName);

} // namespace
