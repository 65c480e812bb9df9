#include "ShellTestSupport.h"

#include "app/LogTextBuilder.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"

#include <QApplication>
#include <QClipboard>
#include <QTextBlock>

#include <functional>

namespace {

// A line far over the limit; optionally with a surrogate pair where a
// piece would end.
QString LongLine(bool bWithPair = false) {
    QString strLine;
    while (strLine.size() < 3 * kLongLineChars) {
        strLine += QStringLiteral("0123456789abcdefghij");
    }
    if (bWithPair) {
        strLine.replace(kPieceChars - 1, 2, QStringLiteral("😀"));
    }
    return strLine;
}

QString Built(const QString& strText, QTextDocument& document) {
    CLogTextBuilder builder(&document);
    builder.AddLines(strText);
    builder.Finish();
    return LogTextOf(document);
}

TEST(LogTextBuilderTest, TextComesBackExactlyWhateverTheLines) {
    const QString strLong = LongLine(true);
    const QString texts[] = {
        QString(),
        QStringLiteral("a\nb\n"),
        QStringLiteral("\n\n"),
        strLong,
        strLong + QStringLiteral("\n"),
        QStringLiteral("before\n") + strLong + QStringLiteral("\nafter\n") + strLong,
        strLong + QStringLiteral("\n") + strLong,
        QStringLiteral("x").repeated(kLongLineChars),     // at the limit: one block
        QStringLiteral("x").repeated(kLongLineChars + 1), // just over it
    };
    for (const QString& strText : texts) {
        QTextDocument document;
        EXPECT_EQ(Built(strText, document), strText) << strText.size();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            EXPECT_LE(block.length(), kLongLineChars + 1);
        }
    }
    // Lines may also come in several calls, each continuing on a new line.
    QTextDocument document;
    CLogTextBuilder builder(&document);
    builder.AddLines(QStringLiteral("one\n") + strLong);
    builder.AddLines(QStringLiteral("two"));
    builder.Finish();
    EXPECT_EQ(LogTextOf(document), QStringLiteral("one\n") + strLong + QStringLiteral("\ntwo"));
}

// Editing a log with a long line: what the user does at a soft break must
// come out in the saved text as it would in a wrapped line.
class CSoftBreakEditTest : public CShellTest {
public:
    void SetUp() override {
        CShellTest::SetUp();
        m_strLong = LongLine();
        WriteBytes(Path("long.txt"), "first\r\n" + m_strLong.toStdString() + "\r\nlast");
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("long.txt")));
        ShowFrame();
        View()->setFocus();
    }

    CVantixView* View() const { return m_pFrame->GetView(); }
    QString Saved() const { return QString::fromStdString(m_pFrame->GetDocument()->EditorText()); }
    // Puts the caret at the start of the second piece of the long line.
    void CaretAtFirstSoftBreak() {
        QTextCursor cursor(View()->document()->findBlockByNumber(2));
        ASSERT_TRUE(IsSoftBreakBefore(cursor.block()));
        View()->setTextCursor(cursor);
    }

protected:
    QString m_strLong;
};

TEST_F(CSoftBreakEditTest, EditsAtASoftBreakActOnTheLine) {
    struct CCase {
        const char* pszName;
        std::function<void(CSoftBreakEditTest&)> edit;
        std::function<QString(const QString& strLong, int nBreak)> expected;
    };
    const CCase cases[] = {
        {"Enter at the break",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Return);
         },
         [](const QString& s, int n) { return s.left(n) + "\n" + s.mid(n); }},
        {"Enter at the end of a piece",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Left);
             QTest::keyClick(t.View(), Qt::Key_Right); // the end of the piece before
             t.View()->moveCursor(QTextCursor::PreviousBlock);
             t.View()->moveCursor(QTextCursor::EndOfBlock);
             QTest::keyClick(t.View(), Qt::Key_Return);
         },
         [](const QString& s, int n) { return s.left(n) + "\n" + s.mid(n); }},
        {"Enter at the break, then Backspace",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Return);
             QTest::keyClick(t.View(), Qt::Key_Backspace);
         },
         [](const QString& s, int) { return s; }},
        {"Enter twice at the break",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Return);
             QTest::keyClick(t.View(), Qt::Key_Return);
         },
         [](const QString& s, int n) { return s.left(n) + "\n\n" + s.mid(n); }},
        {"Enter twice inside a piece",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Right);
             QTest::keyClick(t.View(), Qt::Key_Return);
             QTest::keyClick(t.View(), Qt::Key_Return);
         },
         [](const QString& s, int n) { return s.left(n + 1) + "\n\n" + s.mid(n + 1); }},
        {"Backspace at the break",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Backspace);
         },
         [](const QString& s, int n) { return s.left(n - 1) + s.mid(n); }},
        {"Delete before the break",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Left);
             QTest::keyClick(t.View(), Qt::Key_Delete);
         },
         [](const QString& s, int n) { return s.left(n) + s.mid(n + 1); }},
        {"Typing at the break",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClicks(t.View(), QStringLiteral("XY"));
         },
         [](const QString& s, int n) { return s.left(n) + "XY" + s.mid(n); }},
        {"Lines pasted at the break",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QApplication::clipboard()->setText(QStringLiteral("p\nq"));
             QTest::keyClick(t.View(), Qt::Key_V, Qt::ControlModifier);
         },
         [](const QString& s, int n) { return s.left(n) + "p\nq" + s.mid(n); }},
        {"Selection across the break replaced",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Left);
             QTest::keyClick(t.View(), Qt::Key_Left);
             QTest::keyClick(t.View(), Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(t.View(), Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(t.View(), Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClicks(t.View(), QStringLiteral("Z"));
         },
         [](const QString& s, int n) { return s.left(n - 1) + "Z" + s.mid(n + 1); }},
        {"Cross-break deletion undone",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Left);
             QTest::keyClick(t.View(), Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(t.View(), Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(t.View(), Qt::Key_Delete);
             t.View()->undo();
         },
         [](const QString& s, int) { return s; }},
        {"Enter undone and redone",
         [](CSoftBreakEditTest& t) {
             t.CaretAtFirstSoftBreak();
             QTest::keyClick(t.View(), Qt::Key_Return);
             t.View()->undo();
             t.View()->redo();
         },
         [](const QString& s, int n) { return s.left(n) + "\n" + s.mid(n); }},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_answers = {QMessageBox::No};
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("long.txt")));
        View()->setFocus();
        const int nBreak = View()->document()->findBlockByNumber(1).length() - 1;
        c.edit(*this);
        EXPECT_EQ(Saved(), QStringLiteral("first\n") + c.expected(m_strLong, nBreak) +
                               QStringLiteral("\nlast"));
        // What is shown is what is saved: every line shown is a line of the
        // text or a wrap of one, never an empty piece after a soft break.
        QStringList shown;
        for (QTextBlock block = View()->document()->begin(); block.isValid();
             block = block.next()) {
            if (IsSoftBreakBefore(block) && !shown.isEmpty()) {
                EXPECT_GT(block.length(), 1) << "an empty line the text does not have";
                EXPECT_GT(block.previous().length(), 1) << "an empty line before a wrap";
                shown.back() += block.text();
            } else {
                shown << block.text();
            }
        }
        EXPECT_EQ(shown.join('\n'), Saved());
    }
}

TEST_F(CSoftBreakEditTest, UnchangedLogSavesItsBytesAndCopiesHoldTheLineWhole) {
    ASSERT_TRUE(m_pFrame->GetDocument()->OnSaveDocument(Path("again.txt")));
    EXPECT_EQ(ReadBytes(Path("again.txt")), ReadBytes(Path("long.txt")));

    View()->selectAll();
    View()->copy();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("first\n") + m_strLong + QStringLiteral("\nlast"));
}

TEST_F(CSoftBreakEditTest, ReportAppendedAfterALongLastLineKeepsItsLines) {
    WriteBytes(Path("tail.txt"), m_strLong.toStdString());
    m_answers = {QMessageBox::No};
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("tail.txt")));
    m_pFrame->GetDocument()->AppendReport("\r\n  r1\r\n  r2\r\n\r\n");
    EXPECT_EQ(Saved(), m_strLong + QStringLiteral("\n  r1\n  r2\n\n"));
}

} // namespace
