#include "dialogs/FilePrompt.h"

#include "app/ShellSettings.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

FilePromptHandler& InstalledHandler() {
    static FilePromptHandler handler;
    return handler;
}

QString& LastFolder() {
    static QString strFolder;
    return strFolder;
}

} // namespace

QString PromptForFile(const CFilePrompt& prompt) {
    if (InstalledHandler()) {
        return InstalledHandler()(prompt);
    }
    // Declared first so that it outlives the dialog, which files its state
    // when it is destroyed: the user's settings keep only the recent files.
    const CDialogStateGuard stateGuard;
    QFileDialog dialog(prompt.pParent, prompt.strTitle);
    if (!LastFolder().isEmpty()) {
        dialog.setDirectory(LastFolder());
    }
    dialog.setNameFilter(prompt.strFilter);
    dialog.setDefaultSuffix(prompt.strSuffix);
    dialog.setAcceptMode(prompt.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(prompt.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!prompt.strProposed.isEmpty()) {
        dialog.selectFile(prompt.strProposed);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    const QString strChosen = dialog.selectedFiles().first();
    LastFolder() = QFileInfo(strChosen).absolutePath();
    return strChosen;
}

FilePromptHandler SetFilePromptHandler(FilePromptHandler handler) {
    FilePromptHandler previous = std::move(InstalledHandler());
    InstalledHandler() = std::move(handler);
    return previous;
}
