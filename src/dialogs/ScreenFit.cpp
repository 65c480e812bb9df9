#include "dialogs/ScreenFit.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace {

QRect g_screenArea;

constexpr const char* kContentName = "dialogContent";

// Room the window frame takes around the dialog: the real frame once the
// dialog has been shown, else a title bar and thin borders.
QSize FrameAllowance(const QDialog& dialog) {
    const QSize frame = dialog.frameGeometry().size() - dialog.geometry().size();
    if (dialog.isVisible() && !frame.isEmpty()) {
        return frame;
    }
    const int nTitle = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return QSize(8, nTitle + 8);
}

} // namespace

QRect DialogScreenArea(const QDialog& dialog) {
    if (g_screenArea.isValid()) {
        return g_screenArea;
    }
    const QScreen* pScreen = dialog.screen();
    return pScreen ? pScreen->availableGeometry() : QRect();
}

void SetDialogScreenArea(const QRect& area) {
    g_screenArea = area;
}

QScrollArea* FitDialogWithin(QDialog& dialog, const QRect& area) {
    auto* pScroll = dialog.findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
    if (pScroll != nullptr && pScroll->widget()->objectName() != QLatin1String(kContentName)) {
        pScroll = nullptr; // a scroll area of the dialog's own
    }
    const QSize content = pScroll ? pScroll->widget()->size() : dialog.size();
    if (!area.isValid()) {
        return pScroll;
    }
    const QSize room = area.size() - FrameAllowance(dialog);
    if (pScroll == nullptr && content.width() <= room.width() &&
        content.height() <= room.height()) {
        return nullptr;
    }
    if (pScroll == nullptr) {
        // The controls' focus chain as it stands: moving them to another
        // parent appends each to that parent's chain, in the order moved.
        // (The parts of a compound control follow it by themselves.)
        std::vector<QWidget*> chain;
        for (QWidget* pWidget = dialog.nextInFocusChain(); pWidget != &dialog;
             pWidget = pWidget->nextInFocusChain()) {
            if (pWidget->parentWidget() == &dialog) {
                chain.push_back(pWidget);
            }
        }
        QPointer<QWidget> pFocus = dialog.focusWidget();

        auto* pContent = new QWidget;
        pContent->setObjectName(QLatin1String(kContentName));
        pContent->setFixedSize(content);
        const QObjectList children = dialog.children();
        for (QObject* pChild : children) {
            auto* pWidget = qobject_cast<QWidget*>(pChild);
            if (pWidget == nullptr || pWidget->isWindow()) {
                continue;
            }
            const bool bHidden = pWidget->isHidden();
            const QRect geometry = pWidget->geometry();
            pWidget->setParent(pContent);
            pWidget->setGeometry(geometry);
            pWidget->setVisible(!bHidden);
        }
        pScroll = new QScrollArea(&dialog);
        pScroll->setFrameShape(QFrame::NoFrame);
        pScroll->setFocusPolicy(Qt::NoFocus);
        pScroll->setWidget(pContent);
        // Called as the dialog is shown, its children already are: new ones
        // must be shown by hand.
        pContent->show();
        pScroll->show();
        for (std::size_t i = 1; i < chain.size(); ++i) {
            QWidget::setTabOrder(chain[i - 1], chain[i]);
        }
        if (pFocus) {
            pFocus->setFocus(Qt::OtherFocusReason);
        }
        // Whatever takes the keyboard, by Tab, Enter, a mnemonic or a field
        // given back after a message, is brought into view.
        QObject::connect(qApp, &QApplication::focusChanged, pScroll,
                         [pScroll](QWidget*, QWidget* pNow) {
                             if (pNow != nullptr && pScroll->widget()->isAncestorOf(pNow)) {
                                 pScroll->ensureWidgetVisible(pNow, 8, 8);
                             }
                         });
    }
    // Room for the scroll bars the smaller size needs.
    const int nBar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size = content;
    const bool bNarrow = size.width() > room.width();
    const bool bShort = size.height() > room.height();
    size += QSize(bShort ? nBar : 0, bNarrow ? nBar : 0);
    size = size.boundedTo(room).expandedTo(QSize(1, 1));
    dialog.setFixedSize(size);
    pScroll->setGeometry(dialog.rect());
    return pScroll;
}
