#include "dialogs/FilePrompt.h"

#include "app/ShellSettings.h"

#include "dialogs/MessageSink.h"
#include "text/LogFile.h"

#include <QFile>
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

bool SaveExportFile(QWidget* pParent, const QString& strTitle, const QString& strFilter,
                    const QString& strSuffix, const QString& strProposed,
                    const std::string& strContent) {
    CFilePrompt prompt;
    prompt.pParent = pParent;
    prompt.bSave = true;
    prompt.strTitle = strTitle;
    prompt.strFilter = strFilter;
    prompt.strSuffix = strSuffix;
    prompt.strProposed = strProposed;
    const QString strPath = PromptForFile(prompt);
    if (strPath.isEmpty()) {
        return false;
    }
    // The log's own writer: the file is either left as it was or complete.
    std::string strError;
    if (!WriteFileAtomically(QFile::encodeName(strPath).toStdString(), strContent, strError)) {
        ShowMessage(pParent, QMessageBox::Warning, QString::fromStdString(strError));
        return false;
    }
    return true;
}
