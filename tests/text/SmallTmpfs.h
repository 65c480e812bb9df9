#pragma once

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>

// A small tmpfs mounted on an empty folder for the life of the object, to
// meet a full disk or a read-only folder where the tests run as root (which
// permissions do not stop). Mounting needs privileges a test may lack: then
// IsMounted() is false and WhyNot() says why, for the skip message.
class CSmallTmpfs {
public:
    CSmallTmpfs(const std::string& strFolder, const char* pszSize) : m_strFolder(strFolder) {
        const std::string strOptions = std::string("size=") + pszSize + ",mode=0755";
        if (::mount("tmpfs", strFolder.c_str(), "tmpfs", 0, strOptions.c_str()) == 0) {
            m_bMounted = true;
        } else {
            m_strWhyNot = "cannot mount a tmpfs here (" + std::string(std::strerror(errno)) +
                          "); run as root with CAP_SYS_ADMIN to include this case";
        }
    }
    ~CSmallTmpfs() {
        if (m_bMounted) {
            ::umount2(m_strFolder.c_str(), MNT_DETACH);
        }
    }
    CSmallTmpfs(const CSmallTmpfs&) = delete;
    CSmallTmpfs& operator=(const CSmallTmpfs&) = delete;

    bool IsMounted() const { return m_bMounted; }
    const std::string& WhyNot() const { return m_strWhyNot; }

    bool MakeReadOnly() {
        return ::mount(nullptr, m_strFolder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string m_strFolder;
    bool m_bMounted = false;
    std::string m_strWhyNot;
};
