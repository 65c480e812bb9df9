#include "app/FindBar.h"

#include "app/LogSearch.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QToolButton>

#include <utility>

CFindBar::CFindBar(QPlainTextEdit* pEditor, std::function<void(const QString&)> notice,
                   QWidget* pParent)
    : QFrame(pParent), m_pEditor(pEditor), m_notice(std::move(notice)) {
    setObjectName(QStringLiteral("CFindBar"));
    setFrameShape(QFrame::StyledPanel);
    m_pSearch = new CLogSearch(pEditor->document(), this);
    m_pField = new QLineEdit(this);
    m_pField->setObjectName(QStringLiteral("FindText"));
    m_pField->setClearButtonEnabled(true);
    m_pNext = new QPushButton(QStringLiteral("次へ"), this);
    m_pPrevious = new QPushButton(QStringLiteral("前へ"), this);
    m_pFold = new QCheckBox(QStringLiteral("全角と半角、大文字と小文字を区別しない"), this);
    auto* pClose = new QToolButton(this);
    pClose->setText(QStringLiteral("閉じる"));
    pClose->setAutoRaise(true);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(6, 3, 6, 3);
    pLayout->addWidget(new QLabel(QStringLiteral("検索:"), this));
    pLayout->addWidget(m_pField, 1);
    pLayout->addWidget(m_pNext);
    pLayout->addWidget(m_pPrevious);
    pLayout->addWidget(m_pFold);
    pLayout->addWidget(pClose);
    connect(m_pNext, &QPushButton::clicked, this, &CFindBar::FindNext);
    connect(m_pPrevious, &QPushButton::clicked, this, &CFindBar::FindPrevious);
    connect(pClose, &QToolButton::clicked, this, &CFindBar::Close);
    connect(m_pField, &QLineEdit::textChanged, this, [this] {
        m_pSearch->Cancel();
        MarkVisibleMatches();
    });
    connect(m_pFold, &QCheckBox::toggled, this, &CFindBar::MarkVisibleMatches);
    m_pField->installEventFilter(this);

    connect(m_pSearch, &CLogSearch::Found, this, [this](int nStart, int nEnd, bool bWrapped) {
        QTextCursor match(m_pEditor->document());
        match.setPosition(nStart);
        match.setPosition(nEnd, QTextCursor::KeepAnchor);
        m_pEditor->setTextCursor(match);
        m_pEditor->ensureCursorVisible();
        MarkVisibleMatches();
        m_notice(!bWrapped ? QString()
                 : m_bBackward
                     ? QStringLiteral("ログの先頭まで検索したので、末尾から続けました。")
                     : QStringLiteral("ログの末尾まで検索したので、先頭から続けました。"));
    });
    connect(m_pSearch, &CLogSearch::NotFound, this,
            [this] { m_notice(QStringLiteral("「%1」は見つかりません。").arg(m_pField->text())); });
    // The marks follow what is in sight.
    connect(m_pEditor, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int nDy) {
        if (nDy != 0 && isVisible()) {
            MarkVisibleMatches();
        }
    });
    hide();
}

void CFindBar::Open() {
    const QTextCursor selection = m_pEditor->textCursor();
    if (selection.hasSelection() && !selection.selectedText().contains(QChar::ParagraphSeparator)) {
        m_pField->setText(selection.selectedText());
    }
    show();
    m_pField->setFocus();
    m_pField->selectAll();
    MarkVisibleMatches();
}

void CFindBar::Close() {
    m_pSearch->Cancel();
    hide();
    m_pEditor->setExtraSelections({});
    m_pEditor->setFocus();
}

void CFindBar::Find(bool bBackward) {
    if (m_pField->text().isEmpty()) {
        Open();
        return;
    }
    m_bBackward = bBackward;
    m_pSearch->SetDocument(m_pEditor->document());
    const QTextCursor caret = m_pEditor->textCursor();
    m_pSearch->Start(m_pField->text(), bBackward ? caret.selectionStart() : caret.selectionEnd(),
                     bBackward, m_pFold->isChecked());
}

bool CFindBar::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pField && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
        if (pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter) {
            Find(pKey->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QFrame::eventFilter(pWatched, pEvent);
}

void CFindBar::MarkVisibleMatches() {
    QList<QTextEdit::ExtraSelection> marks;
    const bool bFold = m_pFold->isChecked();
    const QString strNeedle = bFold ? FoldForSearch(m_pField->text()) : m_pField->text();
    if (isVisible() && !strNeedle.isEmpty()) {
        QTextCharFormat mark;
        mark.setBackground(QColor(255, 230, 120));
        mark.setForeground(Qt::black);
        // The blocks in sight, from the top left to the bottom right corner.
        const QRect shown = m_pEditor->viewport()->rect();
        QTextBlock block = m_pEditor->cursorForPosition(shown.topLeft()).block();
        const int nLast = m_pEditor->cursorForPosition(shown.bottomRight()).block().blockNumber();
        for (int nShown = 0; block.isValid() && block.blockNumber() <= nLast && nShown < 400;
             block = block.next(), ++nShown) {
            const QString strText = bFold ? FoldForSearch(block.text()) : block.text();
            for (qsizetype nAt = strText.indexOf(strNeedle); nAt >= 0;
                 nAt = strText.indexOf(strNeedle, nAt + strNeedle.size())) {
                QTextEdit::ExtraSelection selection;
                selection.cursor = QTextCursor(block);
                selection.cursor.setPosition(block.position() + static_cast<int>(nAt));
                selection.cursor.setPosition(block.position() +
                                                 static_cast<int>(nAt + strNeedle.size()),
                                             QTextCursor::KeepAnchor);
                selection.format = mark;
                marks << selection;
            }
        }
    }
    m_pEditor->setExtraSelections(marks);
}
