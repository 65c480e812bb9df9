#include "app/LogSearch.h"

#include "app/LogTextBuilder.h"

#include <QTextDocument>

#include <vector>

QString FoldForSearch(QString strText) {
    // Half-width katakana U+FF66..FF9D in the order of their full-width forms.
    static const char16_t kKatakana[] = u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチ"
                                        u"ツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
    for (QChar& ch : strText) {
        const char16_t c = ch.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) {
            ch = QChar(static_cast<char16_t>(c - 0xFF01 + 0x21));
        } else if (c == 0x3000) {
            ch = QLatin1Char(' ');
        } else if (c >= 0xFF66 && c <= 0xFF9D) {
            ch = QChar(kKatakana[c - 0xFF66]);
        } else if (c == 0xFF9E) {
            ch = QChar(u'\u309B');
        } else if (c == 0xFF9F) {
            ch = QChar(u'\u309C');
        }
        ch = ch.toCaseFolded();
    }
    return strText;
}

CLogSearch::CLogSearch(QTextDocument* pDocument, QObject* pParent)
    : QObject(pParent), m_pDocument(pDocument) {
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, [this] {
        if (Step(kSliceChars)) {
            m_slices.stop();
            if (m_nFoundStart >= 0) {
                emit Found(m_nFoundStart, m_nFoundEnd, m_bWrapped);
            } else {
                emit NotFound();
            }
        }
    });
}

QTextBlock CLogSearch::LineStart(QTextBlock block) const {
    while (block.isValid() && IsSoftBreakBefore(block)) {
        block = block.previous();
    }
    return block;
}

void CLogSearch::SetDocument(QTextDocument* pDocument) {
    Cancel();
    m_pDocument = pDocument;
}

void CLogSearch::Start(const QString& strNeedle, int nFrom, bool bBackward, bool bFold) {
    Cancel();
    if (!m_pDocument) {
        return;
    }
    m_strNeedle = bFold ? FoldForSearch(strNeedle) : strNeedle;
    m_bBackward = bBackward;
    m_bFold = bFold;
    m_nFrom = nFrom;
    m_line = LineStart(m_pDocument->findBlock(nFrom));
    m_bWrapped = false;
    m_bFirstLine = true;
    m_nFoundStart = -1;
    if (m_strNeedle.isEmpty()) {
        QTimer::singleShot(0, this, [this] { emit NotFound(); });
        return;
    }
    m_slices.start();
}

void CLogSearch::Cancel() {
    m_slices.stop();
}

int CLogSearch::FindNow(const QString& strNeedle, int nFrom, bool bBackward, bool bFold,
                        bool* pbWrapped) {
    Start(strNeedle, nFrom, bBackward, bFold);
    m_slices.stop();
    if (m_strNeedle.isEmpty() || !m_pDocument) {
        return -1;
    }
    while (!Step(kSliceChars)) {
    }
    if (pbWrapped != nullptr) {
        *pbWrapped = m_bWrapped;
    }
    return m_nFoundStart;
}

bool CLogSearch::Step(int nBudget) {
    if (!m_pDocument) {
        m_nFoundStart = -1;
        return true; // the document went while the search ran
    }
    int nRead = 0;
    while (nRead < nBudget) {
        if (!m_line.isValid()) {
            if (m_bWrapped) {
                return true; // round once: nothing
            }
            m_bWrapped = true;
            m_line = m_bBackward ? LineStart(m_pDocument->lastBlock()) : m_pDocument->firstBlock();
        }
        // The whole line, its soft pieces joined; positions follow on from
        // the line's first block, one more for each break between pieces.
        std::vector<std::pair<int, int>> pieces; // offset in the line, document position
        QString strLine;
        QTextBlock block = m_line;
        do {
            pieces.emplace_back(static_cast<int>(strLine.size()), block.position());
            strLine += block.text();
            block = block.next();
        } while (block.isValid() && IsSoftBreakBefore(block));
        const QTextBlock nextLine = block;
        const QTextBlock previousLine = LineStart(m_line.previous());
        nRead += static_cast<int>(strLine.size()) + 1;
        if (m_bFold) {
            strLine = FoldForSearch(strLine);
        }
        const auto toPosition = [&](int nOffset) {
            auto it = pieces.begin();
            while (std::next(it) != pieces.end() && std::next(it)->first <= nOffset) {
                ++it;
            }
            return it->second + (nOffset - it->first);
        };
        const auto toOffset = [&](int nPosition) {
            int nOffset = 0;
            for (const auto& [nPieceOffset, nPiecePosition] : pieces) {
                if (nPosition >= nPiecePosition) {
                    nOffset = nPieceOffset + (nPosition - nPiecePosition);
                }
            }
            return nOffset;
        };
        const int nLineFirst = pieces.front().second;
        const int nLineEnd =
            pieces.back().second + (static_cast<int>(strLine.size()) - pieces.back().first);
        const bool bHoldsStart = m_nFrom >= nLineFirst && m_nFrom <= nLineEnd;
        qsizetype nAt = -1;
        if (!m_bBackward) {
            // The line the search began in: after the start; met again at
            // the end of the round: before it.
            const int nFromOffset = m_bFirstLine && bHoldsStart ? toOffset(m_nFrom) : 0;
            nAt = strLine.indexOf(m_strNeedle, nFromOffset, Qt::CaseSensitive);
            if (nAt >= 0 && m_bWrapped && bHoldsStart &&
                toPosition(static_cast<int>(nAt)) >= m_nFrom) {
                nAt = -1;
            }
        } else {
            // A match that starts before the start.
            const int nBefore = m_bFirstLine && bHoldsStart ? toOffset(m_nFrom) - 1
                                                            : static_cast<int>(strLine.size());
            nAt = nBefore < 0 ? -1 : strLine.lastIndexOf(m_strNeedle, nBefore, Qt::CaseSensitive);
            if (nAt >= 0 && m_bWrapped && bHoldsStart &&
                toPosition(static_cast<int>(nAt)) < m_nFrom) {
                nAt = -1;
            }
        }
        m_bFirstLine = false;
        if (nAt >= 0) {
            m_nFoundStart = toPosition(static_cast<int>(nAt));
            m_nFoundEnd = toPosition(static_cast<int>(nAt + m_strNeedle.size()) - 1) + 1;
            return true;
        }
        if (m_bWrapped && bHoldsStart) {
            return true; // back where it began
        }
        m_line = m_bBackward ? previousLine : nextLine;
    }
    return false;
}
