#include "text/LogLock.h"

#include "text/FileIdentity.h"
#include "text/FileSystem.h"
#include "text/LogFile.h"
#include "text/SmallTmpfs.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

namespace {

// flock locks belong to the open file, so two CLogLocks in one process
// exclude each other just as two processes do.
class LogLockTest : public ::testing::Test {
protected:
    CTempFolder m_folder;
    std::string m_strLog = m_folder.File("log.txt");
    std::string m_strError;
};

// The file system named in the lock-less warning is the one the log is on,
// however its mount point is written in the mount table.
TEST_F(LogLockTest, FileSystemTypeIsTheMountTheLogIsOn) {
    EXPECT_EQ(FileSystemTypeOf("/proc/self/status"), "proc");
    EXPECT_FALSE(FileSystemTypeOf(m_strLog).empty()); // not made yet: its folder's
    const std::string strMount = m_folder.File("a folder\twith space");
    std::filesystem::create_directory(strMount);
    const CSmallTmpfs tmpfs(strMount, "64k");
    if (!tmpfs.IsMounted()) {
        GTEST_SKIP() << tmpfs.WhyNot();
    }
    WriteBytes(strMount + "/log.txt", "x");
    EXPECT_EQ(FileSystemTypeOf(strMount + "/log.txt"), "tmpfs");
    EXPECT_EQ(FileSystemTypeOf(strMount), "tmpfs");
}

TEST_F(LogLockTest, SecondWriterTimesOutNamingTheLog) {
    WriteBytes(m_strLog, "old");
    CLogLock holder;
    ASSERT_TRUE(holder.Acquire(m_strLog, 0, m_strError)) << m_strError;
    EXPECT_TRUE(holder.IsHeld());

    CLogLock waiter;
    EXPECT_FALSE(waiter.Acquire(m_strLog, 100, m_strError));
    EXPECT_FALSE(waiter.IsHeld());
    EXPECT_NE(m_strError.find(m_strLog), std::string::npos) << m_strError;
    EXPECT_NE(m_strError.find("他のプログラムが書き込み中"), std::string::npos) << m_strError;

    holder.Release();
    EXPECT_FALSE(holder.IsHeld());
    EXPECT_TRUE(waiter.Acquire(m_strLog, 0, m_strError)) << m_strError;
}

TEST_F(LogLockTest, WaiterGetsTheLogThatReplacedTheOneItWaitedFor) {
    WriteBytes(m_strLog, "old");
    CLogLock holder;
    ASSERT_TRUE(holder.Acquire(m_strLog, 0, m_strError));
    auto waited = std::async(std::launch::async, [&] {
        CLogLock waiter;
        std::string strError;
        const bool bHeld = waiter.Acquire(m_strLog, 5000, strError);
        // While the waiter holds it, the log as it is now must be locked.
        CLogLock third;
        std::string strIgnored;
        const bool bThird = third.Acquire(m_strLog, 0, strIgnored);
        return bHeld && !bThird;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const CFileIdentity before = FileIdentityOf(m_strLog);
    ASSERT_TRUE(WriteFileAtomically(m_strLog, "new", m_strError)) << m_strError;
    EXPECT_NE(FileIdentityOf(m_strLog).nInode, before.nInode);
    holder.Release();
    EXPECT_TRUE(waited.get());
}

TEST_F(LogLockTest, MissingLogIsLockedUntilItsFirstWriterMadeIt) {
    CLogLock first;
    ASSERT_TRUE(first.Acquire(m_strLog, 0, m_strError)) << m_strError;
    EXPECT_TRUE(first.IsHeld());
    CLogLock second;
    EXPECT_FALSE(second.Acquire(m_strLog, 0, m_strError));
    ASSERT_TRUE(WriteFileAtomically(m_strLog, "made", m_strError)) << m_strError;
    first.Release();
    ASSERT_TRUE(second.Acquire(m_strLog, 0, m_strError)) << m_strError;
    // Now the file itself is what is locked.
    CLogLock third;
    EXPECT_FALSE(third.Acquire(m_strLog, 0, m_strError));
}

TEST_F(LogLockTest, UnreachableFolderFailsAtOnce) {
    const std::string strFile = m_folder.File("plain");
    WriteBytes(strFile, "x");
    const std::string strLog = strFile + "/log.txt";
    CLogLock lock;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(lock.Acquire(strLog, 5000, m_strError));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)); // no waiting
    EXPECT_NE(m_strError.find(strLog), std::string::npos) << m_strError;
}

TEST(FileIdentityTest, TellsARewriteFromAnUntouchedFile) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    EXPECT_FALSE(FileIdentityOf(strLog).bExists);
    WriteBytes(strLog, "abc");
    const CFileIdentity first = FileIdentityOf(strLog);
    EXPECT_TRUE(first.bExists);
    EXPECT_EQ(first.nSize, 3);
    EXPECT_EQ(FileIdentityOf(strLog), first);
    // Same size, possibly the same mtime: the inode still tells.
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically(strLog, "xyz", strError)) << strError;
    EXPECT_NE(FileIdentityOf(strLog), first);
}

} // namespace
