#include "text/LogFile.h"

#include "report/CFormat.h"
#include "text/FileSystem.h"
#include "text/LineEnds.h"
#include "text/LogCodec.h"
#include "text/LogLock.h"
#include "text/ShiftJis.h"
#include "text/TemporaryFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EWriteFailure ClassifyWriteFailure(int nErrno) {
    switch (nErrno) {
    case EACCES:
    case EPERM:
    case EROFS:
        return EWriteFailure::FolderNotWritable;
    case ENOSPC:
    case EDQUOT:
        return EWriteFailure::DiskFull;
    default:
        return EWriteFailure::Other;
    }
}

std::string WriteFailureMessage(EWriteFailure eFailure, const std::string& strPath,
                                const std::string& strFolder, int nErrno) {
    const std::string strCause = ErrnoText(nErrno);
    switch (eFailure) {
    case EWriteFailure::FolderNotWritable:
        // The file itself may well be writable: what fails is making the new
        // copy beside it.
        return FormatC("\"%s\" に保存できません。フォルダーに書き込めません（\"%s\" に一時ファイル"
                       "を作れません: %s）。ファイルは変更していません。",
                       strPath.c_str(), strFolder.c_str(), strCause.c_str());
    case EWriteFailure::FileNotWritable:
        return FormatC("\"%s\" に保存できません。このファイルに書き込む権限がありません（%s）。"
                       "ファイルは変更していません。",
                       strPath.c_str(), strCause.c_str());
    case EWriteFailure::DiskFull:
        return FormatC("\"%s\" に保存できません。%s。ファイルは変更していません。", strPath.c_str(),
                       strCause.c_str());
    default:
        return FormatC("\"%s\" に保存できません（%s）。ファイルは変更していません。",
                       strPath.c_str(), strCause.c_str());
    }
}

// Reads a whole file opened with nMode (O_RDONLY, or O_RDWR to write to it
// next) and gives its descriptor in fd (-1 when it is not open). A missing
// file reads as empty (bExists false).
bool ReadWholeFile(const std::string& strPath, int nMode, int& fd, std::string& strBytes,
                   bool& bExists, std::string& strError) {
    bExists = false;
    strBytes.clear();
    // O_NONBLOCK: a FIFO given as the log must be refused, not waited on.
    fd = ::open(strPath.c_str(), nMode | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) {
            return true;
        }
        strError =
            FormatC("ログ \"%s\" を開けません（%s）。", strPath.c_str(), ErrnoText(errno).c_str());
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        fd = -1;
        strError = FormatC("\"%s\" はフォルダです。", strPath.c_str());
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        fd = -1;
        strError = FormatC("\"%s\" は通常のファイルではありません。", strPath.c_str());
        return false;
    }
    bExists = true;
    strBytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t nRead = ::read(fd, buffer, sizeof buffer);
        if (nRead < 0 && errno == EINTR) {
            continue;
        }
        if (nRead < 0) {
            strError = FormatC("ログ \"%s\" を読めません（%s）。", strPath.c_str(),
                               ErrnoText(errno).c_str());
            ::close(fd);
            fd = -1;
            return false;
        }
        if (nRead == 0) {
            break;
        }
        strBytes.append(buffer, static_cast<std::size_t>(nRead));
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes, off_t nAt, int& nErrno) {
    for (std::size_t nDone = 0; nDone < bytes.size();) {
        const ssize_t nWritten = ::pwrite(fd, bytes.data() + nDone, bytes.size() - nDone,
                                          nAt + static_cast<off_t>(nDone));
        if (nWritten < 0 && errno == EINTR) {
            continue;
        }
        if (nWritten <= 0) {
            nErrno = nWritten < 0 ? errno : EIO;
            return false;
        }
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

// Closes a descriptor when it goes out of scope.
class CFd {
public:
    explicit CFd(int& fd) : m_fd(fd) {}
    ~CFd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;

private:
    int& m_fd;
};

// The failure of a write into the log itself: a full disk, or anything else.
EWriteFailure InPlaceFailure(int nErrno) {
    return nErrno == ENOSPC || nErrno == EDQUOT ? EWriteFailure::DiskFull : EWriteFailure::Other;
}

// Adds bytes at the end of the open log and makes them durable. On failure
// the file is cut back to its old length, so it holds its old bytes only.
bool AppendInPlace(int fd, const std::string& strPath, off_t nOldSize, std::string_view bytes,
                   std::string& strError) {
    int nErrno = 0;
    if (WriteAll(fd, bytes, nOldSize, nErrno) && ::fdatasync(fd) == 0) {
        return true;
    }
    if (nErrno == 0) {
        nErrno = errno; // the sync failed
    }
    while (::ftruncate(fd, nOldSize) != 0 && errno == EINTR) {
    }
    ::fdatasync(fd);
    strError = WriteFailureMessage(InPlaceFailure(nErrno), strPath, FolderOf(strPath), nErrno);
    return false;
}

std::string& BackupFolderSetting() {
    static std::string strFolder;
    return strFolder;
}

// Where the copy of a log's old bytes goes while the log is written in
// place: the folder set for it, or beside the log.
std::string BackupPathFor(const std::string& strPath) {
    const std::string strName = strPath.substr(strPath.find_last_of('/') + 1);
    const std::string& strFolder = BackupFolderSetting();
    if (strFolder.empty()) {
        return FolderOf(strPath) + "/." + strName + ".vantix-old";
    }
    std::error_code ignored; // a folder that cannot be made fails the copy, named
    std::filesystem::create_directories(strFolder, ignored);
    return strFolder + "/" + strName + "." + std::to_string(::getpid()) + ".vantix-old";
}

void SyncFolder(const std::string& strFolder);

// Writes a file whose identity a rename would not keep (more than one
// link, an owner or attribute this user cannot give a new file) in place:
// first a copy of its old bytes goes to disk elsewhere, then the new bytes
// over the old and the length cut. A failure puts the old bytes back; the
// copy is removed once the file is whole again, and kept (and named in the
// message) only if it is not.
bool WriteInPlace(const std::string& strGivenPath, const std::string& strPath,
                  std::string_view bytes, std::string& strError, EWriteFailure& eFailure) {
    std::string strOld;
    bool bExists = false;
    int fd = -1;
    const CFd closer(fd);
    if (!ReadWholeFile(strPath, O_RDWR, fd, strOld, bExists, strError) || !bExists) {
        if (strError.empty()) {
            strError =
                WriteFailureMessage(EWriteFailure::Other, strGivenPath, FolderOf(strPath), ENOENT);
        }
        eFailure = EWriteFailure::Other;
        return false;
    }
    const std::string strBackup = BackupPathFor(strPath);
    int nErrno = 0;
    const int backup = ::open(strBackup.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const bool bBackedUp = backup >= 0 && WriteAll(backup, strOld, 0, nErrno) &&
                           (::fsync(backup) == 0 || (nErrno = errno, false));
    if (backup < 0) {
        nErrno = errno;
    } else {
        ::close(backup);
    }
    if (!bBackedUp) {
        ::unlink(strBackup.c_str());
        eFailure = InPlaceFailure(nErrno);
        strError = FormatC("\"%s\" に保存できません（元の内容の控えを \"%s\" に作れません: %s）。"
                           "ファイルは変更していません。",
                           strGivenPath.c_str(), strBackup.c_str(), ErrnoText(nErrno).c_str());
        return false;
    }
    SyncFolder(FolderOf(strBackup));
    const bool bWritten =
        WriteAll(fd, bytes, 0, nErrno) &&
        (::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 || (nErrno = errno, false)) &&
        (::fdatasync(fd) == 0 || (nErrno = errno, false));
    if (bWritten) {
        ::unlink(strBackup.c_str());
        eFailure = EWriteFailure::None;
        return true;
    }
    int nIgnored = 0;
    const bool bRestored = WriteAll(fd, strOld, 0, nIgnored) &&
                           ::ftruncate(fd, static_cast<off_t>(strOld.size())) == 0 &&
                           ::fdatasync(fd) == 0;
    eFailure = InPlaceFailure(nErrno);
    strError = WriteFailureMessage(eFailure, strGivenPath, FolderOf(strPath), nErrno);
    if (bRestored) {
        ::unlink(strBackup.c_str());
    } else {
        strError = FormatC("\"%s\" に保存できません（%s）。元の内容は \"%s\" に残してあります。",
                           strGivenPath.c_str(), ErrnoText(nErrno).c_str(), strBackup.c_str());
    }
    return false;
}

// A log reached through a symbolic link is written where the link points, so
// the link survives the save. A link to a log not yet made is followed by
// hand, link by link, so the first write makes the log it names.
std::string ResolvedTarget(const std::string& strPath) {
    constexpr int kMaxLinks = 40; // as the kernel allows before ELOOP
    std::string strCurrent = strPath;
    for (int nLink = 0; nLink < kMaxLinks; ++nLink) {
        struct stat info {};
        if (::lstat(strCurrent.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return strCurrent;
        }
        char resolved[PATH_MAX];
        if (::realpath(strCurrent.c_str(), resolved) != nullptr) {
            return resolved;
        }
        char target[PATH_MAX];
        const ssize_t nLength = ::readlink(strCurrent.c_str(), target, sizeof target);
        if (nLength <= 0 || static_cast<std::size_t>(nLength) >= sizeof target) {
            return strPath;
        }
        const std::string strTarget(target, static_cast<std::size_t>(nLength));
        strCurrent =
            strTarget.starts_with('/') ? strTarget : FolderOf(strCurrent) + "/" + strTarget;
    }
    return strPath; // a loop of links: the write fails on it as before
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& strFolder) {
    const int fd = ::open(strFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomically(const std::string& strPath, std::string_view bytes,
                         std::string& strError) {
    EWriteFailure eIgnored = EWriteFailure::None;
    return WriteFileAtomically(strPath, bytes, strError, eIgnored);
}

bool WriteFileAtomically(const std::string& strGivenPath, std::string_view bytes,
                         std::string& strError, EWriteFailure& eFailure) {
    eFailure = EWriteFailure::Other;
    const std::string strPath = ResolvedTarget(strGivenPath);
    struct stat info {};
    mode_t mode = NewFileMode();
    if (::stat(strPath.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            strError = FormatC("\"%s\" はフォルダなので保存できません。", strPath.c_str());
            return false;
        }
        // Renaming over a pipe or a device node would replace it by a file.
        if (!S_ISREG(info.st_mode)) {
            strError =
                FormatC("\"%s\" は通常のファイルではないので保存できません。", strPath.c_str());
            return false;
        }
        mode = info.st_mode & 07777;
        // Renaming a new copy over the log needs only the folder's leave: a
        // file the user may not write (mode 444, another user's) is refused
        // as the file itself would refuse it.
        // (A read-only file system is the folder's answer, given below.)
        if (::faccessat(AT_FDCWD, strPath.c_str(), W_OK, AT_EACCESS) != 0 && errno != EROFS) {
            const int nErrno = errno;
            eFailure = EWriteFailure::FileNotWritable;
            strError = WriteFailureMessage(eFailure, strGivenPath, FolderOf(strPath), nErrno);
            return false;
        }
    }
    // A second name of the file would keep the old bytes after a rename.
    if (info.st_nlink > 1) {
        return WriteInPlace(strGivenPath, strPath, bytes, strError, eFailure);
    }
    const std::string strFolder = FolderOf(strPath);
    RemoveStaleTemporaries(strFolder);
    CTemporaryFile temporary;
    int nErrno = 0;
    bool bWritten = temporary.Create(strFolder, mode, nErrno) && temporary.Write(bytes, nErrno);
    // The log's owner, group, ACLs and user.* attributes, or the log itself.
    if (bWritten && info.st_ino != 0 && !temporary.KeepOwnerAndAttributesOf(strPath)) {
        return WriteInPlace(strGivenPath, strPath, bytes, strError, eFailure);
    }
    bWritten = bWritten && temporary.ReplaceTarget(strPath, nErrno);
    if (!bWritten) {
        eFailure = ClassifyWriteFailure(nErrno);
        strError = WriteFailureMessage(eFailure, strGivenPath, strFolder, nErrno);
        // A folder that is there but takes no new file (/proc, /sys) answers
        // "no such file": say what it is instead.
        struct stat folder {};
        if (nErrno == ENOENT && ::stat(strFolder.c_str(), &folder) == 0 &&
            S_ISDIR(folder.st_mode)) {
            eFailure = EWriteFailure::FolderNotWritable;
            strError = FormatC("\"%s\" に保存できません。\"%s\" は新しいファイルを作れない特殊な"
                               "フォルダーです。ファイルは変更していません。",
                               strGivenPath.c_str(), strFolder.c_str());
        }
        return false;
    }
    SyncFolder(strFolder);
    eFailure = EWriteFailure::None;
    return true;
}

void SetLogBackupFolder(const std::string& strFolder) {
    BackupFolderSetting() = strFolder;
}

bool AppendReportToLogFile(const std::string& strPath, std::string_view reportUtf8,
                           std::string& strError, std::string* pstrWarning) {
    CLogLock lock;
    if (!lock.Acquire(strPath, kLogLockTimeoutMs, strError)) {
        return false;
    }
    if (pstrWarning != nullptr) {
        *pstrWarning = lock.Warning();
    }
    return AppendReportToLockedLogFile(strPath, reportUtf8, strError);
}

bool AppendReportToLockedLogFile(const std::string& strGivenPath, std::string_view reportUtf8,
                                 std::string& strError) {
    // Written in place, under the lock: the file keeps its inode, links,
    // owner and attributes, and the cost does not grow with the log. A log
    // the user may not write is refused before anything is read.
    const std::string strPath = ResolvedTarget(strGivenPath);
    struct stat info {};
    if (::stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::faccessat(AT_FDCWD, strPath.c_str(), W_OK, AT_EACCESS) != 0) {
        const int nErrno = errno;
        strError = WriteFailureMessage(nErrno == EROFS ? EWriteFailure::Other
                                                       : EWriteFailure::FileNotWritable,
                                       strGivenPath, FolderOf(strPath), nErrno);
        return false;
    }
    std::string strOld;
    bool bExists = false;
    int fd = -1;
    const CFd closer(fd);
    if (!ReadWholeFile(strPath, O_RDWR, fd, strOld, bExists, strError)) {
        return false;
    }
    CLogFormat format;
    std::size_t nBadOffset = 0;
    switch (CLogCodec::DetectFormat(strOld, format, nBadOffset)) {
    case ELogDecodeFailure::Nul:
        strError = FormatC("\"%s\" は NUL バイトを含むため、テキストのログとして扱えません。",
                           strPath.c_str());
        return false;
    case ELogDecodeFailure::NotText:
        strError = FormatC("\"%s\" は Shift-JIS でも UTF-8 でもないため、追加できません（%zu "
                           "バイト目）。ファイルは変更していません。",
                           strPath.c_str(), nBadOffset + 1);
        return false;
    default:
        break;
    }
    // The report joins the log in the log's encoding and line-end style; a
    // byte-order mark is already at the start of the file.
    if (format.eEncoding == ELogEncoding::Utf8Bom) {
        format.eEncoding = ELogEncoding::Utf8;
    }
    std::size_t nNotUtf8 = 0;
    if (format.eEncoding == ELogEncoding::Utf8 && !IsValidUtf8(reportUtf8, nNotUtf8)) {
        strError = "レポートが UTF-8 のテキストではありません。";
        return false;
    }
    ELineEnds reportStyle = ELineEnds::CrLf;
    std::string strAdded;
    CEncodeError encodeError;
    if (!CLogCodec::Encode(ToLf(reportUtf8, reportStyle), format, strAdded, encodeError)) {
        strError = FormatC("レポートの %zu 行 %zu 桁の文字は Shift-JIS で保存できません。",
                           encodeError.m_nLine, encodeError.m_nColumn);
        return false;
    }
    if (!bExists) {
        EWriteFailure eIgnored = EWriteFailure::None;
        return WriteFileAtomically(strGivenPath, strAdded, strError, eIgnored);
    }
    return AppendInPlace(fd, strGivenPath, static_cast<off_t>(strOld.size()), strAdded, strError);
}
