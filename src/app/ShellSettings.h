#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The only per-user setting: the recent-file list, kept under the
// organisation "Local AppWizard-Generated Applications", application
// "Vantix", group "Recent File List", keys File1, File2, ...
inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Vantix";

QStringList ReadRecentFileList(int nMaxCount);
void WriteRecentFileList(const QStringList& files);

// Qt's own file dialog files what it saw (folders visited, column widths)
// under "QtProject" in the user's settings. While one of these lives, that
// file is kept; when it goes, the file is put back exactly as it was, so
// that the recent-file list stays the program's only setting.
class CDialogStateGuard {
public:
    CDialogStateGuard();
    ~CDialogStateGuard();
    CDialogStateGuard(const CDialogStateGuard&) = delete;
    CDialogStateGuard& operator=(const CDialogStateGuard&) = delete;

private:
    QString m_strFile;
    bool m_bExisted = false;
    QByteArray m_bytes;
};
