#include "calc/toroid_winding/ToroidWindingDlg.h"

#include "dialogs/UpDownControl.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/ToroidWindingTemplate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

// The Enter cycle goes core, turns, wire, lead.
class ToroidWindingDlgTest : public CDialogTestOf<CToroidWindingDlg> {
protected:
    ToroidWindingDlgTest() : CDialogTestOf(kTime) {}

    QString Edit(int nId) const { return m_dlg.Item<QLineEdit>(nId)->text(); }
    // Walks the focused list to the item, as the arrow keys do.
    static void ChooseItem(QComboBox* pList, const QString& strItem) {
        const int nTarget = pList->findText(strItem);
        ASSERT_GE(nTarget, 0) << strItem.toStdString();
        pList->setFocus();
        if (pList->currentIndex() < 0) {
            QTest::keyClick(pList, Qt::Key_Home);
        }
        while (pList->currentIndex() != nTarget) {
            QTest::keyClick(pList, pList->currentIndex() < nTarget ? Qt::Key_Down : Qt::Key_Up);
        }
    }
    // The results shown, top to bottom.
    QStringList Results() const {
        return {Shown(kToroidWindingInductanceStatic), Shown(kToroidWindingTurnLengthStatic),
                Shown(kToroidWindingWireLengthStatic), Shown(kToroidWindingResistanceStatic),
                Shown(kToroidWindingLayerStatic)};
    }
};

TEST_F(ToroidWindingDlgTest, OpensOnTheFirstCoreWithNothingToReport) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(FocusId(), kToroidWindingCoreCombo);
        ASSERT_EQ(m_dlg.m_comboCore->count(), 148);
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "T-200-41");
        ASSERT_EQ(m_dlg.m_listGauge->count(), 47);
        EXPECT_EQ(m_dlg.m_listGauge->itemText(46), "AWG46");
        EXPECT_EQ(m_dlg.m_listGauge->currentIndex(), -1);
        EXPECT_EQ(Edit(kToroidWindingTurnsEdit), "0");
        EXPECT_EQ(Edit(kToroidWindingWireEdit), "0");
        EXPECT_EQ(Edit(kToroidWindingLeadEdit), "20");
        EXPECT_EQ(Results(), QStringList({"", "", "", "", ""}));
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
}

TEST_F(ToroidWindingDlgTest, WorkedWindingThroughTheEnterCycle) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        m_dlg.m_comboCore->setCurrentIndex(m_dlg.m_comboCore->findText("T-50-2"));
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kToroidWindingTurnsEdit);
        EnterValues({"20"});
        EXPECT_EQ(FocusId(), kToroidWindingWireEdit);
        EnterValues({"0.5"});
        EXPECT_EQ(FocusId(), kToroidWindingLeadEdit);
        EXPECT_EQ(m_dlg.m_editLead->selectedText(), "20");
        TypeToFocus("25");
        EXPECT_EQ(Shown(kToroidWindingWireLengthStatic), "372.0 mm")
            << "typing alone must not recompute";
        KeyToFocus(Qt::Key_Enter);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kToroidWindingCoreCombo);
        EXPECT_EQ(Results(), QStringList({"2.000 μH", "16.6 mm", "382.0 mm", "0.03354 Ω",
                                          "一層に巻けます (最大 45 回)"}));
        EXPECT_EQ(m_dlg.m_strReport, kToroidWindingWorkedReport);
        // Enter on a button goes back to the core as well.
        m_dlg.GetDlgItem(kToroidWindingComputeButton)->setFocus();
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kToroidWindingCoreCombo);
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kToroidWindingWorkedReport);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ToroidWindingDlgTest, CorePickAndGaugePickRecompute) {
    RunModal(m_dlg, [&](QDialog&) {
        m_dlg.m_comboCore->setCurrentIndex(m_dlg.m_comboCore->findText("T-50-2"));
        KeyToFocus(Qt::Key_Return);
        EnterValues({"50", "0.5"});
        EXPECT_EQ(Shown(kToroidWindingLayerStatic), "一層に巻けません (最大 45 回)");
        // The next core of the size, mix 1 (AL 10).
        ChooseItem(m_dlg.m_comboCore, "T-50-1");
        EXPECT_EQ(Shown(kToroidWindingInductanceStatic), "25.00 μH");
        EXPECT_NE(m_dlg.m_strReport.find("コア種類  T-50-1\r\n"), std::string::npos);
        // AWG0 (8.251 mm) does not go through the 7.7 mm hole; AWG24 (0.511 mm)
        // leaves room for one turn less than 0.5 mm wire.
        ChooseItem(m_dlg.m_listGauge, "AWG0");
        EXPECT_EQ(Edit(kToroidWindingWireEdit), "8.251");
        EXPECT_EQ(Shown(kToroidWindingLayerStatic), "一層に巻けません (最大 0 回)");
        ChooseItem(m_dlg.m_listGauge, "AWG24");
        EXPECT_EQ(Edit(kToroidWindingWireEdit), "0.511");
        EXPECT_EQ(Shown(kToroidWindingLayerStatic), "一層に巻けません (最大 44 回)");
        EXPECT_NE(m_dlg.m_strReport.find("線材直径  0.511 mm\r\n"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
}

// A refused value, out of range or no number, stays in its field selected,
// for the user to retype, and OK refuses it as well.
TEST_F(ToroidWindingDlgTest, EachBadFieldGivesOneMessageAndKeepsTheFocus) {
    const struct {
        int nEnterPresses; // from the core to the field
        const char* pszTyped;
        int nField;
        const char* pszMessage;
        const char* pszLeft; // the field's text after the message
    } cases[] = {
        {1, "10001", kToroidWindingTurnsEdit, "0 から 10000 までの数値を入力してください。",
         "10001"},
        {2, "1000.5", kToroidWindingWireEdit, "0 から 1000 までの数値を入力してください。",
         "1000.5"},
        {3, "-1", kToroidWindingLeadEdit, "0 から 1000 までの数値を入力してください。", "-1"},
        {3, "2O", kToroidWindingLeadEdit, "数値を入力してください。", "2O"},
    };
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.pszTyped);
            m_messages.clear();
            m_dlg.MoveFocus(kToroidWindingCoreCombo);
            for (int i = 0; i < c.nEnterPresses; ++i) {
                KeyToFocus(Qt::Key_Return);
            }
            TypeToFocus(c.pszTyped);
            KeyToFocus(Qt::Key_Return);
            EXPECT_EQ(m_messages, QStringList{c.pszMessage});
            EXPECT_EQ(FocusId(), c.nField);
            EXPECT_EQ(Edit(c.nField), c.pszLeft);
            EXPECT_EQ(m_dlg.Item<QLineEdit>(c.nField)->selectedText(), c.pszLeft);
            if (Edit(c.nField) == c.pszTyped) {
                Click(1); // OK refuses the field as well
                EXPECT_TRUE(dialog.isVisible());
                m_dlg.Item<QLineEdit>(c.nField)->setText("20");
            }
        }
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(ToroidWindingDlgTest, TurnsStepKeepsFractionsAndStopsAtZero) {
    RunModal(m_dlg, [&](QDialog&) {
        QToolButton* pUp = m_dlg.m_spinTurns->UpButton();
        QToolButton* pDown = m_dlg.m_spinTurns->DownButton();
        QTest::mouseClick(pDown, Qt::LeftButton);
        EXPECT_EQ(Edit(kToroidWindingTurnsEdit), "0");
        m_dlg.m_editWireDiameter->setText("1");
        m_dlg.m_editTurns->setText("2.5");
        QTest::mouseClick(pUp, Qt::LeftButton);
        EXPECT_EQ(Edit(kToroidWindingTurnsEdit), "3.5");
        EXPECT_NE(m_dlg.m_strReport.find("巻き数  3.5\r\n"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
}

// What the view hands over from the toroidal coil: the core by name and
// the turns; the winding shows as soon as a wire is given.
TEST_F(ToroidWindingDlgTest, HandedOverCoreAndTurnsArePreselected) {
    m_dlg.m_strCore = "FT-82-43";
    m_dlg.m_dTurns = 12.0;
    RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(m_dlg.m_comboCore->currentText(), "FT-82-43");
        EXPECT_EQ(Edit(kToroidWindingTurnsEdit), "12");
        EXPECT_EQ(Results(), QStringList({"", "", "", "", "線材直径を入力して下さい"}));
        KeyToFocus(Qt::Key_Return);
        KeyToFocus(Qt::Key_Return);
        EnterValues({"0.4"});
        EXPECT_EQ(Shown(kToroidWindingInductanceStatic), "80.21 μH");
        EXPECT_EQ(Shown(kToroidWindingLayerStatic), "一層に巻けます (最大 100 回)");
        KeyToFocus(Qt::Key_Escape);
    });

    CToroidWindingDlg unknown;
    unknown.m_strCore = "T-50-9";
    RunModal(unknown, [&](QDialog&) {
        EXPECT_EQ(unknown.m_comboCore->currentText(), "T-200-41");
        KeyToFocus(Qt::Key_Escape);
    });
}

} // namespace
