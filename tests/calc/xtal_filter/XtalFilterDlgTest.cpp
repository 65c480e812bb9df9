#include "calc/xtal_filter/XtalFilterDlg.h"

#include "calc/xtal_filter/XtalMeasureDlg.h"
#include "calc/xtal_filter/XtalSortDlg.h"
#include "dialogs/FilePrompt.h"
#include "dialogs/ResponseChart.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/XtalFilterTemplate.h"
#include "templates/XtalMeasureTemplate.h"
#include "templates/XtalSortTemplate.h"
#include "text/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QValueAxis>

#include <cmath>
#include <limits>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

// Steps the focused combo box to the item with the arrow keys, as a user does.
void ChooseComboText(QComboBox* pCombo, const QString& strItem) {
    const int nTarget = pCombo->findText(strItem);
    ASSERT_GE(nTarget, 0) << strItem.toStdString();
    pCombo->setFocus();
    while (pCombo->currentIndex() != nTarget) {
        QTest::keyClick(pCombo, pCombo->currentIndex() < nTarget ? Qt::Key_Down : Qt::Key_Up);
    }
}

class XtalFilterDlgTest : public CDialogTestOf<CXtalFilterDlg> {
protected:
    XtalFilterDlgTest() : CDialogTestOf(kTime) {}

    // The mesh list, one row per mesh, its cells joined by "|".
    QStringList MeshRows() const {
        QStringList rows;
        for (int n = 0; n < m_dlg.m_listMeshes->topLevelItemCount(); ++n) {
            const QTreeWidgetItem* pItem = m_dlg.m_listMeshes->topLevelItem(n);
            QStringList cells;
            for (int nColumn = 0; nColumn < m_dlg.m_listMeshes->columnCount(); ++nColumn) {
                cells << pItem->text(nColumn);
            }
            rows << cells.join('|');
        }
        return rows;
    }
    void TypeInto(int nId, const char* pszText) { ::TypeInto(m_dlg, nId, pszText); }

    CFilePromptAnswers m_files;
};

TEST_F(XtalFilterDlgTest, OpensWithTheWorkedDesignItsFiguresAndItsChart) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(FocusId(), kXtalFrequencyEdit);
        EXPECT_EQ(m_dlg.m_editFrequency->text(), "10");
        EXPECT_EQ(m_dlg.m_editLm->text(), "15");
        EXPECT_EQ(m_dlg.m_editC0->text(), "3.5");
        EXPECT_EQ(m_dlg.m_editQu->text(), "0");
        EXPECT_EQ(m_dlg.m_comboCount->currentText(), "6");
        EXPECT_EQ(m_dlg.m_comboResponse->currentText(),
                  QString::fromUtf8(XtalResponseName(EXtalResponse::Chebyshev)));
        EXPECT_EQ(m_dlg.m_editRipple->text(), "0.1");
        EXPECT_EQ(m_dlg.m_editBandwidth->text(), "2.4");

        EXPECT_EQ(Shown(kXtalDesignFrequencyStatic), "10,001,611.08Hz");
        EXPECT_EQ(Shown(kXtalEndResistanceStatic), "203.414Ω");
        EXPECT_EQ(Shown(kXtalMaxBandwidthStatic), "9,620.8Hz");
        EXPECT_EQ(Shown(kXtalBandwidth3Static), "2,406.1Hz");
        EXPECT_EQ(Shown(kXtalBandwidth60Static), "5,642.6Hz");
        EXPECT_EQ(Shown(kXtalRippleStatic), "0.100dB");
        EXPECT_EQ(Shown(kXtalNoticeStatic), "");
        const QStringList rows = MeshRows();
        ASSERT_EQ(rows.size(), 6);
        EXPECT_TRUE(rows[0].startsWith("1|17.2213mH|85.764PF|113.789PF|-646.2Hz"))
            << rows[0].toStdString();
        EXPECT_TRUE(rows[1].startsWith("2|17.2213mH|113.789PF|なし|")) << rows[1].toStdString();
        EXPECT_TRUE(rows[2].startsWith("3|17.2213mH|118.284PF|311.952PF|-235.7Hz"))
            << rows[2].toStdString();
        EXPECT_TRUE(rows[5].startsWith("6|17.2213mH||113.789PF|-646.2Hz")) << rows[5].toStdString();

        // The chart: S21 and group delay against the offset in kHz, the
        // −3 dB points about ±1.2 kHz out, 3 dB under the peak.
        const CResponseChart& chart = *m_dlg.m_pChart;
        EXPECT_EQ(chart.AxisX()->titleText(), "設計周波数からのずれ (kHz)");
        EXPECT_EQ(chart.AxisLeft()->titleText(), "S21 (dB)");
        EXPECT_EQ(chart.AxisRight()->titleText(), "群遅延 (ms)");
        EXPECT_GT(chart.LeftCurve()->count(), 500);
        EXPECT_EQ(chart.RightCurve()->count(), chart.LeftCurve()->count());
        ASSERT_EQ(chart.MarkSeries().size(), 2u);
        const QList<QPointF> marks3 = chart.MarkSeries()[0]->points();
        ASSERT_EQ(marks3.size(), 2);
        EXPECT_NEAR(marks3[1].x() - marks3[0].x(), 2.4061, 0.0001);
        EXPECT_NEAR(marks3[0].y(), -3.0, 0.01);
        EXPECT_LT(chart.AxisX()->min(), marks3[0].x());
        EXPECT_GT(chart.AxisX()->max(), marks3[1].x());
        const QList<QPointF> marks60 = chart.MarkSeries()[1]->points();
        ASSERT_EQ(marks60.size(), 2);
        EXPECT_NEAR(marks60[1].x() - marks60[0].x(), 5.6426, 0.0001);
        EXPECT_TRUE(m_dlg.GetDlgItem(kXtalNetlistButton)->isEnabled());
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(XtalFilterDlgTest, OpensWithinTheScreenOverASmallerWindow) {
    // The workbench is larger than a main window of 400 x 300 in the screen's
    // corner: centred over it, it would start above and left of the screen.
    QMainWindow window;
    const QRect avail = window.screen()->availableGeometry();
    window.setGeometry(avail.left(), avail.top(), 400, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_GE(dialog.x(), avail.left());
        EXPECT_GE(dialog.y(), avail.top());
        Click(2);
    });
}

TEST_F(XtalFilterDlgTest, EnterWalksTheInputsSkipsGreyedOnesAndNeverCloses) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        const int expected[] = {kXtalLmEdit,        kXtalC0Edit,        kXtalQEdit,
                                kXtalCountCombo,    kXtalResponseCombo, kXtalRippleEdit,
                                kXtalBandwidthEdit, kXtalFrequencyEdit};
        for (const int nId : expected) {
            KeyToFocus(Qt::Key_Return);
            EXPECT_EQ(FocusId(), nId);
        }
        // Butterworth has no ripple: its field is greyed and skipped.
        m_dlg.m_comboResponse->setCurrentIndex(static_cast<int>(EXtalResponse::Butterworth));
        m_dlg.Compute();
        EXPECT_FALSE(m_dlg.m_editRipple->isEnabled());
        m_dlg.MoveFocus(kXtalResponseCombo);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kXtalBandwidthEdit);
        // From a button Enter goes to the frequency.
        m_dlg.GetDlgItem(kXtalComputeButton)->setFocus();
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kXtalFrequencyEdit);
        EXPECT_TRUE(dialog.isVisible());
        Click(2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

struct RangeCase {
    int nId;
    const char* pszTyped;
    const char* pszMessage;
    const char* pszWorked; // what the field held before
};

TEST_F(XtalFilterDlgTest, EachFieldChecksItsRangeWithOneMessage) {
    const RangeCase cases[] = {
        {kXtalFrequencyEdit, "0", "0.1 から 200 までの数値を入力してください。", "10"},
        {kXtalC0Edit, "-1", "0 から 100 までの数値を入力してください。", "3.5"},
        {kXtalRippleEdit, "1.5", "0.01 から 1 までの数値を入力してください。", "0.1"},
        {kXtalBandwidthEdit, "abc", "数値を入力してください。", "2.4"},
    };
    RunModal(m_dlg, [&](QDialog& dialog) {
        for (const RangeCase& c : cases) {
            m_messages.clear();
            TypeInto(c.nId, c.pszTyped);
            KeyToFocus(Qt::Key_Return);
            EXPECT_EQ(m_messages, QStringList{QString::fromUtf8(c.pszMessage)}) << c.nId;
            EXPECT_EQ(FocusId(), c.nId);
            if (m_dlg.Item<QLineEdit>(c.nId)->text() == c.pszWorked) {
                continue; // not a number: the field went back to the value held
            }
            EXPECT_FALSE(m_dlg.m_result.m_bComputed) << "nothing designed from " << c.pszTyped;
            // A number out of range stays, and OK is refused with one message.
            m_messages.clear();
            Click(1);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(m_messages.size(), 1) << c.nId;
            m_dlg.Item<QLineEdit>(c.nId)->setText(c.pszWorked);
        }
        m_messages.clear();
        m_dlg.Compute();
        EXPECT_TRUE(m_messages.isEmpty());
        EXPECT_EQ(Shown(kXtalDesignFrequencyStatic), "10,001,611.08Hz");
        Click(2);
    });
}

TEST_F(XtalFilterDlgTest, AButtonClickedPastABadFieldOpensNothing) {
    // A measurement dialog opened anyway is closed again, and counted.
    int nOpened = 0;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* pMeasure = qobject_cast<CXtalMeasureDlg*>(QApplication::activeModalWidget())) {
            ++nOpened;
            pMeasure->reject();
        }
    });
    guard.start(20);
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeInto(kXtalLmEdit, "0");
        Click(kXtalMeasureButton);
        QTest::qWait(100);
        EXPECT_EQ(m_messages.size(), 1);
        EXPECT_EQ(FocusId(), kXtalLmEdit);
        EXPECT_TRUE(dialog.isVisible());
        Click(2);
    });
    EXPECT_EQ(nOpened, 0);
}

// Crystals too lossy for a finite figure: "-----", and the chart's S21 axis
// reaches down to the curve; a refused design then leaves the empty chart
// with a fresh chart's x axis.
TEST_F(XtalFilterDlgTest, LossyCrystalsKeepTheirCurveInViewAndARefusalResetsTheChart) {
    RunModal(m_dlg, [&](QDialog&) {
        TypeInto(kXtalQEdit, "20");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(Shown(kXtalInsertionLossStatic), "-----");
        const CResponseChart& chart = *m_dlg.m_pChart;
        ASSERT_GT(chart.LeftCurve()->count(), 0);
        double dTop = -1e300;
        for (const QPointF& point : chart.LeftCurve()->points()) {
            dTop = std::max(dTop, point.y());
        }
        EXPECT_LE(chart.AxisLeft()->min(), dTop - 60.0);
        EXPECT_LE(-chart.AxisLeft()->min() / chart.AxisLeft()->tickInterval(), 10.0);

        TypeInto(kXtalBandwidthEdit, "12");
        KeyToFocus(Qt::Key_Tab);
        ASSERT_EQ(chart.LeftCurve()->count(), 0);
        const CResponseChart fresh(m_dlg.font());
        EXPECT_EQ(chart.AxisX()->min(), fresh.AxisX()->min());
        EXPECT_EQ(chart.AxisX()->max(), fresh.AxisX()->max());
        KeyToFocus(Qt::Key_Escape);
    });
}

// Near the maximum the 3 dB bandwidth comes out 8 % wide, which the notice
// says; 設計帯域を合わせる makes it the one typed.
TEST_F(XtalFilterDlgTest, MatchBandwidthMakesTheThreeDecibelBandwidthTheOneTyped) {
    RunModal(m_dlg, [&](QDialog&) {
        TypeInto(kXtalBandwidthEdit, "8.6587");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(Shown(kXtalBandwidth3Static), "9,348.9Hz");
        EXPECT_NE(Shown(kXtalNoticeStatic).indexOf("+8.0%"), -1)
            << Shown(kXtalNoticeStatic).toStdString();
        auto* pMatch = m_dlg.Item<QCheckBox>(kXtalMatchBandwidthCheck);
        ASSERT_NE(pMatch, nullptr);
        pMatch->click();
        EXPECT_EQ(Shown(kXtalBandwidth3Static).left(3), "8,6")
            << Shown(kXtalBandwidth3Static).toStdString();
        EXPECT_NE(Shown(kXtalNoticeStatic).indexOf("で設計しました"), -1)
            << Shown(kXtalNoticeStatic).toStdString();
        KeyToFocus(Qt::Key_Escape);
    });
}

TEST_F(XtalFilterDlgTest, BandwidthAboveTheMaximumNamesItAndLeavesNothingToSave) {
    RunModal(m_dlg, [&](QDialog&) {
        TypeInto(kXtalBandwidthEdit, "12");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_TRUE(m_messages.isEmpty()) << "a notice, not a message box";
        EXPECT_NE(Shown(kXtalNoticeStatic).indexOf("9,620.8Hz"), -1)
            << Shown(kXtalNoticeStatic).toStdString();
        EXPECT_EQ(Shown(kXtalMaxBandwidthStatic), "9,620.8Hz");
        EXPECT_EQ(Shown(kXtalDesignFrequencyStatic), "");
        EXPECT_EQ(Shown(kXtalBandwidth3Static), "");
        EXPECT_EQ(m_dlg.m_listMeshes->topLevelItemCount(), 0);
        EXPECT_EQ(m_dlg.m_pChart->LeftCurve()->count(), 0);
        EXPECT_EQ(m_dlg.m_strReport, kXtalFilterNoReport);
        EXPECT_FALSE(m_dlg.GetDlgItem(kXtalNetlistButton)->isEnabled());
        EXPECT_FALSE(m_dlg.GetDlgItem(kXtalCsvButton)->isEnabled());
        // Back within reach: everything returns.
        TypeInto(kXtalBandwidthEdit, "2.4");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(Shown(kXtalNoticeStatic), "");
        EXPECT_EQ(m_dlg.m_listMeshes->topLevelItemCount(), 6);
        EXPECT_TRUE(m_dlg.GetDlgItem(kXtalCsvButton)->isEnabled());
        Click(2);
    });
}

TEST_F(XtalFilterDlgTest, OkRightAfterOpeningReportsTheWorkedDesign) {
    EXPECT_EQ(RunModal(m_dlg, [&](QDialog&) { Click(1); }), kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kXtalFilterWorkedReport);
}

TEST_F(XtalFilterDlgTest, OkKeepsTheReportOfWhatWasJustTyped) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        TypeInto(kXtalQEdit, "100000");
        Click(1); // the focus loss on the way computes first
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_dQu, 100000.0);
    EXPECT_EQ(m_dlg.m_strInsertionLoss, "1.765dB");
    EXPECT_EQ(m_dlg.m_strBandwidth3, "2,296.1Hz");
    EXPECT_NE(m_dlg.m_strReport.find("1.765dB"), std::string::npos) << m_dlg.m_strReport;
    EXPECT_EQ(m_dlg.m_strReport.rfind("\r\n\r\n"), m_dlg.m_strReport.size() - 4);
}

TEST_F(XtalFilterDlgTest, LadderHandOverIsTakenOnlyWithinTheWorkbenchRanges) {
    struct HandOverCase {
        double dFrequency, dC0, dBandwidth;
        bool bTaken;
    };
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const HandOverCase cases[] = {
        {7.0, 4.0, 2.0, true},   {10.0, 0.0, 2.4, true},    {0.0, 3.5, 2.4, false},
        {10.0, 3.5, 0.0, false}, {10.0, 101.0, 2.4, false}, {kNaN, 3.5, 2.4, false},
    };
    for (const HandOverCase& c : cases) {
        CXtalFilterDlg dlg;
        EXPECT_EQ(dlg.TakeLadderHandOver(c.dFrequency, c.dC0, c.dBandwidth), c.bTaken)
            << c.dFrequency << " " << c.dC0 << " " << c.dBandwidth;
        EXPECT_EQ(dlg.m_dFrequency, c.bTaken ? c.dFrequency : 10.0);
        EXPECT_EQ(dlg.m_dC0, c.bTaken ? c.dC0 : 3.5);
        EXPECT_EQ(dlg.m_dBandwidth, c.bTaken ? c.dBandwidth : 2.4);
        EXPECT_EQ(dlg.m_dLm, 15.0);
    }
}

TEST_F(XtalFilterDlgTest, MeasurementHandsItsInductanceCapacitanceAndFrequencyOver) {
    WhenShownAs<CXtalMeasureDlg>([&](CXtalMeasureDlg& measure) {
        EXPECT_EQ(measure.m_editC0->text(), "3.5") << "offered the workbench's C0";
        measure.m_editF1->selectAll();
        EnterValues({"9.998", "10.0003", "33", "4"});
        EXPECT_EQ(measure.m_editF1->text(), "9.998");
        EXPECT_TRUE(measure.m_result.m_bComputed);
        EXPECT_NE(measure.Item<QLabel>(kMeasureLmStatic)->text(), "");
        EXPECT_TRUE(measure.isVisible()) << "Enter never closes it";
        ClickItem(measure, kIdOk);
    });
    RunModal(m_dlg, [&](QDialog&) {
        Click(kXtalMeasureButton);
        EXPECT_EQ(m_dlg.m_dFrequency, 9.998);
        EXPECT_EQ(m_dlg.m_dC0, 4.0);
        EXPECT_NEAR(m_dlg.m_dLm, 15.0, 0.5);
        EXPECT_EQ(m_dlg.m_editC0->text(), "4");
        // Lm to seven digits, its start in view.
        const QString strLm = m_dlg.m_editLm->text();
        EXPECT_LE(strLm.count(QRegularExpression("[0-9]")), 7) << strLm.toStdString();
        EXPECT_EQ(m_dlg.m_dLm, strLm.toDouble());
        EXPECT_EQ(m_dlg.m_editLm->cursorPosition(), 0);
        EXPECT_EQ(m_dlg.m_result.m_design.m_crystals.size(), 6u);
        EXPECT_NEAR(m_dlg.m_result.m_design.m_crystals[0].m_dLm * 1000.0, m_dlg.m_dLm, 1e-9);
        // Cancel hands nothing over, but the typed values are offered again.
        WhenShownAs<CXtalMeasureDlg>([&](CXtalMeasureDlg& measure) {
            EXPECT_EQ(measure.m_editF1->text(), "9.998");
            EXPECT_EQ(measure.m_editF2->text(), "10.0003");
            ClickItem(measure, kIdCancel);
        });
        Click(kXtalMeasureButton);
        EXPECT_EQ(m_dlg.m_dFrequency, 9.998);
        Click(2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

// Six crystals picked from eight, ascending; the two far ones are left out.
constexpr const char* kBatch = "10.000100\n10.000130\n9.999000\n10.000110\n10.000125\n"
                               "10.002000\n10.000105\n10.000120\n";

TEST_F(XtalFilterDlgTest, MatchedSetIsTakenAsItsMeanOrCrystalByCrystal) {
    for (const int nUse : {0, 1}) {
        CXtalFilterDlg dlg;
        WhenShownAs<CXtalSortDlg>([&](CXtalSortDlg& sort) {
            EXPECT_EQ(sort.m_comboCount->currentText(), "6") << "offered the workbench's count";
            sort.m_editList->setPlainText(QString::fromUtf8(kBatch));
            ClickItem(sort, nUse == 0 ? kSortUseMeanRadio : kSortUseEachRadio);
            EXPECT_EQ(sort.m_listSet->topLevelItemCount(), 6);
            ClickItem(sort, kIdOk);
        });
        RunModal(dlg, [&](QDialog&) {
            ClickItem(dlg, kXtalSortButton);
            auto* pCheck = dlg.Item<QCheckBox>(kXtalPerCrystalCheck);
            EXPECT_TRUE(pCheck->isEnabled());
            EXPECT_EQ(pCheck->isChecked(), nUse == 1);
            EXPECT_EQ(dlg.m_editFrequency->isEnabled(), nUse == 0);
            EXPECT_EQ(dlg.m_comboCount->isEnabled(), nUse == 0);
            EXPECT_NEAR(dlg.m_dFrequency, 10.000115, 1e-9);
            const std::vector<CXtalCrystal>& crystals = dlg.m_result.m_design.m_crystals;
            ASSERT_EQ(crystals.size(), 6u);
            EXPECT_EQ(crystals.front().m_dFs == crystals.back().m_dFs, nUse == 0);
            if (nUse == 1) {
                EXPECT_NEAR(crystals.front().m_dFs, 10000100.0, 1e-3);
                EXPECT_NEAR(crystals.back().m_dFs, 10000130.0, 1e-3);
                // Unticked, the design goes back to equal crystals at the mean.
                ClickItem(dlg, kXtalPerCrystalCheck);
                EXPECT_TRUE(dlg.m_editFrequency->isEnabled());
                EXPECT_EQ(dlg.m_result.m_design.m_crystals.front().m_dFs,
                          dlg.m_result.m_design.m_crystals.back().m_dFs);
            } else {
                // A count other than the set's, then the tick: the count
                // follows the set, greyed, and the design uses each crystal.
                ChooseComboText(dlg.m_comboCount, "4");
                EXPECT_EQ(dlg.m_result.m_design.m_crystals.size(), 4u);
                ClickItem(dlg, kXtalPerCrystalCheck);
                EXPECT_EQ(dlg.m_comboCount->currentText(), "6");
                EXPECT_FALSE(dlg.m_comboCount->isEnabled());
                ASSERT_EQ(dlg.m_result.m_design.m_crystals.size(), 6u);
                EXPECT_NEAR(dlg.m_result.m_design.m_crystals.front().m_dFs, 10000100.0, 1e-3);
                // Unticked and the count changed: the tick stays off.
                ClickItem(dlg, kXtalPerCrystalCheck);
                ChooseComboText(dlg.m_comboCount, "5");
                EXPECT_FALSE(pCheck->isChecked());
            }
            ClickItem(dlg, kIdCancel);
        });
    }
    EXPECT_TRUE(m_messages.isEmpty());
}

struct ExportCase {
    const char* pszName;
    int nButton;
    const char* pszSuffix;
    const char* pszFirstLine;
    const char* pszLastLine;
};

TEST_F(XtalFilterDlgTest, ExportsWriteTheFileOrSayWhyNot) {
    const ExportCase cases[] = {
        {"netlist", kXtalNetlistButton, "cir", "* Crystal ladder filter, 6 crystals", ".end"},
        {"csv", kXtalCsvButton, "csv", "frequency_hz,s21_db,phase_deg,group_delay_ms", ""}};
    CTempFolder folder;
    WriteBytes(folder.File("plain"), "x");
    RunModal(m_dlg, [&](QDialog& dialog) {
        for (const ExportCase& c : cases) {
            // Written whole, with the suffix the prompt was told of.
            const std::string strPath = folder.File(std::string("out.") + c.pszSuffix);
            m_files.m_strNextFile = QString::fromStdString(strPath);
            m_files.m_prompts.clear();
            Click(c.nButton);
            ASSERT_EQ(m_files.m_prompts.size(), 1u) << c.pszName;
            EXPECT_TRUE(m_files.m_prompts[0].bSave);
            EXPECT_EQ(m_files.m_prompts[0].strSuffix, c.pszSuffix);
            const QStringList lines = QString::fromStdString(ReadBytes(strPath)).split('\n');
            ASSERT_GT(lines.size(), 3) << c.pszName;
            EXPECT_TRUE(lines.first().startsWith(c.pszFirstLine)) << lines.first().toStdString();
            EXPECT_EQ(lines.last(), "") << "ends with a line end";
            if (*c.pszLastLine != '\0') {
                EXPECT_EQ(lines[lines.size() - 2], c.pszLastLine);
            } else {
                // Every sweep point, the last one whole.
                EXPECT_GT(lines.size(), 600);
                EXPECT_EQ(lines[lines.size() - 2].count(','), 3);
            }
            EXPECT_TRUE(m_messages.isEmpty()) << c.pszName;

            // A folder that cannot be made: one message, the dialog stays.
            m_files.m_strNextFile = QString::fromStdString(folder.File("plain/out.x"));
            Click(c.nButton);
            EXPECT_EQ(m_messages.size(), 1) << c.pszName;
            EXPECT_TRUE(dialog.isVisible());
            m_messages.clear();

            // A cancelled prompt writes nothing and says nothing.
            m_files.m_strNextFile.clear();
            WriteBytes(strPath, "old");
            Click(c.nButton);
            EXPECT_EQ(ReadBytes(strPath), "old");
            EXPECT_TRUE(m_messages.isEmpty());
        }
        Click(2);
    });
}

} // namespace
