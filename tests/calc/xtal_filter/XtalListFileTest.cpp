#include "calc/xtal_filter/XtalListFile.h"

#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// Whatever the list is made of, the reader either gives text or refuses with
// a message naming the file and the reason; it never blocks on a pipe it may
// not read, and never reads without end.
TEST(XtalListFile, ReadsTextFilesAndRefusesEverythingElseByName) {
    CTempFolder folder;
    const struct {
        const char* pszName;
        std::string bytes;
        const char* pszText;  // nullptr: refused
        const char* pszError; // part of the message when refused
    } cases[] = {
        {"plain.txt", "10.0001\n10.00012\n", "10.0001\n10.00012\n", ""},
        {"bom.txt",
         "\xEF\xBB\xBF"
         "10.1\n",
         "10.1\n", ""},
        {"sjis.csv", "\x94\xd4\x8d\x86,1\n", "番号,1\n", ""},
        {"nul.txt", std::string("10.1\n\0\n", 7), nullptr, "6 バイト目"},
        {"utf16.txt",
         std::string("\xFF\xFE"
                     "1\0"
                     "0\0",
                     6),
         nullptr, "テキストファイルではありません"},
        {"huge.txt", std::string(kXtalListMaxBytes + 1, '\n'), nullptr, "大きすぎます"},
        {"limit.txt", std::string(kXtalListMaxBytes, '\n'), "", ""},
    };
    for (const auto& c : cases) {
        WriteBytes(folder.File(c.pszName), c.bytes);
        std::string strText;
        std::string strError;
        const bool bRead = ReadXtalListFile(folder.File(c.pszName), c.pszName,
                                            EXtalListSource::FilesOnly, strText, strError);
        EXPECT_EQ(bRead, c.pszText != nullptr) << c.pszName << ": " << strError;
        if (c.pszText != nullptr && *c.pszText != '\0') {
            EXPECT_EQ(strText, c.pszText) << c.pszName;
        } else if (c.pszText == nullptr) {
            EXPECT_NE(strError.find(c.pszName), std::string::npos) << strError;
            EXPECT_NE(strError.find(c.pszError), std::string::npos) << strError;
        }
    }

    // Things that are not files: a folder, a device that never ends, a
    // socket, a missing path, and a pipe where only files are taken.
    const std::string strFifo = folder.File("fifo");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    const std::string strSocket = folder.File("sock");
    const int nSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    strSocket.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const struct {
        std::string strPath;
        const char* pszError;
    } refused[] = {
        {folder.File(""), "フォルダー"},
        {"/dev/zero", "通常のファイルではありません"},
        {strSocket, "通常のファイルではありません"},
        {folder.File("missing.txt"), "見つかりません"},
        {strFifo, "名前付きパイプ"},
    };
    for (const auto& r : refused) {
        std::string strText;
        std::string strError;
        EXPECT_FALSE(
            ReadXtalListFile(r.strPath, "名前", EXtalListSource::FilesOnly, strText, strError))
            << r.strPath;
        EXPECT_NE(strError.find("名前"), std::string::npos) << strError;
        EXPECT_NE(strError.find(r.pszError), std::string::npos) << r.strPath << ": " << strError;
    }
    ::close(nSocket);

    // The command line reads a pipe to its end.
    std::thread writer([&] {
        const int nFd = ::open(strFifo.c_str(), O_WRONLY);
        ASSERT_GE(nFd, 0);
        ASSERT_EQ(::write(nFd, "10.1\n10.2\n", 10), 10);
        ::close(nFd);
    });
    std::string strText;
    std::string strError;
    EXPECT_TRUE(
        ReadXtalListFile(strFifo, "fifo", EXtalListSource::FilesAndPipes, strText, strError))
        << strError;
    writer.join();
    EXPECT_EQ(strText, "10.1\n10.2\n");
}

} // namespace
