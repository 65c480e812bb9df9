#pragma once

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
    void Release();
    bool IsHeld() const;

private:
    int m_fd = -1;
};
