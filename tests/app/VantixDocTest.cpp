#include "ShellTestSupport.h"

#include "app/VantixDoc.h"
#include "app/VantixView.h"

#include <QDir>
#include <QFile>
#include <QTextCursor>

#include <sys/stat.h>

namespace {

// "***** テスト *****" and a line with Ω, in CP932.
const std::string kSjisTitle = "***** \x83\x65\x83\x58\x83\x67 *****";
const std::string kSjisOhm = "50.0\x83\xB6";

std::string Utf8(const char8_t* psz) {
    return std::string(reinterpret_cast<const char*>(psz));
}

class CLogFileTest : public CShellTest {
protected:
    CVantixDoc* Doc() const { return m_pFrame->GetDocument(); }
    CVantixView* View() const { return m_pFrame->GetView(); }
};

struct CRoundTripCase {
    const char* pszName;
    std::string bytes;
    ELogEncoding eEncoding;
    ELineEnds eLineEnds;
};

class CRoundTripTest : public CLogFileTest, public ::testing::WithParamInterface<CRoundTripCase> {};

TEST_P(CRoundTripTest, OpenAndSaveGiveTheSameBytes) {
    const CRoundTripCase& c = GetParam();
    const QString strIn = Path("in.txt");
    const QString strOut = Path("out.txt");
    WriteBytes(strIn, c.bytes);
    ASSERT_TRUE(Doc()->OnOpenDocument(strIn)) << LastMessage().toStdString();
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetFormat().eEncoding, c.eEncoding);
    EXPECT_EQ(Doc()->GetFormat().eLineEnds, c.eLineEnds);
    ASSERT_TRUE(Doc()->OnSaveDocument(strOut)) << LastMessage().toStdString();
    EXPECT_EQ(ReadBytes(strOut), c.bytes);
    // Saving over the file itself changes nothing either.
    ASSERT_TRUE(Doc()->OnSaveDocument(strIn));
    EXPECT_EQ(ReadBytes(strIn), c.bytes);
    EXPECT_TRUE(m_messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, CRoundTripTest,
    ::testing::Values(
        CRoundTripCase{"CrLf", kSjisTitle + "\r\n" + kSjisOhm + "\r\n\r\n", ELogEncoding::ShiftJis,
                       ELineEnds::CrLf},
        CRoundTripCase{"LfOnly", kSjisTitle + "\n" + kSjisOhm + "\n", ELogEncoding::ShiftJis,
                       ELineEnds::Lf},
        CRoundTripCase{"NoFinalLineEnd", kSjisTitle + "\r\n" + kSjisOhm, ELogEncoding::ShiftJis,
                       ELineEnds::CrLf},
        CRoundTripCase{"SingleLine", kSjisOhm, ELogEncoding::ShiftJis, ELineEnds::None},
        CRoundTripCase{"Empty", "", ELogEncoding::ShiftJis, ELineEnds::None},
        CRoundTripCase{"BlankLinesOnly", "\r\n\r\n\r\n", ELogEncoding::ShiftJis, ELineEnds::CrLf},
        CRoundTripCase{"TabsAndHalfWidthKana", "a\tb\r\n\xDA\xC3\xDE\xA8\r\n",
                       ELogEncoding::ShiftJis, ELineEnds::CrLf},
        CRoundTripCase{"Utf8", Utf8(u8"ラダー型フィルター\r\n５０Ω\r\n"), ELogEncoding::Utf8,
                       ELineEnds::CrLf},
        CRoundTripCase{"Utf8LfNoBreakSpace", Utf8(u8"µH\u00A0値\n한국\n"), ELogEncoding::Utf8,
                       ELineEnds::Lf},
        // Valid as Shift-JIS too ("萓｡譬ｼ 竄ｬ5"), but UTF-8 with non-ASCII bytes comes first.
        CRoundTripCase{"ValidAsBoth", Utf8(u8"価格 €5\r\n"), ELogEncoding::Utf8, ELineEnds::CrLf},
        // Characters with two Shift-JIS forms (IBM extension rows and their
        // NEC-selected twins) come back in the form they were read in.
        CRoundTripCase{"DuplicateForms", "\xED\x40\xFA\x5C\r\n\x87\x90\x81\xE0\xEE\xF9\r\n",
                       ELogEncoding::ShiftJis, ELineEnds::CrLf},
        CRoundTripCase{"Utf8Bom", "\xEF\xBB\xBF" + Utf8(u8"テスト\r\n"), ELogEncoding::Utf8Bom,
                       ELineEnds::CrLf}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(CLogFileTest, EditedLogWithDuplicateFormsIsWrittenAnew) {
    const QString strIn = Path("in.txt");
    WriteBytes(strIn, "\xFA\x5C\r\n");
    ASSERT_TRUE(Doc()->OnOpenDocument(strIn));
    View()->moveCursor(QTextCursor::End);
    View()->insertPlainText(QStringLiteral("x"));
    ASSERT_TRUE(Doc()->OnSaveDocument(strIn));
    std::string strExpected;
    CEncodeError error;
    ASSERT_TRUE(EncodeShiftJis(Doc()->SavedText(), strExpected, error));
    EXPECT_EQ(ReadBytes(strIn), strExpected);
    EXPECT_EQ(ReadBytes(strIn).substr(4), "x");
}

TEST_F(CLogFileTest, TenMegabyteLogRoundTrips) {
    std::string strLine = kSjisTitle + "  " + kSjisOhm + "  0123456789 ABCDEFGHIJ\r\n";
    std::string bytes;
    bytes.reserve(10 * 1024 * 1024 + strLine.size());
    while (bytes.size() < 10 * 1024 * 1024) {
        bytes += strLine;
    }
    bytes += "end without break";
    const QString strIn = Path("big.txt");
    WriteBytes(strIn, bytes);
    ASSERT_TRUE(Doc()->OnOpenDocument(strIn));
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("big-out.txt")));
    EXPECT_TRUE(ReadBytes(Path("big-out.txt")) == bytes);
}

TEST_F(CLogFileTest, MixedLineEndsOpenWithANoticeAndSaveAsCrLf) {
    const QString strIn = Path("mixed.txt");
    WriteBytes(strIn, "a\r\nb\nc\rd");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strIn));
    EXPECT_EQ(Doc()->GetFormat().eLineEnds, ELineEnds::Mixed);
    EXPECT_TRUE(Doc()->FormatNotice().contains(QStringLiteral("CR LF")));
    EXPECT_EQ(Doc()->SavedText(), "a\r\nb\r\nc\r\nd");
    ASSERT_TRUE(Doc()->OnSaveDocument(strIn));
    EXPECT_EQ(ReadBytes(strIn), "a\r\nb\r\nc\r\nd");
}

TEST_F(CLogFileTest, Utf8FileSaysSoInTheStatusBar) {
    WriteBytes(Path("u.txt"), Utf8(u8"ＶＦＯのタンク回路\r\n"));
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("u.txt")));
    EXPECT_TRUE(Doc()->FormatNotice().contains(QStringLiteral("UTF-8")));
}

struct CRefusedCase {
    const char* pszName;
    std::string bytes;
    const char* pszOffset; // the byte offset the message must name
};

class CRefusedFileTest : public CLogFileTest, public ::testing::WithParamInterface<CRefusedCase> {};

TEST_P(CRefusedFileTest, IsRefusedAndTheCurrentLogStays) {
    const CRefusedCase& c = GetParam();
    View()->setPlainText(QStringLiteral("今のログ"));
    Doc()->SetModifiedFlag(true);
    m_answers = {QMessageBox::No}; // do not save the current log first
    const QString strBefore = Doc()->GetPathName();
    WriteBytes(Path("bad.txt"), c.bytes);

    EXPECT_FALSE(m_pFrame->OpenDocumentFile(Path("bad.txt")));
    ASSERT_EQ(m_messages.size(), 2u); // the save prompt, then the refusal
    m_messages.erase(m_messages.begin());
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("%1 バイト目").arg(c.pszOffset)))
        << LastMessage().toStdString();
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("今のログ"));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), strBefore);
    EXPECT_FALSE(m_pFrame->GetRecentFiles().contains(QDir::cleanPath(Path("bad.txt"))));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CRefusedFileTest,
    ::testing::Values(CRefusedCase{"NulByte", std::string("abc\r\nd\0e", 8), "6"},
                      CRefusedCase{"NulInUtf8", Utf8(u8"テ") + std::string("\0", 1), "3"},
                      CRefusedCase{"CutLeadByte", "abc\x82", "3"},
                      CRefusedCase{"NeitherEncoding", "ab\x82\xA0\x85\x80\xFF", "4"},
                      CRefusedCase{"ParagraphSeparator", Utf8(u8"テスト\u2029x"), "9"},
                      CRefusedCase{"QtFrameMarker", "\xEF\xBB\xBF" + Utf8(u8"a\uFDD0"), "4"}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(CLogFileTest, UnreadableThingsAreRefusedWithAMessage) {
    ASSERT_EQ(::mkfifo(Path("pipe.txt").toLocal8Bit().constData(), 0600), 0);
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.txt"));
    for (const QString& strPath : {Path("nothing-here.txt"), Path("pipe.txt"), Path("folder.txt"),
                                   QStringLiteral("/dev/zero")}) {
        m_messages.clear();
        EXPECT_FALSE(Doc()->OnOpenDocument(strPath)); // must neither block nor read forever
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(LastMessage().contains(strPath)) << LastMessage().toStdString();
    }
}

struct CUnencodableCase {
    const char* pszName;
    const char8_t* pszText;
    int nLine;
    int nColumn;
};

class CUnencodableTest : public CLogFileTest,
                         public ::testing::WithParamInterface<CUnencodableCase> {};

TEST_P(CUnencodableTest, StopsTheSaveNamingLineAndColumn) {
    const CUnencodableCase& c = GetParam();
    const QString strPath = Path("log.txt");
    WriteBytes(strPath, "old bytes\r\n");
    ASSERT_TRUE(Doc()->OnOpenDocument(strPath));
    View()->setPlainText(QString::fromUtf8(Utf8(c.pszText)));
    Doc()->SetModifiedFlag(true);

    EXPECT_FALSE(m_pFrame->DoSave(strPath));
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("%1 行 %2 桁").arg(c.nLine).arg(c.nColumn)))
        << LastMessage().toStdString();
    EXPECT_EQ(ReadBytes(strPath), "old bytes\r\n");
    EXPECT_TRUE(Doc()->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Characters, CUnencodableTest,
                         ::testing::Values(CUnencodableCase{"Emoji", u8"abc\nde😀f", 2, 3},
                                           CUnencodableCase{"Micro", u8"10µH", 1, 3},
                                           CUnencodableCase{"Korean", u8"ok\n\n한", 3, 1},
                                           CUnencodableCase{"Yen", u8"価格¥", 1, 3},
                                           CUnencodableCase{"MathMinus", u8"x\n−5", 2, 1}),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(CLogFileTest, UnencodableLogCanBeSavedAsUtf8Instead) {
    const QString strPath = Path("sjis.txt");
    WriteBytes(strPath, "old\r\n");
    ASSERT_TRUE(Doc()->OnOpenDocument(strPath));
    Doc()->AppendReport(Utf8(u8"10µH\r\n"));

    m_answers = {QMessageBox::Yes};
    m_strNextFileName = Path("utf8.txt");
    ASSERT_TRUE(m_pFrame->DoSave(strPath));
    EXPECT_EQ(m_messages.front().buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(ReadBytes(strPath), "old\r\n");
    // With a byte-order mark, so that the file opens as UTF-8 again.
    EXPECT_EQ(ReadBytes(Path("utf8.txt")), "\xEF\xBB\xBFold\r\n" + Utf8(u8"10µH\r\n"));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), Path("utf8.txt"));
    EXPECT_EQ(Doc()->GetFormat().eEncoding, ELogEncoding::Utf8Bom);

    // Later saves stay UTF-8, without asking again.
    Doc()->AppendReport(Utf8(u8"한\r\n"));
    m_messages.clear();
    ASSERT_TRUE(m_pFrame->DoSave(Doc()->GetPathName()));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(ReadBytes(Path("utf8.txt")), "\xEF\xBB\xBFold\r\n" + Utf8(u8"10µH\r\n한\r\n"));
}

TEST_F(CLogFileTest, FailedWritesKeepTheLogModified) {
    const QString strFile = Path("plain.txt");
    WriteBytes(strFile, "x");
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.txt"));
    View()->setPlainText(QStringLiteral("レポート"));
    Doc()->SetModifiedFlag(true);

    ASSERT_EQ(::mkfifo(Path("pipe.txt").toLocal8Bit().constData(), 0600), 0);
    for (const QString& strTarget :
         {Path("folder.txt"), strFile + QStringLiteral("/log.txt"), Path("pipe.txt")}) {
        m_messages.clear();
        EXPECT_FALSE(m_pFrame->DoSave(strTarget)) << strTarget.toStdString();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(LastMessage().contains(QStringLiteral("保存できません")));
        // Another place is offered for the text that is only here.
        EXPECT_EQ(m_messages.front().buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_TRUE(Doc()->GetPathName().isEmpty());
    }
    m_messages.clear();
    m_answers = {QMessageBox::Yes};
    m_strNextFileName = Path("elsewhere.txt");
    EXPECT_TRUE(m_pFrame->DoSave(Path("folder.txt")));
    EXPECT_EQ(Doc()->GetPathName(), Path("elsewhere.txt"));
    EXPECT_FALSE(Doc()->IsModified());
    QFile::remove(Path("elsewhere.txt"));
    EXPECT_EQ(ReadBytes(strFile), "x");
    EXPECT_TRUE(QFileInfo(Path("folder.txt")).isDir());
    EXPECT_FALSE(QFileInfo(Path("pipe.txt")).isFile());             // still the pipe
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

TEST_F(CLogFileTest, NewLogIsShiftJisWithCrLf) {
    Doc()->AppendReport(Utf8(u8"     ***** Ｌマッチ *****\r\n\r\n"));
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("new.txt")));
    EXPECT_EQ(ReadBytes(Path("new.txt")),
              "     ***** \x82\x6B\x83\x7D\x83\x62\x83\x60 *****\r\n\r\n");
    EXPECT_FALSE(Doc()->IsModified());
}

// ---- AppendReport ---------------------------------------------------------

const std::string kReportA = Utf8(u8"     ***** π型アッテネータ *****\r\n　減衰量  10.0dB\r\n\r\n");
const std::string kReportB = Utf8(u8"     ***** 空芯コイル *****\r\n\r\n");

TEST_F(CLogFileTest, AppendGoesAfterTheLastCharacterWhereverTheCaretIs) {
    struct CCaretCase {
        const char* pszName;
        int nAnchor;
        int nPosition;
    };
    const CCaretCase cases[] = {{"caret at start", 0, 0},
                                {"caret in the middle", 4, 4},
                                {"selection", 2, 9},
                                {"caret at end", 12, 12}};
    for (const CCaretCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        Doc()->OnNewDocument();
        View()->setPlainText(QStringLiteral("line1\nline2\n"));
        Doc()->SetModifiedFlag(false);
        QTextCursor cursor = View()->textCursor();
        cursor.setPosition(c.nAnchor);
        cursor.setPosition(c.nPosition, QTextCursor::KeepAnchor);
        View()->setTextCursor(cursor);

        Doc()->AppendReport(kReportA);
        EXPECT_EQ(Doc()->SavedText(), "line1\r\nline2\r\n" + kReportA);
        EXPECT_TRUE(Doc()->IsModified());
    }
}

TEST_F(CLogFileTest, AppendToEmptyLogGivesTheReportAndTwoAppendsKeepTheirOrder) {
    Doc()->AppendReport(kReportA);
    EXPECT_EQ(Doc()->SavedText(), kReportA);
    Doc()->AppendReport(kReportB);
    EXPECT_EQ(Doc()->SavedText(), kReportA + kReportB);
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("two.txt")));
    Doc()->OnNewDocument();
    ASSERT_TRUE(Doc()->OnOpenDocument(Path("two.txt")));
    EXPECT_EQ(Doc()->SavedText(), kReportA + kReportB);
}

TEST_F(CLogFileTest, AppendTakesTheLineEndsOfAnLfLog) {
    WriteBytes(Path("lf.txt"), "first\n");
    ASSERT_TRUE(Doc()->OnOpenDocument(Path("lf.txt")));
    Doc()->AppendReport("r1\r\n\r\n");
    EXPECT_EQ(Doc()->SavedText(), "first\nr1\n\n");
}

TEST_F(CLogFileTest, EmptyReportStillMarksTheLogModified) {
    View()->setPlainText(QStringLiteral("abc"));
    Doc()->SetModifiedFlag(false);
    Doc()->AppendReport(std::string());
    EXPECT_EQ(Doc()->SavedText(), "abc");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(CLogFileTest, AppendIsOneUndoStepApartFromTyping) {
    View()->setPlainText(QStringLiteral("abc"));
    View()->moveCursor(QTextCursor::End);
    View()->insertPlainText(QStringLiteral("x"));
    Doc()->AppendReport(kReportA);
    Doc()->AppendReport(kReportB);
    View()->undo();
    EXPECT_EQ(Doc()->SavedText(), "abcx" + kReportA);
    View()->undo();
    EXPECT_EQ(Doc()->SavedText(), "abcx");
    View()->undo();
    EXPECT_EQ(Doc()->SavedText(), "abc");
}

TEST_F(CLogFileTest, AppendLeavesTheCaretAfterTheReport) {
    View()->setPlainText(QStringLiteral("abc"));
    Doc()->AppendReport(kReportB);
    EXPECT_EQ(View()->textCursor().position(), View()->document()->characterCount() - 1);
    EXPECT_FALSE(View()->textCursor().hasSelection());
}

TEST_F(CLogFileTest, NewAndOpenKeepTheHandOverValues) {
    View()->m_dMatchZin = 50.0;
    View()->m_dMatchFreq = 10.0;
    View()->m_dMatchZout = 293.37;
    Doc()->AppendReport(kReportA);
    m_answers = {QMessageBox::No};
    ASSERT_TRUE(m_pFrame->NewDocument());
    EXPECT_TRUE(View()->toPlainText().isEmpty());
    WriteBytes(Path("a.txt"), "a");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("a.txt")));
    EXPECT_EQ(View()->m_dMatchZin, 50.0);
    EXPECT_EQ(View()->m_dMatchFreq, 10.0);
    EXPECT_EQ(View()->m_dMatchZout, 293.37);
}

TEST_F(CLogFileTest, HandOverValuesStartAtZero) {
    EXPECT_EQ(View()->m_dMatchZin, 0.0);
    EXPECT_EQ(View()->m_dMatchFreq, 0.0);
    EXPECT_EQ(View()->m_dMatchZout, 0.0);
}

} // namespace
