#include "app/ShellSettings.h"

#include <QFile>
#include <QSaveFile>
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

CDialogStateGuard::CDialogStateGuard()
    : m_strFile(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName()) {
    QFile file(m_strFile);
    m_bExisted = file.open(QIODevice::ReadOnly);
    if (m_bExisted) {
        m_bytes = file.readAll();
    }
}

CDialogStateGuard::~CDialogStateGuard() {
    if (!m_bExisted) {
        QFile::remove(m_strFile);
        return;
    }
    QFile current(m_strFile);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == m_bytes) {
        return;
    }
    current.close();
    QSaveFile file(m_strFile);
    if (file.open(QIODevice::WriteOnly) && file.write(m_bytes) == m_bytes.size()) {
        file.commit();
    }
}
