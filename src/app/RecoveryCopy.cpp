#include "app/RecoveryCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kDefaultQuietMs = 2000;
constexpr int kDefaultLatestMs = 15000;

const QString kCopySuffix = QStringLiteral(".recovery");
const QString kLockSuffix = QStringLiteral(".lock");
const QByteArray kMagic = QByteArrayLiteral("Vantix recovery 1");

QString LockPathOf(const QString& strCopyPath) {
    return strCopyPath.left(strCopyPath.size() - kCopySuffix.size()) + kLockSuffix;
}

const char* EncodingName(ELogEncoding eEncoding) {
    switch (eEncoding) {
    case ELogEncoding::Utf8:
        return "utf8";
    case ELogEncoding::Utf8Bom:
        return "utf8bom";
    case ELogEncoding::ShiftJis:
        break;
    }
    return "sjis";
}

const char* LineEndsName(ELineEnds eLineEnds) {
    switch (eLineEnds) {
    case ELineEnds::Lf:
        return "lf";
    case ELineEnds::None:
        return "none";
    case ELineEnds::Mixed:
        return "mixed";
    case ELineEnds::CrLf:
        break;
    }
    return "crlf";
}

ELogEncoding EncodingFrom(const QByteArray& name) {
    if (name == "utf8") {
        return ELogEncoding::Utf8;
    }
    return name == "utf8bom" ? ELogEncoding::Utf8Bom : ELogEncoding::ShiftJis;
}

ELineEnds LineEndsFrom(const QByteArray& name) {
    if (name == "lf") {
        return ELineEnds::Lf;
    }
    if (name == "none") {
        return ELineEnds::None;
    }
    return name == "mixed" ? ELineEnds::Mixed : ELineEnds::CrLf;
}

QByteArray IdentityText(const CFileIdentity& identity) {
    return QByteArray::number(identity.bExists ? 1 : 0) + ' ' +
           QByteArray::number(identity.nDevice) + ' ' + QByteArray::number(identity.nInode) + ' ' +
           QByteArray::number(identity.nSize) + ' ' + QByteArray::number(identity.nMtimeNs) + ' ' +
           QByteArray::number(identity.nCtimeNs);
}

CFileIdentity IdentityFrom(const QByteArray& text) {
    const QList<QByteArray> fields = text.split(' ');
    CFileIdentity identity;
    // Copies of earlier versions have no ctime: their log counts as changed.
    if (fields.size() == 5 || fields.size() == 6) {
        identity.bExists = fields[0] == "1";
        identity.nDevice = fields[1].toULongLong();
        identity.nInode = fields[2].toULongLong();
        identity.nSize = fields[3].toLongLong();
        identity.nMtimeNs = fields[4].toLongLong();
        identity.nCtimeNs = fields.size() == 6 ? fields[5].toLongLong() : 0;
    }
    return identity;
}

// Splits a copy into its header fields and the offset where the text starts;
// false when the file is not a copy of ours.
bool ParseHeader(const QByteArray& bytes, CRecoveryCopy::CInfo& info, qsizetype& nTextStart) {
    const qsizetype nEnd = bytes.indexOf("\n\n");
    if (nEnd < 0) {
        return false;
    }
    const QList<QByteArray> lines = bytes.left(nEnd).split('\n');
    if (lines.isEmpty() || lines.front() != kMagic) {
        return false;
    }
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype nColon = line.indexOf(':');
        const QByteArray key = line.left(nColon);
        const QByteArray value = line.mid(nColon + 1).trimmed();
        if (key == "log") {
            info.log.strPath = QUrl::fromPercentEncoding(value);
        } else if (key == "encoding") {
            info.log.format.eEncoding = EncodingFrom(value);
        } else if (key == "line-ends") {
            info.log.format.eLineEnds = LineEndsFrom(value);
        } else if (key == "based-on") {
            info.log.basedOn = IdentityFrom(value);
        }
    }
    nTextStart = nEnd + 2;
    return true;
}

// True when a running program holds the lock of this copy.
bool IsHeldByARunningProgram(const QString& strLockPath) {
    const int nFd = ::open(QFile::encodeName(strLockPath).constData(), O_RDWR | O_CLOEXEC);
    if (nFd < 0) {
        return false;
    }
    const bool bHeld = ::flock(nFd, LOCK_EX | LOCK_NB) != 0;
    ::close(nFd);
    return bHeld;
}

} // namespace

CRecoveryCopy::CRecoveryCopy(const QString& strFolder, Source source, QObject* pParent)
    : QObject(pParent), m_strFolder(strFolder), m_source(std::move(source)) {
    m_quiet.setSingleShot(true);
    m_latest.setSingleShot(true);
    SetDelays(kDefaultQuietMs, kDefaultLatestMs);
    connect(&m_quiet, &QTimer::timeout, this, &CRecoveryCopy::OnTimer);
    connect(&m_latest, &QTimer::timeout, this, &CRecoveryCopy::OnTimer);
}

CRecoveryCopy::~CRecoveryCopy() {
    JoinWorker();
    if (m_nLockFd >= 0) {
        // A copy still on disk stays for the next start; its lock is
        // released when the descriptor closes.
        if (!QFileInfo::exists(m_strCopyPath)) {
            QFile::remove(LockPathOf(m_strCopyPath));
        }
        ::close(m_nLockFd);
    }
}

QString CRecoveryCopy::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

void CRecoveryCopy::SetDelays(int nQuietMs, int nLatestMs) {
    m_quiet.setInterval(nQuietMs);
    m_latest.setInterval(nLatestMs);
}

void CRecoveryCopy::TextChanged() {
    m_bDirty = true;
    ++m_nGeneration;
    m_quiet.start();
    if (!m_latest.isActive()) {
        m_latest.start();
    }
}

void CRecoveryCopy::OnTimer() {
    if (IsWriting()) {
        m_quiet.start(); // the copy being written will be followed by another
        return;
    }
    QString strError;
    if (!m_bDirty) {
        return;
    }
    QString strText;
    CLog log;
    if (!m_source(strText, log)) {
        Discard();
        return;
    }
    if (strText.size() < kBackgroundChars || !EnsureOwnFiles(strError)) {
        // Small copies are written at once (as are the failures to begin).
        if (!WriteNow(strError) && !m_bFailing) {
            m_bFailing = true;
            emit WriteFailed(strError);
        }
        return;
    }
    // A big log: the window takes the text, a worker makes and writes the
    // bytes; the copy counts as up to date only if nothing changed meanwhile.
    const unsigned nGeneration = m_nGeneration;
    m_worker = std::thread(
        [this, strText = std::move(strText), log, nGeneration, strPath = m_strCopyPath] {
            QString strWorkerError;
            const bool bStored = Store(strPath, CopyBytes(strText, log), strWorkerError);
            QMetaObject::invokeMethod(
                this,
                [this, bStored, strWorkerError, nGeneration] {
                    JoinWorker();
                    if (!bStored) {
                        if (!m_bFailing) {
                            m_bFailing = true;
                            emit WriteFailed(strWorkerError);
                        }
                        return;
                    }
                    m_bFailing = false;
                    if (nGeneration == m_nGeneration) {
                        m_bDirty = false;
                    }
                },
                Qt::QueuedConnection);
        });
}

void CRecoveryCopy::JoinWorker() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

QByteArray CRecoveryCopy::CopyBytes(const QString& strText, const CLog& log) {
    QByteArray bytes = kMagic + '\n';
    bytes += "log: " + QUrl::toPercentEncoding(log.strPath) + '\n';
    bytes += QByteArray("encoding: ") + EncodingName(log.format.eEncoding) + '\n';
    bytes += QByteArray("line-ends: ") + LineEndsName(log.format.eLineEnds) + '\n';
    bytes += "based-on: " + IdentityText(log.basedOn) + "\n\n";
    bytes += strText.toUtf8();
    return bytes;
}

bool CRecoveryCopy::Store(const QString& strPath, const QByteArray& bytes, QString& strError) {
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        strError =
            QStringLiteral("復元用のコピー %1 を書けません。\n%2").arg(strPath, file.errorString());
        return false;
    }
    return true;
}

bool CRecoveryCopy::EnsureOwnFiles(QString& strError) {
    if (m_nLockFd >= 0) {
        return true;
    }
    if (!QDir().mkpath(m_strFolder)) {
        strError = QStringLiteral("復元用のフォルダー %1 を作れません。").arg(m_strFolder);
        return false;
    }
    QFile::setPermissions(m_strFolder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Unique among the program's windows as well, which may start their
    // copies within the same millisecond.
    static std::atomic<unsigned> s_nCopies{0};
    const QString strBase = QDir(m_strFolder)
                                .filePath(QStringLiteral("%1-%2-%3")
                                              .arg(QCoreApplication::applicationPid())
                                              .arg(QDateTime::currentMSecsSinceEpoch())
                                              .arg(++s_nCopies));
    const QString strLock = strBase + kLockSuffix;
    const int nFd =
        ::open(QFile::encodeName(strLock).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (nFd < 0 || ::flock(nFd, LOCK_EX | LOCK_NB) != 0) {
        if (nFd >= 0) {
            ::close(nFd);
        }
        strError = QStringLiteral("復元用のファイル %1 を作れません。").arg(strLock);
        return false;
    }
    m_nLockFd = nFd;
    m_strCopyPath = strBase + kCopySuffix;
    RemoveStaleLocks();
    return true;
}

void CRecoveryCopy::RemoveStaleLocks() const {
    // Left by programs that were killed outright with nothing to recover.
    const QDir folder(m_strFolder);
    for (const QFileInfo& lock :
         folder.entryInfoList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        const QString strCopy =
            lock.filePath().left(lock.filePath().size() - kLockSuffix.size()) + kCopySuffix;
        if (!QFileInfo::exists(strCopy) && !IsHeldByARunningProgram(lock.filePath())) {
            QFile::remove(lock.filePath());
        }
    }
}

bool CRecoveryCopy::WriteBeforeTheEnd(QString& strError) {
    if (!WriteNow(strError)) {
        return false;
    }
    if (m_nLockFd >= 0 && !QFileInfo::exists(m_strCopyPath)) {
        QFile::remove(LockPathOf(m_strCopyPath));
        ::close(m_nLockFd);
        m_nLockFd = -1;
    }
    return true;
}

bool CRecoveryCopy::WriteNow(QString& strError) {
    m_quiet.stop();
    m_latest.stop();
    // A copy the worker is writing is finished first; this one replaces it.
    JoinWorker();
    if (!m_bDirty) {
        return true;
    }
    QString strText;
    CLog log;
    if (!m_source(strText, log)) {
        Discard();
        return true;
    }
    if (!EnsureOwnFiles(strError)) {
        return false;
    }
    if (!Store(m_strCopyPath, CopyBytes(strText, log), strError)) {
        return false;
    }
    m_bDirty = false;
    m_bFailing = false;
    return true;
}

void CRecoveryCopy::Discard() {
    m_quiet.stop();
    m_latest.stop();
    JoinWorker(); // or the worker would write the copy again after its removal
    m_bDirty = false;
    m_bFailing = false;
    if (!m_strCopyPath.isEmpty()) {
        QFile::remove(m_strCopyPath);
    }
}

std::vector<CRecoveryCopy::CInfo> CRecoveryCopy::FindAbandoned(const QString& strFolder) {
    std::vector<CInfo> found;
    const QDir folder(strFolder);
    for (const QFileInfo& file :
         folder.entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files)) {
        if (IsHeldByARunningProgram(LockPathOf(file.filePath()))) {
            continue;
        }
        QFile copy(file.filePath());
        if (!copy.open(QIODevice::ReadOnly)) {
            continue;
        }
        CInfo info;
        qsizetype nTextStart = 0;
        if (!ParseHeader(copy.read(64 * 1024), info, nTextStart)) {
            continue;
        }
        info.strCopyPath = file.filePath();
        info.written = file.lastModified();
        found.push_back(info);
    }
    std::sort(found.begin(), found.end(),
              [](const CInfo& a, const CInfo& b) { return a.written > b.written; });
    return found;
}

bool CRecoveryCopy::ReadText(const CInfo& info, QString& strText, QString& strError) {
    QFile copy(info.strCopyPath);
    if (!copy.open(QIODevice::ReadOnly)) {
        strError = QStringLiteral("復元用のコピー %1 を読めません。\n%2")
                       .arg(info.strCopyPath, copy.errorString());
        return false;
    }
    const QByteArray bytes = copy.readAll();
    CInfo parsed;
    qsizetype nTextStart = 0;
    if (!ParseHeader(bytes, parsed, nTextStart)) {
        strError = QStringLiteral("復元用のコピー %1 が壊れています。").arg(info.strCopyPath);
        return false;
    }
    strText = QString::fromUtf8(bytes.constData() + nTextStart, bytes.size() - nTextStart);
    return true;
}

bool CRecoveryCopy::MatchesLog(const CInfo& info, const QString& strText) {
    if (info.log.strPath.isEmpty()) {
        return false;
    }
    QFile log(info.log.strPath);
    std::string strBytes;
    CEncodeError error;
    if (!log.open(QIODevice::ReadOnly) ||
        !CLogCodec::Encode(strText.toStdString(), info.log.format, strBytes, error)) {
        return false;
    }
    const QByteArray onDisk = log.readAll();
    return onDisk.size() == static_cast<qsizetype>(strBytes.size()) &&
           std::equal(strBytes.begin(), strBytes.end(), onDisk.begin());
}

void CRecoveryCopy::RemoveAbandoned(const CInfo& info) {
    QFile::remove(info.strCopyPath);
    QFile::remove(LockPathOf(info.strCopyPath));
}

bool CRecoveryCopy::Adopt(const CInfo& info) {
    QString strError;
    if (!EnsureOwnFiles(strError)) {
        return false;
    }
    QFile::remove(m_strCopyPath);
    if (!QFile::rename(info.strCopyPath, m_strCopyPath)) {
        return false;
    }
    QFile::remove(LockPathOf(info.strCopyPath));
    return true;
}
