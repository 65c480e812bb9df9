#include "text/TemporaryFile.h"

#include "text/LogFile.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::set<std::string> NamesIn(const std::string& strFolder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(strFolder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class TemporaryFileTest : public ::testing::TestWithParam<bool> {
protected:
    CTempFolder m_folder;
};

// Unnamed (O_TMPFILE) and named (where the file system lacks it) alike: the
// target is replaced whole, and no temporary outlives its object.
TEST_P(TemporaryFileTest, ReplacesTheTargetOrLeavesNothing) {
    const bool bUnnamed = GetParam();
    const std::string strTarget = m_folder.File("log.txt");
    for (const bool bTargetExists : {false, true}) {
        int nErrno = 0;
        CTemporaryFile temporary;
        ASSERT_TRUE(temporary.Create(m_folder.Path(), 0640, nErrno, bUnnamed)) << nErrno;
        EXPECT_EQ(temporary.IsUnnamed(), bUnnamed);
        ASSERT_TRUE(temporary.Write(bTargetExists ? "second" : "first", nErrno)) << nErrno;
        const std::size_t nWhileWriting = NamesIn(m_folder.Path()).size();
        EXPECT_EQ(nWhileWriting, (bUnnamed ? 0u : 1u) + (bTargetExists ? 1u : 0u));
        ASSERT_TRUE(temporary.ReplaceTarget(strTarget, nErrno)) << nErrno;
        EXPECT_EQ(NamesIn(m_folder.Path()), std::set<std::string>{"log.txt"});
    }
    EXPECT_EQ(ReadBytes(strTarget), "second");
    struct stat info {};
    ASSERT_EQ(::stat(strTarget.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    {
        int nErrno = 0;
        CTemporaryFile abandoned;
        ASSERT_TRUE(abandoned.Create(m_folder.Path(), 0644, nErrno, bUnnamed));
        ASSERT_TRUE(abandoned.Write("never used", nErrno));
    }
    EXPECT_EQ(NamesIn(m_folder.Path()), std::set<std::string>{"log.txt"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, TemporaryFileTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

void MakeOld(const std::string& strPath) {
    const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 120, 0}};
    ::utimensat(AT_FDCWD, strPath.c_str(), times, 0);
}

TEST(StaleTemporaries, OnlyOrphansOfOursAreRemoved) {
    CTempFolder folder;
    const auto make = [&](const char* pszName, bool bOld) {
        WriteBytes(folder.File(pszName), "x");
        if (bOld) {
            MakeOld(folder.File(pszName));
        }
    };
    make(".vantix-write-aB3dE9fG7hJ2.tmp", true);  // a killed writer's: removed
    make(".vantix-write-Qq1Ww2Ee3Rr4.tmp", false); // just made, maybe not yet locked: kept
    make(".vantix-write-Zz9Yy8Xx7Ww6.tmp", true);  // its writer lives and holds it: kept
    make(".vantix-write-Ll1Kk2Jj3Hh4.tmp", true);  // another name links to it: kept
    ASSERT_EQ(::link(folder.File(".vantix-write-Ll1Kk2Jj3Hh4.tmp").c_str(),
                     folder.File("notes.txt").c_str()),
              0);
    // Names users give their own files, however close to ours: kept.
    make(".vantix-backup", true);
    make(".vantix-aB3dE9", true);
    make(".vantix-write-notes.tmp", true);
    make("log.txt", true);
    std::filesystem::create_directory(folder.File(".vantix-write-Dd4Ee5Ff6Gg7.tmp"));
    MakeOld(folder.File(".vantix-write-Dd4Ee5Ff6Gg7.tmp"));
    std::set<std::string> kept = {".vantix-write-Qq1Ww2Ee3Rr4.tmp",
                                  ".vantix-write-Zz9Yy8Xx7Ww6.tmp",
                                  ".vantix-write-Ll1Kk2Jj3Hh4.tmp",
                                  "notes.txt",
                                  ".vantix-backup",
                                  ".vantix-aB3dE9",
                                  ".vantix-write-notes.tmp",
                                  ".vantix-write-Dd4Ee5Ff6Gg7.tmp",
                                  "log.txt"};
    if (::geteuid() == 0) {
        // Another user's file of our name is theirs to remove.
        make(".vantix-write-Mm5Nn6Bb7Vv8.tmp", false);
        ASSERT_EQ(::chown(folder.File(".vantix-write-Mm5Nn6Bb7Vv8.tmp").c_str(), 65534, 65534), 0);
        MakeOld(folder.File(".vantix-write-Mm5Nn6Bb7Vv8.tmp"));
        kept.insert(".vantix-write-Mm5Nn6Bb7Vv8.tmp");
    }
    const int fdLive =
        ::open(folder.File(".vantix-write-Zz9Yy8Xx7Ww6.tmp").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fdLive, LOCK_EX), 0);

    // Any write in the folder tidies it.
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically(folder.File("log.txt"), "new", strError)) << strError;
    ::close(fdLive);
    EXPECT_EQ(NamesIn(folder.Path()), kept);
}

} // namespace
