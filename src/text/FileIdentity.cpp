#include "text/FileIdentity.h"

#include <sys/stat.h>

CFileIdentity FileIdentityOf(const std::string& strPath) {
    CFileIdentity identity;
    struct stat info {};
    if (::stat(strPath.c_str(), &info) != 0) {
        return identity;
    }
    identity.bExists = true;
    identity.nDevice = static_cast<unsigned long long>(info.st_dev);
    identity.nInode = static_cast<unsigned long long>(info.st_ino);
    identity.nSize = static_cast<long long>(info.st_size);
    identity.nMtimeNs =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    identity.nCtimeNs =
        static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec;
    return identity;
}
