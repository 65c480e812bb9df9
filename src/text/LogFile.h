#pragma once

#include <string>
#include <string_view>

// Writes bytes to a file atomically: a temporary file in the same folder is
// written, flushed to disk and renamed over the target, so the target is
// either left as it was or holds all of the new bytes. On failure the reason
// is put in strError (Japanese, for the user) and false is returned.
bool WriteFileAtomically(const std::string& strPath, std::string_view bytes, std::string& strError);

enum class EWriteFailure {
    None,
    FolderNotWritable, // no temporary file can be made beside the log
                       // ("フォルダーに書き込めません")
    FileNotWritable,   // the log itself may not be written by this user (mode 444,
                     // another user's): "このファイルに書き込む権限がありません"
    DiskFull, // ENOSPC / EDQUOT: own Japanese message naming the cause
    Other,    // anything else: Japanese message naming the file and the cause
};

// A file whose identity a rename would lose (a second hard link, an owner,
// group or attribute the new copy cannot be given) is written in place
// instead, after a copy of its old bytes has been put on disk in this folder
// ("" until set: beside the file, as ".<name>.vantix-old"). The copy goes
// once the write is synced or the old bytes are back.
void SetLogBackupFolder(const std::string& strFolder);

// As WriteFileAtomically, and says which failure it was. The old file is
// untouched on every failure. Leaves no temporary file behind.
bool WriteFileAtomically(const std::string& strPath, std::string_view bytes, std::string& strError,
                         EWriteFailure& eFailure);

// Appends a report (UTF-8, CR LF line ends) to a log file the way the GUI's
// append + save does, holding the log's CLogLock throughout: the file
// (created when missing, in Shift-JIS) is read, its encoding decided as
// CLogCodec decides it, and the old bytes are written back unchanged with the
// report after them in the file's own encoding and line-end style. Nothing is
// written when the lock is not had within kLogLockTimeoutMs, or when the
// report cannot be encoded.
// pstrWarning (optional) gets CLogLock::Warning(): the append went on
// without a lock on a file system that has none.
bool AppendReportToLogFile(const std::string& strPath, std::string_view reportUtf8,
                           std::string& strError, std::string* pstrWarning = nullptr);

// The same for a caller that already holds the log's CLogLock.
bool AppendReportToLockedLogFile(const std::string& strPath, std::string_view reportUtf8,
                                 std::string& strError);
