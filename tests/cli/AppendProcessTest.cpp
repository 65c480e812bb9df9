// vantix-calc --append run as real processes: many at once, one waiting for a
// lock held elsewhere, one killed while it writes, one through a second
// name of the log, one on a full disk.

#include "CliTestSupport.h"

#include "text/FileSystem.h"
#include "text/LogLock.h"
#include "text/ShiftJis.h"
#include "text/SmallTmpfs.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kTime = "2026-12-08 09:05";

// A started vantix-calc whose standard error goes to a file.
class CCalcProcess {
public:
    // extraEnvironment: "NAME=value" entries put before the test's own.
    CCalcProcess(std::vector<std::string> args, const std::string& strErrFile,
                 std::vector<std::string> extraEnvironment = {}) {
        args.insert(args.begin(), VANTIX_CALC_BINARY);
        std::vector<char*> argv;
        for (std::string& strArg : args) {
            argv.push_back(strArg.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, strErrFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char*> envp;
        for (std::string& strEntry : extraEnvironment) {
            envp.push_back(strEntry.data());
        }
        for (char** ppEntry = environ; *ppEntry != nullptr; ++ppEntry) {
            envp.push_back(*ppEntry);
        }
        envp.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~CCalcProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            Wait();
        }
    }
    CCalcProcess(const CCalcProcess&) = delete;
    CCalcProcess& operator=(const CCalcProcess&) = delete;

    pid_t Pid() const { return m_pid; }

    // The exit status, or -1 for a process that did not exit by itself.
    int Wait() {
        int nStatus = 0;
        if (m_pid <= 0 || ::waitpid(m_pid, &nStatus, 0) != m_pid) {
            return -1;
        }
        m_pid = -1;
        return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    }

private:
    pid_t m_pid = -1;
};

std::vector<std::string> PiAppend(int nImpedance, const std::string& strLog) {
    return {"pi",
            "--impedance",
            std::to_string(nImpedance),
            "--attenuation",
            "10",
            "--time",
            kTime,
            "--append",
            strLog};
}

// The CP932 bytes --append adds for PiAppend(nImpedance, ...).
std::string PiReportCp932(int nImpedance) {
    const std::string strImpedance = std::to_string(nImpedance);
    const CliRun run =
        RunCli({"pi", "--impedance", strImpedance.c_str(), "--attenuation", "10", "--time", kTime});
    std::string strBytes;
    CEncodeError error;
    EXPECT_TRUE(EncodeShiftJis(run.strOut, strBytes, error));
    return strBytes;
}

// A CP932 log of about nBytes made of earlier reports.
std::string OldLog(std::size_t nBytes) {
    const std::string strReport = PiReportCp932(75);
    std::string strLog;
    while (strLog.size() < nBytes) {
        strLog += strReport;
    }
    return strLog;
}

std::vector<std::string> LeftoverTemporaries(const std::string& strFolder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(strFolder)) {
        if (entry.path().filename().string().starts_with(".vantix-")) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

TEST(AppendProcesses, TwentyAtOnceKeepEveryReportWhole) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    const std::string strOld = OldLog(64 * 1024);
    WriteBytes(strLog, strOld);
    constexpr int kWriters = 20;
    std::vector<std::unique_ptr<CCalcProcess>> writers;
    for (int n = 0; n < kWriters; ++n) {
        writers.push_back(std::make_unique<CCalcProcess>(PiAppend(50 + n, strLog),
                                                         folder.File("err" + std::to_string(n))));
    }
    for (int n = 0; n < kWriters; ++n) {
        EXPECT_EQ(writers[n]->Wait(), 0) << ReadBytes(folder.File("err" + std::to_string(n)));
    }
    // Taking each report out once, in whatever order they came, must leave
    // exactly the old log.
    std::string strAfter = ReadBytes(strLog);
    for (int n = 0; n < kWriters; ++n) {
        const std::string strReport = PiReportCp932(50 + n);
        const std::size_t nAt = strAfter.find(strReport, strOld.size());
        ASSERT_NE(nAt, std::string::npos) << "the report for " << 50 + n << " ohms is missing";
        strAfter.erase(nAt, strReport.size());
    }
    EXPECT_TRUE(strAfter == strOld) << "the old log changed, or something else was added";
}

TEST(AppendProcesses, LockHeldElsewhereFailsWritingNothing) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    WriteBytes(strLog, "old\r\n");
    CLogLock held;
    std::string strError;
    ASSERT_TRUE(held.Acquire(strLog, 0, strError)) << strError;
    CCalcProcess writer(PiAppend(50, strLog), folder.File("err"));
    EXPECT_EQ(writer.Wait(), 1);
    const std::string strErr = ReadBytes(folder.File("err"));
    EXPECT_NE(strErr.find(strLog), std::string::npos) << strErr;
    EXPECT_NE(strErr.find("他のプログラムが書き込み中"), std::string::npos) << strErr;
    EXPECT_EQ(ReadBytes(strLog), "old\r\n");
    EXPECT_TRUE(LeftoverTemporaries(folder.Path()).empty());
}

// Whether a process has the log open.
bool HasTheLogOpen(pid_t pid, const std::string& strLog) {
    const std::string strFds = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(strFds, error)) {
        if (std::filesystem::read_symlink(entry.path(), error).string() == strLog) {
            return true;
        }
    }
    return false;
}

// The report is added in place: a writer killed while it has the log open
// leaves the old log whole, with the report after it or not at all, and no
// file beside it.
TEST(AppendProcesses, KilledWhileAppendingLeavesTheOldLogWhole) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    const CTempFolder elsewhere; // for standard error, which is no temporary
    const std::string strOld = OldLog(8 * 1024 * 1024);
    const std::string strReport = PiReportCp932(50);
    WriteBytes(strLog, strOld);
    int nKilledWhileWriting = 0;
    for (int nTry = 0; nTry < 10 && nKilledWhileWriting < 3; ++nTry) {
        CCalcProcess writer(PiAppend(50, strLog), elsewhere.File("err"));
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!HasTheLogOpen(writer.Pid(), strLog) && std::chrono::steady_clock::now() < give_up) {
            int nStatus = 0;
            if (::waitpid(writer.Pid(), &nStatus, WNOHANG) != 0) {
                break; // done before it was caught; try again
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (::kill(writer.Pid(), SIGKILL) == 0 && writer.Wait() == -1) {
            ++nKilledWhileWriting;
        }
        const std::string strAfter = ReadBytes(strLog);
        ASSERT_TRUE(strAfter.starts_with(strOld)) << "the old log was damaged";
        EXPECT_TRUE(strReport.starts_with(strAfter.substr(strOld.size())));
        EXPECT_EQ(LeftoverTemporaries(folder.Path()), std::vector<std::string>{});
        WriteBytes(strLog, strOld);
    }
    EXPECT_GT(nKilledWhileWriting, 0) << "never caught a writer in the act";
}

// An append to a log keeps the file itself: its inode, so every other name
// of it (a hard link) shows the report too, and its mode.
TEST(AppendProcesses, AppendKeepsTheFileAndItsOtherNames) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    const std::string strOther = folder.File("other-name.txt");
    WriteBytes(strLog, "old\r\n");
    ::chmod(strLog.c_str(), 0604);
    ASSERT_EQ(::link(strLog.c_str(), strOther.c_str()), 0);
    struct stat before {};
    ASSERT_EQ(::stat(strLog.c_str(), &before), 0);
    CCalcProcess writer(PiAppend(50, strLog), folder.File("err"));
    ASSERT_EQ(writer.Wait(), 0) << ReadBytes(folder.File("err"));
    struct stat after {};
    ASSERT_EQ(::stat(strLog.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(after.st_mode & 07777, 0604u);
    EXPECT_EQ(ReadBytes(strOther), "old\r\n" + PiReportCp932(50));
}

// On a file system whose locks do not work (every flock answers ENOLCK),
// appends go on without the lock, new log and existing alike, each saying so
// once and naming the file system.
TEST(AppendProcesses, FileSystemWithoutLocksIsWrittenWithAWarning) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    const std::vector<std::string> noLocks{std::string("LD_PRELOAD=") + VANTIX_NOLOCK_PRELOAD,
                                           "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"};
    for (const int nImpedance : {50, 75}) {
        CCalcProcess writer(PiAppend(nImpedance, strLog), folder.File("err"), noLocks);
        EXPECT_EQ(writer.Wait(), 0) << ReadBytes(folder.File("err"));
        const std::string strErr = ReadBytes(folder.File("err"));
        EXPECT_NE(strErr.find("ロックせずに書き込みます"), std::string::npos) << strErr;
        EXPECT_NE(strErr.find(strLog), std::string::npos) << strErr;
        const std::string strType = FileSystemTypeOf(strLog);
        EXPECT_FALSE(strType.empty());
        EXPECT_NE(strErr.find("（" + strType + "）"), std::string::npos) << strErr;
        EXPECT_EQ(strErr.find("ファイルは変更していません"), std::string::npos) << strErr;
    }
    EXPECT_EQ(ReadBytes(strLog), PiReportCp932(50) + PiReportCp932(75));
}

TEST(AppendProcesses, FullDiskFailsNamingTheCause) {
    CTempFolder folder;
    const std::string strMount = folder.File("small");
    std::filesystem::create_directory(strMount);
    CSmallTmpfs tmpfs(strMount, "64k");
    if (!tmpfs.IsMounted()) {
        GTEST_SKIP() << tmpfs.WhyNot();
    }
    const std::string strLog = strMount + "/log.txt";
    // The old log takes all of the disk: not one more byte fits.
    const std::string strOld = OldLog(64 * 1024).substr(0, 64 * 1024);
    WriteBytes(strLog, strOld);
    ASSERT_EQ(ReadBytes(strLog), strOld);
    CCalcProcess writer(PiAppend(50, strLog), folder.File("err"));
    EXPECT_EQ(writer.Wait(), 1);
    const std::string strErr = ReadBytes(folder.File("err"));
    EXPECT_NE(strErr.find(strLog), std::string::npos) << strErr;
    EXPECT_NE(strErr.find("ディスクの空き容量がありません"), std::string::npos) << strErr;
    EXPECT_TRUE(ReadBytes(strLog) == strOld);
    EXPECT_TRUE(LeftoverTemporaries(strMount).empty());
}

} // namespace
