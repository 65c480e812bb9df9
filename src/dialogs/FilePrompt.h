#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

// What a dialog asks for when it wants a file name from the user.
struct CFilePrompt {
    QWidget* pParent = nullptr;
    bool bSave = false;  // a file to write (may not exist yet) or one to read
    QString strTitle;    // window title of the file dialog
    QString strFilter;   // name filter, e.g. "CSV ﾌｧｲﾙ (*.csv)"
    QString strSuffix;   // added to a saved name typed without one
    QString strProposed; // name offered at first, may be empty
};

using FilePromptHandler = std::function<QString(const CFilePrompt&)>;

// Asks for a file name through the file dialog (or the installed handler);
// "" when the user cancelled. The folder last chosen is offered next time.
QString PromptForFile(const CFilePrompt& prompt);

// Replaces the file dialog (tests); an empty handler restores it. Returns
// the handler installed before.
FilePromptHandler SetFilePromptHandler(FilePromptHandler handler);

// Asks for a file to save an export in (offering strProposed) and writes
// strContent to it whole or not at all; a failure is told in a message box.
// False when cancelled or not written.
bool SaveExportFile(QWidget* pParent, const QString& strTitle, const QString& strFilter,
                    const QString& strSuffix, const QString& strProposed,
                    const std::string& strContent);
