#include "text/LogFile.h"

#include "text/SmallTmpfs.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

const std::string kReport = "　　　　　***** 計算 *****\r\n　　　　　2005-3-7  9:05\r\n"
                            "　　　　　L= 4.700 μH\r\n\r\n";
// kReport in CP932.
const std::string kReportCp932 = "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40***** \x8C\x76\x8E\x5A "
                                 "*****\r\n\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40"
                                 "2005-3-7  9:05\r\n\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40"
                                 "L= 4.700 \x83\xCA\x48\r\n\r\n";

class LogFileTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
    std::string m_strError;
};

TEST_F(LogFileTest, AtomicWriteReplacesContentAndKeepsMode) {
    const std::string strPath = m_folder.File("log.txt");
    WriteBytes(strPath, "old");
    ::chmod(strPath.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(strPath, "new bytes", m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(strPath), "new bytes");
    struct stat info {};
    ASSERT_EQ(::stat(strPath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(LogFileTest, AtomicWriteFailureKeepsOldBytes) {
    // Root can write anywhere, so the failures come from the file system's shape.
    const std::string strFile = m_folder.File("plain");
    WriteBytes(strFile, "old bytes");
    EXPECT_FALSE(WriteFileAtomically(strFile + "/log.txt", "new", m_strError));
    EXPECT_NE(m_strError.find("log.txt"), std::string::npos) << m_strError;
    EXPECT_EQ(ReadBytes(strFile), "old bytes");

    const std::string strFolder = m_folder.File("folder");
    std::filesystem::create_directory(strFolder);
    WriteBytes(strFolder + "/inside", "kept");
    m_strError.clear();
    EXPECT_FALSE(WriteFileAtomically(strFolder, "new", m_strError));
    EXPECT_FALSE(m_strError.empty());
    EXPECT_EQ(ReadBytes(strFolder + "/inside"), "kept");
}

// Runs fn as the unprivileged user 65534 when the test runs as root (so that
// permissions bite), or as the test's own user otherwise; its exit status.
int RunAsUnprivileged(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
        ::_exit(fn());
    }
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 98;
}

// A new copy renamed over the log needs only the folder's leave: a log the
// user may not write is refused as the file itself would refuse, and its
// bytes stay.
TEST_F(LogFileTest, ALogTheUserMayNotWriteIsRefused) {
    ASSERT_EQ(::chmod(m_folder.Path().c_str(), 0777), 0);
    const std::string strReadOnly = m_folder.File("read-only.txt");
    const std::string strOthers = m_folder.File("others.txt");
    WriteBytes(strReadOnly, "kept");
    WriteBytes(strOthers, "theirs");
    ::chmod(strReadOnly.c_str(), 0444);
    ::chmod(strOthers.c_str(), 0644);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(strReadOnly.c_str(), 65534, 65534), 0); // the user's own, read-only
    }
    const bool bAsAnotherUser = ::geteuid() == 0;
    const int nStatus = RunAsUnprivileged([&] {
        std::string strError;
        int nResult = 0;
        EWriteFailure eFailure = EWriteFailure::None;
        if (WriteFileAtomically(strReadOnly, "lost", strError, eFailure) ||
            eFailure != EWriteFailure::FileNotWritable ||
            strError.find("read-only.txt") == std::string::npos ||
            strError.find("このファイルに書き込む権限がありません") == std::string::npos) {
            nResult |= 1;
        }
        // Another user's log in a folder anyone may write (as root, the
        // folder's owner is root and so is others.txt).
        if (bAsAnotherUser && WriteFileAtomically(strOthers, "taken", strError)) {
            nResult |= 2;
        }
        if (AppendReportToLogFile(strReadOnly, kReport, strError)) {
            nResult |= 4;
        }
        return nResult;
    });
    EXPECT_EQ(nStatus, 0);
    EXPECT_EQ(ReadBytes(strReadOnly), "kept");
    EXPECT_EQ(ReadBytes(strOthers), "theirs");
}

// A rename would split a file with a second name from that name, and would
// give another user's log to the writer: such a log is written in place, and
// the copy of its old bytes is gone once the write is done.
TEST_F(LogFileTest, WritesKeepTheFileItselfWhereARenameWouldNot) {
    const std::string strBackups = m_folder.File("backups");
    SetLogBackupFolder(strBackups);
    // A sticky folder as /tmp: a rename over another user's file is refused
    // there even though the folder is writable.
    ASSERT_EQ(::chmod(m_folder.Path().c_str(), 01777), 0);
    const std::string strLog = m_folder.File("log.txt");
    const std::string strOther = m_folder.File("same-log.txt");
    const std::string strTheirs = m_folder.File("theirs.txt");
    WriteBytes(strLog, "old");
    ASSERT_EQ(::link(strLog.c_str(), strOther.c_str()), 0);
    WriteBytes(strTheirs, "old");
    ::chmod(strTheirs.c_str(), 0666);
    struct stat before {};
    ASSERT_EQ(::stat(strLog.c_str(), &before), 0);

    ASSERT_TRUE(WriteFileAtomically(strOther, "new through the other name", m_strError))
        << m_strError;
    EXPECT_EQ(ReadBytes(strLog), "new through the other name");
    struct stat after {};
    ASSERT_EQ(::stat(strLog.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    ASSERT_TRUE(WriteFileAtomically(strLog, "short", m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(strOther), "short"); // the old, longer bytes cut off

    // Root's log that anyone may write, written by another user: it stays
    // root's (a rename would have made it the writer's, or failed here).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(strBackups.c_str(), 0777), 0); // the writer's copies go here too
        EXPECT_EQ(RunAsUnprivileged([&] {
                      std::string strError;
                      return WriteFileAtomically(strTheirs, "written by nobody", strError) ? 0 : 1;
                  }),
                  0);
        struct stat theirs {};
        ASSERT_EQ(::stat(strTheirs.c_str(), &theirs), 0);
        EXPECT_EQ(theirs.st_uid, 0u);
        EXPECT_EQ(ReadBytes(strTheirs), "written by nobody");
    }
    EXPECT_TRUE(std::filesystem::is_empty(strBackups));
    SetLogBackupFolder("");
}

// Every write keeps what the log was, apart from its bytes: owner and group
// (as root, a log of another user stays theirs), mode, and extended
// attributes.
TEST_F(LogFileTest, WritesKeepTheLogsOwnerModeAndAttributes) {
    const std::string strPath = m_folder.File("log.txt");
    WriteBytes(strPath, "old");
    ::chmod(strPath.c_str(), 0640);
    const bool bAttributes = ::setxattr(strPath.c_str(), "user.note", "QSL", 3, 0) == 0;
    struct stat before {};
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(strPath.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::stat(strPath.c_str(), &before), 0);
    ASSERT_TRUE(WriteFileAtomically(strPath, "new", m_strError)) << m_strError;
    ASSERT_TRUE(AppendReportToLogFile(strPath, kReport, m_strError)) << m_strError;
    struct stat after {};
    ASSERT_EQ(::stat(strPath.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (bAttributes) {
        char value[8] = {};
        EXPECT_EQ(::getxattr(strPath.c_str(), "user.note", value, sizeof value), 3);
        EXPECT_EQ(std::string(value), "QSL");
    }
    EXPECT_TRUE(ReadBytes(strPath).starts_with("new"));
    EXPECT_TRUE(ReadBytes(strPath).ends_with(kReportCp932));
}

TEST_F(LogFileTest, AtomicWriteThroughSymlinkKeepsTheLink) {
    const std::string strTarget = m_folder.File("real.txt");
    const std::string strLink = m_folder.File("link.txt");
    WriteBytes(strTarget, "old");
    std::filesystem::create_symlink(strTarget, strLink);
    ASSERT_TRUE(WriteFileAtomically(strLink, "new", m_strError)) << m_strError;
    EXPECT_TRUE(std::filesystem::is_symlink(strLink));
    EXPECT_EQ(ReadBytes(strTarget), "new");
}

// A link made before its log (ln -s logs/2026.txt log.txt): the first
// append makes the log where the link points, through a chain of relative
// links too, and the links stay links.
TEST_F(LogFileTest, AppendThroughALinkToAMissingLogMakesTheLog) {
    std::filesystem::create_directory(m_folder.File("logs"));
    const std::string strLink = m_folder.File("log.txt");
    std::filesystem::create_symlink("chain.txt", strLink);
    std::filesystem::create_symlink("logs/2026.txt", m_folder.File("chain.txt"));
    ASSERT_TRUE(AppendReportToLogFile(strLink, kReport, m_strError)) << m_strError;
    EXPECT_TRUE(std::filesystem::is_symlink(strLink));
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder.File("chain.txt")));
    EXPECT_EQ(ReadBytes(m_folder.File("logs/2026.txt")), kReportCp932);
    ASSERT_TRUE(AppendReportToLogFile(strLink, kReport, m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(m_folder.File("logs/2026.txt")), std::string(kReportCp932) + kReportCp932);
}

TEST_F(LogFileTest, AppendCreatesMissingLog) {
    const std::string strPath = m_folder.File("new.txt");
    ASSERT_TRUE(AppendReportToLogFile(strPath, kReport, m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(strPath), kReportCp932);
}

TEST_F(LogFileTest, AppendPutsCp932BytesAfterOldBytesExactly) {
    // Old bytes include a character that decodes to the same text as another
    // byte pair (NEC row 13); they must stay as they were, not be re-encoded.
    const std::string strPath = m_folder.File("log.txt");
    const std::string strOld = "\x8C\x76\x8E\x5A \x87\x90\r\nno final line end";
    WriteBytes(strPath, strOld);
    ASSERT_TRUE(AppendReportToLogFile(strPath, kReport, m_strError)) << m_strError;
    ASSERT_TRUE(AppendReportToLogFile(strPath, kReport, m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(strPath), strOld + kReportCp932 + kReportCp932);
}

TEST_F(LogFileTest, AppendKeepsLfOnlyLogLfOnly) {
    const std::string strPath = m_folder.File("lf.txt");
    WriteBytes(strPath, "first\nsecond\n");
    ASSERT_TRUE(AppendReportToLogFile(strPath, "a\r\nb\r\n\r\n", m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(strPath), "first\nsecond\na\nb\n\n");
}

TEST_F(LogFileTest, AppendToUtf8LogStaysUtf8) {
    // "計算" in UTF-8 is not valid CP932 (E8 A8 88: 88 leads a pair with E7).
    const std::string strPath = m_folder.File("utf8.txt");
    const std::string strOld = "計算 UTF-8\r\n";
    WriteBytes(strPath, strOld);
    ASSERT_TRUE(AppendReportToLogFile(strPath, kReport, m_strError)) << m_strError;
    EXPECT_EQ(ReadBytes(strPath), strOld + kReport);
}

struct RefusedLog {
    const char* pszName;
    std::string bytes;
    const char* pszReason; // a part of the message
};

void PrintTo(const RefusedLog& c, std::ostream* os) {
    *os << c.pszName;
}

class LogFileRefusal : public ::testing::TestWithParam<RefusedLog> {};

TEST_P(LogFileRefusal, LeavesFileUntouched) {
    CTempFolder folder;
    const std::string strPath = folder.File("log.txt");
    WriteBytes(strPath, GetParam().bytes);
    std::string strError;
    EXPECT_FALSE(AppendReportToLogFile(strPath, kReport, strError));
    EXPECT_NE(strError.find(GetParam().pszReason), std::string::npos) << strError;
    EXPECT_EQ(ReadBytes(strPath), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    NotTextLogs, LogFileRefusal,
    ::testing::Values(RefusedLog{"NulByte", std::string("ab\0cd\r\n", 7), "NUL"},
                      RefusedLog{"Binary", "\x89PNG\r\n\x1A\n\xFF\xFE\x80", "9 バイト目"},
                      RefusedLog{"Latin1", "caf\xE9\r\n", "Shift-JIS"}),
    [](const auto& info) { return info.param.pszName; });

TEST_F(LogFileTest, AppendRefusesReportCharacterCp932CannotHold) {
    const std::string strPath = m_folder.File("log.txt");
    WriteBytes(strPath, "old\r\n");
    EXPECT_FALSE(AppendReportToLogFile(strPath, "　　　　　L= 4.7µH\r\n", m_strError));
    EXPECT_NE(m_strError.find("1 行 12 桁"), std::string::npos) << m_strError;
    EXPECT_EQ(ReadBytes(strPath), "old\r\n");
}

TEST_F(LogFileTest, AtomicWriteLeavesPipeInPlace) {
    const std::string strFifo = m_folder.File("pipe");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileAtomically(strFifo, "abc", m_strError));
    EXPECT_FALSE(m_strError.empty());
    EXPECT_EQ(std::filesystem::status(strFifo).type(), std::filesystem::file_type::fifo);
}

TEST_F(LogFileTest, AppendRefusesFolderAndFifo) {
    EXPECT_FALSE(AppendReportToLogFile(m_folder.Path(), kReport, m_strError));
    const std::string strFifo = m_folder.File("fifo");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    m_strError.clear();
    EXPECT_FALSE(AppendReportToLogFile(strFifo, kReport, m_strError)); // must not block
    EXPECT_FALSE(m_strError.empty());
    EXPECT_EQ(std::filesystem::status(strFifo).type(), std::filesystem::file_type::fifo);
}

} // namespace

namespace {

// "価格 €5" in UTF-8: valid Shift-JIS too, which once made it mojibake.
const std::string kPriceUtf8 = "\xE4\xBE\xA1\xE6\xA0\xBC \xE2\x82\xAC"
                               "5\r\n";

struct KeptEncoding {
    const char* pszName;
    std::string old;
    std::string added; // what the report must add
};

void PrintTo(const KeptEncoding& c, std::ostream* os) {
    *os << c.pszName;
}

class AppendKeepsEncoding : public ::testing::TestWithParam<KeptEncoding> {};

TEST_P(AppendKeepsEncoding, OldBytesStayAndTheReportFollowsThem) {
    CTempFolder folder;
    const std::string strPath = folder.File("log.txt");
    WriteBytes(strPath, GetParam().old);
    std::string strError;
    ASSERT_TRUE(AppendReportToLogFile(strPath, kReport, strError)) << strError;
    EXPECT_EQ(ReadBytes(strPath), GetParam().old + GetParam().added);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, AppendKeepsEncoding,
    ::testing::Values(KeptEncoding{"Utf8ThatIsAlsoCp932", kPriceUtf8, kReport},
                      // A byte-order mark stays the only one; a file without gets none.
                      KeptEncoding{"Utf8WithBom", "\xEF\xBB\xBF" + kPriceUtf8, kReport},
                      KeptEncoding{"Utf8LfOnly", "\xE4\xBE\xA1\xE6\xA0\xBC\n",
                                   "　　　　　***** 計算 *****\n"
                                   "　　　　　2005-3-7  9:05\n"
                                   "　　　　　L= 4.700 μH\n\n"},
                      // The editor refuses U+2029; appending needs no editor.
                      KeptEncoding{"Utf8WithParagraphSeparator", "a\xE2\x80\xA9\r\n", kReport},
                      KeptEncoding{"Cp932", "\x8C\x76\x8E\x5A\r\n", kReportCp932},
                      KeptEncoding{"AsciiOnlyIsCp932", "L= 4.7uH\r\n", kReportCp932}),
    [](const auto& info) { return info.param.pszName; });

// Every regular file under a folder with its bytes: equal before and after a
// failed write means the old bytes are untouched and nothing was left behind.
std::map<std::string, std::string> FilesUnder(const std::string& strFolder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(strFolder)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = ReadBytes(entry.path().string());
        }
    }
    return files;
}

struct CWriteOutcome {
    bool bWritten = false;
    EWriteFailure eFailure = EWriteFailure::None;
    std::string strError;
};

// Runs the write as the unprivileged user "nobody" when the tests run as root,
// since root writes into any folder whatever its permissions.
CWriteOutcome WriteAsUnprivileged(const std::string& strPath, const std::string& bytes) {
    CWriteOutcome outcome;
    if (::geteuid() != 0) {
        outcome.bWritten = WriteFileAtomically(strPath, bytes, outcome.strError, outcome.eFailure);
        return outcome;
    }
    int fds[2];
    if (::pipe(fds) != 0) {
        return outcome;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(3);
        }
        const bool bWritten =
            WriteFileAtomically(strPath, bytes, outcome.strError, outcome.eFailure);
        const std::string strReply =
            std::to_string(static_cast<int>(outcome.eFailure)) + "\n" + outcome.strError;
        const bool bSent = ::write(fds[1], strReply.data(), strReply.size()) ==
                           static_cast<ssize_t>(strReply.size());
        ::_exit(bSent ? (bWritten ? 0 : 1) : 3);
    }
    ::close(fds[1]);
    std::string strReply;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        strReply.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) != 3) << "the unprivileged child failed";
    outcome.bWritten = WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
    const std::size_t nBreak = strReply.find('\n');
    if (nBreak != std::string::npos) {
        outcome.eFailure = static_cast<EWriteFailure>(std::stoi(strReply.substr(0, nBreak)));
        outcome.strError = strReply.substr(nBreak + 1);
    }
    return outcome;
}

class WriteFailureTest : public ::testing::Test {
protected:
    // A folder on a tmpfs of this size; the test is skipped where none can be mounted.
    bool MountTmpfs(const char* pszSize) {
        const std::string strMount = m_folder.File("tmpfs");
        std::filesystem::create_directory(strMount);
        m_pTmpfs = std::make_unique<CSmallTmpfs>(strMount, pszSize);
        return m_pTmpfs->IsMounted();
    }

    // Writes, expecting the failure and a message naming the file and holding
    // pszInMessage; every file under the test folder must stay as it was.
    void ExpectFailure(const std::string& strPath, EWriteFailure eFailure, const char* pszInMessage,
                       bool bUnprivileged = false) {
        const auto before = FilesUnder(m_folder.Path());
        const std::string strNew(48 * 1024, 'n');
        CWriteOutcome outcome;
        if (bUnprivileged) {
            outcome = WriteAsUnprivileged(strPath, strNew);
        } else {
            outcome.bWritten =
                WriteFileAtomically(strPath, strNew, outcome.strError, outcome.eFailure);
        }
        EXPECT_FALSE(outcome.bWritten);
        EXPECT_EQ(outcome.eFailure, eFailure);
        EXPECT_NE(outcome.strError.find(strPath), std::string::npos) << outcome.strError;
        EXPECT_NE(outcome.strError.find(pszInMessage), std::string::npos) << outcome.strError;
        EXPECT_EQ(FilesUnder(m_folder.Path()), before);
    }

    CTempFolder m_folder;
    std::unique_ptr<CSmallTmpfs> m_pTmpfs;
    const std::string m_strOld = std::string(40 * 1024, 'o');
};

TEST_F(WriteFailureTest, ParentIsAFile) {
    WriteBytes(m_folder.File("plain"), m_strOld);
    ExpectFailure(m_folder.File("plain") + "/log.txt", EWriteFailure::Other,
                  "パスの途中にフォルダーではないものがあります");
}

TEST_F(WriteFailureTest, TargetIsAFolder) {
    std::filesystem::create_directory(m_folder.File("folder"));
    WriteBytes(m_folder.File("folder/inside"), m_strOld);
    ExpectFailure(m_folder.File("folder"), EWriteFailure::Other, "フォルダ");
}

TEST_F(WriteFailureTest, FolderWithoutWritePermission) {
    // The log itself is writable; only no new file can be made beside it.
    const std::string strFolder = m_folder.File("shut");
    std::filesystem::create_directory(strFolder);
    const std::string strLog = strFolder + "/log.txt";
    WriteBytes(strLog, m_strOld);
    ::chmod(strLog.c_str(), 0666);
    ::chmod(strFolder.c_str(), 0555);
    ::chmod(m_folder.Path().c_str(), 0755);
    ExpectFailure(strLog, EWriteFailure::FolderNotWritable, "フォルダーに書き込めません", true);
    ::chmod(strFolder.c_str(), 0755);
}

TEST_F(WriteFailureTest, ReadOnlyFileSystem) {
    if (!MountTmpfs("1m")) {
        GTEST_SKIP() << m_pTmpfs->WhyNot();
    }
    const std::string strLog = m_folder.File("tmpfs/log.txt");
    WriteBytes(strLog, m_strOld);
    ASSERT_TRUE(m_pTmpfs->MakeReadOnly());
    ExpectFailure(strLog, EWriteFailure::FolderNotWritable, "フォルダーに書き込めません");
}

// Written in place (a log with two names) on a disk too small for the new
// bytes: the old ones are put back, and their copy elsewhere removed. A copy
// that cannot be made stops the write before it starts.
TEST_F(WriteFailureTest, InPlaceWriteFailsLeavingTheOldBytes) {
    if (!MountTmpfs("64k")) {
        GTEST_SKIP() << m_pTmpfs->WhyNot();
    }
    const std::string strBackups = m_folder.File("backups");
    std::filesystem::create_directory(strBackups);
    SetLogBackupFolder(strBackups);
    const std::string strLog = m_folder.File("tmpfs/log.txt");
    WriteBytes(strLog, m_strOld);
    WriteBytes(m_folder.File("tmpfs/other-file"), std::string(20 * 1024, 'f')); // the rest but 4k
    ASSERT_EQ(::link(strLog.c_str(), m_folder.File("tmpfs/same-log.txt").c_str()), 0);
    ExpectFailure(strLog, EWriteFailure::DiskFull, "ディスクの空き容量がありません");
    EXPECT_TRUE(std::filesystem::is_empty(strBackups));

    WriteBytes(m_folder.File("plain"), "a file, not a folder");
    SetLogBackupFolder(m_folder.File("plain/backups"));
    ExpectFailure(strLog, EWriteFailure::Other, "元の内容の控えを");
    SetLogBackupFolder("");
}

TEST_F(WriteFailureTest, DiskFull) {
    if (!MountTmpfs("64k")) {
        GTEST_SKIP() << m_pTmpfs->WhyNot();
    }
    const std::string strLog = m_folder.File("tmpfs/log.txt");
    WriteBytes(strLog, m_strOld);
    ASSERT_EQ(ReadBytes(strLog), m_strOld);
    ExpectFailure(strLog, EWriteFailure::DiskFull, "ディスクの空き容量がありません");
}

} // namespace
