#include "app/ShellTestSupport.h"

#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "calc/ladder_filter/LadderFilterDlg.h"
#include "calc/lmatch/LMatchDlg.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

// The two commands together: what an OK, a Cancel or a refused computation
// of the ladder filter leaves for the L-match that is opened next.

namespace {

constexpr int kLadderCommand = 32771;
constexpr int kLMatchCommand = 32772;
const CLocalTime kTime{2026, 12, 8, 18, 30};

struct CShown {
    QString strFrequency;
    QString strZin;
    QString strZout;
    QString strL;
    QString strC;
};

class LadderToLMatch : public CShellSessionTest {
protected:
    LadderToLMatch() : CShellSessionTest(kTime) {}

    void SetUp() override {
        CShellSessionTest::SetUp();
        ShowFrame();
    }

    // Runs the ladder filter: types the values through the Enter cycle, then
    // ends with the given button.
    void RunLadder(std::vector<const char*> values, int nEndId) {
        RunCommand(kLadderCommand, std::move(values), nEndId);
    }

    // Opens the L-match and records what it shows before any input.
    CShown OpenLMatch() {
        CShown shown;
        WhenModalShown([&shown](QDialog& dialog) {
            auto& dlg = static_cast<CLMatchDlg&>(dialog);
            shown.strFrequency = dlg.m_editFrequency->text();
            shown.strZin = dlg.m_editZin->text();
            shown.strZout = dlg.m_editZout->text();
            shown.strL = dlg.Item<QLabel>(1008)->text();
            shown.strC = dlg.Item<QLabel>(1009)->text();
            dialog.reject();
        });
        Trigger(kLMatchCommand);
        return shown;
    }

    // The L-match opens with the frequency and 50 Ω but no Zout, and asks
    // for one in place of the results.
    void ExpectLMatchAsksForZout(const char* pszFrequency) {
        const CShown shown = OpenLMatch();
        EXPECT_EQ(shown.strFrequency, pszFrequency);
        EXPECT_EQ(shown.strZin, "50");
        EXPECT_EQ(shown.strZout, "0");
        EXPECT_EQ(shown.strL, "Zout を入力して下さい");
        EXPECT_EQ(shown.strC, "");
    }

    CVantixView& View() { return *m_pFrame->GetView(); }
};

TEST_F(LadderToLMatch, OkHandsOverFrequencyFiftyOhmsAndTheCutImpedance) {
    RunLadder({"10", "3.5", "2.4"}, kIdOk);
    EXPECT_EQ(View().m_dMatchFreq, 10.0);
    EXPECT_EQ(View().m_dMatchZin, 50.0);
    EXPECT_EQ(View().m_dMatchZout, 293.37);
    const std::string strLog = m_pFrame->GetDocument()->SavedText();
    EXPECT_NE(strLog.find("　　　　　dF=2.400kHz   C=54.25PF   2C=108.50PF   Z=293.37Ω\r\n"),
              std::string::npos);

    const CShown shown = OpenLMatch();
    EXPECT_EQ(shown.strFrequency, "10");
    EXPECT_EQ(shown.strZin, "50");
    EXPECT_EQ(shown.strZout, "293.37");
    EXPECT_EQ(shown.strL, "L(μH)=1.75");
    EXPECT_EQ(shown.strC, "C(PF)=119.74");
    // The L-match only reads the hand-over.
    EXPECT_EQ(View().m_dMatchZout, 293.37);
}

TEST_F(LadderToLMatch, CancelResetsTheHandOverToZeros) {
    RunLadder({"10", "3.5", "2.4"}, kIdOk);
    RunLadder({"7"}, kIdCancel);
    EXPECT_EQ(View().m_dMatchFreq, 0.0);
    EXPECT_EQ(View().m_dMatchZin, 0.0);
    EXPECT_EQ(View().m_dMatchZout, 0.0);
    const CShown shown = OpenLMatch();
    EXPECT_EQ(shown.strFrequency, "0");
    EXPECT_EQ(shown.strZin, "0");
    EXPECT_EQ(shown.strZout, "0");
    EXPECT_EQ(shown.strL, "");
    EXPECT_EQ(shown.strC, "");
}

TEST_F(LadderToLMatch, OkRightAfterOpeningAppendsOneLineEnd) {
    RunLadder({}, kIdOk);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "\r\n");
    EXPECT_TRUE(m_pFrame->GetDocument()->IsModified());
    EXPECT_EQ(View().m_dMatchFreq, 0.0);
    EXPECT_EQ(View().m_dMatchZin, 50.0);
    EXPECT_EQ(View().m_dMatchZout, 0.0);
}

// The frequency and Z handed over come from one computation: a refused
// one has no Z, and the L-match is asked for one.
TEST_F(LadderToLMatch, ZeroBandwidthAfterAComputationHandsOverNoImpedance) {
    // The fourth value goes to the frequency, then the bandwidth is cleared:
    // the last complete computation was made at 10 MHz, the refused one at 7.
    WhenModalShown([](QDialog& dialog) {
        EnterValues({"10", "3.5", "2.4"});
        KeyToFocus(Qt::Key_Return);
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("0");
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("7");
        ClickItem(dialog, kIdOk);
    });
    Trigger(kLadderCommand);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "\r\n");
    EXPECT_EQ(View().m_dMatchFreq, 7.0);
    EXPECT_EQ(View().m_dMatchZin, 50.0);
    EXPECT_EQ(View().m_dMatchZout, 0.0);
    ExpectLMatchAsksForZout("7");
}

TEST_F(LadderToLMatch, ImpedanceBeyondTheZoutFieldHandsOverZero) {
    // 1 MHz / 3.5 pF / 2.0999 kHz: Z ≈ 4.8e8 Ω, beyond the L-match's 100000 Ω,
    // which it would refuse on OK although the user never typed it.
    RunLadder({"1", "3.5", "2.0999"}, kIdOk);
    EXPECT_EQ(View().m_dMatchFreq, 1.0);
    EXPECT_EQ(View().m_dMatchZout, 0.0);
    ExpectLMatchAsksForZout("1");
    // A bandwidth wider than 2.1·f leaves a negative Z: nothing to match.
    RunLadder({"1", "3.5", "2.4"}, kIdOk);
    EXPECT_EQ(View().m_dMatchFreq, 1.0);
    EXPECT_EQ(View().m_dMatchZout, 0.0);
}

TEST_F(LadderToLMatch, LMatchOkAppendsItsReportAfterTheLadderReport) {
    RunLadder({"10", "3.5", "2.4"}, kIdOk);
    const std::string strLadder = m_pFrame->GetDocument()->SavedText();
    WhenModalShown([](QDialog& dialog) { ClickItem(dialog, kIdOk); });
    Trigger(kLMatchCommand);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(),
              strLadder + "　　　　　***** Ｌ型マッチング回路の計算 *****\r\n"
                          "　　　　　2026-12-8  18:30\r\n"
                          "　　　　　入力インピーダンス  50.0Ω\r\n"
                          "　　　　　出力インピーダンス  293.4Ω\r\n"
                          "　　　　　周波数  10.000MHz\r\n"
                          "　　　　　C= 119.74PF\r\n"
                          "　　　　　L= 1.75μH\r\n"
                          "\r\n");
}

} // namespace
