#include "calc/air_coil/AirCoilDlg.h"

#include "app/ShellTestSupport.h"
#include "app/VantixDoc.h"
#include "calc/air_coil/AirCoil.h"
#include "calc/air_coil_wizard/AirCoilWizard.h"
#include "calc/air_coil_wizard/AirCoilWizardDlg.h"
#include "dialogs/UpDownControl.h"
#include "report/ReportFormatter.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/AirCoilTemplate.h"
#include "templates/AirCoilWizardTemplate.h"
#include "text/NumberInput.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <functional>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

std::string InductanceText(double dMeanDiameter, double dLength, double dTurns) {
    std::string strText;
    CReportFormatter().FormatInductance(strText,
                                        SolenoidInductance(dMeanDiameter, dLength, dTurns));
    return strText;
}

// The Enter cycle goes diameter, length, wire, turns.
class AirCoilDlgTest : public CDialogTestOf<CAirCoilDlg> {
protected:
    AirCoilDlgTest() : CDialogTestOf(kTime) {}

    QString Edit(int nId) { return m_dlg.Item<QLineEdit>(nId)->text(); }
    bool WizardEnabled() { return m_dlg.GetDlgItem(kAirCoilWizardButton)->isEnabled(); }
    // Opens the wizard, types the target, presses Enter and then OK or Cancel.
    void RunWizard(const QString& strTarget, int nEnd, QString* pShownTurns = nullptr) {
        WhenShownAs<CAirCoilWizardDlg>([&](CAirCoilWizardDlg& wizard) {
            TypeToFocus(strTarget);
            KeyToFocus(Qt::Key_Return);
            if (pShownTurns) {
                *pShownTurns = wizard.Item<QLabel>(kAirCoilWizardTurnsStatic)->text();
            }
            QTest::mouseClick(wizard.GetDlgItem(nEnd), Qt::LeftButton);
        });
        Click(kAirCoilWizardButton);
        Reactivate();
    }
    // The calculator takes the activation back itself once the wizard is
    // gone (there is no window manager here to do it).
    void Reactivate() { EXPECT_TRUE(HasKeyboard(m_dlg)); }
};

TEST_F(AirCoilDlgTest, OpensEmptyAndOkAtOnceHandsOverTwoEmptyLines) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(FocusId(), kAirCoilDiameterEdit);
        EXPECT_EQ(Shown(kAirCoilInductanceStatic), "");
        EXPECT_FALSE(WizardEnabled());
        const QComboBox* pList = m_dlg.m_listGauge;
        ASSERT_EQ(pList->count(), 47);
        for (int i = 0; i < pList->count(); ++i) {
            EXPECT_EQ(pList->itemText(i), QStringLiteral("AWG%1").arg(i));
        }
        EXPECT_EQ(pList->currentIndex(), -1);
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
}

TEST_F(AirCoilDlgTest, WorkedCoilThroughTheEnterOrder) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EnterValues({"10"});
        EXPECT_EQ(FocusId(), kAirCoilLengthEdit);
        EnterValues({"20"});
        EXPECT_EQ(FocusId(), kAirCoilWireEdit);
        EnterValues({"1"});
        EXPECT_EQ(FocusId(), kAirCoilTurnsEdit);
        TypeToFocus("20");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n") << "typing alone must not recompute";
        KeyToFocus(Qt::Key_Enter);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kAirCoilDiameterEdit);
        EXPECT_EQ(m_dlg.m_editDiameter->selectedText(), "10");
        EXPECT_EQ(Shown(kAirCoilInductanceStatic), "1.918 μH");
        EXPECT_EQ(m_dlg.m_strReport, kAirCoilWorkedReport);
        // Enter on a button goes back to the inner diameter as well.
        m_dlg.GetDlgItem(kAirCoilComputeButton)->setFocus();
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kAirCoilDiameterEdit);
        EXPECT_EQ(m_dlg.m_editDiameter->selectedText(), "10");
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kAirCoilWorkedReport);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AirCoilDlgTest, GaugePickOverwritesTheWireAndRecomputes) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"10", "20", "1", "20"});
        QComboBox* pList = m_dlg.m_listGauge;
        pList->setFocus();
        QTest::keyClick(pList, Qt::Key_Home); // AWG0
        EXPECT_EQ(Edit(kAirCoilWireEdit), "8.251");
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(pList, Qt::Key_Down);
        }
        EXPECT_EQ(pList->currentIndex(), 20);
        EXPECT_EQ(Edit(kAirCoilWireEdit), "0.813");
        EXPECT_EQ(Shown(kAirCoilInductanceStatic),
                  QString::fromStdString(InductanceText(10.813, 20.0, 20.0)));
        // The wizard shows the coil with one and three decimals.
        WhenShownAs<CAirCoilWizardDlg>([&](CAirCoilWizardDlg& wizard) {
            EXPECT_EQ(wizard.Item<QLabel>(kAirCoilWizardDiameterStatic)->text(), "10.0");
            EXPECT_EQ(wizard.Item<QLabel>(kAirCoilWizardLengthStatic)->text(), "20.0");
            EXPECT_EQ(wizard.Item<QLabel>(kAirCoilWizardWireStatic)->text(), "0.813");
            KeyToFocus(Qt::Key_Escape);
        });
        Click(kAirCoilWizardButton);
        Reactivate();
        KeyToFocus(Qt::Key_Escape);
    });
}

TEST_F(AirCoilDlgTest, TurnsStepKeepsFractionsAndStopsAtZero) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"10", "20", "1", "0.5"});
        QToolButton* pUp = m_dlg.m_spinTurns->UpButton();
        QToolButton* pDown = m_dlg.m_spinTurns->DownButton();
        QTest::mouseClick(pDown, Qt::LeftButton);
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "0");
        QTest::mouseClick(pDown, Qt::LeftButton);
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "0");
        EXPECT_EQ(Shown(kAirCoilInductanceStatic), "");
        m_dlg.m_editTurns->setText("2.5");
        QTest::mouseClick(pUp, Qt::LeftButton);
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "3.5");
        EXPECT_EQ(Shown(kAirCoilInductanceStatic),
                  QString::fromStdString(InductanceText(11.0, 20.0, 3.5)));
        EXPECT_NE(m_dlg.m_strReport.find("巻き数  3.5\r\n"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
}

TEST_F(AirCoilDlgTest, WizardButtonNeedsDiameterAndLength) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"10"});
        EXPECT_FALSE(WizardEnabled()); // length still 0
        EnterValues({"20"});
        EXPECT_TRUE(WizardEnabled());
        EnterValues({"1", "20", "0"}); // diameter back to 0
        EXPECT_FALSE(WizardEnabled());
        // The wire alone still shows an inductance, but there is no report.
        EXPECT_EQ(Shown(kAirCoilInductanceStatic),
                  QString::fromStdString(InductanceText(1.0, 20.0, 20.0)));
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        KeyToFocus(Qt::Key_Escape);
    });
}

TEST_F(AirCoilDlgTest, WizardHandsBackTurnsRoundedHalfUp) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"10", "20", "1", "20"});
        QString strShown;
        RunWizard("1", kIdOk, &strShown); // 14.4409 turns
        EXPECT_EQ(strShown, "14.44");
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "14");
        EXPECT_EQ(Shown(kAirCoilInductanceStatic), "0.9399 μH");
        EXPECT_NE(m_dlg.m_strReport.find("巻き数  14.0\r\n"), std::string::npos);

        // Just above 14.5 turns.
        const double dTarget = SolenoidInductance(11.0, 20.0, 14.500001);
        RunWizard(QString::fromStdString(FormatEditValue(dTarget)), kIdOk, &strShown);
        EXPECT_EQ(strShown, "14.50");
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "15");

        RunWizard("5", kIdCancel);
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "15");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AirCoilDlgTest, CoilWithoutAFiniteResultShowsAndHandsOverNothing) {
    RunModal(m_dlg, [&](QDialog&) {
        // 100 mm across, 1e-7 mm long: diameter/length 1e9.
        EnterValues({"100", "1e-7", "0", "5"});
        EXPECT_EQ(Shown(kAirCoilInductanceStatic), "");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        ASSERT_TRUE(WizardEnabled());
        QString strShown = "unset";
        RunWizard("1", kIdOk, &strShown);
        EXPECT_EQ(strShown, "");
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), "5");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AirCoilDlgTest, CountBeyondTheTurnsFieldMeetsItsRangeCheck) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EnterValues({"1", "1000", "0.04", "1"});
        RunWizard("1e8", kIdOk);
        const double dTurns = HandOverTurns(SolveTurns(1.04, 1000.0, 1e8)).value();
        ASSERT_GT(dTurns, 10000.0);
        EXPECT_EQ(Edit(kAirCoilTurnsEdit), QString::fromStdString(FormatEditValue(dTurns)));
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0], "0 から 10000 までの数値を入力してください。");
        // Computed with the count all the same, but OK refuses it.
        EXPECT_EQ(Shown(kAirCoilInductanceStatic),
                  QString::fromStdString(InductanceText(1.04, 1000.0, dTurns)));
        Click(1);
        EXPECT_TRUE(dialog.isVisible());
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

// The menu command runs the calculator and appends its report on OK only.
class AirCoilMenuTest : public CShellSessionTest {
protected:
    AirCoilMenuTest() : CShellSessionTest(kTime) {}
};

TEST_F(AirCoilMenuTest, OkAppendsTheReportCancelAppendsNothing) {
    WhenModalShown([](QDialog& dialog) {
        ASSERT_TRUE(HasKeyboard(dialog));
        EXPECT_EQ(dialog.windowTitle(), "空芯コイルの計算");
        EnterValues({"10", "20", "1", "20"});
        KeyToFocus(Qt::Key_Escape);
    });
    Trigger(32774);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "");

    WhenModalShown([](QDialog& dialog) {
        ASSERT_TRUE(HasKeyboard(dialog));
        EnterValues({"10", "20", "1", "20"});
        ClickItem(dialog, 1);
    });
    Trigger(32774);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), kAirCoilWorkedReport);
}

} // namespace
