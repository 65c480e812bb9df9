#include "text/LogLock.h"

#include "report/CFormat.h"
#include "text/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Writers replace the log by renaming a new file over it, so the inode a
// waiter locked may no longer be the log once it gets the lock. After every
// flock the path is checked to still name the locked inode; if not, the lock
// is dropped and taken again on what the path names now. A log that does not
// exist yet (or is not a regular file) has no inode of its own to lock, so
// its folder is locked instead, on the condition that the path still names
// no regular file once the lock is held; its first writer creates it by
// rename while holding that lock. A sidecar lock file would avoid the
// re-check but leave a file beside every log, which users see.

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kFirstPause = std::chrono::milliseconds(1);
constexpr auto kLongestPause = std::chrono::milliseconds(16);

enum class ETry {
    Locked,
    NoLocks, // the file system takes no locks: fd is open, without one
    Busy,    // somebody else holds it
    Moved,   // the path names something else now: look again at once
    Failed,
};

CLogLock::FlockFn& FlockCall() {
    static CLogLock::FlockFn fn = &::flock;
    return fn;
}

bool IsRegularFile(const std::string& strPath, struct stat& info) {
    return ::stat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// One attempt without waiting. On Locked, fd holds the lock.
ETry TryLock(const std::string& strPath, int& fd, std::string& strError) {
    struct stat info {};
    const bool bFile = IsRegularFile(strPath, info);
    const std::string strTarget = bFile ? strPath : FolderOf(strPath);
    fd = ::open(strTarget.c_str(),
                O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (bFile ? 0 : O_DIRECTORY));
    if (fd < 0) {
        if (bFile && errno == ENOENT) {
            return ETry::Moved; // removed or renamed away just now
        }
        strError = FormatC(bFile ? "ログ \"%s\" を開けません（%s）。ファイルは変更していません。"
                                 : "ログ \"%s\" のフォルダーを開けません（%s）。",
                           strPath.c_str(), ErrnoText(errno).c_str());
        return ETry::Failed;
    }
    while (FlockCall()(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        const int nErrno = errno;
        if (nErrno == ENOLCK || nErrno == EOPNOTSUPP || nErrno == ENOSYS) {
            const std::string strType = FileSystemTypeOf(strPath);
            strError = FormatC("ログ \"%s\" のあるファイルシステム%s%s%sはファイルのロックに"
                               "対応していないため、ロックせずに書き込みます。ほかのプログラムが"
                               "同時に書き込むと、内容が混ざることがあります。",
                               strPath.c_str(), strType.empty() ? "" : "（", strType.c_str(),
                               strType.empty() ? "" : "）");
            return ETry::NoLocks;
        }
        ::close(fd);
        fd = -1;
        if (nErrno == EWOULDBLOCK) {
            return ETry::Busy;
        }
        strError = FormatC("ログ \"%s\" をロックできません（%s）。ファイルは変更していません。",
                           strPath.c_str(), ErrnoText(nErrno).c_str());
        return ETry::Failed;
    }
    struct stat locked {};
    struct stat now {};
    const bool bStill = bFile ? ::fstat(fd, &locked) == 0 && IsRegularFile(strPath, now) &&
                                    locked.st_dev == now.st_dev && locked.st_ino == now.st_ino
                              : !IsRegularFile(strPath, now);
    if (!bStill) {
        ::close(fd);
        fd = -1;
        return ETry::Moved;
    }
    return ETry::Locked;
}

} // namespace

CLogLock::FlockFn CLogLock::SetFlockFunction(FlockFn fn) {
    const FlockFn previous = FlockCall();
    FlockCall() = fn != nullptr ? fn : &::flock;
    return previous;
}

CLogLock::~CLogLock() {
    Release();
}

bool CLogLock::Acquire(const std::string& strPath, int nTimeoutMs, std::string& strError) {
    return Acquire(strPath, nTimeoutMs, strError, {});
}

bool CLogLock::Acquire(const std::string& strPath, int nTimeoutMs, std::string& strError,
                       const PauseFn& waitFor) {
    Release();
    m_bTimedOut = false;
    m_strWarning.clear();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(nTimeoutMs);
    auto pause = kFirstPause;
    for (;;) {
        int fd = -1;
        const ETry eTry = TryLock(strPath, fd, strError);
        if (eTry == ETry::Locked) {
            m_fd = fd;
            return true;
        }
        if (eTry == ETry::NoLocks) {
            m_fd = fd;
            m_strWarning = std::move(strError);
            strError.clear();
            return true;
        }
        if (eTry == ETry::Failed) {
            return false;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            m_bTimedOut = true;
            strError = FormatC("ログ \"%s\" は他のプログラムが書き込み中です（%g 秒待っても"
                               "終わりませんでした）。ファイルは変更していません。",
                               strPath.c_str(), nTimeoutMs / 1000.0);
            return false;
        }
        if (eTry == ETry::Busy) {
            // Waiters poll, so that the wait can end at the deadline; the
            // pause grows so that many waiters leave the holder the processor.
            const auto wait = std::min<Clock::duration>(pause, deadline - now);
            if (!waitFor) {
                std::this_thread::sleep_for(wait);
            } else if (!waitFor(static_cast<int>(
                           std::chrono::ceil<std::chrono::milliseconds>(wait).count()))) {
                strError.clear();
                return false;
            }
            pause = std::min(pause * 2, kLongestPause);
        }
    }
}

void CLogLock::Release() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool CLogLock::IsHeld() const {
    return m_fd >= 0;
}
