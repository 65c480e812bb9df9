#pragma once

// Drives a modal dialog from a widget test. exec() blocks, so the actions
// are queued before it and run inside its event loop once the dialog is the
// active modal window. A dialog the actions leave open is cancelled and the
// test fails, so no test can hang on a forgotten dialog.

#include "dialogs/CalcDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

using ModalActions = std::function<void(QDialog& dialog)>;

// Waits until keys typed now reach the window. A busy machine can report
// the window active while the focus widget is still in the one below it.
inline bool HasKeyboard(QWidget& window) {
    return QTest::qWaitForWindowActive(&window) && QTest::qWaitFor([&] {
               const QWidget* pFocus = QApplication::focusWidget();
               return pFocus != nullptr && pFocus->window() == &window;
           });
}

// Runs fnActions on the next TDialog that becomes the active modal window,
// once it has the keyboard. Call it before the code that opens the dialog. A
// wizard opened from inside a calculator's modal run is waited for by its
// own type, since the calculator is already modal.
template <class TDialog>
void WhenShownAs(std::function<void(TDialog&)> fnActions, int nTimeoutMs = 5000) {
    constexpr int kPollMs = 5;
    auto* pPoll = new QTimer(qApp);
    auto nWaited = std::make_shared<int>(0);
    pPoll->setInterval(kPollMs);
    QObject::connect(pPoll, &QTimer::timeout, [pPoll, nWaited, fnActions, nTimeoutMs] {
        auto* pDialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
        if (!pDialog || !pDialog->isVisible()) {
            *nWaited += kPollMs;
            if (*nWaited > nTimeoutMs) {
                pPoll->stop();
                pPoll->deleteLater();
                ADD_FAILURE() << "no modal dialog appeared";
            }
            return;
        }
        pPoll->stop();
        pPoll->deleteLater();
        if (!HasKeyboard(*pDialog)) {
            ADD_FAILURE() << "the modal dialog never took the keyboard";
        }
        fnActions(*pDialog);
        if (pDialog->isVisible()) {
            ADD_FAILURE() << "the actions left the dialog open; cancelling it";
            pDialog->reject();
        }
    });
    pPoll->start();
}

// Runs fnActions on the next modal dialog that becomes active (one opened by
// a menu command, for instance).
inline void WhenModalShown(ModalActions fnActions, int nTimeoutMs = 5000) {
    WhenShownAs<QDialog>(std::move(fnActions), nTimeoutMs);
}

// Runs the dialog modally with the actions; returns what exec() returned.
template <class TDialog> int RunModal(TDialog& dialog, const ModalActions& fnActions) {
    WhenModalShown(fnActions);
    return dialog.exec();
}

// Keys go where a user's keys go: to the widget that has the focus.
inline void KeyToFocus(Qt::Key eKey) {
    QTest::keyClick(QApplication::focusWidget(), eKey);
}

inline void TypeToFocus(const QString& strText) {
    QTest::keyClicks(QApplication::focusWidget(), strText);
}

// Types each value into the focused edit and presses Enter after it, as a
// user goes through a calculator's Enter cycle.
inline void EnterValues(const std::vector<const char*>& values) {
    for (const char* pszValue : values) {
        TypeToFocus(QString::fromUtf8(pszValue));
        KeyToFocus(Qt::Key_Return);
    }
}

// Clicks the calculator's control with this resource id, as a user does.
inline void ClickItem(QDialog& dialog, int nId) {
    QWidget* pItem = static_cast<CCalcDialog&>(dialog).GetDlgItem(nId);
    ASSERT_NE(pItem, nullptr) << nId;
    QTest::mouseClick(pItem, Qt::LeftButton);
}

// Clicks into a calculator's field, selects what it holds and types over it.
inline void TypeInto(QDialog& dialog, int nId, const char* pszText) {
    QWidget* pEdit = static_cast<CCalcDialog&>(dialog).GetDlgItem(nId);
    ASSERT_NE(pEdit, nullptr) << nId;
    QTest::mouseClick(pEdit, Qt::LeftButton);
    QTest::keyClick(pEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pEdit, QString::fromUtf8(pszText));
}
