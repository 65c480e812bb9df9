#include "text/LogLock.h"

#include "report/CFormat.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

CLogLock::~CLogLock() {
    Release();
}

bool CLogLock::Acquire(const std::string& strPath, int nTimeoutMs, std::string& strError) {
    Release();
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        // Nothing to lock yet; the first writer creates the log.
        return errno == ENOENT;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            strError = FormatC("ログ \"%s\" は他のプログラムが使用中です。", strPath.c_str());
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_fd = fd;
    return true;
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
