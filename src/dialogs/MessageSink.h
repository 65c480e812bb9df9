#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QWidget;

// Every message box of the program goes through ShowMessage, so that tests
// can answer it (a modal box would block an offscreen test forever) and so
// that a message raised while another is being shown never stacks up.
struct CMessage {
    QWidget* pParent = nullptr;
    QMessageBox::Icon eIcon = QMessageBox::Warning;
    QString strTitle;
    QString strText;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton eDefault = QMessageBox::NoButton;
    // Own labels for some of the buttons (the toolkit's are used otherwise).
    std::vector<std::pair<QMessageBox::StandardButton, QString>> buttonTexts;
    // Buttons that never take the keyboard focus: Tab passes them by, so
    // Space cannot press them; their own key (a mnemonic) or a click does.
    QMessageBox::StandardButtons ownKeyOnly;
};

using MessageHandler = std::function<QMessageBox::StandardButton(const CMessage&)>;

// Shows a message modally (or hands it to the installed handler) and returns
// the button the user chose. The title defaults to "Vantix".
QMessageBox::StandardButton ShowMessage(const CMessage& message);
QMessageBox::StandardButton
ShowMessage(QWidget* pParent, QMessageBox::Icon eIcon, const QString& strText,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton eDefault = QMessageBox::NoButton);

// Replaces the real message box (tests); an empty handler restores it.
// Returns the handler that was installed before.
MessageHandler SetMessageHandler(MessageHandler handler);

// True while a message is being shown: callers use it to keep a message from
// starting further work (a focus change caused by the box, for instance).
bool IsShowingMessage();
