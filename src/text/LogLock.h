#pragma once

#include <functional>
#include <string>

// The advisory lock every writer of a log takes around read-decode-write-rename.
inline constexpr int kLogLockTimeoutMs = 5000;

class CLogLock {
public:
    CLogLock() = default;
    ~CLogLock(); // releases when held
    CLogLock(const CLogLock&) = delete;
    CLogLock& operator=(const CLogLock&) = delete;

    // Waits up to nTimeoutMs. On failure returns false and strError says why
    // in Japanese, naming the file (e.g. another program holds the log).
    bool Acquire(const std::string& strPath, int nTimeoutMs, std::string& strError);
    // The same, with the pauses between tries spent by pause (a window keeps
    // its events running there); pause returns false when the user gives up,
    // and Acquire then returns false with strError empty.
    using PauseFn = std::function<bool(int nMs)>;
    bool Acquire(const std::string& strPath, int nTimeoutMs, std::string& strError,
                 const PauseFn& pause);
    void Release();
    bool IsHeld() const;
    // The last Acquire failed because another writer held the log throughout.
    bool TimedOut() const { return m_bTimedOut; }
    // Not empty when the log's file system has no working locks (NFS
    // without a lock manager, some FUSE file systems): Acquire then goes on
    // without the lock and this says so, in Japanese, naming the file system.
    const std::string& Warning() const { return m_strWarning; }

    // The call that takes the lock (flock; replaced in tests).
    using FlockFn = int (*)(int fd, int nOperation);
    static FlockFn SetFlockFunction(FlockFn fn);

private:
    int m_fd = -1;
    bool m_bTimedOut = false;
    std::string m_strWarning;
};
