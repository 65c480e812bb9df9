#include "dialogs/CalculatorDialogs.h"

#include "dialogs/DataExchange.h"
#include "dialogs/SchematicPicture.h"
#include "dialogs/UpDownControl.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Every calculator's template laid out with the real dialog font: controls
// where the template puts them and no text cut off, in labels, buttons,
// result boxes and list items alike. With VANTIX_SHOT_DIR set each dialog is
// also saved as <template id>.png there (and, on a real display, as the
// screen shows it, each list dropped as <template id>-<list id>-dropped.png).

namespace {

class CalculatorLayout : public ::testing::TestWithParam<CCalculatorCase> {
protected:
    void SetUp() override {
        m_pDialog = GetParam().fnCreate();
        m_pDialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pDialog.get()));
        GetParam().fnFill(*m_pDialog);
    }
    void TearDown() override { m_pDialog->hide(); }

    // The template's controls of one kind, with their widgets.
    template <class TWidget>
    std::vector<std::pair<const CControlTemplate*, TWidget*>> ControlsOf() const {
        std::vector<std::pair<const CControlTemplate*, TWidget*>> found;
        const auto& controls = m_pDialog->Template().controls;
        for (std::size_t n = 0; n < controls.size(); ++n) {
            if (auto* pWidget = qobject_cast<TWidget*>(m_pDialog->ControlWidget(n))) {
                found.emplace_back(&controls[n], pWidget);
            }
        }
        return found;
    }

    std::unique_ptr<CCalcDialog> m_pDialog;
};

bool IsResultBox(const CControlTemplate& control) {
    return control.eKind == EControlKind::Static && (control.nStyle & kSunken) &&
           !(control.nStyle & kWrap);
}

// The text's width and height must fit the rectangle the widget gives it.
void ExpectTextFits(const QWidget& widget, const QString& strText, const QRect& area) {
    if (strText.trimmed().isEmpty()) {
        return;
    }
    const QFontMetrics metrics(widget.font());
    for (const QString& strLine : strText.split('\n')) {
        EXPECT_LE(metrics.horizontalAdvance(strLine), area.width())
            << strLine.toStdString() << " in " << widget.objectName().toStdString();
    }
    EXPECT_LE(metrics.height() * static_cast<int>(strText.count('\n') + 1), area.height())
        << strText.toStdString();
}

// Where a check box or radio button draws its text: beside the indicator,
// with the style's margin on the right.
QRect ButtonTextArea(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    const bool bRadio = qobject_cast<const QRadioButton*>(&button) != nullptr;
    const QRect contents = button.style()->subElementRect(
        bRadio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, &button);
    return contents.adjusted(0, 0, -1, 0).intersected(button.rect());
}

// The up-down control placed on this edit's right edge, if any.
const CUpDownControl* AlignedUpDownOf(const CCalcDialog& dialog, const QWidget* pEdit) {
    for (std::size_t n = 0; n < dialog.Template().controls.size(); ++n) {
        const auto* pSpin = qobject_cast<const CUpDownControl*>(dialog.ControlWidget(n));
        if (pSpin && pSpin->Buddy() == pEdit &&
            (dialog.Template().controls[n].nStyle & kAlignRight)) {
            return pSpin;
        }
    }
    return nullptr;
}

TEST_P(CalculatorLayout, ControlsMatchTheTemplateAndNoTextIsClipped) {
    CCalcDialog* const pDialog = m_pDialog.get();
    const CDialogTemplate& dlgTemplate = pDialog->Template();
    const QRect client =
        pDialog->PixelRect({0, EControlKind::Static, "", 0, 0, dlgTemplate.cx, dlgTemplate.cy});
    EXPECT_EQ(pDialog->size(), client.size());
    for (std::size_t n = 0; n < dlgTemplate.controls.size(); ++n) {
        const CControlTemplate& control = dlgTemplate.controls[n];
        const QRect expected = pDialog->PixelRect(control);
        QWidget* pWidget = pDialog->ControlWidget(n);
        ASSERT_NE(pWidget, nullptr);
        const QRect actual = pWidget->geometry();
        if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
            // A label may only have grown sideways to fit its text.
            EXPECT_TRUE(actual.contains(expected)) << control.pszText;
            EXPECT_EQ(actual.top(), expected.top()) << control.pszText;
            EXPECT_EQ(actual.height(), expected.height()) << control.pszText;
            EXPECT_LE(actual.width(), expected.width() + 8) << control.pszText;
            EXPECT_EQ(pLabel->font(), pDialog->font()) << control.pszText;
            ExpectTextFits(*pLabel, pLabel->text(), pLabel->contentsRect());
            // A worked example's result is shown whole, not cut short.
            if (IsResultBox(control)) {
                EXPECT_EQ(pLabel->toolTip(), "")
                    << control.nId << " cut: " << pLabel->text().toStdString();
            }
            continue;
        }
        if (control.eKind == EControlKind::DropDownList ||
            control.eKind == EControlKind::DropDown) {
            // A list may only have grown to the right (see ListsShowTheirLongestItem).
            EXPECT_EQ(actual.topLeft(), expected.topLeft()) << control.nId;
            EXPECT_GE(actual.width(), expected.width()) << control.nId;
            continue;
        }
        // An up-down aligned right sits on its buddy's right edge, and the
        // buddy narrows by the arrows' width.
        if (auto* pSpin = qobject_cast<CUpDownControl*>(pWidget);
            pSpin && (control.nStyle & kAlignRight)) {
            ASSERT_NE(pSpin->Buddy(), nullptr) << control.nId;
            const QRect buddy = pSpin->Buddy()->geometry();
            EXPECT_EQ(actual.left(), buddy.right() + 1) << control.nId;
            EXPECT_EQ(actual.top(), buddy.top()) << control.nId;
            continue;
        }
        if (const CUpDownControl* pSpin = AlignedUpDownOf(*pDialog, pWidget)) {
            EXPECT_EQ(actual.topLeft(), expected.topLeft()) << control.nId;
            EXPECT_EQ(actual.height(), expected.height()) << control.nId;
            EXPECT_EQ(pSpin->geometry().right(), expected.right()) << control.nId;
            continue;
        }
        EXPECT_EQ(actual, expected) << control.nId << " " << control.pszText;
        if (auto* pButton = qobject_cast<QPushButton*>(pWidget)) {
            ExpectTextFits(*pButton, pButton->text(), pButton->rect().adjusted(4, 2, -4, -2));
        } else if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
            // A check box's or radio button's text starts beside its indicator.
            ExpectTextFits(*pButton, pButton->text(), ButtonTextArea(*pButton));
        } else if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget)) {
            ExpectTextFits(*pGroup, pGroup->title(), pGroup->rect().adjusted(8, 0, -8, 0));
        } else if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
            EXPECT_GE(pEdit->contentsRect().height(), QFontMetrics(pEdit->font()).height())
                << control.nId;
        } else if (auto* pPicture = qobject_cast<CSchematicPicture*>(pWidget)) {
            EXPECT_TRUE(pPicture->IsLoaded()) << control.pszText;
        }
    }

    const QString strShots = qEnvironmentVariable("VANTIX_SHOT_DIR");
    if (!strShots.isEmpty()) {
        QDir().mkpath(strShots);
        QPixmap shot = pDialog->grab();
        shot.save(strShots + QStringLiteral("/%1.png").arg(dlgTemplate.nId));
        QPainter painter(&shot);
        painter.setPen(Qt::red);
        for (const CControlTemplate& control : dlgTemplate.controls) {
            painter.drawRect(pDialog->PixelRect(control).adjusted(0, 0, -1, -1));
        }
        painter.end();
        shot.save(strShots + QStringLiteral("/%1-template.png").arg(dlgTemplate.nId));
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            // What the X server shows: the real window, placed as a user sees it.
            QTest::qWait(300);
            pDialog->screen()->grabWindow(0).save(
                strShots + QStringLiteral("/%1-screen.png").arg(dlgTemplate.nId));
        }
    }
}

// The text area of a closed list: the style's edit field less the pixel it
// keeps on either side.
int ComboTextWidth(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    return combo.style()
               ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
               .width() -
           2;
}

TEST_P(CalculatorLayout, ListsShowTheirLongestItemWithoutCoveringAnything) {
    const auto& controls = m_pDialog->Template().controls;
    for (const auto& [pControl, pCombo] : ControlsOf<QComboBox>()) {
        const QFontMetrics metrics(pCombo->font());
        EXPECT_EQ(pCombo->font(), m_pDialog->font());
        for (int n = 0; n < pCombo->count(); ++n) {
            EXPECT_LE(metrics.horizontalAdvance(pCombo->itemText(n)), ComboTextWidth(*pCombo))
                << pCombo->itemText(n).toStdString() << " in list " << pControl->nId;
        }
        // Grown, the box stays inside its group box and clear of its neighbours.
        const QRect box = pCombo->geometry();
        for (std::size_t n = 0; n < controls.size(); ++n) {
            const QRect other = m_pDialog->ControlWidget(n)->geometry();
            if (&controls[n] == pControl || controls[n].eKind == EControlKind::UpDown) {
                continue;
            }
            if (controls[n].eKind == EControlKind::GroupBox) {
                if (other.contains(pCombo->pos())) {
                    EXPECT_TRUE(other.contains(box)) << pControl->nId;
                }
            } else {
                EXPECT_FALSE(other.intersects(box))
                    << pControl->nId << " covers " << controls[n].nId;
            }
        }
    }
}

TEST_P(CalculatorLayout, ListsDropNoLowerThanTheTemplateAndScroll) {
    const bool bRealScreen = QGuiApplication::platformName() == QLatin1String("xcb");
    const QString strShots = qEnvironmentVariable("VANTIX_SHOT_DIR");
    for (const auto& [pControl, pCombo] : ControlsOf<QComboBox>()) {
        if (pCombo->count() == 0 || !pCombo->isEnabled()) {
            continue;
        }
        const int nListHeight = m_pDialog->PixelRect(*pControl).height() - pCombo->height();
        pCombo->showPopup();
        QWidget* pPopup = pCombo->view()->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pPopup)) << pControl->nId;
        const int nRowHeight = pCombo->view()->sizeHintForRow(0);
        EXPECT_LE(pPopup->height(), nListHeight) << pControl->nId;
        // Below the box, as a dropped list is.
        EXPECT_GE(pPopup->y(), pCombo->mapToGlobal(QPoint(0, pCombo->height())).y() - 1)
            << pControl->nId;
        if (pCombo->count() * nRowHeight > nListHeight) {
            EXPECT_GT(pPopup->height(), nListHeight - nRowHeight) << pControl->nId;
            EXPECT_TRUE(pCombo->view()->verticalScrollBar()->isVisible()) << pControl->nId;
        }
        if (!strShots.isEmpty() && bRealScreen) {
            QTest::qWait(300);
            QDir().mkpath(strShots);
            pCombo->screen()->grabWindow(0).save(strShots + QStringLiteral("/%1-%2-dropped.png")
                                                                .arg(m_pDialog->Template().nId)
                                                                .arg(pControl->nId));
        }
        pCombo->hidePopup();
    }
}

// The width a list view's delegate asks for one cell.
int CellWidth(const QTreeWidget& list, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.font = list.font();
    option.fontMetrics = QFontMetrics(list.font());
    return list.itemDelegate()->sizeHint(option, index).width();
}

// Every header and cell of a list view fits its column, and the columns fit
// the list, so nothing is cut and no row scrolls sideways.
TEST_P(CalculatorLayout, ListViewsShowEveryCellWhole) {
    for (const auto& [pControl, pList] : ControlsOf<QTreeWidget>()) {
        int nAllColumns = 0;
        for (int nColumn = 0; nColumn < pList->columnCount(); ++nColumn) {
            const int nWidth = pList->columnWidth(nColumn);
            nAllColumns += nWidth;
            EXPECT_LE(pList->header()->sectionSizeHint(nColumn), nWidth)
                << pList->headerItem()->text(nColumn).toStdString() << " in list " << pControl->nId;
            for (int nRow = 0; nRow < pList->topLevelItemCount(); ++nRow) {
                const QModelIndex index = pList->model()->index(nRow, nColumn);
                EXPECT_LE(CellWidth(*pList, index), nWidth)
                    << index.data().toString().toStdString() << " in list " << pControl->nId;
            }
        }
        EXPECT_LE(nAllColumns, pList->viewport()->width()) << pControl->nId;
        EXPECT_FALSE(pList->horizontalScrollBar()->isVisible()) << pControl->nId;
    }
}

// A result that does not fit shows its beginning and, as the tool tip, the
// whole of it; the exchange still gives back the whole text.
TEST_P(CalculatorLayout, ResultBoxesShowTheBeginningOfALongResult) {
    const std::string strLong = "L(μH)=137902134360579.12 (a result far too long for any box)";
    for (const auto& [pControl, pLabel] : ControlsOf<QLabel>()) {
        if (!IsResultBox(*pControl)) {
            continue;
        }
        std::string strResult = strLong;
        CDataExchange write(*m_pDialog, false);
        write.Text(pControl->nId, strResult, 80);
        const QString strShown = pLabel->text();
        EXPECT_TRUE(strShown.startsWith(QStringLiteral("L(μH)=13"))) << strShown.toStdString();
        EXPECT_LE(QFontMetrics(pLabel->font()).horizontalAdvance(strShown),
                  pLabel->contentsRect().width())
            << pControl->nId;
        EXPECT_EQ(pLabel->toolTip(), QString::fromStdString(strLong)) << pControl->nId;
        strResult.clear();
        CDataExchange read(*m_pDialog, true);
        read.Text(pControl->nId, strResult, 80);
        EXPECT_EQ(strResult, strLong);
        // A result that fits is shown whole, with no tool tip left over.
        strResult = "1.75";
        CDataExchange rewrite(*m_pDialog, false);
        rewrite.Text(pControl->nId, strResult, 80);
        EXPECT_EQ(pLabel->text(), "1.75");
        EXPECT_EQ(pLabel->toolTip(), "");
    }
}

// No static text lies on another control; a group box may hold it whole.
TEST_P(CalculatorLayout, StaticTextsOverlapNoOtherControl) {
    const auto& controls = m_pDialog->Template().controls;
    for (const auto& [pControl, pLabel] : ControlsOf<QLabel>()) {
        // A static of its own (a notice, a result) may show text at any time.
        if (!pLabel->isVisible() ||
            (pControl->nId == kNoId && pLabel->text().trimmed().isEmpty())) {
            continue;
        }
        for (std::size_t n = 0; n < controls.size(); ++n) {
            const QWidget* pOther = m_pDialog->ControlWidget(n);
            if (pOther == nullptr || pOther == pLabel || !pOther->isVisible() ||
                (controls[n].eKind == EControlKind::GroupBox &&
                 pOther->geometry().contains(pLabel->geometry()))) {
                continue;
            }
            EXPECT_FALSE(pLabel->geometry().intersects(pOther->geometry()))
                << "\"" << pLabel->text().toStdString() << "\" (" << pControl->nId
                << ") overlaps control " << controls[n].nId;
        }
    }
}

// A notice (a wrapping static of the dialog's own) has room for two lines.
TEST_P(CalculatorLayout, NoticesHoldTwoLines) {
    for (const auto& [pControl, pLabel] : ControlsOf<QLabel>()) {
        if (pControl->nId != kNoId && (pControl->nStyle & kWrap)) {
            EXPECT_GE(pLabel->contentsRect().height(), 2 * QFontMetrics(pLabel->font()).height())
                << pControl->nId;
        }
    }
}

// A result can be selected with the mouse and copied with Ctrl+C, whole
// even where the box shows it cut short, and Tab still passes it by.
TEST_P(CalculatorLayout, ResultBoxesCanBeSelectedAndCopied) {
    const std::string strLong = "L(μH)=137902134360579.12 (a result far too long for any box)";
    for (const auto& [pControl, pLabel] : ControlsOf<QLabel>()) {
        if (!IsResultBox(*pControl)) {
            continue;
        }
        SCOPED_TRACE(pControl->nId);
        EXPECT_TRUE(pLabel->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        EXPECT_FALSE(pLabel->focusPolicy() & Qt::TabFocus);
        // Clicked (which may recompute the dialog), then the long result.
        QTest::mouseClick(pLabel, Qt::LeftButton);
        std::string strResult = strLong;
        CDataExchange write(*m_pDialog, false);
        write.Text(pControl->nId, strResult, 80);
        QApplication::clipboard()->clear();
        QTest::keyClick(pLabel, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(strLong));
    }
}

INSTANTIATE_TEST_SUITE_P(Calculators, CalculatorLayout, ::testing::ValuesIn(CalculatorDialogs()),
                         CaseName);

} // namespace
