#include "text/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kPrefix = ".vantix-";
constexpr std::size_t kSuffixLength = 6; // as mkstemp makes them
constexpr std::string_view kSuffixCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr time_t kStaleAfterSeconds = 60;

bool IsTemporaryName(std::string_view name) {
    if (!name.starts_with(kPrefix) || name.size() != kPrefix.size() + kSuffixLength) {
        return false;
    }
    name.remove_prefix(kPrefix.size());
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return kSuffixCharacters.find(c) != std::string_view::npos; });
}

std::string RandomTemporaryName(const std::string& strFolder) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kSuffixCharacters.size() - 1);
    std::string strName = strFolder + "/" + std::string(kPrefix);
    for (std::size_t n = 0; n < kSuffixLength; ++n) {
        strName += kSuffixCharacters[pick(generator)];
    }
    return strName;
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

// An unnamed file is given a name through /proc; without /proc it cannot
// be, so a named temporary is used from the start.
bool CanNameUnnamedFiles() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

} // namespace

CTemporaryFile::~CTemporaryFile() {
    if (!m_strName.empty()) {
        ::unlink(m_strName.c_str());
    }
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool CTemporaryFile::Create(const std::string& strFolder, mode_t mode, int& nErrno, bool bUnnamed) {
    m_strFolder = strFolder;
    m_mode = mode;
    if (bUnnamed && CanNameUnnamedFiles()) {
        m_fd = ::open(strFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        // These say "no O_TMPFILE here"; anything else is the folder's answer.
        if (m_fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            nErrno = errno;
            return false;
        }
    }
    if (m_fd < 0) {
        std::string strTemplate = strFolder + "/" + std::string(kPrefix) + "XXXXXX";
        m_fd = ::mkostemp(strTemplate.data(), O_CLOEXEC);
        if (m_fd < 0) {
            nErrno = errno;
            return false;
        }
        m_strName = strTemplate;
    }
    // The lock tells RemoveStaleTemporaries that the writer lives; it stays
    // on the inode when an unnamed file is given a name.
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    return true;
}

bool CTemporaryFile::Write(std::string_view bytes, int& nErrno) {
    if (!WriteAll(m_fd, bytes) || ::fchmod(m_fd, m_mode) != 0 || ::fsync(m_fd) != 0) {
        nErrno = errno;
        return false;
    }
    return true;
}

bool CTemporaryFile::LinkAs(const std::string& strName) const {
    const std::string strSelf = "/proc/self/fd/" + std::to_string(m_fd);
    return ::linkat(AT_FDCWD, strSelf.c_str(), AT_FDCWD, strName.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool CTemporaryFile::ReplaceTarget(const std::string& strTarget, int& nErrno) {
    if (IsUnnamed()) {
        // A new target is made in one step; an existing one can only be
        // replaced by rename, which needs a name to rename from.
        if (LinkAs(strTarget)) {
            return true;
        }
        if (errno != EEXIST) {
            nErrno = errno;
            return false;
        }
        std::string strName;
        do {
            strName = RandomTemporaryName(m_strFolder);
            if (LinkAs(strName)) {
                m_strName = strName;
            } else if (errno != EEXIST) {
                nErrno = errno;
                return false;
            }
        } while (m_strName.empty());
    }
    if (::rename(m_strName.c_str(), strTarget.c_str()) != 0) {
        nErrno = errno;
        return false;
    }
    m_strName.clear();
    return true;
}

void RemoveStaleTemporaries(const std::string& strFolder) {
    DIR* pDir = ::opendir(strFolder.c_str());
    if (pDir == nullptr) {
        return;
    }
    const time_t now = std::time(nullptr);
    while (const dirent* pEntry = ::readdir(pDir)) {
        if (!IsTemporaryName(pEntry->d_name)) {
            continue;
        }
        const std::string strPath = strFolder + "/" + pEntry->d_name;
        const int fd = ::open(strPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            now - info.st_mtime >= kStaleAfterSeconds && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(strPath.c_str());
        }
        ::close(fd);
    }
    ::closedir(pDir);
}
