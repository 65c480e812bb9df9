#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextBlock>
#include <QTimer>

class QTextDocument;

// Folds text for a search that does not tell full-width from half-width
// forms or capitals from small letters: full-width ASCII becomes ASCII, the
// ideographic space a space, half-width katakana full-width (a half-width
// sound mark stays a mark of its own), letters their case-folded form.
// Character for character, so positions stay where they were.
QString FoldForSearch(QString strText);

// Looks for text in the log's document a slice at a time, so that a search
// through a large log never holds the window up: each slice reads at most
// kSliceChars characters and then lets the events run. A long line held as
// several blocks (soft breaks) is searched as the one line it is.
class CLogSearch : public QObject {
    Q_OBJECT

public:
    static constexpr int kSliceChars = 1 << 20;

    explicit CLogSearch(QTextDocument* pDocument, QObject* pParent = nullptr);
    void SetDocument(QTextDocument* pDocument);

    // Starts a search for strNeedle after (or, backwards, before) nFrom;
    // at the end of the log it goes on from the other end, once.
    void Start(const QString& strNeedle, int nFrom, bool bBackward, bool bFold);
    void Cancel();
    bool IsRunning() const { return m_slices.isActive(); }

    // Runs a whole search at once (for tests and small documents): the start
    // of the match or -1; pbWrapped tells whether it went round the end.
    int FindNow(const QString& strNeedle, int nFrom, bool bBackward, bool bFold,
                bool* pbWrapped = nullptr);
    int FoundEnd() const { return m_nFoundEnd; }

signals:
    void Found(int nStart, int nEnd, bool bWrapped);
    void NotFound();

private:
    bool Step(int nBudget); // true when the search ended
    QTextBlock LineStart(QTextBlock block) const;

    QPointer<QTextDocument> m_pDocument; // the editor may take another one
    QTimer m_slices;
    QString m_strNeedle;
    bool m_bBackward = false;
    bool m_bFold = false;
    int m_nFrom = 0;
    QTextBlock m_line; // the first block of the line searched next
    bool m_bWrapped = false;
    bool m_bFirstLine = true;
    int m_nFoundStart = -1;
    int m_nFoundEnd = -1;
};
