#include "text/LogFile.h"

#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

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

TEST_F(LogFileTest, AtomicWriteThroughSymlinkKeepsTheLink) {
    const std::string strTarget = m_folder.File("real.txt");
    const std::string strLink = m_folder.File("link.txt");
    WriteBytes(strTarget, "old");
    std::filesystem::create_symlink(strTarget, strLink);
    ASSERT_TRUE(WriteFileAtomically(strLink, "new", m_strError)) << m_strError;
    EXPECT_TRUE(std::filesystem::is_symlink(strLink));
    EXPECT_EQ(ReadBytes(strTarget), "new");
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
