#include "app/CommandLineInfo.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct CCommandLineCase {
    QStringList arguments;
    CCommandLineInfo::EShellCommand eCommand;
    const char* pszFile;
    const char* pszPdf;
};

class CCommandLineInfoTest : public ::testing::TestWithParam<CCommandLineCase> {};

TEST_P(CCommandLineInfoTest, Parses) {
    const CCommandLineCase& c = GetParam();
    const CCommandLineInfo info = CCommandLineInfo::Parse(c.arguments);
    EXPECT_EQ(info.eCommand, c.eCommand) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(info.strFileName, QString::fromUtf8(c.pszFile));
    EXPECT_EQ(info.strPdfName, QString::fromUtf8(c.pszPdf));
    EXPECT_EQ(info.strError.isEmpty(), c.eCommand != CCommandLineInfo::Invalid);
}

using C = CCommandLineInfo;
INSTANTIATE_TEST_SUITE_P(
    Arguments, CCommandLineInfoTest,
    ::testing::Values(
        CCommandLineCase{{}, C::FileNew, "", ""},
        CCommandLineCase{{"log.txt"}, C::FileOpen, "log.txt", ""},
        CCommandLineCase{{"ログ 1.txt"}, C::FileOpen, "ログ 1.txt", ""},
        CCommandLineCase{{"-p", "log.txt"}, C::FilePrint, "log.txt", ""},
        CCommandLineCase{{"--print", "log.txt"}, C::FilePrint, "log.txt", ""},
        CCommandLineCase{{"-h"}, C::ShowHelp, "", ""},
        CCommandLineCase{{"log.txt", "-p"}, C::FilePrint, "log.txt", ""},
        CCommandLineCase{
            {"--print-to-pdf", "out.pdf", "log.txt"}, C::FilePrintToPdf, "log.txt", "out.pdf"},
        CCommandLineCase{{"--", "-p"}, C::FileOpen, "-p", ""},
        CCommandLineCase{{"--version"}, C::ShowVersion, "", ""},
        CCommandLineCase{{"--help"}, C::ShowHelp, "", ""},
        CCommandLineCase{{"-p"}, C::Invalid, "", ""},
        CCommandLineCase{{"--print-to-pdf"}, C::Invalid, "", ""},
        CCommandLineCase{{"--print-to-pdf", "out.pdf"}, C::Invalid, "", "out.pdf"},
        CCommandLineCase{{"-p", "--print-to-pdf", "o.pdf", "a.txt"}, C::Invalid, "", "o.pdf"},
        CCommandLineCase{{"a.txt", "b.txt"}, C::Invalid, "", ""},
        CCommandLineCase{{"--frobnicate"}, C::Invalid, "", ""}));

// Every option the parser takes is in the usage text.
TEST(CommandLineInfo, UsageNamesEveryOption) {
    const QString strUsage = CCommandLineInfo::UsageText();
    for (const char* pszOption :
         {"-p ", "--print ", "--print-to-pdf ", "--version", "-h ", "--help", "-- "}) {
        EXPECT_TRUE(strUsage.contains(QString::fromLatin1(pszOption))) << pszOption;
        if (std::string_view(pszOption) != "-- ") {
            EXPECT_NE(CCommandLineInfo::Parse({QString::fromLatin1(pszOption).trimmed(), "a.txt"})
                          .strError,
                      QStringLiteral("不明なオプションです: %1")
                          .arg(QString::fromLatin1(pszOption).trimmed()));
        }
    }
}

} // namespace
