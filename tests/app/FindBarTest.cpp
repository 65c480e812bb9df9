#include "ShellTestSupport.h"

#include "app/FindBar.h"
#include "app/LogSearch.h"
#include "app/LogTextBuilder.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

#include <vector>

namespace {

TEST(FoldForSearch, FoldsWidthsAndCapitalsCharacterForCharacter) {
    const std::pair<QString, QString> kCases[] = {
        {QStringLiteral("ＡＢＣ１２３ｘ"), QStringLiteral("abc123x")},
        {QStringLiteral("ﾃｽﾄｰﾗﾝ"), QStringLiteral("テストーラン")},
        {QStringLiteral("ｶﾞ"), QStringLiteral("カ゛")}, // the mark stays a character
        {QStringLiteral("\u3000R1= 50Ω"), QStringLiteral(" r1= 50ω")},
        {QStringLiteral("ラダー型"), QStringLiteral("ラダー型")},
    };
    for (const auto& [strIn, strOut] : kCases) {
        EXPECT_EQ(FoldForSearch(strIn), strOut) << strIn.toStdString();
        EXPECT_EQ(FoldForSearch(strIn).size(), strIn.size());
    }
}

// A log with short lines and a long one held in soft pieces: every search,
// from every start, either way, folded or not, finds what a plain search of
// the log's text finds (going round the end once).
TEST(LogSearch, FindsWhatThePlainTextHoldsFromEveryStart) {
    QString strLong;
    while (strLong.size() < kLongLineChars + 2 * kPieceChars) {
        strLong += QStringLiteral("abcdefghijＸｙｚ");
    }
    const QString strText =
        QStringLiteral("R1= 50Ω\nｱﾝﾃﾅ xyz\n") + strLong + QStringLiteral("\n\nXYZ end");
    QTextDocument document;
    {
        CLogTextBuilder builder(&document);
        builder.AddLines(strText);
    }
    ASSERT_GT(document.blockCount(), 6); // the long line is in pieces
    ASSERT_EQ(LogTextOf(document), strText);
    // Where each character of the text is in the document.
    std::vector<int> positions;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin() && !IsSoftBreakBefore(block)) {
            positions.push_back(block.position() - 1); // the line break
        }
        for (int n = 0; n < block.length() - 1; ++n) {
            positions.push_back(block.position() + n);
        }
    }
    ASSERT_EQ(positions.size(), static_cast<std::size_t>(strText.size()));

    CLogSearch search(&document);
    for (const bool bFold : {false, true}) {
        const QString strHay = bFold ? FoldForSearch(strText) : strText;
        for (const QString& strNeedle :
             {QStringLiteral("xyz"), QStringLiteral("ＸＹＺ"), QStringLiteral("jＸ"),
              QStringLiteral("アンテナ"), QStringLiteral("50ω"), QStringLiteral("none")}) {
            const QString strFolded = bFold ? FoldForSearch(strNeedle) : strNeedle;
            for (qsizetype nFrom = 0; nFrom <= strText.size(); nFrom += 997) {
                for (const bool bBackward : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << strNeedle.toStdString() << " from " << nFrom
                                 << (bBackward ? " back" : "") << (bFold ? " folded" : ""));
                    qsizetype nExpected =
                        bBackward ? (nFrom == 0 ? -1 : strHay.lastIndexOf(strFolded, nFrom - 1))
                                  : strHay.indexOf(strFolded, nFrom);
                    if (nExpected < 0) { // round the end
                        nExpected =
                            bBackward ? strHay.lastIndexOf(strFolded) : strHay.indexOf(strFolded);
                    }
                    const int nDocFrom = nFrom < strText.size()
                                             ? positions[static_cast<std::size_t>(nFrom)]
                                             : document.characterCount() - 1;
                    const int nFound = search.FindNow(strNeedle, nDocFrom, bBackward, bFold);
                    ASSERT_EQ(nFound,
                              nExpected < 0 ? -1 : positions[static_cast<std::size_t>(nExpected)]);
                }
            }
        }
    }
}

class CFindBarTest : public CShellTest {
protected:
    CVantixView* View() const { return m_pFrame->GetView(); }
    QString Notice() const { return m_pFrame->statusBar()->currentMessage(); }
    void WaitForSearch() {
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !m_pFrame->GetFindBar()->Search()->IsRunning(); }));
        QApplication::processEvents();
    }
};

TEST_F(CFindBarTest, CtrlFFindsThenF3GoesOnAndRoundTheEndEscapeGivesTheLogBack) {
    WriteBytes(Path("log.txt"), "one R1\r\ntwo r1\r\nthree R1\r\n");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("log.txt")));
    ShowFrame();
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_F, Qt::ControlModifier);
    CFindBar* pBar = m_pFrame->GetFindBar();
    ASSERT_TRUE(pBar->isVisible());
    EXPECT_TRUE(pBar->Field()->hasFocus());
    QTest::keyClicks(pBar->Field(), QStringLiteral("R1"));
    QTest::keyClick(pBar->Field(), Qt::Key_Return);
    WaitForSearch();
    EXPECT_EQ(View()->textCursor().selectionStart(), 4);
    EXPECT_EQ(View()->textCursor().selectedText(), QStringLiteral("R1"));
    // F3 from the editor: the next one (capitals count by default), then round.
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_F3);
    WaitForSearch();
    EXPECT_EQ(View()->textCursor().blockNumber(), 2);
    QTest::keyClick(View(), Qt::Key_F3);
    WaitForSearch();
    EXPECT_EQ(View()->textCursor().blockNumber(), 0);
    EXPECT_TRUE(Notice().contains(QStringLiteral("先頭から続けました"))) << Notice().toStdString();
    QTest::keyClick(View(), Qt::Key_F3, Qt::ShiftModifier);
    WaitForSearch();
    EXPECT_EQ(View()->textCursor().blockNumber(), 2);
    // Folded: the small one is found too.
    pBar->FoldBox()->setChecked(true);
    View()->moveCursor(QTextCursor::Start);
    pBar->FindNext();
    WaitForSearch();
    pBar->FindNext();
    WaitForSearch();
    EXPECT_EQ(View()->textCursor().blockNumber(), 1);

    pBar->Field()->setText(QStringLiteral("absent"));
    pBar->FindNext();
    WaitForSearch();
    EXPECT_TRUE(Notice().contains(QStringLiteral("見つかりません")));
    pBar->Field()->setFocus();
    QTest::keyClick(pBar->Field(), Qt::Key_Escape);
    EXPECT_FALSE(pBar->isVisible());
    EXPECT_TRUE(View()->hasFocus());
    EXPECT_FALSE(m_pFrame->GetDocument()->IsModified());
}

TEST_F(CFindBarTest, SelectAllAndRedoAreCommandsOfTheirOwn) {
    View()->setPlainText(QStringLiteral("abc"));
    View()->moveCursor(QTextCursor::End);
    View()->insertPlainText(QStringLiteral("d"));
    m_pFrame->FindCommand(57643)->trigger(); // undo
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("abc"));
    m_pFrame->FindCommand(57644)->trigger(); // redo
    EXPECT_EQ(View()->toPlainText(), QStringLiteral("abcd"));
    m_pFrame->FindCommand(57642)->trigger();
    EXPECT_EQ(View()->textCursor().selectedText(), QStringLiteral("abcd"));
}

} // namespace
