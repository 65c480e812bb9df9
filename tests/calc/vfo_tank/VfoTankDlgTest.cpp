#include "calc/vfo_tank/VfoTankDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/VfoTankTemplate.h"

#include <QLabel>
#include <QLineEdit>

namespace {

const CLocalTime kTime{2026, 12, 8, 18, 30};

class VfoTankDlgTest : public CDialogTestOf<CVfoTankDlg> {
protected:
    VfoTankDlgTest() : CDialogTestOf(kTime) {}
};

TEST_F(VfoTankDlgTest, WorkedExampleThroughTheEnterCycle) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(FocusId(), kVfoFreqMinEdit);
        EXPECT_EQ(Shown(kVfoNoticeStatic), "");
        EnterValues({"3.5", "7"});
        EXPECT_EQ(FocusId(), kVfoCapMinEdit);
        EnterValues({"10", "100"});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kVfoFreqMinEdit);
        EXPECT_EQ(m_dlg.m_editFreqMin->selectedText(), "3.5");
        EXPECT_EQ(Shown(kVfoInductanceStatic), "17.23 μH");
        EXPECT_EQ(Shown(kVfoFixedCapStatic), "20.00 PF");
        EXPECT_EQ(Shown(kVfoNoticeStatic),
                  "注意！　計算値には、回路や負荷の容量が考慮されていないので、実際の部品選定を\n"
                  "　　　　　行う時は、これらに対し十分に検討をして下さい。");
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strNotice.find("\r\n"), 114u) << "the member keeps its CR LF";
    EXPECT_EQ(m_dlg.m_strReport, kVfoWorkedReport);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(VfoTankDlgTest, EnterFromAButtonGoesToTheCapacitorMinimum) {
    RunModal(m_dlg, [&](QDialog&) {
        m_dlg.GetDlgItem(kVfoComputeButton)->setFocus();
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kVfoCapMinEdit);
        EXPECT_EQ(m_dlg.m_nFocus, 3);
        Click(2);
    });
}

TEST_F(VfoTankDlgTest, NegativeFixedCapacitorIsShownAndUnusableInputsClearEverything) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"1", "10", "10", "100"});
        EXPECT_EQ(Shown(kVfoFixedCapStatic), "-9.09 PF");
        EXPECT_NE(m_dlg.m_strReport.find("固定コンデンサ容量  -9.09PF\r\n"), std::string::npos);
        // Upper frequency down to the lower one: nothing is usable.
        m_dlg.MoveFocus(kVfoFreqMaxEdit);
        EnterValues({"1"});
        EXPECT_EQ(Shown(kVfoInductanceStatic), "");
        EXPECT_EQ(Shown(kVfoFixedCapStatic), "");
        EXPECT_EQ(Shown(kVfoNoticeStatic), "");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        Click(2);
    });
}

TEST_F(VfoTankDlgTest, VanishingLowerFrequencyIsRefusedNotShownAsInfinity) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"1e-300", "1000", "10", "100"});
        EXPECT_TRUE(m_messages.isEmpty());
        EXPECT_EQ(Shown(kVfoInductanceStatic), "");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        Click(2);
    });
}

TEST_F(VfoTankDlgTest, NonNumberStopsTheExchangeAndLaterFieldsKeepTheirValues) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"3.5", "7", "10", "100"});
        // Exchange order: upper frequency, VC maximum, lower frequency, VC minimum.
        m_dlg.m_editCapMax->setText("abc");
        m_dlg.m_editFreqMax->setText("8");
        m_dlg.m_editFreqMin->setText("4");
        m_dlg.m_editCapMin->setText("20");
        EXPECT_EQ(FocusId(), kVfoFreqMinEdit);
        KeyToFocus(Qt::Key_Tab); // leaves the lower frequency: reads until VC maximum fails
        EXPECT_EQ(m_messages, QStringList{"数値を入力してください。"});
        EXPECT_EQ(m_dlg.m_dFreqMax, 8.0);
        EXPECT_EQ(m_dlg.m_dCapMax, 100.0);
        EXPECT_EQ(m_dlg.m_dFreqMin, 3.5);
        EXPECT_EQ(m_dlg.m_dCapMin, 10.0);
        EXPECT_EQ(FocusId(), kVfoCapMaxEdit);
        // The computation went on with the values held and wrote them back.
        EXPECT_EQ(m_dlg.m_editCapMax->text(), "100");
        EXPECT_EQ(m_dlg.m_editFreqMin->text(), "3.5");
        EXPECT_EQ(m_dlg.m_editCapMin->text(), "10");
        EXPECT_NE(m_dlg.m_strReport.find("上限発振周波数  8.00MHz"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
}

} // namespace
