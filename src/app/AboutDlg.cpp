#include "app/AboutDlg.h"

#include "app/ShellFonts.h"
#include "app/ShellIcons.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace {

// Dialog units of the template font to pixels, the classic way: a quarter
// of the average character width across, an eighth of the height down.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString strSample =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        m_nBaseX = (metrics.horizontalAdvance(strSample) / 26 + 1) / 2;
        m_nBaseY = metrics.height();
    }
    int X(int nUnits) const { return (nUnits * m_nBaseX + 2) / 4; }
    int Y(int nUnits) const { return (nUnits * m_nBaseY + 4) / 8; }
    QRect Rect(int x, int y, int cx, int cy) const { return QRect(X(x), Y(y), X(cx), Y(cy)); }

private:
    int m_nBaseX = 7;
    int m_nBaseY = 13;
};

} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QStringLiteral("Vantixのﾊﾞｰｼﾞｮﾝ情報"));
    setFont(DialogFont(9.0));
    const CDialogUnits units(font());

    auto* pIcon = new QLabel(this);
    const QRect iconRect = units.Rect(11, 17, 0, 0);
    pIcon->setPixmap(ApplicationIcon().pixmap(32, 32));
    pIcon->setGeometry(iconRect.x(), iconRect.y(), 32, 32);

    auto* pText = new QLabel(QStringLiteral("Vantix Version 1.3"), this);
    pText->setGeometry(units.Rect(40, 10, 85, 8));

    auto* pOk = new QPushButton(QStringLiteral("OK"), this);
    pOk->setGeometry(units.Rect(140, 5, 50, 14));
    pOk->setDefault(true);
    pOk->setAutoDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(203), units.Y(55));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}
