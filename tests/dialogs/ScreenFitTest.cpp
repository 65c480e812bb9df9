#include "dialogs/ScreenFit.h"
#include "CalculatorDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Every dialog on a screen smaller than itself: shown scrolled inside the
// screen, every control reachable and scrolled into view when it takes the
// keyboard, the tab order as on a screen large enough. On a large screen
// nothing changes.

namespace {

// The template ids of the controls in tab order, from the first control.
std::vector<int> TabOrder(const CCalcDialog& dialog) {
    std::vector<int> ids;
    for (QWidget* pWidget = dialog.nextInFocusChain(); pWidget != &dialog;
         pWidget = pWidget->nextInFocusChain()) {
        if (const int nId = dialog.IdOf(pWidget); nId != kNoId) {
            ids.push_back(nId);
        }
    }
    return ids;
}

class ScreenFit : public ::testing::TestWithParam<CCalculatorCase> {
protected:
    void TearDown() override { SetDialogScreenArea(QRect()); }
};

TEST_P(ScreenFit, ASmallScreenShowsTheDialogScrolledWithEveryControlReachable) {
    const std::unique_ptr<CCalcDialog> pRoomy = GetParam().fnCreate();
    pRoomy->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pRoomy.get()));
    EXPECT_EQ(pRoomy->findChild<QScrollArea*>(), nullptr) << "scrolled on a large screen";
    const QSize full = pRoomy->size();
    const std::vector<int> order = TabOrder(*pRoomy);
    pRoomy->hide();

    const QRect small(0, 0, 400, 300);
    SetDialogScreenArea(small);
    const std::unique_ptr<CCalcDialog> pDialog = GetParam().fnCreate();
    pDialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pDialog.get()));
    GetParam().fnFill(*pDialog);
    auto* pScroll = pDialog->findChild<QScrollArea*>();
    ASSERT_NE(pScroll, nullptr);
    EXPECT_LE(pDialog->width(), small.width());
    EXPECT_LE(pDialog->height(), small.height());
    EXPECT_EQ(pScroll->widget()->size(), full);
    EXPECT_EQ(TabOrder(*pDialog), order);
    // It opens with the keyboard in it, as on any screen.
    ASSERT_TRUE(QTest::qWaitForWindowActive(pDialog.get()));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->window(), pDialog.get());

    const QRect view = pScroll->viewport()->rect();
    for (std::size_t n = 0; n < pDialog->Template().controls.size(); ++n) {
        QWidget* pControl = pDialog->ControlWidget(n);
        if (!(pControl->focusPolicy() & Qt::TabFocus) || !pControl->isEnabled() ||
            !pControl->isVisibleTo(pDialog.get())) {
            continue;
        }
        SCOPED_TRACE(pDialog->Template().controls[n].nId);
        EXPECT_TRUE(pScroll->widget()->isAncestorOf(pControl));
        EXPECT_TRUE(pControl->isVisible());
        pControl->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        // Whole in view, or from its top left as far as the view reaches.
        const QPoint at = pControl->mapTo(pScroll->viewport(), QPoint(0, 0));
        const QRect shown(at, pControl->size().boundedTo(view.size() - QSize(at.x(), at.y())));
        EXPECT_TRUE(view.contains(shown))
            << pControl->width() << "x" << pControl->height() << " at " << at.x() << "," << at.y()
            << " in " << view.width() << "x" << view.height();
    }
    // Cancel, reached and pressed, ends the dialog as ever.
    auto* pCancel = qobject_cast<QPushButton*>(pDialog->GetDlgItem(kIdCancel));
    ASSERT_NE(pCancel, nullptr);
    pCancel->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::mouseClick(pCancel, Qt::LeftButton);
    EXPECT_FALSE(pDialog->isVisible());
    EXPECT_EQ(pDialog->result(), kIdCancel);
}

INSTANTIATE_TEST_SUITE_P(Calculators, ScreenFit, ::testing::ValuesIn(CalculatorDialogs()),
                         CaseName);

} // namespace
