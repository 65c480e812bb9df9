#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "templates/PiAttenuatorTemplate.h"

#include "support/ModalDriver.h"

#include <QLineEdit>
#include <QMessageBox>

// The real message box changes the active window and the focus, which the
// test handler does not. Only a real display shows that this brings no
// second message; on the offscreen platform the box cannot be answered.

namespace {

TEST(RealMessageBox, ValidationMessageDoesNotCascade) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        GTEST_SKIP() << "needs a real display (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    }
    int nBoxes = 0;
    // Answers every box that appears, with Enter, as a user would.
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++nBoxes;
            QTest::keyClick(pBox, Qt::Key_Return);
        }
    });
    answer.start();
    CPiAttenuatorDlg dlg;
    const int nResult = RunModal(dlg, [&](QDialog& dialog) {
        // Without a window manager nobody gives the dialog back the
        // activation once the box is gone; a user's desktop does.
        const auto Reactivate = [&] {
            QTest::qWait(300);
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        };
        TypeToFocus("20000");
        KeyToFocus(Qt::Key_Tab);
        Reactivate();
        EXPECT_EQ(nBoxes, 1);
        EXPECT_EQ(QApplication::focusWidget(), dlg.m_editImpedance);
        QTest::mouseClick(dlg.GetDlgItem(1), Qt::LeftButton);
        Reactivate();
        EXPECT_EQ(nBoxes, 2);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dlg.m_editImpedance);
        dlg.m_editImpedance->setText("50");
        KeyToFocus(Qt::Key_Return);
        QTest::qWait(300);
        EXPECT_EQ(nBoxes, 2);
        QTest::mouseClick(dlg.GetDlgItem(1), Qt::LeftButton);
    });
    EXPECT_EQ(nResult, kIdOk);
}

} // namespace
