#include "app/LogTextBuilder.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr int kSoftBreakProperty = QTextFormat::UserProperty + 1;
constexpr qsizetype kFlushChars = 1 << 20;
const char* const kHasSoftBreaks = "vantixSoftBreaks";
const char* const kLastSoftNumber = "vantixLastSoftNumber";

int SoftNumberOf(const QTextBlock& block) {
    return block.blockFormat().intProperty(kSoftBreakProperty);
}

} // namespace

CLogTextBuilder::CLogTextBuilder(QTextDocument* pDocument)
    : m_cursor(pDocument), m_nLastNumber(pDocument->property(kLastSoftNumber).toInt()) {
    m_cursor.movePosition(QTextCursor::End);
    m_bInSoftBlock = SoftNumberOf(m_cursor.block()) != 0;
}

CLogTextBuilder::~CLogTextBuilder() {
    Finish();
}

void CLogTextBuilder::AddLines(QStringView text) {
    qsizetype nStart = 0;
    while (true) {
        const qsizetype nEnd = text.indexOf(u'\n', nStart);
        if (nEnd < 0) {
            AddLine(text.sliced(nStart));
            return;
        }
        AddLine(text.sliced(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}

void CLogTextBuilder::BreakLine() {
    if (m_bFirstLine) {
        m_bFirstLine = false;
        return;
    }
    if (m_bInSoftBlock) {
        // A break typed after a soft piece would inherit its number.
        Flush();
        m_cursor.insertBlock(QTextBlockFormat());
        m_bInSoftBlock = false;
    } else {
        m_strPending += u'\n';
    }
}

void CLogTextBuilder::AddLine(QStringView line) {
    BreakLine();
    if (line.size() <= kLongLineChars) {
        m_strPending += line;
        if (m_strPending.size() >= kFlushChars) {
            Flush();
        }
        return;
    }
    qsizetype nStart = 0;
    while (nStart < line.size()) {
        qsizetype nLength = std::min<qsizetype>(kPieceChars, line.size() - nStart);
        // A surrogate pair stays in one piece.
        if (nStart + nLength < line.size() && line[nStart + nLength - 1].isHighSurrogate()) {
            --nLength;
        }
        if (nStart > 0) {
            Flush();
            QTextBlockFormat soft;
            // Numbers are never reused within a document.
            soft.setProperty(kSoftBreakProperty, ++m_nLastNumber);
            ++m_nSoftBreaks;
            m_cursor.insertBlock(soft);
            m_bInSoftBlock = true;
        }
        m_strPending += line.sliced(nStart, nLength);
        nStart += nLength;
    }
    Flush();
}

void CLogTextBuilder::Flush() {
    if (!m_strPending.isEmpty()) {
        m_cursor.insertText(m_strPending);
        m_strPending.clear();
    }
}

void CLogTextBuilder::Finish() {
    Flush();
    if (m_nSoftBreaks > 0) {
        SetHasSoftBreaks(*m_cursor.document(), true);
        m_cursor.document()->setProperty(kLastSoftNumber, m_nLastNumber);
    }
}

void SetHasSoftBreaks(QTextDocument& document, bool bHas) {
    document.setProperty(kHasSoftBreaks, bHas);
}

bool HasSoftBreaks(const QTextDocument& document) {
    return document.property(kHasSoftBreaks).toBool();
}

bool IsSoftBreakBefore(const QTextBlock& block) {
    const int nNumber = SoftNumberOf(block);
    const QTextBlock previous = block.previous();
    return nNumber != 0 && previous.isValid() && SoftNumberOf(previous) != nNumber;
}

void MakeBreakReal(const QTextBlock& block) {
    // A break is real between blocks of the same number: the block and the
    // ones split off it (which share its number) take the number before.
    const int nOld = SoftNumberOf(block);
    const int nNew = SoftNumberOf(block.previous());
    QTextCursor cursor(block);
    cursor.beginEditBlock();
    for (QTextBlock b = block; b.isValid() && SoftNumberOf(b) == nOld; b = b.next()) {
        QTextBlockFormat format = b.blockFormat();
        format.setProperty(kSoftBreakProperty, nNew);
        if (nNew == 0) {
            format.clearProperty(kSoftBreakProperty);
        }
        cursor.setPosition(b.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

QString LogTextOf(const QTextDocument& document, int nFrom, int nTo) {
    if (!HasSoftBreaks(document)) {
        QTextCursor cursor(const_cast<QTextDocument*>(&document));
        cursor.setPosition(nFrom);
        cursor.setPosition(nTo, QTextCursor::KeepAnchor);
        QString strText = nFrom == 0 && nTo >= document.characterCount() - 1
                              ? document.toRawText()
                              : cursor.selectedText();
        strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        return strText;
    }
    QString strText;
    for (QTextBlock block = document.findBlock(nFrom); block.isValid(); block = block.next()) {
        const int nStart = block.position();
        if (nStart > nTo) {
            break;
        }
        if (nStart > nFrom && !IsSoftBreakBefore(block)) {
            strText += QLatin1Char('\n');
        }
        const int nBegin = std::max(nFrom, nStart) - nStart;
        const int nEnd = std::min(nTo, nStart + block.length() - 1) - nStart;
        strText += block.text().mid(nBegin, nEnd - nBegin);
    }
    return strText;
}

QString LogTextOf(const QTextDocument& document) {
    return LogTextOf(document, 0, document.characterCount() - 1);
}
