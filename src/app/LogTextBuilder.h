#pragma once

#include <QString>
#include <QStringView>
#include <QTextCursor>

class QTextBlock;
class QTextDocument;

// The editor lays out and shapes a whole paragraph again on every change
// and every paint, so a line of a megabyte makes it stall for seconds per
// key. A line longer than kLongLineChars is therefore held as pieces of
// kPieceChars in blocks of their own, joined by soft breaks: each piece after
// the first carries a number of its own in its block format. A soft break
// shows like a wrap and is never written: the log's text is the blocks
// joined by "\n" except across soft breaks.
//
// A block that splits off a soft piece (Enter, text with line breaks typed
// or inserted through a cursor) inherits its number; two neighbours with the
// same number are therefore joined by a real break, so what the user adds is
// never lost. Undo brings block formats back with the text.
inline constexpr int kLongLineChars = 10000;
inline constexpr int kPieceChars = 4000;

// Builds a document from the log's text, line by line, in order.
class CLogTextBuilder {
public:
    explicit CLogTextBuilder(QTextDocument* pDocument);
    ~CLogTextBuilder();

    // Text of whole lines ("\n" between them, none at the end); successive
    // calls continue on a new line.
    void AddLines(QStringView text);
    // Writes out what is held back; the document is complete after it.
    void Finish();

    int SoftBreakCount() const { return m_nSoftBreaks; }

private:
    void AddLine(QStringView line);
    void BreakLine();
    void Flush();

    QTextCursor m_cursor;
    QString m_strPending;
    bool m_bFirstLine = true;
    bool m_bInSoftBlock = false;
    int m_nSoftBreaks = 0;
    int m_nLastNumber = 0;
};

// Marks a document as holding soft breaks (so the slower joining is used).
void SetHasSoftBreaks(QTextDocument& document, bool bHas);
bool HasSoftBreaks(const QTextDocument& document);
// The block begins with a soft break (it continues the line of the one before).
bool IsSoftBreakBefore(const QTextBlock& block);
// Makes the soft break before block a real line break, as one undo step:
// Enter where a long line shows its wrap splits the line there and adds no
// empty line the file would not have.
void MakeBreakReal(const QTextBlock& block);
// The log's text between two document positions, "\n" for real breaks.
QString LogTextOf(const QTextDocument& document, int nFrom, int nTo);
QString LogTextOf(const QTextDocument& document);
