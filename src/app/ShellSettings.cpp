#include "app/ShellSettings.h"

#include <QSettings>

namespace {

constexpr const char* kGroup = "Recent File List";

} // namespace

QStringList ReadRecentFileList(int nMaxCount) {
    QSettings settings(QString::fromLatin1(kSettingsOrganization),
                       QString::fromLatin1(kSettingsApplication));
    settings.beginGroup(QString::fromLatin1(kGroup));
    QStringList files;
    for (int i = 1; i <= nMaxCount; ++i) {
        const QString strFile = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!strFile.isEmpty() && !files.contains(strFile)) {
            files << strFile;
        }
    }
    return files;
}

void WriteRecentFileList(const QStringList& files) {
    QSettings settings(QString::fromLatin1(kSettingsOrganization),
                       QString::fromLatin1(kSettingsApplication));
    settings.beginGroup(QString::fromLatin1(kGroup));
    settings.remove(QString());
    for (qsizetype i = 0; i < files.size(); ++i) {
        settings.setValue(QStringLiteral("File%1").arg(i + 1), files[i]);
    }
}
