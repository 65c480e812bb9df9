#include "calc/xtal_filter/XtalListFile.h"

#include "report/CFormat.h"
#include "text/ShiftJis.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a path could not be looked at or opened, in the user's words.
std::string OpenProblem(const std::string& strName, int nErrno) {
    switch (nErrno) {
    case ENOENT:
    case ENOTDIR:
        return FormatC("%s が見つかりません。", strName.c_str());
    case EACCES:
    case EPERM:
        return FormatC("%s を読む権限がありません。", strName.c_str());
    default:
        return FormatC("%s を開けません（エラー %d）。", strName.c_str(), nErrno);
    }
}

std::string TooBig(const std::string& strName) {
    return FormatC("%s は周波数の一覧として大きすぎます（%zu バイトまで）。", strName.c_str(),
                   kXtalListMaxBytes);
}

class CFileDescriptor {
public:
    explicit CFileDescriptor(int nFd) : m_nFd(nFd) {}
    ~CFileDescriptor() {
        if (m_nFd >= 0) {
            ::close(m_nFd);
        }
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_nFd; }

private:
    int m_nFd;
};

} // namespace

bool ReadXtalListFile(const std::string& strPath, const std::string& strName,
                      EXtalListSource eSource, std::string& strUtf8, std::string& strError) {
    struct stat info {};
    if (::stat(strPath.c_str(), &info) != 0) {
        strError = OpenProblem(strName, errno);
        return false;
    }
    const bool bPipe = S_ISFIFO(info.st_mode);
    if (S_ISDIR(info.st_mode)) {
        strError =
            FormatC("%s はフォルダーです。周波数の一覧のファイルを選んで下さい。", strName.c_str());
        return false;
    }
    if (bPipe && eSource == EXtalListSource::FilesOnly) {
        strError = FormatC("%s は名前付きパイプです。周波数の一覧はファイルに保存して下さい。",
                           strName.c_str());
        return false;
    }
    if (!S_ISREG(info.st_mode) && !bPipe) {
        strError = FormatC("%s は通常のファイルではありません。", strName.c_str());
        return false;
    }
    if (!bPipe && static_cast<unsigned long long>(info.st_size) > kXtalListMaxBytes) {
        strError = TooBig(strName);
        return false;
    }
    // A regular file replaced by a FIFO after the check must not block a
    // window: it opens without waiting and is then refused below.
    const int nFlags = O_RDONLY | O_CLOEXEC | (bPipe ? 0 : O_NONBLOCK);
    const CFileDescriptor file(::open(strPath.c_str(), nFlags));
    if (file.Get() < 0) {
        strError = OpenProblem(strName, errno);
        return false;
    }
    struct stat opened {};
    if (::fstat(file.Get(), &opened) != 0 || (!S_ISREG(opened.st_mode) && !bPipe) ||
        (bPipe && !S_ISFIFO(opened.st_mode))) {
        strError = FormatC("%s は通常のファイルではありません。", strName.c_str());
        return false;
    }
    // One byte more than allowed: a file that grew after the check, or a
    // pipe that goes on, is refused too.
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t nRead = ::read(file.Get(), buffer, sizeof buffer);
        if (nRead < 0) {
            if (errno == EINTR) {
                continue;
            }
            strError = FormatC("%s を読めません（エラー %d）。", strName.c_str(), errno);
            return false;
        }
        if (nRead == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(nRead));
        if (bytes.size() > kXtalListMaxBytes) {
            strError = TooBig(strName);
            return false;
        }
    }

    std::string_view raw(bytes);
    std::size_t nBadOffset = 0;
    if (raw.find('\0') == std::string_view::npos && IsValidUtf8(raw, nBadOffset)) {
        if (raw.starts_with("\xEF\xBB\xBF")) {
            raw.remove_prefix(3);
        }
        strUtf8.assign(raw);
        return true;
    }
    // Shift-JIS decodes a NUL as a character: it is refused by itself.
    const std::size_t nNul = raw.find('\0');
    CDecodeError error;
    if (nNul != std::string_view::npos || !DecodeShiftJis(raw, strUtf8, error)) {
        const std::size_t nOffset = nNul != std::string_view::npos ? nNul : error.m_nByteOffset;
        strError = FormatC("%s はテキストファイルではありません（%zu バイト目が読めません）。",
                           strName.c_str(), nOffset + 1);
        return false;
    }
    return true;
}
