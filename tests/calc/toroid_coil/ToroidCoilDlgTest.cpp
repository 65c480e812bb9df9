#include "calc/toroid_coil/ToroidCoilDlg.h"

#include "calc/toroid_wizard/ToroidWizard.h"
#include "calc/toroid_wizard/ToroidWizardDlg.h"
#include "dialogs/UpDownControl.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/ToroidCoilTemplate.h"
#include "templates/ToroidWizardTemplate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <limits>

namespace {

const CLocalTime kTime{2026, 12, 8, 10, 30};

class ToroidCoilDlgTest : public CDialogTestOf<CToroidCoilDlg> {
protected:
    ToroidCoilDlgTest() : CDialogTestOf(kTime) {}

    QWidget* Item(int nId) const { return m_dlg.GetDlgItem(nId); }
    QString Text(int nId) const {
        if (auto* pEdit = m_dlg.Item<QLineEdit>(nId)) {
            return pEdit->text();
        }
        return m_dlg.Item<QLabel>(nId)->text();
    }

    void ChooseCore(const QString& strName) const {
        const int nTarget = m_dlg.m_comboCore->findText(strName);
        ASSERT_GE(nTarget, 0);
        m_dlg.m_comboCore->setFocus();
        while (m_dlg.m_comboCore->currentIndex() != nTarget) {
            QTest::keyClick(m_dlg.m_comboCore, m_dlg.m_comboCore->currentIndex() < nTarget
                                                   ? Qt::Key_Down
                                                   : Qt::Key_Up);
        }
    }

    void TypeTurns(const QString& strTurns) const {
        m_dlg.m_editTurns->setFocus();
        m_dlg.m_editTurns->selectAll();
        QTest::keyClicks(m_dlg.m_editTurns, strTurns);
    }

    // Hands the calculator a wizard outcome without running the wizard.
    void TakeOver(int nEndOption, const std::string& strName, double dTurns) {
        CToroidWizardDlg wizard;
        wizard.m_nEndOption = nEndOption;
        wizard.m_strSelectedName = strName;
        wizard.m_dSelectedTurns = dTurns;
        m_dlg.TakeWizardOutcome(wizard);
    }
};

TEST_F(ToroidCoilDlgTest, OpensOnTheFirstCoreWithNoTurns) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        ASSERT_EQ(m_dlg.m_comboCore->count(), 148);
        EXPECT_EQ(m_dlg.m_nCoreCount, 148);
        EXPECT_EQ(m_dlg.m_comboCore->itemText(0), "T-200-41");
        EXPECT_EQ(m_dlg.m_comboCore->itemText(4), "T-184-41");
        EXPECT_EQ(m_dlg.m_comboCore->itemText(147), "FB-101-43");
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "T-200-41");
        EXPECT_EQ(Text(kToroidOuterStatic), "50.8 mm");
        EXPECT_EQ(Text(kToroidInnerStatic), "31.8 mm");
        EXPECT_EQ(Text(kToroidThicknessStatic), "14.0 mm");
        EXPECT_EQ(Text(kToroidColorStatic), "緑");
        EXPECT_EQ(Text(kToroidTurnsEdit), "0");
        EXPECT_EQ(Text(kToroidInductanceStatic), "");
        EXPECT_EQ(FocusId(), kToroidCoreCombo);
        EXPECT_EQ(m_dlg.m_strReport, "\n\n");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(ToroidCoilDlgTest, EnterComputesAndAlternatesWithoutClosing) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kToroidTurnsEdit);
        EXPECT_EQ(m_dlg.m_editTurns->selectedText(), "0");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n") << "0 turns report only an empty line pair";
        TypeToFocus("20");
        EXPECT_EQ(Text(kToroidInductanceStatic), "") << "typing alone must not compute";
        KeyToFocus(Qt::Key_Enter);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kToroidCoreCombo);
        EXPECT_EQ(Text(kToroidInductanceStatic), "30.20 μH");
        EXPECT_EQ(m_dlg.m_strReport, kToroidWorkedReport);
        // From a button Enter goes to the core list.
        Item(kToroidComputeButton)->setFocus();
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kToroidCoreCombo);
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kToroidWorkedReport);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ToroidCoilDlgTest, ChoosingACoreShowsItsDimensions) {
    RunModal(m_dlg, [&](QDialog&) {
        ChooseCore("T-50-2");
        TypeTurns("10");
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(Text(kToroidInductanceStatic), "0.5000 μH");
        EXPECT_EQ(Text(kToroidColorStatic), "赤");

        ChooseCore("FT-82-43");
        EXPECT_EQ(Text(kToroidOuterStatic), "20.9 mm");
        EXPECT_EQ(Text(kToroidInnerStatic), "13.2 mm");
        EXPECT_EQ(Text(kToroidThicknessStatic), "6.3 mm");
        EXPECT_EQ(Text(kToroidColorStatic), "  ");
        EXPECT_NE(m_dlg.m_strReport.find("　　　　　コア色    \r\n"), std::string::npos);
        EXPECT_NE(m_dlg.m_strReport.find("コア種類  FT-82-43\r\n"), std::string::npos);
        Click(2);
    });
}

TEST_F(ToroidCoilDlgTest, UpDownStepsWholeTurnsAndKeepsFractions) {
    RunModal(m_dlg, [&](QDialog&) {
        CUpDownControl* pSpin = m_dlg.m_spinTurns;
        QTest::mouseClick(pSpin->DownButton(), Qt::LeftButton);
        EXPECT_EQ(Text(kToroidTurnsEdit), "0");
        QTest::mouseClick(pSpin->UpButton(), Qt::LeftButton);
        EXPECT_EQ(Text(kToroidTurnsEdit), "1");
        EXPECT_EQ(Text(kToroidInductanceStatic), "0.0755 μH");

        TypeTurns("2.5");
        QTest::keyClick(m_dlg.m_editTurns, Qt::Key_Up);
        EXPECT_EQ(Text(kToroidTurnsEdit), "3.5");
        QTest::keyClick(m_dlg.m_editTurns, Qt::Key_Down);
        QTest::keyClick(m_dlg.m_editTurns, Qt::Key_Down);
        EXPECT_EQ(Text(kToroidTurnsEdit), "1.5");
        EXPECT_NE(m_dlg.m_strReport.find("　　　　　巻き数  1.5\r\n"), std::string::npos)
            << m_dlg.m_strReport;
        QTest::keyClick(m_dlg.m_editTurns, Qt::Key_Down);
        QTest::keyClick(m_dlg.m_editTurns, Qt::Key_Down);
        EXPECT_EQ(Text(kToroidTurnsEdit), "0");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        Click(2);
    });
}

TEST_F(ToroidCoilDlgTest, TakenOverTurnsRoundHalfUp) {
    RunModal(m_dlg, [&](QDialog&) {
        TakeOver(1, "T-80-1", 12.5);
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "T-80-1");
        EXPECT_EQ(Text(kToroidTurnsEdit), "13");
        EXPECT_EQ(Text(kToroidInductanceStatic), "1.944 μH");
        TakeOver(1, "T-50-2", 12.49);
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "T-50-2");
        EXPECT_EQ(Text(kToroidTurnsEdit), "12");
        Click(2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ToroidCoilDlgTest, UnusableTakeOverChangesNothing) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeTurns("20");
        KeyToFocus(Qt::Key_Return);
        ASSERT_EQ(m_dlg.m_strReport, kToroidWorkedReport);
        const double kNaN = std::numeric_limits<double>::quiet_NaN();
        const double kInf = std::numeric_limits<double>::infinity();
        TakeOver(1, "", 12.0);
        TakeOver(1, "T-80", 12.0);
        TakeOver(1, "t-80-1", 12.0);
        TakeOver(1, "T-80-1", kNaN);
        TakeOver(1, "T-80-1", kInf);
        TakeOver(2, "T-80-1", 12.0);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "T-200-41");
        EXPECT_EQ(Text(kToroidTurnsEdit), "20");
        EXPECT_EQ(m_dlg.m_strReport, kToroidWorkedReport);
        Click(2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ToroidCoilDlgTest, TakenOverTurnsBeyondTheFieldWarnAndStillCompute) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TakeOver(1, "T-12-0", 577350.27);
        EXPECT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_dlg.m_dTurns, 577350.0);
        EXPECT_EQ(Text(kToroidTurnsEdit), "577350");
        EXPECT_EQ(Text(kToroidInductanceStatic), "100.00 H");
        EXPECT_NE(m_dlg.m_strReport.find("巻き数  577350\r\n"), std::string::npos);
        // OK keeps refusing the count.
        m_messages.clear();
        Click(1);
        EXPECT_TRUE(dialog.isVisible());
        Click(2);
    });
}

TEST_F(ToroidCoilDlgTest, WizardCarriesThePickedCoreOver) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        WhenShownAs<CToroidWizardDlg>([](CToroidWizardDlg& wizard) {
            TypeToFocus("10");
            KeyToFocus(Qt::Key_Return);
            QTest::mouseClick(wizard.GetDlgItem(kWizardTakeCoreRadio), Qt::LeftButton);
            QTest::mouseClick(wizard.GetDlgItem(1), Qt::LeftButton);
        });
        Click(kToroidWizardButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "T-200-41");
        EXPECT_EQ(Text(kToroidTurnsEdit), "12");
        EXPECT_EQ(Text(kToroidInductanceStatic), "10.87 μH");

        // Cancel and "do nothing" leave everything as it is.
        WhenShownAs<CToroidWizardDlg>([](CToroidWizardDlg&) { KeyToFocus(Qt::Key_Escape); });
        Click(kToroidWizardButton);
        WhenShownAs<CToroidWizardDlg>([](CToroidWizardDlg& wizard) {
            TypeToFocus("1");
            QTest::mouseClick(wizard.GetDlgItem(kWizardNothingRadio), Qt::LeftButton);
            QTest::mouseClick(wizard.GetDlgItem(1), Qt::LeftButton);
        });
        Click(kToroidWizardButton);
        EXPECT_EQ(Text(kToroidTurnsEdit), "12");
        EXPECT_TRUE(dialog.isVisible());
        Click(2);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(ToroidCoilDlgTest, WizardListClosesTheCalculatorWithTheListReport) {
    std::string strList;
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        WhenShownAs<CToroidWizardDlg>([&](CToroidWizardDlg& wizard) {
            TypeToFocus("10");
            KeyToFocus(Qt::Key_Return);
            strList = wizard.m_strList;
            QTest::mouseClick(wizard.GetDlgItem(1), Qt::LeftButton);
        });
        Click(kToroidWizardButton);
    });
    EXPECT_EQ(nResult, kIdOk);
    ASSERT_FALSE(strList.empty());
    EXPECT_EQ(m_dlg.m_strReport, ToroidListReport(strList, kTime));
    EXPECT_EQ(m_dlg.m_strReport.rfind("　　　　　***** トロイダルコイルの計算 *****\r\n"
                                      "　　　　　2026-12-8  10:30\r\n"
                                      "　　　　　目標インダクタンス  >10.00 μH\r\n",
                                      0),
              0u);
}

} // namespace
