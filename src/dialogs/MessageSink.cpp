#include "dialogs/MessageSink.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

namespace {

MessageHandler& InstalledHandler() {
    static MessageHandler handler;
    return handler;
}

int& ShowingDepth() {
    static int nDepth = 0;
    return nDepth;
}

// A message box presses a button whose mnemonic letter is typed even
// without Alt. For the buttons that need their own key that letter must come
// with Alt: a letter typed on after Ctrl+S presses nothing.
class CAltOnlyMnemonics : public QObject {
public:
    CAltOnlyMnemonics(QMessageBox& box, QMessageBox::StandardButtons guarded)
        : QObject(&box), m_box(box), m_guarded(guarded) {
        box.installEventFilter(this);
    }

    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pWatched != &m_box || pEvent->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) {
            return false;
        }
        for (QAbstractButton* pButton : m_box.buttons()) {
            if (m_guarded.testFlag(m_box.standardButton(pButton)) &&
                QKeySequence::mnemonic(pButton->text()) ==
                    QKeySequence(Qt::ALT | Qt::Key(pKey->key()))) {
                return true;
            }
        }
        return false;
    }

private:
    QMessageBox& m_box;
    QMessageBox::StandardButtons m_guarded;
};

QMessageBox::StandardButton ShowReal(const CMessage& message) {
    const QPointer<QWidget> pParent = message.pParent;
    QMessageBox box(message.eIcon, message.strTitle, message.strText, message.buttons,
                    message.pParent);
    if (message.eDefault != QMessageBox::NoButton) {
        box.setDefaultButton(message.eDefault);
    }
    for (const auto& [eButton, strText] : message.buttonTexts) {
        if (QAbstractButton* pButton = box.button(eButton)) {
            pButton->setText(strText);
        }
    }
    for (QAbstractButton* pButton : box.buttons()) {
        if (message.ownKeyOnly.testFlag(box.standardButton(pButton))) {
            pButton->setFocusPolicy(Qt::NoFocus);
        }
    }
    if (message.ownKeyOnly) {
        new CAltOnlyMnemonics(box, message.ownKeyOnly);
    }
    const auto eAnswer = static_cast<QMessageBox::StandardButton>(box.exec());
    // Without a window manager nobody hands the keyboard back to the window
    // below once the box is gone (and a window manager may take a moment):
    // keys, Escape included, would go nowhere until a click.
    if (pParent) {
        QWidget* pWindow = pParent->window();
        if (pWindow->isVisible()) {
            pWindow->activateWindow();
        }
    }
    return eAnswer;
}

} // namespace

QMessageBox::StandardButton ShowMessage(const CMessage& message) {
    CMessage shown = message;
    if (shown.strTitle.isEmpty()) {
        shown.strTitle = QStringLiteral("Vantix");
    }
    ++ShowingDepth();
    const MessageHandler& handler = InstalledHandler();
    const QMessageBox::StandardButton eResult = handler ? handler(shown) : ShowReal(shown);
    --ShowingDepth();
    return eResult;
}

QMessageBox::StandardButton ShowMessage(QWidget* pParent, QMessageBox::Icon eIcon,
                                        const QString& strText,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton eDefault) {
    CMessage message;
    message.pParent = pParent;
    message.eIcon = eIcon;
    message.strText = strText;
    message.buttons = buttons;
    message.eDefault = eDefault;
    return ShowMessage(message);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(InstalledHandler());
    InstalledHandler() = std::move(handler);
    return previous;
}

bool IsShowingMessage() {
    return ShowingDepth() > 0;
}
