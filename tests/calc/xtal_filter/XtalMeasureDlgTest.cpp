#include "calc/xtal_filter/XtalMeasureDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/XtalMeasureTemplate.h"

#include <QLineEdit>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

class XtalMeasureDlgTest : public CDialogTestOf<CXtalMeasureDlg> {
protected:
    XtalMeasureDlgTest() : CDialogTestOf(kTime) {}
};

TEST_F(XtalMeasureDlgTest, WorkedMeasurementThroughTheEnterCycle) {
    m_dlg.m_dF1 = 1.0;
    m_dlg.m_dF2 = 1.0;
    m_dlg.m_dCs = 10.0;
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(FocusId(), kMeasureF1Edit);
        EXPECT_NE(Shown(kMeasureNoticeStatic), "") << "f2 equal to f1 is no measurement";
        EXPECT_EQ(Shown(kMeasureLmStatic), "");
        EnterValues({"10", "10.002313", "33", "3.5"});
        EXPECT_EQ(FocusId(), kMeasureF1Edit);
        EXPECT_EQ(m_dlg.m_editF1->selectedText(), "10");
        EXPECT_EQ(Shown(kMeasureCmStatic), "16.887fF");
        EXPECT_EQ(Shown(kMeasureLmStatic), "15.000mH");
        EXPECT_EQ(Shown(kMeasureNoticeStatic), "");
        EXPECT_TRUE(dialog.isVisible());
        // f2 below f1 again: the results go, the reason shows.
        m_dlg.MoveFocus(kMeasureF2Edit);
        EnterValues({"9.9"});
        EXPECT_EQ(Shown(kMeasureCmStatic), "");
        EXPECT_NE(Shown(kMeasureNoticeStatic), "");
        EXPECT_FALSE(m_dlg.m_result.m_bComputed);
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(XtalMeasureDlgTest, SeriesCapacitorBelowItsRangeIsRefusedWithOneMessage) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        m_dlg.MoveFocus(kMeasureCsEdit);
        TypeToFocus("0.5");
        Click(1);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_messages, QStringList{"1 から 10000 までの数値を入力してください。"});
        EXPECT_EQ(FocusId(), kMeasureCsEdit);
        KeyToFocus(Qt::Key_Escape);
    });
}

} // namespace
