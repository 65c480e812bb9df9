#include "app/HelpWindow.h"

#include "app/ShellFonts.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* pParent) : QDialog(pParent) {
    setObjectName(QStringLiteral("CHelpWindow"));
    setWindowTitle(QStringLiteral("Vantix の使い方"));
    setModal(false);
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setOpenExternalLinks(true);
    m_pBrowser->setFont(DialogFont(10.5));
    m_pBrowser->setMarkdown(GuideText());
    auto* pButtons = new QDialogButtonBox(this);
    QPushButton* pClose =
        pButtons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    connect(pClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pBrowser, 1);
    pLayout->addWidget(pButtons);
    // As large as reads well, never larger than the screen.
    QSize size(760, 680);
    if (const QScreen* pScreen =
            pParent != nullptr ? pParent->screen() : QGuiApplication::primaryScreen()) {
        size = size.boundedTo(pScreen->availableGeometry().size() * 0.9);
    }
    resize(size);
    m_pBrowser->setFocus();
}

QString CHelpWindow::GuideText() {
    QFile guide(QStringLiteral(":/help/user-guide.md"));
    if (!guide.open(QIODevice::ReadOnly)) {
        return QStringLiteral("使い方の説明が見つかりません。");
    }
    return QString::fromUtf8(guide.readAll());
}
