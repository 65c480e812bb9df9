#include "dialogs/CalcDialog.h"

#include "dialogs/ComboFit.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/MessageSink.h"
#include "dialogs/SchematicPicture.h"
#include "dialogs/ScreenFit.h"
#include "dialogs/UpDownControl.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Height of a closed combo box, in dialog units; the template's height is
// that of the box with its list dropped.
constexpr int kComboClosedHeight = 12;

// Space a widened combo leaves to the frame or control beside it, in dialog
// units.
constexpr int kRoomMargin = 4;

Qt::Alignment TextAlignment(unsigned nStyle) {
    Qt::Alignment alignment = (nStyle & kCentre)  ? Qt::AlignHCenter
                              : (nStyle & kRight) ? Qt::AlignRight
                                                  : Qt::AlignLeft;
    // A one-line result box is barely taller than the text inside its frame:
    // centred, the text keeps clear of the frame at both edges.
    const bool bResultBox = (nStyle & kSunken) && !(nStyle & kWrap);
    alignment |= ((nStyle & kVCentre) || bResultBox) ? Qt::AlignVCenter : Qt::AlignTop;
    return alignment;
}

void SetSunken(QFrame* pFrame, unsigned nStyle) {
    if (nStyle & kSunken) {
        pFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pFrame->setLineWidth(1);
    }
}

bool IsEnterKey(const QEvent* pEvent) {
    if (pEvent->type() != QEvent::KeyPress) {
        return false;
    }
    const int nKey = static_cast<const QKeyEvent*>(pEvent)->key();
    return nKey == Qt::Key_Return || nKey == Qt::Key_Enter;
}

} // namespace

CCalcDialog::CCalcDialog(const CDialogTemplate& dialogTemplate, QWidget* pParent)
    : QDialog(pParent), m_template(dialogTemplate) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QString::fromUtf8(m_template.pszTitle));
    m_font = DialogFont(m_template.pszFontFace, m_template.nPointSize);
    setFont(m_font);
    m_baseUnits = DialogBaseUnits(m_font);
    Build();
    qApp->installEventFilter(this);
}

CCalcDialog::~CCalcDialog() {
    qApp->removeEventFilter(this);
}

QRect CCalcDialog::PixelRect(const CControlTemplate& control) const {
    return MapDialogRect(QRect(control.x, control.y, control.cx, control.cy), m_baseUnits);
}

void CCalcDialog::Build() {
    const QRect client = MapDialogRect(QRect(0, 0, m_template.cx, m_template.cy), m_baseUnits);
    setFixedSize(client.size());

    QButtonGroup* pRadioGroup = nullptr;
    std::vector<QWidget*> groupBoxes;
    for (const CControlTemplate& control : m_template.controls) {
        if (control.eKind == EControlKind::RadioButton) {
            if ((control.nStyle & kGroup) || !pRadioGroup) {
                pRadioGroup = new QButtonGroup(this);
            }
        } else {
            pRadioGroup = nullptr;
        }
        QWidget* pWidget = CreateControl(control);
        if (pRadioGroup) {
            pRadioGroup->addButton(static_cast<QRadioButton*>(pWidget));
        }
        pWidget->setGeometry(PixelRect(control));
        if (control.eKind == EControlKind::DropDownList ||
            control.eKind == EControlKind::DropDown) {
            const QRect dropped = PixelRect(control);
            const QRect closed = ClosedComboRect(control);
            pWidget->setGeometry(closed);
            new CComboFit(*static_cast<QComboBox*>(pWidget), ComboRoomRight(control),
                          dropped.height() - closed.height());
        }
        if (control.eKind == EControlKind::Static) {
            WidenClippedLabel(static_cast<QLabel*>(pWidget), control.nStyle);
        }
        if (control.nStyle & kDisabled) {
            pWidget->setEnabled(false);
        }
        if (control.nId != kNoId) {
            pWidget->setObjectName(QStringLiteral("id%1").arg(control.nId));
            m_byId[control.nId] = pWidget;
        }
        if (control.eKind == EControlKind::GroupBox) {
            groupBoxes.push_back(pWidget);
        }
        m_controls.emplace_back(&control, pWidget);
    }
    for (QWidget* pGroupBox : groupBoxes) {
        pGroupBox->lower();
    }
}

QRect CCalcDialog::ClosedComboRect(const CControlTemplate& control) const {
    const QRect dropped = PixelRect(control);
    const int nClosed = std::min(
        dropped.height(), MapDialogRect(QRect(0, 0, 0, kComboClosedHeight), m_baseUnits).height());
    return QRect(dropped.x(), dropped.y(), dropped.width(), nClosed);
}

// How far right a closed combo may grow for a long item: up to the group box
// around it, or the dialog's edge, and short of any control beside it.
int CCalcDialog::ComboRoomRight(const CControlTemplate& combo) const {
    const QRect closed = ClosedComboRect(combo);
    const QRect margin = MapDialogRect(QRect(0, 0, kRoomMargin, kRoomMargin), m_baseUnits);
    int nRight = MapDialogRect(QRect(0, 0, m_template.cx, m_template.cy), m_baseUnits).right() -
                 margin.width();
    for (const CControlTemplate& other : m_template.controls) {
        if (&other == &combo) {
            continue;
        }
        const bool bCombo =
            other.eKind == EControlKind::DropDownList || other.eKind == EControlKind::DropDown;
        const QRect rect = bCombo ? ClosedComboRect(other) : PixelRect(other);
        if (other.eKind == EControlKind::GroupBox) {
            if (rect.contains(closed)) {
                nRight = std::min(nRight, rect.right() - margin.width());
            }
        } else if (rect.top() <= closed.bottom() && rect.bottom() >= closed.top() &&
                   rect.left() > closed.right()) {
            nRight = std::min(nRight, rect.left() - 1 - margin.width() / 2);
        }
    }
    return nRight;
}

QWidget* CCalcDialog::ControlWidget(std::size_t nIndex) const {
    return nIndex < m_controls.size() ? m_controls[nIndex].second : nullptr;
}

// Templates were drawn for a narrower font than some fallbacks: a plain label
// whose text does not fit grows to the side its alignment leaves free, so
// that no label is cut off.
void CCalcDialog::WidenClippedLabel(QLabel* pLabel, unsigned nStyle) {
    if (nStyle & (kSunken | kWrap)) {
        return;
    }
    const QFontMetrics metrics(pLabel->font());
    int nWidest = 0;
    for (const QString& strLine : pLabel->text().split('\n')) {
        nWidest = std::max(nWidest, metrics.horizontalAdvance(strLine));
    }
    const QRect rect = pLabel->geometry();
    const int nMissing = nWidest + 1 - rect.width();
    if (nMissing <= 0) {
        return;
    }
    const int nLeft = (nStyle & kCentre) ? (nMissing + 1) / 2 : (nStyle & kRight) ? nMissing : 0;
    pLabel->setGeometry(rect.x() - nLeft, rect.y(), rect.width() + nMissing, rect.height());
}

QWidget* CCalcDialog::CreateControl(const CControlTemplate& control) {
    const QString strText = QString::fromUtf8(control.pszText ? control.pszText : "");
    const Qt::FocusPolicy eFocus = (control.nStyle & kNoTabStop) ? Qt::ClickFocus : Qt::StrongFocus;
    switch (control.eKind) {
    case EControlKind::Edit: {
        auto* pEdit = new QLineEdit(this);
        pEdit->setReadOnly(control.nStyle & kReadOnly);
        pEdit->setAlignment(TextAlignment(control.nStyle) & Qt::AlignHorizontal_Mask);
        pEdit->setFocusPolicy(eFocus);
        pEdit->setTextMargins(0, 0, 0, 0);
        return pEdit;
    }
    case EControlKind::Static: {
        auto* pLabel = new QLabel(strText, this);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment(TextAlignment(control.nStyle));
        pLabel->setWordWrap(control.nStyle & kWrap);
        SetSunken(pLabel, control.nStyle);
        // What a dialog shows in a static of its own (results) can be
        // selected with the mouse and copied; Tab still passes it by.
        if (control.nId != kNoId) {
            pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        return pLabel;
    }
    case EControlKind::GroupBox: {
        auto* pGroupBox = new QGroupBox(strText, this);
        pGroupBox->setFocusPolicy(Qt::NoFocus);
        return pGroupBox;
    }
    case EControlKind::Picture: {
        auto* pPicture = new CSchematicPicture(strText, this);
        SetSunken(pPicture, control.nStyle);
        return pPicture;
    }
    case EControlKind::PushButton:
    case EControlKind::DefPushButton: {
        auto* pButton = new QPushButton(strText, this);
        // A click must take the focus: that focus loss is what recomputes.
        pButton->setFocusPolicy(eFocus);
        pButton->setDefault(control.eKind == EControlKind::DefPushButton);
        const int nId = control.nId;
        connect(pButton, &QPushButton::clicked, this, [this, nId] {
            if (nId == kIdOk) {
                RunAction([this] { OnOK(); });
            } else if (nId == kIdCancel) {
                OnCancel();
            } else {
                Notify(nId, ENotify::Clicked);
            }
        });
        return pButton;
    }
    case EControlKind::CheckBox:
    case EControlKind::RadioButton: {
        QAbstractButton* pButton = control.eKind == EControlKind::CheckBox
                                       ? static_cast<QAbstractButton*>(new QCheckBox(strText, this))
                                       : new QRadioButton(strText, this);
        pButton->setFocusPolicy(eFocus);
        const int nId = control.nId;
        connect(pButton, &QAbstractButton::clicked, this,
                [this, nId] { Notify(nId, ENotify::Clicked); });
        return pButton;
    }
    case EControlKind::DropDownList:
    case EControlKind::DropDown: {
        auto* pCombo = new QComboBox(this);
        pCombo->setEditable(control.eKind == EControlKind::DropDown);
        pCombo->setInsertPolicy(QComboBox::NoInsert);
        pCombo->setFocusPolicy(eFocus);
        const int nId = control.nId;
        connect(pCombo, &QComboBox::activated, this,
                [this, nId] { Notify(nId, ENotify::SelChange); });
        return pCombo;
    }
    case EControlKind::ListView: {
        auto* pList = new QTreeWidget(this);
        pList->setRootIsDecorated(false);
        pList->setItemsExpandable(false);
        pList->setUniformRowHeights(true);
        pList->setAllColumnsShowFocus(true);
        pList->setColumnCount(0);
        pList->header()->setStretchLastSection(false);
        pList->setFocusPolicy(eFocus);
        return pList;
    }
    case EControlKind::UpDown: {
        auto* pUpDown = new CUpDownControl(this);
        const int nId = control.nId;
        connect(pUpDown, &CUpDownControl::DeltaPos, this, [this, nId](int nDelta) {
            const auto it = m_stepHandlers.find(nId);
            if (it == m_stepHandlers.end() || IsQuiet()) {
                return;
            }
            const auto fnHandler = it->second;
            m_bInStep = true;
            RunAction([&] { fnHandler(nDelta); });
            m_bInStep = false;
        });
        return pUpDown;
    }
    }
    return new QWidget(this);
}

QWidget* CCalcDialog::GetDlgItem(int nId) const {
    const auto it = m_byId.find(nId);
    return it == m_byId.end() ? nullptr : it->second;
}

int CCalcDialog::IdOf(const QObject* pControl) const {
    for (const auto& [pTemplate, pWidget] : m_controls) {
        if (pWidget == pControl) {
            return pTemplate->nId;
        }
    }
    return kNoId;
}

std::vector<QRadioButton*> CCalcDialog::RadioGroup(int nFirstId) const {
    std::vector<QRadioButton*> group;
    bool bInGroup = false;
    for (const auto& [pTemplate, pWidget] : m_controls) {
        const bool bRadio = pTemplate->eKind == EControlKind::RadioButton;
        if (bInGroup && (!bRadio || (pTemplate->nStyle & kGroup))) {
            break;
        }
        if (pTemplate->nId == nFirstId && bRadio) {
            bInGroup = true;
        }
        if (bInGroup) {
            group.push_back(static_cast<QRadioButton*>(pWidget));
        }
    }
    return group;
}

// The arrow keys step through a group of radio buttons in the template's
// order, whichever way the buttons are laid out, wrapping at the ends: Down
// and Right to the next, Up and Left to the one before. The button stepped
// to is checked, as a click would.
bool CCalcDialog::StepRadioGroup(QWidget* pTarget, const QKeyEvent* pKey) {
    const int nKey = pKey->key();
    if ((nKey != Qt::Key_Down && nKey != Qt::Key_Right && nKey != Qt::Key_Up &&
         nKey != Qt::Key_Left) ||
        (pKey->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    auto* pRadio = qobject_cast<QRadioButton*>(pTarget);
    if (!pRadio || !pRadio->group()) {
        return false;
    }
    const QList<QAbstractButton*> buttons = pRadio->group()->buttons();
    const int nCount = static_cast<int>(buttons.size());
    const int nStep = (nKey == Qt::Key_Down || nKey == Qt::Key_Right) ? 1 : nCount - 1;
    int nAt = static_cast<int>(buttons.indexOf(pRadio));
    for (int n = 1; n < nCount; ++n) {
        nAt = (nAt + nStep) % nCount;
        QAbstractButton* pNext = buttons[nAt];
        if (pNext->isEnabled() && pNext->isVisible()) {
            GiveFocus(pNext);
            if (pNext->hasFocus()) {
                pNext->click();
            }
            return true;
        }
    }
    return true; // the only button to step to is this one
}

int CCalcDialog::exec() {
    m_bEnding = false;
    m_nDeferredKillFocus = kNoId;
    m_pFocusNotified = nullptr;
    const int nResult = QDialog::exec();
    return nResult == kIdOk ? kIdOk : kIdCancel;
}

bool CCalcDialog::UpdateData(bool bSaveAndValidate) {
    ++m_nExchangeDepth;
    CDataExchange dx(*this, bSaveAndValidate);
    DoDataExchange(dx);
    --m_nExchangeDepth;
    return !dx.Failed();
}

void CCalcDialog::MoveFocus(int nId) {
    // A field that failed in this user action keeps the focus it was given
    // back; after a real message box the dialog is not active yet, and a
    // later focus change would silently win.
    if (ActionHasFailed()) {
        return;
    }
    QWidget* pTarget = GetDlgItem(nId);
    if (!pTarget) {
        return;
    }
    GiveFocus(pTarget);
    // The focus loss on the way may have failed the field just left.
    if (ActionHasFailed()) {
        GiveFocus(GetDlgItem(m_nFailedField));
    }
}

bool CCalcDialog::ActionHasFailed() const {
    return m_nActionDepth > 0 && m_bMessageShown && m_nFailedField != kNoId;
}

// Every focus the dialog gives is the keyboard's doing (Enter, a message
// answered, opening): the focus frame shows on lists and buttons too, and an
// edit's whole text is selected with the caret at the end, in view. On an
// inactive window the control becomes the one that gets the focus when the
// window is activated.
void CCalcDialog::GiveFocus(QWidget* pControl) {
    if (!pControl) {
        return;
    }
    setAttribute(Qt::WA_KeyboardFocusChange);
    pControl->setFocus(Qt::TabFocusReason);
    // The focus loss on the way may have failed the field left and given it
    // the focus back: the control never got it and must not look selected.
    if (focusWidget() != pControl) {
        return;
    }
    if (auto* pEdit = qobject_cast<QLineEdit*>(pControl)) {
        pEdit->selectAll();
    }
    pControl->update();
}

void CCalcDialog::FailField(int nId, const QString& strMessage) {
    // A press whose focus change failed a field has not reached its widget
    // yet; it is cancelled below so that it cannot click a button as well.
    const bool bPressPending = QGuiApplication::mouseButtons() != Qt::NoButton && !m_bInStep;
    if (!(m_nActionDepth > 0 && m_bMessageShown)) {
        m_bMessageShown = true;
        ShowMessage(this, QMessageBox::Warning, strMessage);
    }
    m_nFailedField = nId;
    for (CUpDownControl* pUpDown : findChildren<CUpDownControl*>()) {
        pUpDown->StopRepeat();
    }
    GiveFocus(GetDlgItem(nId));
    if (bPressPending) {
        m_bCancelPress = true;
        QTimer::singleShot(0, this, [this] { m_bCancelPress = false; });
    }
}

void CCalcDialog::accept() {
    RunAction([this] { OnOK(); });
}

void CCalcDialog::reject() {
    OnCancel();
}

bool CCalcDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CCalcDialog::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    m_bEnding = true;
    QDialog::done(kIdOk);
}

void CCalcDialog::OnCancel() {
    m_bEnding = true;
    QDialog::done(kIdCancel);
}

void CCalcDialog::OnNotify(int nId, ENotify eCode, std::function<void()> fnHandler) {
    m_handlers[{nId, eCode}] = std::move(fnHandler);
}

void CCalcDialog::OnDeltaPos(int nId, std::function<void(int)> fnHandler) {
    m_stepHandlers[nId] = std::move(fnHandler);
}

void CCalcDialog::TrackFocus(std::span<const CFocusStop> inputs, int& nFocus, int nIdle,
                             const std::function<void()>& fnLeave) {
    for (const CFocusStop& stop : inputs) {
        const int nTracker = stop.nTracker;
        OnNotify(stop.nId, ENotify::SetFocus, [&nFocus, nTracker] { nFocus = nTracker; });
        // The tracker follows the focus at once; only the recompute may wait
        // (see the press on Cancel in FilterFocusEvent).
        m_leaveRecords[stop.nId] = [&nFocus, nIdle] { nFocus = nIdle; };
        OnNotify(stop.nId, ENotify::KillFocus, fnLeave);
    }
}

int CCalcDialog::NextInCycle(std::span<const CFocusStop> cycle, int nFocus, int nNoneId) {
    for (std::size_t n = 0; n < cycle.size(); ++n) {
        if (cycle[n].nTracker == nFocus) {
            return cycle[(n + 1) % cycle.size()].nId;
        }
    }
    return nNoneId;
}

void CCalcDialog::SetBuddy(int nUpDownId, int nEditId) {
    auto* pUpDown = Item<CUpDownControl>(nUpDownId);
    auto* pEdit = Item<QLineEdit>(nEditId);
    if (!pUpDown || !pEdit) {
        return;
    }
    bool bAlignRight = false;
    for (const auto& [pTemplate, pWidget] : m_controls) {
        if (pWidget == pUpDown) {
            bAlignRight = pTemplate->nStyle & kAlignRight;
        }
    }
    pUpDown->SetBuddy(pEdit, bAlignRight);
}

bool CCalcDialog::IsQuiet() const {
    return m_nExchangeDepth > 0 || m_bEnding || IsShowingMessage();
}

void CCalcDialog::Notify(int nId, ENotify eCode) {
    if (eCode != ENotify::SetFocus && IsQuiet()) {
        return;
    }
    const auto it = m_handlers.find({nId, eCode});
    if (it == m_handlers.end()) {
        return;
    }
    const auto fnHandler = it->second; // a handler may replace itself
    RunAction(fnHandler);
}

void CCalcDialog::RunAction(const std::function<void()>& fnAction) {
    if (m_nActionDepth == 0) {
        m_bMessageShown = false;
        m_nFailedField = kNoId;
    }
    ++m_nActionDepth;
    fnAction();
    --m_nActionDepth;
}

void CCalcDialog::showEvent(QShowEvent* pEvent) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        if (OnInitDialog()) {
            for (const auto& [pTemplate, pWidget] : m_controls) {
                if ((pWidget->focusPolicy() & Qt::TabFocus) && pWidget->isEnabled()) {
                    GiveFocus(pWidget);
                    break;
                }
            }
        }
        FitDialogWithin(*this, DialogScreenArea(*this));
        // Centre over the window that opened the dialog (the shell passes no
        // parent: the active window, else the main window), or on the screen.
        const QWidget* pOver = parentWidget() ? parentWidget() : QApplication::activeWindow();
        for (const QWidget* pTop : QApplication::topLevelWidgets()) {
            if (!pOver && pTop != this && pTop->isVisible() && pTop->inherits("QMainWindow")) {
                pOver = pTop;
            }
        }
        const QRect area = pOver && pOver != this ? pOver->frameGeometry()
                           : screen()             ? screen()->availableGeometry()
                                                  : QRect();
        if (area.isValid()) {
            QPoint topLeft = area.center() - rect().center();
            // A dialog larger than the window below it must not start off the
            // screen, where its title bar and first fields could not be reached.
            if (const QScreen* pScreen = pOver && pOver != this ? pOver->screen() : screen()) {
                const QRect avail = pScreen->availableGeometry();
                topLeft.setX(std::clamp(topLeft.x(), avail.left(),
                                        std::max(avail.left(), avail.right() + 1 - width())));
                topLeft.setY(std::clamp(topLeft.y(), avail.top(),
                                        std::max(avail.top(), avail.bottom() + 1 - height())));
            }
            move(topLeft);
        }
    }
    QDialog::showEvent(pEvent);
}

// Installed on the application: Enter must be caught before the focus widget
// or the dialog's default button can act on it, and the focus events of the
// controls arrive here as well.
bool CCalcDialog::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched->isWidgetType()) {
        auto* pWidget = static_cast<QWidget*>(pWatched);
        if (FilterApplicationEvent(pWidget, pEvent)) {
            return true;
        }
        const QEvent::Type eType = pEvent->type();
        if ((eType == QEvent::FocusIn || eType == QEvent::FocusOut) && pWidget->parent() == this) {
            return FilterFocusEvent(pWidget, static_cast<QFocusEvent*>(pEvent));
        }
        // Ctrl+C on a result copies the result whole, also where the box
        // shows it cut short (the whole text is then its tool tip).
        auto* pLabel = qobject_cast<QLabel*>(pWidget);
        if (eType == QEvent::KeyPress && pLabel != nullptr && pLabel->parent() == this &&
            static_cast<QKeyEvent*>(pEvent)->matches(QKeySequence::Copy)) {
            const QString strWhole = !pLabel->toolTip().isEmpty() ? pLabel->toolTip()
                                     : pLabel->hasSelectedText()  ? pLabel->selectedText()
                                                                  : pLabel->text();
            QGuiApplication::clipboard()->setText(strWhole);
            return true;
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

bool CCalcDialog::FilterFocusEvent(QWidget* pControl, QFocusEvent* pEvent) {
    const int nId = IdOf(pControl);
    const bool bGained = pEvent->type() == QEvent::FocusIn;
    // Opening a combo's list or a context menu is not a focus change for the
    // dialog, and neither is the window losing the activation (to a message
    // box, or to a window manager that hands the keys on by the pointer):
    // the control keeps the dialog's focus, and recomputing for it would
    // only repeat a message.
    if (nId == kNoId || pEvent->reason() == Qt::PopupFocusReason ||
        (!bGained &&
         (QApplication::activePopupWidget() || pEvent->reason() == Qt::ActiveWindowFocusReason))) {
        return false;
    }
    // Qt may repeat a focus-in (once on show, once on activation) and sends a
    // focus-out to a control that was given the focus and lost it again
    // within one change; the dialog sees each real change once.
    if (bGained == (m_pFocusNotified == pControl)) {
        return false;
    }
    m_pFocusNotified = bGained ? pControl : nullptr;
    const ENotify eCode = bGained ? ENotify::SetFocus : ENotify::KillFocus;
    const auto itRecord = bGained ? m_leaveRecords.end() : m_leaveRecords.find(nId);
    if (!m_handlers.count({nId, eCode}) && itRecord == m_leaveRecords.end()) {
        if (!bGained && nId == kIdCancel && m_nDeferredKillFocus != kNoId) {
            // The press on Cancel did not end the dialog after all.
            const int nDeferred = std::exchange(m_nDeferredKillFocus, kNoId);
            static_cast<QObject*>(pControl)->event(pEvent);
            Notify(nDeferred, ENotify::KillFocus);
            return true;
        }
        return false;
    }
    // The control sees its focus change first, as it would without the
    // handler: a handler that moves the focus again (a failed field taking
    // it back) must come after the control has finished losing it.
    static_cast<QObject*>(pControl)->event(pEvent);
    if (itRecord != m_leaveRecords.end()) {
        itRecord->second();
    }
    if (!bGained && pEvent->reason() == Qt::MouseFocusReason &&
        QApplication::focusWidget() == GetDlgItem(kIdCancel)) {
        // A click on Cancel reads nothing, so it must not recompute (and
        // possibly complain) on its way.
        m_nDeferredKillFocus = nId;
        return true;
    }
    Notify(nId, eCode);
    return true;
}

bool CCalcDialog::FilterApplicationEvent(QWidget* pTarget, QEvent* pEvent) {
    const QEvent::Type eType = pEvent->type();
    if (eType != QEvent::KeyPress && eType != QEvent::MouseButtonPress &&
        eType != QEvent::MouseButtonDblClick && eType != QEvent::MouseButtonRelease) {
        return false;
    }
    if (pTarget->window() != this) {
        return false;
    }
    if (IsEnterKey(pEvent)) {
        if (!IsQuiet()) {
            RunAction([this] { OnEnterKey(); });
        }
        return true;
    }
    if (eType == QEvent::KeyPress && StepRadioGroup(pTarget, static_cast<QKeyEvent*>(pEvent))) {
        return true;
    }
    if (eType == QEvent::MouseButtonPress || eType == QEvent::MouseButtonDblClick) {
        m_bSwallowRelease = m_bCancelPress;
        m_bCancelPress = false;
        return m_bSwallowRelease;
    }
    if (eType == QEvent::MouseButtonRelease && m_bSwallowRelease) {
        m_bSwallowRelease = false;
        return true;
    }
    return false;
}
