#include "calc/lmatch/LMatchDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/LMatchTemplate.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

const char* const kTenMhzReport = "　　　　　***** Ｌ型マッチング回路の計算 *****\r\n"
                                  "　　　　　2026-12-8  9:05\r\n"
                                  "　　　　　入力インピーダンス  50.0Ω\r\n"
                                  "　　　　　出力インピーダンス  293.4Ω\r\n"
                                  "　　　　　周波数  10.000MHz\r\n"
                                  "　　　　　C= 119.74PF\r\n"
                                  "　　　　　L= 1.75μH\r\n"
                                  "\r\n";

class LMatchDlgTest : public CDialogTestOf<CLMatchDlg> {
protected:
    // Every computation asks for the time once (a refused one too), so
    // m_nClockReads tells how often the dialog computed.
    LMatchDlgTest() : CDialogTestOf(kTime) {}

    void Preset(double dFrequency, double dZin, double dZout) {
        m_dlg.m_dFrequency = dFrequency;
        m_dlg.m_dZin = dZin;
        m_dlg.m_dZout = dZout;
    }
};

TEST_F(LMatchDlgTest, OpensWithZerosWhenNothingIsHandedOver) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, kLMatchFrequencyEdit), "0");
        EXPECT_EQ(Text(dialog, kLMatchZinEdit), "0");
        EXPECT_EQ(Text(dialog, kLMatchZoutEdit), "0");
        EXPECT_EQ(Text(dialog, kLMatchInductorStatic), "");
        EXPECT_EQ(Text(dialog, kLMatchCapacitorStatic), "");
        EXPECT_EQ(FocusId(dialog), kLMatchFrequencyEdit);
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        Click(dialog, 1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
}

TEST_F(LMatchDlgTest, PresetValuesShowTheirResultsBeforeAnyInput) {
    Preset(10.0, 50.0, 293.37);
    RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, kLMatchFrequencyEdit), "10");
        EXPECT_EQ(Text(dialog, kLMatchZinEdit), "50");
        EXPECT_EQ(Text(dialog, kLMatchZoutEdit), "293.37");
        EXPECT_EQ(Text(dialog, kLMatchInductorStatic), "L(μH)=1.75");
        EXPECT_EQ(Text(dialog, kLMatchCapacitorStatic), "C(PF)=119.74");
        EXPECT_EQ(m_dlg.m_strReport, kTenMhzReport);
        EXPECT_EQ(m_nClockReads, 1);
        Click(dialog, 2);
    });
}

TEST_F(LMatchDlgTest, PresetAboveTheOtherImpedanceOpensExchanged) {
    // A filter terminated below 50 Ω: the lower impedance goes to the input.
    Preset(10.0, 50.0, 30.0);
    RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, kLMatchZinEdit), "30");
        EXPECT_EQ(Text(dialog, kLMatchZoutEdit), "50");
        Click(dialog, 2);
    });
}

TEST_F(LMatchDlgTest, HigherZinTypedIsExchangedOnLeavingTheField) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("7");
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("200");
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("50");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(Text(dialog, kLMatchZinEdit), "50");
        EXPECT_EQ(Text(dialog, kLMatchZoutEdit), "200");
        EXPECT_EQ(Text(dialog, kLMatchInductorStatic), "L(μH)=1.97");
        EXPECT_EQ(Text(dialog, kLMatchCapacitorStatic), "C(PF)=197.00");
        EXPECT_NE(m_dlg.m_strReport.find("　　　　　入力インピーダンス  50.0Ω\r\n"),
                  std::string::npos);
        Click(dialog, 2);
    });
}

TEST_F(LMatchDlgTest, ComputeButtonComputesTwiceWithTheSameResult) {
    Preset(10.0, 50.0, 293.37);
    RunModal(m_dlg, [&](QDialog& dialog) {
        ASSERT_EQ(FocusId(dialog), kLMatchFrequencyEdit);
        m_nClockReads = 0;
        Click(dialog, kLMatchComputeButton);
        EXPECT_EQ(m_nClockReads, 2); // the focus loss, then the click
        EXPECT_EQ(m_dlg.m_nFocus, 4);
        EXPECT_EQ(m_dlg.m_strReport, kTenMhzReport);
        EXPECT_EQ(Text(dialog, kLMatchCapacitorStatic), "C(PF)=119.74");
        Click(dialog, kLMatchComputeButton); // focus already on the button
        EXPECT_EQ(m_nClockReads, 3);
        Click(dialog, 2);
    });
}

TEST_F(LMatchDlgTest, EnterCyclesThroughTheInputsOnly) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLMatchZinEdit);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLMatchZoutEdit);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLMatchFrequencyEdit);
        // Tab from Zout reaches the compute button: Enter does nothing there.
        m_dlg.m_editZout->setFocus();
        KeyToFocus(Qt::Key_Tab);
        ASSERT_EQ(FocusId(dialog), kLMatchComputeButton);
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(dialog), kLMatchComputeButton);
        Click(dialog, kLMatchComputeButton);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLMatchFrequencyEdit);
        Click(dialog, 2);
    });
}

TEST_F(LMatchDlgTest, ZeroFrequencyKeepsTheLastResultsOnShow) {
    Preset(10.0, 50.0, 293.37);
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("0");
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        EXPECT_EQ(Text(dialog, kLMatchInductorStatic), "L(μH)=1.75");
        EXPECT_EQ(Text(dialog, kLMatchCapacitorStatic), "C(PF)=119.74");
        Click(dialog, 1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
    EXPECT_TRUE(m_messages.isEmpty());
}

} // namespace
