#pragma once

#include <string>

// What identifies the file at a path on disk now: device, inode, size, and
// mtime and ctime (ns). A program can set the mtime back (touch -r) after an
// edit of the same size; the ctime it cannot.
struct CFileIdentity {
    bool bExists = false;
    unsigned long long nDevice = 0, nInode = 0;
    long long nSize = 0, nMtimeNs = 0, nCtimeNs = 0;
    bool operator==(const CFileIdentity&) const = default;
};

CFileIdentity FileIdentityOf(const std::string& strPath); // stat(); follows symlinks
