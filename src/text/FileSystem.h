#pragma once

#include <string>

// Small POSIX helpers shared by the log writer and its lock.

// The folder a path lies in: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& strPath);

// The type of the file system a path lies on, as the system names it in its
// mount table ("ext4", "nfs4", "fuse.sshfs"); "" when it cannot be told.
std::string FileSystemTypeOf(const std::string& strPath);

// Why a file operation failed, in Japanese, for messages that name the file.
std::string ErrnoText(int nErrno);
