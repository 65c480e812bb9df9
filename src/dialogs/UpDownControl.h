#pragma once

#include <QTimer>
#include <QWidget>

class QLineEdit;
class QToolButton;

// Up and down arrows beside a buddy edit. The control keeps no position of
// its own: each press only reports a step, negative for the up arrow, and
// the dialog decides what the step does (see TurnsAfterStep). It never takes
// the keyboard focus, so stepping does not make the buddy lose it. The Up and
// Down keys in the buddy step as well. Holding an arrow repeats the step.
class CUpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit CUpDownControl(QWidget* pParent = nullptr);

    // Makes pBuddy the edit whose keys step the control; with bAlignRight the
    // arrows move onto the buddy's right edge and the buddy narrows by their
    // width.
    void SetBuddy(QLineEdit* pBuddy, bool bAlignRight);
    QLineEdit* Buddy() const { return m_pBuddy; }

    // Ends a held press at once (a message box took the mouse away).
    void StopRepeat();

    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }

signals:
    void DeltaPos(int nDelta);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void Press(int nDelta);
    void Repeat();

    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
    QLineEdit* m_pBuddy = nullptr;
    QTimer m_repeat;
    int m_nHeldDelta = 0;
};

// The turns count after one step: the up arrow (negative step) adds a turn,
// the down arrow takes one away but never below 0. Fractions are kept.
double TurnsAfterStep(double dTurns, int nDelta);
