#include "app/NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

QString DescribeChangeOnDisk(const CFileIdentity& known, const CFileIdentity& now) {
    if (!now.bExists) {
        return QStringLiteral("削除されたか名前が変わりました");
    }
    if (!known.bExists) {
        return QStringLiteral("新しく作られました");
    }
    if (now.nDevice != known.nDevice || now.nInode != known.nInode) {
        return QStringLiteral("別のファイルに置き換えられました");
    }
    if (now.nSize > known.nSize) {
        return QStringLiteral("%L1 バイト増えました").arg(now.nSize - known.nSize);
    }
    if (now.nSize < known.nSize) {
        return QStringLiteral("%L1 バイト減りました").arg(known.nSize - now.nSize);
    }
    return QStringLiteral("内容が書き換えられました");
}

CNoticeBar::CNoticeBar(QWidget* pParent) : QFrame(pParent) {
    setObjectName(QStringLiteral("CNoticeBar"));
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, tinted.color(QPalette::ToolTipBase));
    tinted.setColor(QPalette::WindowText, tinted.color(QPalette::ToolTipText));
    setPalette(tinted);

    m_pText = new QLabel(this);
    m_pText->setWordWrap(true);
    m_pText->setTextFormat(Qt::PlainText);
    m_pText->setFocusPolicy(Qt::NoFocus);
    m_pReload = new QPushButton(QStringLiteral("再読み込み"), this);
    m_pIgnore = new QPushButton(QStringLiteral("無視"), this);
    for (QPushButton* pButton : {m_pReload, m_pIgnore}) {
        pButton->setFocusPolicy(Qt::NoFocus);
        pButton->setAutoDefault(false);
    }
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(8, 4, 8, 4);
    pLayout->addWidget(m_pText, 1);
    pLayout->addWidget(m_pReload);
    pLayout->addWidget(m_pIgnore);
    connect(m_pReload, &QPushButton::clicked, this, &CNoticeBar::ReloadClicked);
    connect(m_pIgnore, &QPushButton::clicked, this, &CNoticeBar::IgnoreClicked);
    hide();
}

void CNoticeBar::Announce(const QString& strText, bool bCanReload) {
    m_pText->setText(strText);
    m_pReload->setVisible(bCanReload);
    show();
}

void CNoticeBar::Dismiss() {
    hide();
    m_pText->clear();
}

QString CNoticeBar::Text() const {
    return isHidden() ? QString() : m_pText->text();
}
