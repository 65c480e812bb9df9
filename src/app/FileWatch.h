#pragma once

#include "text/FileIdentity.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches the log's file for changes made by anyone else. It knows the
// identity (device, inode, size, modification time) the file had when the
// log was last read or written, and reports once for each different identity
// it then finds on disk: the file written in place, replaced by a rename,
// renamed away or deleted. The watch follows the path, not the inode, so it
// is armed again when a new file appears under the name.
class CFileWatch : public QObject {
    Q_OBJECT

public:
    explicit CFileWatch(QObject* pParent = nullptr);

    // Watches strPath, whose identity as last read or written was known.
    void Watch(const QString& strPath, const CFileIdentity& known);
    void Stop();

    QString Path() const { return m_strPath; }
    const CFileIdentity& Known() const { return m_known; }
    // The file on disk is not the one last read or written.
    bool HasChanged() const;
    // Looks at the file now instead of waiting for the system to tell.
    void CheckNow();

signals:
    void Changed();

private:
    void Arm();
    void OnEvent();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_strPath;
    CFileIdentity m_known;
    CFileIdentity m_reported;
};
