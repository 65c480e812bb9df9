#pragma once

#include <QDialog>

class QTextBrowser;

// The user guide, built into the program, in a window of its own beside the
// log (not modal: the guide can stay open while a calculator is used).
class CHelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* pParent = nullptr);

    QTextBrowser* Browser() const { return m_pBrowser; }
    // The guide's text as built in (Markdown, UTF-8).
    static QString GuideText();

private:
    QTextBrowser* m_pBrowser = nullptr;
};
