#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

// A new file beside a target, written in full and then put in the target's
// place in one step. Where the file system allows (O_TMPFILE) it has no name
// until that step, so a writer killed on the way leaves nothing behind.
// Elsewhere it is ".vantix-write-XXXXXXXXXXXX.tmp", locked while its writer
// lives, and a later writer in that folder removes it once it is orphaned.
class CTemporaryFile {
public:
    CTemporaryFile() = default;
    ~CTemporaryFile(); // an unfinished temporary is removed
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // Each step returns false with the reason in nErrno. bUnnamed false asks
    // for a named temporary even where an unnamed one could be made.
    bool Create(const std::string& strFolder, mode_t mode, int& nErrno, bool bUnnamed = true);
    bool Write(std::string_view bytes, int& nErrno); // all bytes, the mode, to disk
    // Gives the temporary the owner, group and extended attributes (ACLs
    // among them) of the file it is to replace, as far as this user may:
    // root keeps another user's owner, anyone a group they belong to.
    // False when the temporary could not be given all of them.
    bool KeepOwnerAndAttributesOf(const std::string& strTarget);
    bool ReplaceTarget(const std::string& strTarget, int& nErrno);

    bool IsUnnamed() const { return m_fd >= 0 && m_strName.empty(); }

private:
    bool LinkAs(const std::string& strName) const;

    int m_fd = -1;
    mode_t m_mode = 0;
    std::string m_strFolder;
    std::string m_strName; // the temporary's own path while it has one
};

// Removes the orphaned temporaries of killed writers from a folder: named
// like ours, a regular file of this user with one link, not locked by a
// living writer, and older than a minute (a named temporary exists for a
// moment before its writer locks it).
void RemoveStaleTemporaries(const std::string& strFolder);
