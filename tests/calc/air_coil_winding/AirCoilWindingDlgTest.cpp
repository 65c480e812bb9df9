#include "calc/air_coil_winding/AirCoilWindingDlg.h"

#include "dialogs/UpDownControl.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/AirCoilWindingTemplate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

// The Enter cycle goes diameter, length, wire, turns, lead.
class AirCoilWindingDlgTest : public CDialogTestOf<CAirCoilWindingDlg> {
protected:
    AirCoilWindingDlgTest() : CDialogTestOf(kTime) {}

    QString Edit(int nId) const { return m_dlg.Item<QLineEdit>(nId)->text(); }
    QStringList Results() const {
        return {Shown(kAirCoilWindingInductanceStatic),  Shown(kAirCoilWindingPitchStatic),
                Shown(kAirCoilWindingWireLengthStatic),  Shown(kAirCoilWindingResistanceStatic),
                Shown(kAirCoilWindingCapacitanceStatic), Shown(kAirCoilWindingResonanceStatic),
                Shown(kAirCoilWindingFitStatic)};
    }
};

TEST_F(AirCoilWindingDlgTest, OpensEmptyAndOkAtOnceHandsOverTwoEmptyLines) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(FocusId(), kAirCoilWindingDiameterEdit);
        EXPECT_EQ(Edit(kAirCoilWindingLeadEdit), "20");
        ASSERT_EQ(m_dlg.m_listGauge->count(), 47);
        EXPECT_EQ(m_dlg.m_listGauge->currentIndex(), -1);
        EXPECT_EQ(Results(), QStringList({"", "", "", "", "", "", ""}));
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
}

TEST_F(AirCoilWindingDlgTest, WorkedWindingThroughTheEnterCycle) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        const int expectedFocus[] = {kAirCoilWindingLengthEdit, kAirCoilWindingWireEdit,
                                     kAirCoilWindingTurnsEdit, kAirCoilWindingLeadEdit};
        const char* const values[] = {"10", "20", "1", "15"};
        for (int i = 0; i < 4; ++i) {
            EnterValues({values[i]});
            EXPECT_EQ(FocusId(), expectedFocus[i]) << values[i];
        }
        TypeToFocus("0");
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kAirCoilWindingDiameterEdit);
        EXPECT_EQ(m_dlg.m_editDiameter->selectedText(), "10");
        EXPECT_EQ(Results(),
                  QStringList({"1.079 μH", "1.333 mm", "518.7 mm", "0.01139 Ω", "0.5335 pF",
                               "209.8 MHz", "コイル長さに巻けます (最大 20 回)"}));
        EXPECT_EQ(m_dlg.m_strReport, kAirCoilWindingWorkedReport);
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kAirCoilWindingWorkedReport);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AirCoilWindingDlgTest, GaugePickOverwritesTheWireAndRecomputes) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"10", "20", "1", "15"});
        EXPECT_EQ(Shown(kAirCoilWindingFitStatic), "コイル長さに巻けます (最大 20 回)");
        QComboBox* pList = m_dlg.m_listGauge;
        pList->setFocus();
        QTest::keyClick(pList, Qt::Key_Home); // AWG0, 8.251 mm: two turns fit on 20 mm
        EXPECT_EQ(Edit(kAirCoilWindingWireEdit), "8.251");
        EXPECT_EQ(Shown(kAirCoilWindingFitStatic), "コイル長さに巻けません (最大 2 回)");
        for (int i = 0; i < 18; ++i) {
            QTest::keyClick(pList, Qt::Key_Down);
        }
        EXPECT_EQ(Edit(kAirCoilWindingWireEdit), "1.024");
        EXPECT_EQ(Shown(kAirCoilWindingFitStatic), "コイル長さに巻けます (最大 19 回)");
        EXPECT_NE(m_dlg.m_strReport.find("線材直径  1.024 mm\r\n"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
}

TEST_F(AirCoilWindingDlgTest, OutOfRangeFieldsGiveTheirMessageOnce) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EnterValues({"1001"});
        EXPECT_EQ(m_messages, QStringList{"0 から 1000 までの数値を入力してください。"});
        EXPECT_EQ(FocusId(), kAirCoilWindingDiameterEdit);
        EnterValues({"10", "20", "1", "10000.5"});
        EXPECT_EQ(m_messages.size(), 2);
        EXPECT_EQ(m_messages.back(), "0 から 10000 までの数値を入力してください。");
        EXPECT_EQ(FocusId(), kAirCoilWindingTurnsEdit);
        Click(1);
        EXPECT_TRUE(dialog.isVisible());
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(AirCoilWindingDlgTest, TurnsStepRecomputesThePitch) {
    RunModal(m_dlg, [&](QDialog&) {
        EnterValues({"10", "20", "1", "15"});
        QTest::mouseClick(m_dlg.m_spinTurns->UpButton(), Qt::LeftButton);
        EXPECT_EQ(Edit(kAirCoilWindingTurnsEdit), "16");
        EXPECT_EQ(Shown(kAirCoilWindingPitchStatic), "1.250 mm");
        KeyToFocus(Qt::Key_Escape);
    });
}

// What the view hands over from the air-core coil: the winding shows at once.
TEST_F(AirCoilWindingDlgTest, HandedOverCoilShowsItsWindingOnOpening) {
    m_dlg.m_dDiameter = 10.0;
    m_dlg.m_dLength = 20.0;
    m_dlg.m_dWireDiameter = 1.0;
    m_dlg.m_dTurns = 15.0;
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(Edit(kAirCoilWindingTurnsEdit), "15");
        EXPECT_EQ(Shown(kAirCoilWindingResonanceStatic), "209.8 MHz");
        EXPECT_EQ(Shown(kAirCoilWindingWireLengthStatic), "558.7 mm"); // 20 mm leads
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_NE(m_dlg.m_strReport.find("リード線（片側）  20.0 mm\r\n"), std::string::npos);
}

} // namespace
