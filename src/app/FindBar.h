#pragma once

#include <QFrame>

#include <functional>

class CLogSearch;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Find in the log: a bar below the editor (検索, Ctrl+F) with the text to
// look for, 次へ / 前へ (F3 / Shift+F3, Enter / Shift+Enter in the field), and
// whether full-width and half-width forms and capitals count as the same.
// The search goes a slice at a time (CLogSearch), the match is selected and
// every match in sight is marked; going round an end is told in the status
// bar (through the notice function).
class CFindBar : public QFrame {
    Q_OBJECT

public:
    CFindBar(QPlainTextEdit* pEditor, std::function<void(const QString&)> notice,
             QWidget* pParent = nullptr);

    // Shows the bar with the field ready for typing (holding the editor's
    // selection when it is a piece of one line).
    void Open();
    void FindNext() { Find(false); }
    void FindPrevious() { Find(true); }
    void Close();

    QLineEdit* Field() const { return m_pField; }
    QCheckBox* FoldBox() const { return m_pFold; }
    CLogSearch* Search() const { return m_pSearch; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Find(bool bBackward);
    void MarkVisibleMatches();

    QPlainTextEdit* m_pEditor;
    std::function<void(const QString&)> m_notice;
    CLogSearch* m_pSearch = nullptr;
    QLineEdit* m_pField = nullptr;
    QCheckBox* m_pFold = nullptr;
    QPushButton* m_pNext = nullptr;
    QPushButton* m_pPrevious = nullptr;
    bool m_bBackward = false;
};
