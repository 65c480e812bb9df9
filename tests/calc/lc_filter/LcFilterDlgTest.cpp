#include "calc/lc_filter/LcFilterDlg.h"

#include "calc/lc_filter/LcReport.h"
#include "calc/lc_filter/LcSchematic.h"
#include "calc/toroid_winding/ToroidWindingDlg.h"
#include "dialogs/FilePrompt.h"
#include "dialogs/ResponseChart.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/LcFilterTemplate.h"

#include <QComboBox>
#include <QFile>
#include <QLineSeries>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QValueAxis>

namespace {

const CLocalTime kTime{2026, 12, 10, 9, 5};

class LcFilterDlgTest : public CDialogTestOf<CLcFilterDlg> {
protected:
    LcFilterDlgTest() : CDialogTestOf(kTime) {}

    // The trap example: Chebyshev 0.1 dB, n = 7, fc 7.5 MHz, band 7.0-7.2,
    // two traps, built with E12 on T-50-6 cores at Q 150, 10 W at -20 dBc.
    void FillTrapExample() {
        m_dlg.m_nTraps = 2;
        m_dlg.m_nCore = m_dlg.m_comboCore->findText("T-50-6");
        m_dlg.m_dQ = 150.0;
        m_dlg.m_dPower = 10.0;
        m_dlg.UpdateData(false);
        m_dlg.Compute();
    }
    QStringList Row(QTreeWidget* pList, int nRow) const {
        QStringList cells;
        const QTreeWidgetItem* pItem = pList->topLevelItem(nRow);
        for (int nColumn = 0; pItem && nColumn < pList->columnCount(); ++nColumn) {
            cells << pItem->text(nColumn);
        }
        return cells;
    }
    QStringList Column(QTreeWidget* pList, int nColumn) const {
        QStringList cells;
        for (int nRow = 0; nRow < pList->topLevelItemCount(); ++nRow) {
            cells << pList->topLevelItem(nRow)->text(nColumn);
        }
        return cells;
    }
    int RowOf(const char* pszName) const {
        return Column(m_dlg.m_listParts, 0).indexOf(QString::fromUtf8(pszName));
    }

    CFilePromptAnswers m_files;
};

TEST_F(LcFilterDlgTest, TheTrapExampleShowsItsPartsFiguresAndReport) {
    RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(FocusId(), kLcImpedanceEdit);
        EXPECT_TRUE(m_dlg.Design().m_bComputed) << "opens with its preset designed";
        FillTrapExample();
        EXPECT_EQ(Column(m_dlg.m_listParts, 0),
                  (QStringList{"C1", "L2", "C2", "C3", "L4", "C4", "C5", "L6", "C7"}));
        EXPECT_EQ(Column(m_dlg.m_listParts, 3),
                  (QStringList{"390 pF", "1.156 μH", "100 pF", "820 pF", "1.6 μH", "33 pF",
                               "820 pF", "1.444 μH", "470 pF"}));
        EXPECT_EQ(Column(m_dlg.m_listParts, 4),
                  (QStringList{"", "17", "", "", "20", "", "", "19", ""}));
        EXPECT_EQ(Row(m_dlg.m_listParts, 0).value(2), "414.09 pF");
        const struct {
            int nRow;
            const char* pszIdeal;
            const char* pszBuilt;
        } figures[] = {{0, "1.321", "1.263"},       {1, "0.059dB", "0.346dB"},
                       {2, "7.945MHz", "8.016MHz"}, {3, "∞", "80.9dB"},
                       {4, "∞", "108.4dB"},         {5, "", "-100.6dBc（0.87nW）"}};
        for (const auto& f : figures) {
            SCOPED_TRACE(f.nRow);
            if (f.nRow < kLcRowHarmonic1) {
                EXPECT_EQ(Shown(kLcIdealFigureStatic + f.nRow), QString::fromUtf8(f.pszIdeal));
            }
            EXPECT_EQ(Shown(kLcBuiltFigureStatic + f.nRow), QString::fromUtf8(f.pszBuilt));
        }
        CLcFilterInputs inputs;
        inputs.m_dCutoff = 7.5;
        inputs.m_dBandLow = 7.0;
        inputs.m_dBandHigh = 7.2;
        inputs.m_nTraps = 2;
        inputs.m_strCore = "T-50-6";
        inputs.m_dQ = 150.0;
        inputs.m_dPower = 10.0;
        EXPECT_EQ(m_dlg.m_strReport, LcFilterReport(inputs, DesignLcFilter(inputs), kTime));
        // The chart: the built response, the ideal one to compare, the band.
        EXPECT_GT(m_dlg.m_pChart->LeftCurve()->count(), 700);
        ASSERT_NE(m_dlg.m_pChart->LeftReference(), nullptr);
        EXPECT_EQ(m_dlg.m_pChart->LeftReference()->count(), m_dlg.m_pChart->LeftCurve()->count());
        EXPECT_DOUBLE_EQ(m_dlg.m_pChart->AxisX()->max(), 4 * 7.2);
        Click(kIdOk);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

// A combination the design rules out: its reason under the inputs, no
// figures, no parts, nothing for the log; a valid one brings all back.
TEST_F(LcFilterDlgTest, ARefusedCombinationSaysWhyAndLeavesNoReport) {
    RunModal(m_dlg, [&](QDialog&) {
        const struct {
            int nResponse;
            int nOrder;
            int nType;
            int nTraps;
        } refused[] = {{1, 4, 0, 0}, {2, 6, 0, 0}, {1, 3, 0, 2}};
        for (const auto& r : refused) {
            SCOPED_TRACE(testing::Message() << r.nResponse << "/" << r.nOrder << "/" << r.nType);
            m_dlg.m_nResponse = r.nResponse;
            m_dlg.m_nOrderIndex = r.nOrder - 2;
            m_dlg.m_nType = r.nType;
            m_dlg.m_nTraps = r.nTraps;
            m_dlg.UpdateData(false);
            m_dlg.Compute();
            EXPECT_FALSE(m_dlg.Design().m_bComputed);
            EXPECT_EQ(m_dlg.m_staticNotice->text(),
                      QString::fromStdString(m_dlg.Design().m_strMessage));
            EXPECT_FALSE(m_dlg.m_staticNotice->text().isEmpty());
            EXPECT_EQ(Shown(kLcBuiltFigureStatic), "");
            EXPECT_EQ(m_dlg.m_listParts->topLevelItemCount(), 0);
            EXPECT_EQ(m_dlg.m_strReport, kLcFilterNoReport);
            EXPECT_FALSE(m_dlg.GetDlgItem(kLcNetlistButton)->isEnabled());
        }
        // Traps left chosen in a greyed list do not refuse a high-pass.
        m_dlg.m_nResponse = 1;
        m_dlg.m_nOrderIndex = 5;
        m_dlg.m_nType = 1;
        m_dlg.m_nTraps = 2;
        m_dlg.m_dCutoff = 3.0;
        m_dlg.UpdateData(false);
        m_dlg.Compute();
        EXPECT_FALSE(m_dlg.GetDlgItem(kLcTrapsCombo)->isEnabled());
        EXPECT_TRUE(m_dlg.Design().m_bComputed) << m_dlg.Design().m_strMessage;
        EXPECT_TRUE(m_dlg.Design().m_trapFrequencies.empty());
        EXPECT_NE(m_dlg.m_strReport, kLcFilterNoReport);
        Click(kIdCancel);
    });
    EXPECT_TRUE(m_messages.isEmpty()) << "a combination is told in the dialog, not a box";
}

// A chosen value typed into the list is built from then on (with its unit
// or without); a text that is no value is refused once and changes nothing.
TEST_F(LcFilterDlgTest, AChosenValueTypedInTheListIsBuilt) {
    RunModal(m_dlg, [&](QDialog&) {
        FillTrapExample();
        const double dBefore = m_dlg.Design().m_builtFigures.m_dBandMaxSwr;
        const struct {
            const char* pszName;
            const char* pszText;
            bool bTaken;
            const char* pszShown;
        } edits[] = {{"C1", "400", true, "400 pF"},
                     {"C3", "1000 pF", true, "1000 pF"},
                     {"L4", "1.5µH", true, "1.5 μH"},
                     {"C5", "abc", false, "820 pF"},
                     {"C7", "0", false, "470 pF"}};
        for (const auto& e : edits) {
            SCOPED_TRACE(e.pszName);
            const std::size_t nMessages = m_messages.size();
            EXPECT_EQ(m_dlg.EditChosenValue(RowOf(e.pszName), QString::fromUtf8(e.pszText)),
                      e.bTaken);
            EXPECT_EQ(m_messages.size(), nMessages + (e.bTaken ? 0 : 1));
            EXPECT_EQ(Row(m_dlg.m_listParts, RowOf(e.pszName)).value(3),
                      QString::fromUtf8(e.pszShown));
        }
        EXPECT_NE(m_dlg.Design().m_builtFigures.m_dBandMaxSwr, dBefore);
        // Edits stay through a recompute of the same ladder, not another one.
        m_dlg.m_dQ = 200.0;
        m_dlg.UpdateData(false);
        m_dlg.Compute();
        EXPECT_EQ(Row(m_dlg.m_listParts, RowOf("C1")).value(3), "400 pF");
        m_dlg.m_nTraps = 1;
        m_dlg.UpdateData(false);
        m_dlg.Compute();
        EXPECT_NE(Row(m_dlg.m_listParts, RowOf("C1")).value(3), "400 pF");
        EXPECT_TRUE(m_dlg.m_overrides.empty());
        Click(kIdCancel);
    });
}

// Chebyshev on stock capacitors: the searched pairs are listed best first,
// the first is built, another picked in the list is built instead.
TEST_F(LcFilterDlgTest, StockPairsAreListedAndAnotherCanBePicked) {
    RunModal(m_dlg, [&](QDialog&) {
        m_dlg.m_nResponse = 2;
        m_dlg.UpdateData(false);
        m_dlg.Compute();
        ASSERT_GE(m_dlg.m_listCandidates->topLevelItemCount(), 2);
        EXPECT_EQ(Row(m_dlg.m_listCandidates, 0), (QStringList{"150", "470", "8.416", "1.005"}));
        EXPECT_EQ(Row(m_dlg.m_listCandidates, 1).mid(0, 3), (QStringList{"330", "680", "8.583"}));
        EXPECT_EQ(Row(m_dlg.m_listParts, 0).value(3), "150 pF");
        EXPECT_FALSE(m_dlg.GetDlgItem(kLcInductorFirstRadio)->isEnabled());
        EXPECT_TRUE(m_dlg.GetDlgItem(kLcSwrEdit)->isEnabled());
        m_dlg.m_listCandidates->setCurrentItem(m_dlg.m_listCandidates->topLevelItem(1));
        EXPECT_EQ(Row(m_dlg.m_listParts, 0).value(3), "330 pF");
        // Tabbing through the fields keeps the pick; another cutoff does not.
        m_dlg.Compute();
        EXPECT_EQ(Row(m_dlg.m_listParts, 0).value(3), "330 pF");
        m_dlg.m_dCutoff = 7.0;
        m_dlg.UpdateData(false);
        m_dlg.Compute();
        EXPECT_EQ(m_dlg.Design().m_nCandidate, 0);
        Click(kIdCancel);
    });
}

TEST_F(LcFilterDlgTest, WindingOpensWithTheCoreAndTurnsOfTheSelectedCoil) {
    RunModal(m_dlg, [&](QDialog&) {
        FillTrapExample();
        m_dlg.m_listParts->setCurrentItem(m_dlg.m_listParts->topLevelItem(RowOf("C1")));
        EXPECT_FALSE(m_dlg.GetDlgItem(kLcWindingButton)->isEnabled());
        m_dlg.m_listParts->setCurrentItem(m_dlg.m_listParts->topLevelItem(RowOf("L4")));
        EXPECT_TRUE(m_dlg.GetDlgItem(kLcWindingButton)->isEnabled());
        WhenShownAs<CToroidWindingDlg>([&](CToroidWindingDlg& winding) {
            EXPECT_EQ(winding.m_comboCore->currentText(), "T-50-6");
            EXPECT_EQ(winding.m_dTurns, 20.0);
            winding.m_dWireDiameter = 0.5;
            winding.UpdateData(false);
            winding.Compute();
            Click(winding, kIdOk);
        });
        Click(kLcWindingButton);
        const std::string strOwn = m_dlg.m_strReport;
        Click(kIdOk);
        EXPECT_GT(m_dlg.m_strReport.size(), strOwn.size());
        EXPECT_EQ(m_dlg.m_strReport.rfind(strOwn, 0), 0u) << "the winding follows the filter";
    });
}

TEST_F(LcFilterDlgTest, NetlistAndCsvAreSavedWhole) {
    QTemporaryDir dir;
    RunModal(m_dlg, [&](QDialog&) {
        FillTrapExample();
        const struct {
            int nButton;
            const char* pszFile;
            const char* pszStart;
            int nMinBytes;
        } saves[] = {{kLcNetlistButton, "f.cir", "*", 300}, {kLcCsvButton, "f.csv", "f", 20000}};
        for (const auto& s : saves) {
            m_files.m_strNextFile = dir.filePath(QString::fromUtf8(s.pszFile));
            Click(s.nButton);
            QFile file(m_files.m_strNextFile);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << s.pszFile;
            const QByteArray bytes = file.readAll();
            EXPECT_GT(bytes.size(), s.nMinBytes);
            EXPECT_TRUE(bytes.startsWith(s.pszStart)) << bytes.left(40).toStdString();
        }
        ASSERT_EQ(m_files.m_prompts.size(), 2u);
        EXPECT_EQ(m_files.m_prompts[0].strProposed, "lc_filter.cir");
        Click(kIdCancel);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

// The schematic names every part where it stands: one label per part, the
// traps bridged over their coils, and the drawing renders.
TEST(LcSchematic, EveryLadderIsDrawnWithItsPartsNamed) {
    for (const int nTraps : {0, 1, 3}) {
        for (const ELcFilterType eType : {ELcFilterType::LowPass, ELcFilterType::HighPass}) {
            CLcFilterInputs inputs;
            inputs.m_eType = eType;
            inputs.m_nTraps = eType == ELcFilterType::LowPass ? nTraps : 0;
            inputs.m_dCutoff = eType == ELcFilterType::LowPass ? 7.5 : 3.0;
            inputs.m_dBandLow = 3.5;
            inputs.m_dBandHigh = 7.2;
            const CLcFilterDesign design = DesignLcFilter(inputs);
            ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
            const std::string strSvg = LcSchematicSvg(design.m_parts);
            QSvgRenderer renderer(QByteArray::fromStdString(strSvg));
            EXPECT_TRUE(renderer.isValid());
            for (const CLcPart& part : design.m_parts) {
                EXPECT_NE(strSvg.find(">" + part.m_strName + "</text>"), std::string::npos)
                    << part.m_strName;
            }
            std::size_t nLabels = 0;
            for (std::size_t at = strSvg.find("</text>"); at != std::string::npos;
                 at = strSvg.find("</text>", at + 1)) {
                ++nLabels;
            }
            EXPECT_EQ(nLabels, design.m_parts.size());
        }
    }
    EXPECT_EQ(LcSchematicSvg({}), "");
}

} // namespace
