#include "app/FileWatch.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Writers that are not atomic show up as several events; one look after
// they have settled is enough.
constexpr int kSettleMs = 150;

CFileIdentity IdentityOf(const QString& strPath) {
    return FileIdentityOf(QFile::encodeName(strPath).toStdString());
}

} // namespace

CFileWatch::CFileWatch(QObject* pParent) : QObject(pParent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CFileWatch::OnEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CFileWatch::OnEvent);
    connect(&m_settle, &QTimer::timeout, this, &CFileWatch::CheckNow);
}

void CFileWatch::Watch(const QString& strPath, const CFileIdentity& known) {
    Stop();
    m_strPath = strPath;
    m_known = known;
    m_reported = known;
    Arm();
    // A change between taking the identity and setting the watch has no
    // event of its own.
    m_settle.start();
}

void CFileWatch::Stop() {
    m_settle.stop();
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty()) {
        m_watcher.removePaths(watched);
    }
    m_strPath.clear();
    m_known = CFileIdentity();
    m_reported = CFileIdentity();
}

void CFileWatch::Arm() {
    if (m_strPath.isEmpty()) {
        return;
    }
    // The folder tells when the name is removed, renamed or comes back; the
    // file itself tells when it is written in place. A watch on a file ends
    // when its inode goes away, so it is set again each time.
    const QString strFolder = QFileInfo(m_strPath).absolutePath();
    if (!m_watcher.directories().contains(strFolder) && QFileInfo(strFolder).isDir()) {
        m_watcher.addPath(strFolder);
    }
    if (!m_watcher.files().contains(m_strPath) && QFileInfo::exists(m_strPath)) {
        m_watcher.addPath(m_strPath);
    }
}

void CFileWatch::OnEvent() {
    m_settle.start();
}

bool CFileWatch::HasChanged() const {
    return !m_strPath.isEmpty() && IdentityOf(m_strPath) != m_known;
}

void CFileWatch::CheckNow() {
    if (m_strPath.isEmpty()) {
        return;
    }
    // A file replaced by a rename keeps no watch of its own.
    m_watcher.removePath(m_strPath);
    Arm();
    const CFileIdentity current = IdentityOf(m_strPath);
    if (current == m_known || current == m_reported) {
        m_reported = current;
        return;
    }
    m_reported = current;
    emit Changed();
}
