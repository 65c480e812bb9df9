#pragma once

// Drives a modal dialog from a widget test. exec() blocks, so the actions
// are queued before it and run inside its event loop once the dialog is the
// active modal window. A dialog the actions leave open is cancelled and the
// test fails, so no test can hang on a forgotten dialog.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using ModalActions = std::function<void(QDialog& dialog)>;

// Runs fnActions on the next modal dialog that becomes active (one opened by
// a menu command, for instance). Call it before the code that opens the dialog.
inline void WhenModalShown(ModalActions fnActions, int nTimeoutMs = 5000) {
    constexpr int kPollMs = 5;
    auto* pPoll = new QTimer(qApp);
    auto nWaited = std::make_shared<int>(0);
    pPoll->setInterval(kPollMs);
    QObject::connect(pPoll, &QTimer::timeout, [pPoll, nWaited, fnActions, nTimeoutMs] {
        auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
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
        if (!QTest::qWaitForWindowActive(pDialog)) {
            ADD_FAILURE() << "the modal dialog never became active";
        }
        fnActions(*pDialog);
        if (pDialog->isVisible()) {
            ADD_FAILURE() << "the actions left the dialog open; cancelling it";
            pDialog->reject();
        }
    });
    pPoll->start();
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
