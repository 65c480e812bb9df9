#include "text/LogFile.h"

#include "report/CFormat.h"
#include "text/LineEnds.h"
#include "text/LogLock.h"
#include "text/ShiftJis.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

std::string WriteFailure(const std::string& strPath, int nErrno) {
    return FormatC("ファイル \"%s\" に書き込めません: %s", strPath.c_str(), std::strerror(nErrno));
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t nWritten = ::write(fd, bytes.data(), bytes.size());
        if (nWritten < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    return true;
}

// Reads a whole file. A missing file reads as empty (bExists false).
bool ReadWholeFile(const std::string& strPath, std::string& strBytes, bool& bExists,
                   std::string& strError) {
    bExists = false;
    strBytes.clear();
    // O_NONBLOCK: a FIFO given as the log must be refused, not waited on.
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) {
            return true;
        }
        strError =
            FormatC("ファイル \"%s\" を開けません: %s", strPath.c_str(), std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        strError = FormatC("\"%s\" はフォルダです。", strPath.c_str());
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        strError = FormatC("\"%s\" は通常のファイルではありません。", strPath.c_str());
        return false;
    }
    bExists = true;
    char buffer[65536];
    for (;;) {
        const ssize_t nRead = ::read(fd, buffer, sizeof buffer);
        if (nRead < 0 && errno == EINTR) {
            continue;
        }
        if (nRead < 0) {
            strError =
                FormatC("ファイル \"%s\" を読めません: %s", strPath.c_str(), std::strerror(errno));
            ::close(fd);
            return false;
        }
        if (nRead == 0) {
            break;
        }
        strBytes.append(buffer, static_cast<std::size_t>(nRead));
    }
    ::close(fd);
    return true;
}

// A log reached through a symbolic link is written where the link points, so
// the link survives the save.
std::string ResolvedTarget(const std::string& strPath) {
    struct stat info {};
    if (::lstat(strPath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return strPath;
    }
    char resolved[PATH_MAX];
    return ::realpath(strPath.c_str(), resolved) != nullptr ? std::string(resolved) : strPath;
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
    }
    std::string strTemp = FolderOf(strPath) + "/.vantix-XXXXXX";
    const int fd = ::mkstemp(strTemp.data());
    if (fd < 0) {
        strError = WriteFailure(strPath, errno);
        return false;
    }
    const bool bWritten = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const int nWriteErrno = errno;
    if (::close(fd) != 0 || !bWritten) {
        const int nErrno = bWritten ? errno : nWriteErrno;
        ::unlink(strTemp.c_str());
        strError = WriteFailure(strPath, nErrno);
        return false;
    }
    if (::rename(strTemp.c_str(), strPath.c_str()) != 0) {
        const int nErrno = errno;
        ::unlink(strTemp.c_str());
        strError = WriteFailure(strPath, nErrno);
        return false;
    }
    SyncFolder(FolderOf(strPath));
    eFailure = EWriteFailure::None;
    return true;
}

bool AppendReportToLogFile(const std::string& strPath, std::string_view reportUtf8,
                           std::string& strError) {
    CLogLock lock;
    if (!lock.Acquire(strPath, kLogLockTimeoutMs, strError)) {
        return false;
    }
    std::string strOld;
    bool bExists = false;
    if (!ReadWholeFile(strPath, strOld, bExists, strError)) {
        return false;
    }
    if (strOld.find('\0') != std::string::npos) {
        strError = FormatC("\"%s\" は NUL バイトを含むため、テキストのログとして扱えません。",
                           strPath.c_str());
        return false;
    }
    std::string strIgnored;
    CDecodeError decodeError;
    const bool bShiftJis = DecodeShiftJis(strOld, strIgnored, decodeError);
    std::size_t nUtf8Error = 0;
    if (!bShiftJis && !IsValidUtf8(strOld, nUtf8Error)) {
        strError = FormatC("\"%s\" は Shift-JIS のテキストではありません（%zu バイト目）。",
                           strPath.c_str(), decodeError.m_nByteOffset + 1);
        return false;
    }
    // The report keeps the line-end style of the log it joins.
    ELineEnds style = ELineEnds::CrLf;
    ToLf(strOld, style);
    ELineEnds reportStyle = ELineEnds::CrLf;
    std::string strReport = FromLf(ToLf(reportUtf8, reportStyle),
                                   style == ELineEnds::Lf ? ELineEnds::Lf : ELineEnds::CrLf);
    std::string strAdded;
    if (bShiftJis) {
        CEncodeError encodeError;
        if (!EncodeShiftJis(strReport, strAdded, encodeError)) {
            strError = FormatC("レポートの %zu 行 %zu 桁の文字は Shift-JIS で保存できません。",
                               encodeError.m_nLine, encodeError.m_nColumn);
            return false;
        }
    } else {
        std::size_t nBad = 0;
        if (!IsValidUtf8(strReport, nBad)) {
            strError = "レポートが UTF-8 のテキストではありません。";
            return false;
        }
        strAdded = strReport;
    }
    return WriteFileAtomically(strPath, strOld + strAdded, strError);
}
