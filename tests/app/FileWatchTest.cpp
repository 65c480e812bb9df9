#include "app/FileWatch.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace {

void WriteBytes(const QString& strPath, const std::string& bytes) {
    std::ofstream out(strPath.toStdString(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

CFileIdentity IdentityOf(const QString& strPath) {
    return FileIdentityOf(QFile::encodeName(strPath).toStdString());
}

class CFileWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_strLog = m_dir.filePath(QStringLiteral("log.txt"));
        WriteBytes(m_strLog, "first\r\n");
        m_watch.Watch(m_strLog, IdentityOf(m_strLog));
    }

    // Waits for the reports, and makes sure no more come.
    static bool Reported(QSignalSpy& spy, int nCount) {
        static_cast<void>(QTest::qWaitFor([&] { return spy.count() >= nCount; }, 3000));
        QTest::qWait(300);
        return spy.count() == nCount;
    }

    QTemporaryDir m_dir;
    QString m_strLog;
    CFileWatch m_watch;
};

struct CChangeCase {
    const char* pszName;
    std::function<void(const QString& strLog, const QString& strFolder)> change;
};

class CFileWatchChangeTest : public CFileWatchTest,
                             public ::testing::WithParamInterface<CChangeCase> {};

TEST_P(CFileWatchChangeTest, IsReportedOnceAndTheWatchGoesOn) {
    QSignalSpy spy(&m_watch, &CFileWatch::Changed);
    GetParam().change(m_strLog, m_dir.path());
    EXPECT_TRUE(Reported(spy, 1));
    EXPECT_TRUE(m_watch.HasChanged());

    // Whatever happened to the old inode, a later change under the same
    // name is seen too.
    WriteBytes(m_strLog, "again, longer than before\r\n");
    EXPECT_TRUE(Reported(spy, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CFileWatchChangeTest,
    ::testing::Values(
        CChangeCase{"WrittenInPlace",
                    [](const QString& strLog, const QString&) {
                        WriteBytes(strLog, "first\r\nappended\r\n");
                    }},
        CChangeCase{"ReplacedByRename",
                    [](const QString& strLog, const QString& strFolder) {
                        const QString strTemp = strFolder + QStringLiteral("/.tmp");
                        WriteBytes(strTemp, "first\r\nreplaced\r\n");
                        ASSERT_EQ(::rename(QFile::encodeName(strTemp).constData(),
                                           QFile::encodeName(strLog).constData()),
                                  0);
                    }},
        // An edit of the same size whose mtime is then set back (touch -r).
        CChangeCase{"SameSizeWithTheMtimeSetBack",
                    [](const QString& strLog, const QString&) {
                        const QByteArray path = QFile::encodeName(strLog);
                        struct stat before {};
                        ASSERT_EQ(::stat(path.constData(), &before), 0);
                        QTest::qWait(20); // past the file system's clock tick
                        WriteBytes(strLog, "FIRST\r\n");
                        const timespec times[2] = {before.st_atim, before.st_mtim};
                        ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
                    }},
        CChangeCase{"Deleted", [](const QString& strLog,
                                  const QString&) { ASSERT_TRUE(QFile::remove(strLog)); }},
        CChangeCase{"RenamedAway",
                    [](const QString& strLog, const QString& strFolder) {
                        ASSERT_TRUE(QFile::rename(strLog, strFolder + QStringLiteral("/old.txt")));
                    }}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(CFileWatchTest, OwnWriteRecordedAfterwardsIsNoChange) {
    QSignalSpy spy(&m_watch, &CFileWatch::Changed);
    WriteBytes(m_strLog, "saved by us\r\n");
    m_watch.Watch(m_strLog, IdentityOf(m_strLog));
    EXPECT_TRUE(Reported(spy, 0));
    EXPECT_FALSE(m_watch.HasChanged());
}

TEST_F(CFileWatchTest, ChangeBeforeTheWatchWasSetIsFound) {
    // Identity taken, then the file changes before the watch exists.
    const CFileIdentity before = IdentityOf(m_strLog);
    WriteBytes(m_strLog, "changed meanwhile, longer\r\n");
    QSignalSpy spy(&m_watch, &CFileWatch::Changed);
    m_watch.Watch(m_strLog, before);
    EXPECT_TRUE(Reported(spy, 1));
}

} // namespace
