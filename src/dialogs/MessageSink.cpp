#include "dialogs/MessageSink.h"

#include <QAbstractButton>
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
