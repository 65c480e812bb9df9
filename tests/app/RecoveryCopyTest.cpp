#include "app/RecoveryCopy.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class CRecoveryCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Folder() const { return m_dir.filePath(QStringLiteral("recovery")); }

    std::unique_ptr<CRecoveryCopy> MakeCopy() {
        auto pCopy = std::make_unique<CRecoveryCopy>(
            Folder(), [this](QString& strText, CRecoveryCopy::CLog& log) {
                strText = m_strText;
                log = m_log;
                return m_bUnsaved;
            });
        pCopy->SetDelays(50, 400);
        return pCopy;
    }

    QStringList FilesInFolder() const {
        return QDir(Folder()).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_dir;
    QString m_strText = QStringLiteral("入力中の行\nabc");
    bool m_bUnsaved = true;
    CRecoveryCopy::CLog m_log;
};

TEST_F(CRecoveryCopyTest, WrittenAfterTheQuietDelayAndReadBackExactly) {
    auto pCopy = MakeCopy();
    m_log.strPath = QStringLiteral("/logs/名前\n改行.txt");
    m_log.format.eEncoding = ELogEncoding::Utf8Bom;
    m_log.format.eLineEnds = ELineEnds::Lf;
    m_log.basedOn = {true, 2049, 1234567, 4096, 1796791867123456789LL};
    pCopy->TextChanged();
    EXPECT_FALSE(QFile::exists(pCopy->CopyPath()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(pCopy->CopyPath()); }, 2000));

    // What a later start finds once this program has gone.
    m_strText += QStringLiteral("\n\n最後の行 \u00A0\t");
    pCopy->TextChanged();
    QString strError;
    ASSERT_TRUE(pCopy->WriteNow(strError)) << strError.toStdString();
    const QString strCopyPath = pCopy->CopyPath();
    pCopy.reset();
    const std::vector<CRecoveryCopy::CInfo> found = CRecoveryCopy::FindAbandoned(Folder());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].strCopyPath, strCopyPath);
    EXPECT_EQ(found[0].log.strPath, m_log.strPath);
    EXPECT_EQ(found[0].log.format.eEncoding, ELogEncoding::Utf8Bom);
    EXPECT_EQ(found[0].log.format.eLineEnds, ELineEnds::Lf);
    EXPECT_EQ(found[0].log.basedOn, m_log.basedOn);
    QString strText;
    ASSERT_TRUE(CRecoveryCopy::ReadText(found[0], strText, strError));
    EXPECT_EQ(strText, m_strText);
}

TEST_F(CRecoveryCopyTest, SteadyTypingIsWrittenByTheLatestDelay) {
    auto pCopy = MakeCopy();
    QElapsedTimer typing;
    typing.start();
    while (typing.elapsed() < 1000 && pCopy->CopyPath().isEmpty()) {
        pCopy->TextChanged(); // a key every 20 ms never lets the quiet delay pass
        QTest::qWait(20);
    }
    EXPECT_FALSE(pCopy->CopyPath().isEmpty());
    EXPECT_TRUE(QFile::exists(pCopy->CopyPath()));
}

TEST_F(CRecoveryCopyTest, CopiesOfRunningWindowsAreNotOffered) {
    auto pRunning = MakeCopy();
    pRunning->TextChanged();
    QString strError;
    ASSERT_TRUE(pRunning->WriteNow(strError));
    EXPECT_TRUE(CRecoveryCopy::FindAbandoned(Folder()).empty());
    // Not even to a second window of the same program.
    auto pOther = MakeCopy();
    pOther->TextChanged();
    ASSERT_TRUE(pOther->WriteNow(strError));
    EXPECT_TRUE(CRecoveryCopy::FindAbandoned(Folder()).empty());
}

TEST_F(CRecoveryCopyTest, NothingIsWrittenWithoutAnUnsavedChange) {
    auto pCopy = MakeCopy();
    QString strError;
    EXPECT_TRUE(pCopy->WriteNow(strError)); // no change reported
    EXPECT_TRUE(pCopy->CopyPath().isEmpty());

    // A change that is no longer unsaved when the copy is due (undone, or
    // the log replaced) removes the copy instead.
    pCopy->TextChanged();
    ASSERT_TRUE(pCopy->WriteNow(strError));
    ASSERT_TRUE(QFile::exists(pCopy->CopyPath()));
    m_bUnsaved = false;
    pCopy->TextChanged();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(pCopy->CopyPath()); }, 2000));
    pCopy.reset();
    EXPECT_TRUE(FilesInFolder().isEmpty()) << FilesInFolder().join(' ').toStdString();
}

TEST_F(CRecoveryCopyTest, AdoptedCopyBecomesThisWindowsAndIsNotOfferedAgain) {
    auto pGone = MakeCopy();
    pGone->TextChanged();
    QString strError;
    ASSERT_TRUE(pGone->WriteNow(strError));
    pGone.reset();
    const std::vector<CRecoveryCopy::CInfo> found = CRecoveryCopy::FindAbandoned(Folder());
    ASSERT_EQ(found.size(), 1u);

    auto pNew = MakeCopy();
    ASSERT_TRUE(pNew->Adopt(found[0]));
    EXPECT_TRUE(QFile::exists(pNew->CopyPath()));
    EXPECT_FALSE(QFile::exists(found[0].strCopyPath));
    EXPECT_TRUE(CRecoveryCopy::FindAbandoned(Folder()).empty());
    pNew->Discard();
    pNew.reset();
    EXPECT_TRUE(FilesInFolder().isEmpty()) << FilesInFolder().join(' ').toStdString();
}

// Windows of one program may start their copies within one millisecond.
TEST_F(CRecoveryCopyTest, CopiesStartedTogetherEachGetTheirOwnFiles) {
    std::vector<std::unique_ptr<CRecoveryCopy>> copies;
    QString strError;
    for (int n = 0; n < 20; ++n) {
        copies.push_back(MakeCopy());
        copies.back()->TextChanged();
        ASSERT_TRUE(copies.back()->WriteNow(strError)) << n << " " << strError.toStdString();
    }
    EXPECT_EQ(FilesInFolder().size(), 40u); // a copy and a lock each
}

TEST_F(CRecoveryCopyTest, EndingLeavesTheCopyOrNothingAndOldLocksAreSweptAway) {
    // One window ends with unsaved text, one with none, one is still running.
    auto pUnsaved = MakeCopy();
    auto pSaved = MakeCopy();
    auto pRunning = MakeCopy();
    QString strError;
    pUnsaved->TextChanged();
    ASSERT_TRUE(pUnsaved->WriteBeforeTheEnd(strError));
    pSaved->TextChanged();
    ASSERT_TRUE(pSaved->WriteNow(strError));
    pSaved->Discard();
    ASSERT_TRUE(pSaved->WriteBeforeTheEnd(strError));
    EXPECT_EQ(FilesInFolder().size(), 2u); // the unsaved window's copy and lock
    pRunning->TextChanged();
    ASSERT_TRUE(pRunning->WriteNow(strError));

    // A lock left by a window killed outright, with no copy, goes at the
    // next first copy; the locks of copies stay.
    {
        QFile stale(QDir(Folder()).filePath(QStringLiteral("1-1.lock")));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    auto pNext = MakeCopy();
    pNext->TextChanged();
    ASSERT_TRUE(pNext->WriteNow(strError));
    EXPECT_FALSE(QFile::exists(QDir(Folder()).filePath(QStringLiteral("1-1.lock"))));
    EXPECT_EQ(FilesInFolder().size(), 6u) << FilesInFolder().join(' ').toStdString();
}

} // namespace

namespace {

// A big log's copy is written by a worker: the due copy leaves the window
// at once with the text taken; a change made meanwhile keeps the copy due;
// dropping the changes meanwhile leaves no copy.
TEST_F(CRecoveryCopyTest, BigLogsAreCopiedByAWorker) {
    m_strText = QString(CRecoveryCopy::kBackgroundChars + 10, QLatin1Char('x'));
    for (const char* pszCase : {"written", "changed meanwhile", "dropped meanwhile"}) {
        SCOPED_TRACE(pszCase);
        auto pCopy = MakeCopy();
        pCopy->SetDelays(0, 0);
        pCopy->TextChanged();
        QCoreApplication::processEvents(); // the copy falls due
        ASSERT_TRUE(pCopy->IsWriting());
        const std::string strCase = pszCase;
        if (strCase == "changed meanwhile") {
            m_strText += QStringLiteral("y");
            pCopy->TextChanged();
        } else if (strCase == "dropped meanwhile") {
            pCopy->Discard();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pCopy->IsWriting(); }, 10000));
        QCoreApplication::processEvents();
        if (strCase == "dropped meanwhile") {
            EXPECT_FALSE(QFile::exists(pCopy->CopyPath()));
            continue;
        }
        // The last text reaches the copy (a change made while the worker
        // wrote must not count as copied).
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pCopy->HasPendingChange(); }, 10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pCopy->IsWriting(); }, 10000));
        const QString strCopyPath = pCopy->CopyPath();
        pCopy.reset();
        const std::vector<CRecoveryCopy::CInfo> found = CRecoveryCopy::FindAbandoned(Folder());
        ASSERT_EQ(found.size(), 1u);
        QString strText;
        QString strError;
        ASSERT_TRUE(CRecoveryCopy::ReadText(found[0], strText, strError));
        EXPECT_EQ(strText, m_strText);
        CRecoveryCopy::RemoveAbandoned(found[0]);
    }
}

} // namespace
