#pragma once

#include "dialogs/DialogTemplate.h"

#include <QDialog>
#include <QFont>
#include <QSize>

#include <functional>
#include <map>
#include <span>
#include <utility>
#include <vector>

class CDataExchange;
class QFocusEvent;
class QKeyEvent;
class QLabel;
class QRadioButton;

// Ends of a modal run, as DoModal/exec report them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Control notifications a dialog can route to a handler.
enum class ENotify {
    Clicked,   // push button, check box or radio button pressed
    SetFocus,  // edit or combo box received the keyboard focus
    KillFocus, // edit or combo box lost the keyboard focus
    SelChange, // the user picked another item of a combo box
};

// An input of a dialog's Enter cycle and the value the dialog's focus
// tracker holds while that input has the focus.
struct CFocusStop {
    int nId;
    int nTracker;
};

// The base of every calculator dialog and wizard: builds the controls from a
// template, exchanges data with them, routes their notifications, and owns
// the Enter key.
//
// Guarantees the dialogs rely on:
//  - exec()/DoModal() return kIdOk only after OK read every field without a
//    failure; Cancel, Escape and the close box return kIdCancel without
//    reading anything.
//  - Enter never reaches the default button: anywhere in the dialog it calls
//    OnEnterKey() and goes no further.
//  - While fields are being read, and while a message is shown, focus-loss,
//    click, selection and step notifications are dropped, so a validation
//    message (which moves the focus) never starts another recompute.
//    Focus-gain notifications are still delivered: their handlers only
//    record which field has the focus.
//  - One user action (a key, a click, a focus change) shows at most one
//    validation message; a mouse press whose focus change brought a message
//    is cancelled, so the button under it is not clicked as well.
//  - A field that failed keeps the focus it was given back, with its text
//    selected, for the rest of the user action: MoveFocus then does nothing.
//  - A mouse press on Cancel does not run the focus-loss handler of the
//    field it takes the focus from (Cancel reads nothing); the handler runs
//    later if the focus leaves Cancel without the dialog ending. The focus
//    tracker of TrackFocus forgets the field at once all the same.
//  - Focus the dialog gives (on opening, MoveFocus, a failed field) shows
//    the keyboard focus cue, on lists and buttons as on edits.
//  - The window losing the activation is no focus change for its controls.
class CCalcDialog : public QDialog {
    Q_OBJECT
public:
    explicit CCalcDialog(const CDialogTemplate& dialogTemplate, QWidget* pParent = nullptr);
    ~CCalcDialog() override;

    // Runs the dialog modally: kIdOk or kIdCancel.
    int exec() override;
    int DoModal() { return exec(); }

    // true: controls to members, with the checks (false when a field failed);
    // false: members to controls.
    bool UpdateData(bool bSaveAndValidate = true);

    // Gives a control the focus; an edit also gets its whole text selected
    // with the caret in view. The control that loses the focus runs its
    // focus-loss handler as usual. Within a user action in which a field
    // failed, the failed field keeps the focus instead.
    void MoveFocus(int nId);

    QWidget* GetDlgItem(int nId) const;
    template <class T> T* Item(int nId) const { return qobject_cast<T*>(GetDlgItem(nId)); }
    int IdOf(const QObject* pControl) const;

    // The radio buttons of the group that starts at nFirstId, in template order.
    std::vector<QRadioButton*> RadioGroup(int nFirstId) const;

    const CDialogTemplate& Template() const { return m_template; }
    // Base units of the dialog font, and a template rectangle in pixels.
    QSize BaseUnits() const { return m_baseUnits; }
    QRect PixelRect(const CControlTemplate& control) const;
    // The widget made for the template's nIndex-th control.
    QWidget* ControlWidget(std::size_t nIndex) const;

    // Called by CDataExchange for the first field of a pass that failed.
    void FailField(int nId, const QString& strMessage);
    // True for the field that failed (and took the focus back) in the
    // current user action.
    bool FailedInAction(int nId) const { return ActionHasFailed() && nId == m_nFailedField; }
    // A refused field keeps what was typed, whatever took the focus away
    // (see KeepRefusedText).
    bool KeepsRefusedText() const { return m_bKeepRefusedText; }

public slots:
    void accept() override; // OK: OnOK
    void reject() override; // Cancel, Escape, close box: OnCancel

protected:
    // A refused field keeps the text as typed when Tab or a click takes the
    // focus away, as it does on Enter, rather than showing the value held.
    void KeepRefusedText() { m_bKeepRefusedText = true; }

    // The dialog's fields in its exchange order (see CDataExchange).
    virtual void DoDataExchange(CDataExchange& dx) = 0;

    // Before the dialog is first shown. The base writes the members to the
    // controls; returning true puts the focus on the first tab stop.
    virtual bool OnInitDialog();

    // Enter pressed anywhere in the dialog. The default swallows it.
    virtual void OnEnterKey() {}

    // Reads with the checks and closes with kIdOk only when all fields pass.
    virtual void OnOK();
    // Closes with kIdCancel.
    virtual void OnCancel();

    // The message map: routes a notification of control nId to a handler.
    void OnNotify(int nId, ENotify eCode, std::function<void()> fnHandler);
    // An up-down control's step: the handler receives the signed step,
    // negative for the up arrow (see TurnsAfterStep).
    void OnDeltaPos(int nId, std::function<void(int)> fnHandler);
    // Keeps nFocus at the tracker of whichever of the inputs has the focus,
    // sets it to nIdle when one of them loses the focus, then calls fnLeave.
    void TrackFocus(std::span<const CFocusStop> inputs, int& nFocus, int nIdle,
                    const std::function<void()>& fnLeave);
    // The input after the one whose tracker is nFocus, round the cycle;
    // nNoneId when no input's tracker is nFocus.
    static int NextInCycle(std::span<const CFocusStop> cycle, int nFocus, int nNoneId);
    // Makes an edit the buddy of an up-down control (its Up/Down keys step).
    void SetBuddy(int nUpDownId, int nEditId);
    // Gives the focus as the keyboard does (see MoveFocus), also to a
    // control the dialog made itself rather than from its template.
    void GiveFocus(QWidget* pControl);

    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    void Build();
    QWidget* CreateControl(const CControlTemplate& control);
    void WidenClippedLabel(QLabel* pLabel, unsigned nStyle);
    QRect ClosedComboRect(const CControlTemplate& control) const;
    int ComboRoomRight(const CControlTemplate& combo) const;
    bool ActionHasFailed() const;
    bool StepRadioGroup(QWidget* pTarget, const QKeyEvent* pKey);
    void Notify(int nId, ENotify eCode);
    void RunAction(const std::function<void()>& fnAction);
    bool FilterApplicationEvent(QWidget* pTarget, QEvent* pEvent);
    bool FilterFocusEvent(QWidget* pControl, QFocusEvent* pEvent);
    bool IsQuiet() const;

    const CDialogTemplate& m_template;
    QFont m_font;
    QSize m_baseUnits;
    std::vector<std::pair<const CControlTemplate*, QWidget*>> m_controls;
    std::map<int, QWidget*> m_byId;
    std::map<std::pair<int, ENotify>, std::function<void()>> m_handlers;
    std::map<int, std::function<void(int)>> m_stepHandlers;
    std::map<int, std::function<void()>> m_leaveRecords; // tracker resets of TrackFocus

    bool m_bInitialised = false;
    bool m_bEnding = false;
    int m_nExchangeDepth = 0;
    int m_nActionDepth = 0;
    bool m_bMessageShown = false; // within the current user action
    int m_nFailedField = kNoId;   // the field given the focus back for it
    bool m_bKeepRefusedText = false;
    bool m_bInStep = false;
    bool m_bCancelPress = false;
    bool m_bSwallowRelease = false;
    int m_nDeferredKillFocus = kNoId;    // an edit left for a press on Cancel
    QWidget* m_pFocusNotified = nullptr; // the control last reported as focused
};
