#include "calc/air_coil_wizard/AirCoilWizardDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/AirCoilWizardTemplate.h"

#include <QLabel>
#include <QLineEdit>

namespace {

class AirCoilWizardDlgTest : public CDialogTestOf<CAirCoilWizardDlg> {
protected:
};

TEST_F(AirCoilWizardDlgTest, EnterSolvesInPlace) {
    m_dlg.SetCoil(10.0, 20.0, 1.0);
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(Shown(kAirCoilWizardDiameterStatic), "10.0");
        EXPECT_EQ(Shown(kAirCoilWizardLengthStatic), "20.0");
        EXPECT_EQ(Shown(kAirCoilWizardWireStatic), "1.000");
        EXPECT_EQ(Shown(kAirCoilWizardTurnsStatic), "");
        EXPECT_EQ(FocusId(), kAirCoilWizardTargetEdit);
        EXPECT_EQ(m_dlg.Item<QLineEdit>(kAirCoilWizardTargetEdit)->text(), "0");
        TypeToFocus("1");
        EXPECT_EQ(Shown(kAirCoilWizardTurnsStatic), "") << "typing alone must not solve";
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kAirCoilWizardTargetEdit);
        EXPECT_EQ(Shown(kAirCoilWizardTurnsStatic), "14.44");
        // The solve button works through the focus loss of the target.
        m_dlg.Item<QLineEdit>(kAirCoilWizardTargetEdit)->setText("2");
        Click(kAirCoilWizardSolveButton);
        EXPECT_EQ(Shown(kAirCoilWizardTurnsStatic), "20.42");
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.HandedTurns(), 20.0);
}

TEST_F(AirCoilWizardDlgTest, ZeroTargetHandsOverZeroTurns) {
    m_dlg.SetCoil(10.0, 20.0, 1.0);
    RunModal(m_dlg, [&](QDialog&) {
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(Shown(kAirCoilWizardTurnsStatic), "");
        Click(1);
    });
    EXPECT_EQ(m_dlg.HandedTurns(), 0.0);
}

TEST_F(AirCoilWizardDlgTest, NoFiniteCountShowsAndHandsOverNothing) {
    m_dlg.SetCoil(100.0, 1e-7, 0.0); // diameter/length 1e9
    RunModal(m_dlg, [&](QDialog&) {
        TypeToFocus("1");
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(Shown(kAirCoilWizardTurnsStatic), "");
        Click(1);
    });
    EXPECT_FALSE(m_dlg.HandedTurns().has_value());
}

TEST_F(AirCoilWizardDlgTest, TargetOutOfRangeKeepsTheWizardOpen) {
    m_dlg.SetCoil(10.0, 20.0, 1.0);
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("2e8");
        Click(1);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0], "0 から 100000000 までの数値を入力してください。");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

} // namespace
