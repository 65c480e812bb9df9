#pragma once

#include "text/FileIdentity.h"

#include <QFrame>

class QLabel;
class QPushButton;

// What became of a file known as known and found as now, in a few words
// ("削除されたか名前が変わりました", "%L1 バイト増えました", ...).
QString DescribeChangeOnDisk(const CFileIdentity& known, const CFileIdentity& now);

// A strip above the log's editor that tells of something the user may want
// to act on (the log changed on disk) without taking the keyboard: it never
// takes the focus, not when it appears and not when its buttons are
// clicked, so typing goes on where it was.
class CNoticeBar : public QFrame {
    Q_OBJECT

public:
    explicit CNoticeBar(QWidget* pParent = nullptr);

    // Shows the bar with strText, or updates the text of the bar shown;
    // bCanReload offers 再読み込み.
    void Announce(const QString& strText, bool bCanReload);
    void Dismiss();
    QString Text() const;
    QPushButton* ReloadButton() const { return m_pReload; }
    QPushButton* IgnoreButton() const { return m_pIgnore; }

signals:
    void ReloadClicked();
    void IgnoreClicked();

private:
    QLabel* m_pText = nullptr;
    QPushButton* m_pReload = nullptr;
    QPushButton* m_pIgnore = nullptr;
};
