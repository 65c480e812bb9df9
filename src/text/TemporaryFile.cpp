#include "text/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// ".vantix-write-" + 12 random characters + ".tmp": a name no user gives a
// file of their own, so that a tidy-up never takes one (".vantix-backup").
constexpr std::string_view kPrefix = ".vantix-write-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kRandomLength = 12;
constexpr std::string_view kRandomCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr time_t kStaleAfterSeconds = 60;

bool IsTemporaryName(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix) ||
        name.size() != kPrefix.size() + kRandomLength + kSuffix.size()) {
        return false;
    }
    name = name.substr(kPrefix.size(), kRandomLength);
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return kRandomCharacters.find(c) != std::string_view::npos; });
}

std::string RandomTemporaryName(const std::string& strFolder) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kRandomCharacters.size() - 1);
    std::string strName = strFolder + "/" + std::string(kPrefix);
    for (std::size_t n = 0; n < kRandomLength; ++n) {
        strName += kRandomCharacters[pick(generator)];
    }
    return strName + std::string(kSuffix);
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
    while (m_fd < 0) {
        std::string strName = RandomTemporaryName(strFolder);
        m_fd = ::open(strName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            m_strName = strName;
        } else if (errno != EEXIST) {
            nErrno = errno;
            return false;
        }
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

bool CTemporaryFile::KeepOwnerAndAttributesOf(const std::string& strTarget) {
    struct stat target {};
    struct stat own {};
    if (::stat(strTarget.c_str(), &target) != 0 || ::fstat(m_fd, &own) != 0) {
        return false;
    }
    bool bKept = true;
    if (own.st_uid != target.st_uid || own.st_gid != target.st_gid) {
        // Only root may give a file away; the group alone a member may set.
        if (::fchown(m_fd, target.st_uid, target.st_gid) != 0) {
            bKept = false;
            static_cast<void>(::fchown(m_fd, static_cast<uid_t>(-1), target.st_gid));
        }
        // A change of owner clears the set-id bits: set the mode again.
        static_cast<void>(::fchmod(m_fd, m_mode));
    }
    const ssize_t nListSize = ::listxattr(strTarget.c_str(), nullptr, 0);
    if (nListSize <= 0) {
        return bKept && nListSize == 0;
    }
    std::string names(static_cast<std::size_t>(nListSize), '\0');
    const ssize_t nListed = ::listxattr(strTarget.c_str(), names.data(), names.size());
    if (nListed <= 0) {
        return false;
    }
    names.resize(static_cast<std::size_t>(nListed));
    for (std::size_t nStart = 0; nStart < names.size();) {
        const std::string strName(names.c_str() + nStart);
        nStart += strName.size() + 1;
        const ssize_t nValueSize = ::getxattr(strTarget.c_str(), strName.c_str(), nullptr, 0);
        if (nValueSize < 0) {
            bKept = false;
            continue;
        }
        std::string value(static_cast<std::size_t>(nValueSize), '\0');
        const ssize_t nValue =
            ::getxattr(strTarget.c_str(), strName.c_str(), value.data(), value.size());
        // What this user may not set (security.*, trusted.*) would stay
        // behind: the caller then writes the file in place instead.
        if (nValue < 0 || ::fsetxattr(m_fd, strName.c_str(), value.data(),
                                      static_cast<std::size_t>(nValue), 0) != 0) {
            bKept = false;
        }
    }
    return bKept;
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
        // Ours beyond doubt: our name, our user's, one link (never the only
        // name of data), old, and no living writer holds its lock.
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            info.st_nlink == 1 && now - info.st_mtime >= kStaleAfterSeconds &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(strPath.c_str());
        }
        ::close(fd);
    }
    ::closedir(pDir);
}
