#pragma once

#include <QString>
#include <QStringList>

// The only per-user setting: the recent-file list, kept under the
// organisation "Local AppWizard-Generated Applications", application
// "Vantix", group "Recent File List", keys File1, File2, ...
inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Vantix";

QStringList ReadRecentFileList(int nMaxCount);
void WriteRecentFileList(const QStringList& files);
