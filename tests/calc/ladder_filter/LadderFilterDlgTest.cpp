#include "calc/ladder_filter/LadderFilterDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/LadderFilterTemplate.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

class LadderFilterDlgTest : public CDialogTestOf<CLadderFilterDlg> {
protected:
    LadderFilterDlgTest() : CDialogTestOf(kTime) {}

    // The list's items, top to bottom, each as its four cells joined by "|".
    QStringList ListRows() const {
        QStringList rows;
        for (int n = 0; n < m_dlg.m_listTable->topLevelItemCount(); ++n) {
            const QTreeWidgetItem* pItem = m_dlg.m_listTable->topLevelItem(n);
            QStringList cells;
            for (int nColumn = 0; nColumn < m_dlg.m_listTable->columnCount(); ++nColumn) {
                cells << pItem->text(nColumn);
            }
            rows << cells.join('|');
        }
        return rows;
    }
    // Types the worked example 10 MHz / 3.5 pF / 2.4 kHz through the Enter cycle.
    static void TypeWorkedExample() { EnterValues({"10", "3.5", "2.4"}); }
};

const QStringList kEmptyRows = QStringList(QString("|||")) + QStringList(12, QString("|||"));

TEST_F(LadderFilterDlgTest, OpensWithZerosAndAnEmptyTable) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(m_dlg.m_editFrequency->text(), "0");
        EXPECT_EQ(m_dlg.m_editCapacitance->text(), "0");
        EXPECT_EQ(m_dlg.m_editBandwidth->text(), "0");
        EXPECT_EQ(FocusId(dialog), kLadderFrequencyEdit);
        EXPECT_EQ(m_dlg.m_nFocus, 1);
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        EXPECT_EQ(m_dlg.m_listTable->topLevelItemCount(), 0);
        const QTreeWidgetItem* pHeader = m_dlg.m_listTable->headerItem();
        const char* const headers[] = {"帯域幅(kHz)", "Ｃ(PF)", "２Ｃ(PF)", "Ｚ(Ω)"};
        ASSERT_EQ(m_dlg.m_listTable->columnCount(), 4);
        for (int nColumn = 0; nColumn < 4; ++nColumn) {
            EXPECT_EQ(pHeader->text(nColumn), QString::fromUtf8(headers[nColumn]));
            EXPECT_EQ(m_dlg.m_listTable->columnWidth(nColumn), 100);
        }
        // Leaving the frequency with every field at 0 refuses: 13 empty items.
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(ListRows(), kEmptyRows);
        EXPECT_EQ(m_dlg.m_strReport, "\r\n");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(LadderFilterDlgTest, WorkedExampleFillsTheListSmallestBandwidthFirst) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeWorkedExample();
        EXPECT_EQ(FocusId(dialog), kLadderFrequencyEdit);
        EXPECT_EQ(m_dlg.m_editFrequency->selectedText(), "10");
        const QStringList expected = {
            "1.800|74.66|149.33|213.15", "1.920|69.56|139.12|228.79", "2.040|65.05|130.11|244.63",
            "2.160|61.05|122.11|260.67", "2.280|57.47|114.94|276.91", "-----|-----|-----|-----",
            "2.400|54.25|108.50|293.37", "-----|-----|-----|-----",   "2.520|51.33|102.66|310.04",
            "2.640|48.68|97.36|326.92",  "2.760|46.26|92.52|344.03",  "2.880|44.04|88.08|361.37",
            "3.000|42.00|84.00|378.94"};
        EXPECT_EQ(ListRows(), expected);
        EXPECT_NEAR(m_dlg.m_dTerminationImpedance, 293.3732, 5e-5);
        EXPECT_TRUE(m_dlg.m_strReport.starts_with(
            "　　　　　***** ＬＳＢ型ラダークリスタルフィルターの計算 *****\r\n"
            "　　　　　2026-12-8  9:05\r\n"
            "　　　　　周波数 10.000MHz\r\n"
            "　　　　　クリスタルの端子間容量  3.5PF\r\n"
            "　　　　　dF=1.800kHz   C=74.66PF   2C=149.33PF   Z=213.15Ω\r\n"));
        EXPECT_TRUE(m_dlg.m_strReport.ends_with(
            "　　　　　dF=3.000kHz   C=42.00PF   2C=84.00PF   Z=378.94Ω\r\n\r\n\r\n"));
        Click(dialog, 2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(LadderFilterDlgTest, EditsKeepTheirTextAsTyped) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        m_dlg.m_editFrequency->setText("10.0");
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(m_dlg.m_dFrequency, 10.0);
        EXPECT_EQ(m_dlg.m_editFrequency->text(), "10.0");
        Click(dialog, 2);
    });
}

TEST_F(LadderFilterDlgTest, EnterFollowsTheCycleAndIgnoresOtherControls) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLadderCapacitanceEdit);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLadderBandwidthEdit);
        // Tab to the compute button: no input has the focus, Enter does nothing.
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(FocusId(dialog), kLadderComputeButton);
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(dialog), kLadderComputeButton);
        // Tab on to OK: Enter still neither moves nor closes.
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(FocusId(dialog), 1);
        KeyToFocus(Qt::Key_Enter);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(dialog), 1);
        // After a click on "計算" Enter goes home to the frequency.
        Click(dialog, kLadderComputeButton);
        EXPECT_EQ(m_dlg.m_nFocus, 4);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(dialog), kLadderFrequencyEdit);
        Click(dialog, 2);
    });
}

TEST_F(LadderFilterDlgTest, ComputeButtonComputesOnlyThroughTheFocusChange) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("10");
        KeyToFocus(Qt::Key_Tab);
        TypeToFocus("3.5");
        KeyToFocus(Qt::Key_Tab);
        TypeToFocus("2.4");
        Click(dialog, kLadderComputeButton);
        EXPECT_EQ(m_dlg.m_listTable->topLevelItem(6)->text(3), "293.37");
        const std::string strReport = m_dlg.m_strReport;
        m_dlg.m_editBandwidth->setText("3.0");
        Click(dialog, kLadderComputeButton); // the focus is already on the button
        EXPECT_EQ(m_dlg.m_listTable->topLevelItem(6)->text(3), "293.37");
        EXPECT_EQ(m_dlg.m_strReport, strReport);
        Click(dialog, 2);
    });
}

TEST_F(LadderFilterDlgTest, OkRightAfterOpeningReportsOneLineEnd) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) { Click(dialog, 1); });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n");
    EXPECT_EQ(m_dlg.m_dFrequency, 0.0);
    EXPECT_EQ(m_dlg.m_dTerminationImpedance, 0.0);
}

// The impedance always belongs to the last computation, so the view never
// hands over a frequency with an older design's Z.
TEST_F(LadderFilterDlgTest, ZeroBandwidthAfterAComputationLeavesNoImpedance) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        TypeWorkedExample();
        KeyToFocus(Qt::Key_Return);
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("0"); // over the selected bandwidth
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(ListRows(), kEmptyRows);
        EXPECT_EQ(m_dlg.m_strReport, "\r\n");
        TypeToFocus("7");
        Click(dialog, 1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n");
    EXPECT_EQ(m_dlg.m_dFrequency, 7.0);
    EXPECT_EQ(m_dlg.m_dTerminationImpedance, 0.0);
}

TEST_F(LadderFilterDlgTest, OutOfRangeBandwidthIsReadFirstAndStopsTheRead) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeWorkedExample();
        // The bandwidth is read before the other fields: a bad bandwidth stops
        // the read, so the new frequency is not taken.
        m_dlg.m_editBandwidth->setText("2000");
        m_dlg.m_editFrequency->setText("20");
        Click(dialog, 1);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0], "0 から 1000 までの数値を入力してください。");
        EXPECT_EQ(FocusId(dialog), kLadderBandwidthEdit);
        EXPECT_EQ(m_dlg.m_dBandwidth, 2000.0);
        EXPECT_EQ(m_dlg.m_dFrequency, 10.0);
        KeyToFocus(Qt::Key_Escape);
    });
}

} // namespace
