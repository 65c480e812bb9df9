#include "dialogs/ComboFit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace {

// Clearance between an item's text and the edges of the box's text area:
// the style draws a closed list's text 1 px in, an edit field 2 px in.
constexpr int kTextClearance = 3;

} // namespace

CComboFit::CComboFit(QComboBox& combo, int nMaxRight, int nListHeight)
    : QObject(&combo), m_combo(combo), m_nTemplateWidth(combo.width()),
      m_nMaxRight(std::max(nMaxRight, combo.geometry().right())), m_nListHeight(nListHeight) {
    // The Fusion style drops a list without an edit field as a menu over the
    // whole screen and ignores the visible-item limit; a plain list view
    // popup honours it.
    m_combo.setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    const QAbstractItemModel* pModel = m_combo.model();
    connect(pModel, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int nFirst, int nLast) {
                Measure(nFirst, nLast);
                Fit();
            });
    connect(pModel, &QAbstractItemModel::rowsRemoved, this, &CComboFit::Refit);
    connect(pModel, &QAbstractItemModel::modelReset, this, &CComboFit::Refit);
    connect(pModel, &QAbstractItemModel::dataChanged, this, &CComboFit::Refit);
    Refit();
}

void CComboFit::Refit() {
    MeasureAll();
    Fit();
}

int CComboFit::TextAreaWidth(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    return field.width() - 2 * kTextClearance;
}

void CComboFit::Measure(int nFirst, int nLast) {
    const QFontMetrics metrics(m_combo.font());
    for (int n = nFirst; n <= nLast; ++n) {
        m_nWidest = std::max(m_nWidest, metrics.horizontalAdvance(m_combo.itemText(n)));
    }
}

void CComboFit::MeasureAll() {
    m_nWidest = 0;
    Measure(0, m_combo.count() - 1);
}

void CComboFit::Fit() {
    const int nChrome = m_combo.width() - TextAreaWidth(m_combo);
    const int nRoom = m_nMaxRight + 1 - m_combo.x();
    const int nWidth = std::clamp(m_nWidest + nChrome, m_nTemplateWidth, nRoom);
    if (nWidth != m_combo.width()) {
        m_combo.resize(nWidth, m_combo.height());
    }
    // As many rows as the template's dropped height holds below the box,
    // less the popup's frame; at least one.
    const int nRowHeight = std::max(1, m_combo.view()->sizeHintForRow(0));
    const QWidget* pPopup = m_combo.view()->parentWidget();
    const QMargins frame = pPopup ? pPopup->contentsMargins() : QMargins();
    const QMargins viewFrame = m_combo.view()->contentsMargins();
    const int nFrames = frame.top() + frame.bottom() + viewFrame.top() + viewFrame.bottom();
    m_combo.setMaxVisibleItems(std::max(1, (m_nListHeight - nFrames) / nRowHeight));
}
