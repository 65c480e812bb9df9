#include "dialogs/UpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;

} // namespace

CUpDownControl::CUpDownControl(QWidget* pParent) : QWidget(pParent) {
    setFocusPolicy(Qt::NoFocus);
    m_pUp = new QToolButton(this);
    m_pDown = new QToolButton(this);
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    for (QToolButton* pButton : {m_pUp, m_pDown}) {
        pButton->setFocusPolicy(Qt::NoFocus);
        pButton->setAutoRaise(false);
    }
    connect(m_pUp, &QToolButton::pressed, this, [this] { Press(-1); });
    connect(m_pDown, &QToolButton::pressed, this, [this] { Press(1); });
    connect(m_pUp, &QToolButton::released, this, &CUpDownControl::StopRepeat);
    connect(m_pDown, &QToolButton::released, this, &CUpDownControl::StopRepeat);
    m_repeat.setSingleShot(true);
    connect(&m_repeat, &QTimer::timeout, this, &CUpDownControl::Repeat);
}

void CUpDownControl::SetBuddy(QLineEdit* pBuddy, bool bAlignRight) {
    if (pBuddy == m_pBuddy) {
        return; // aligning twice would narrow the buddy twice
    }
    if (m_pBuddy) {
        m_pBuddy->removeEventFilter(this);
    }
    m_pBuddy = pBuddy;
    if (!m_pBuddy) {
        return;
    }
    m_pBuddy->installEventFilter(this);
    if (bAlignRight) {
        const QRect buddy = m_pBuddy->geometry();
        const int nWidth = width();
        m_pBuddy->setGeometry(buddy.x(), buddy.y(), buddy.width() - nWidth, buddy.height());
        setGeometry(buddy.right() + 1 - nWidth, buddy.y(), nWidth, buddy.height());
    }
}

void CUpDownControl::StopRepeat() {
    m_repeat.stop();
    m_nHeldDelta = 0;
    m_pUp->setDown(false);
    m_pDown->setDown(false);
}

bool CUpDownControl::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pBuddy && pEvent->type() == QEvent::KeyPress && isEnabled()) {
        const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
        if (nKey == Qt::Key_Up || nKey == Qt::Key_Down) {
            emit DeltaPos(nKey == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void CUpDownControl::resizeEvent(QResizeEvent* pEvent) {
    QWidget::resizeEvent(pEvent);
    const int nUpHeight = height() / 2;
    m_pUp->setGeometry(0, 0, width(), nUpHeight);
    m_pDown->setGeometry(0, nUpHeight, width(), height() - nUpHeight);
}

void CUpDownControl::Press(int nDelta) {
    m_nHeldDelta = nDelta;
    m_repeat.start(kFirstRepeatMs);
    emit DeltaPos(nDelta);
}

void CUpDownControl::Repeat() {
    QToolButton* pHeld = m_nHeldDelta < 0 ? m_pUp : m_pDown;
    if (m_nHeldDelta == 0 || !pHeld->isDown()) {
        StopRepeat();
        return;
    }
    m_repeat.start(kRepeatMs);
    emit DeltaPos(m_nHeldDelta);
}

double TurnsAfterStep(double dTurns, int nDelta) {
    if (nDelta < 0) {
        return dTurns + 1.0;
    }
    const double dFewer = dTurns - 1.0;
    return dFewer < 0.0 ? 0.0 : dFewer;
}
