#include "calc/attenuator_designer/AttenuatorDesignerDlg.h"

#include "dialogs/SchematicPicture.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/AttenuatorDesignerTemplate.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTreeWidget>

#include <vector>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

class AttenuatorDesignerDlgTest : public CDialogTestOf<CAttenuatorDesignerDlg> {
protected:
    AttenuatorDesignerDlgTest() : CDialogTestOf(kTime) {}

    // The list's cells, row by row.
    std::vector<QStringList> Rows() const {
        std::vector<QStringList> rows;
        for (int nRow = 0; nRow < m_dlg.m_listResistors->topLevelItemCount(); ++nRow) {
            const QTreeWidgetItem* pItem = m_dlg.m_listResistors->topLevelItem(nRow);
            QStringList cells;
            for (int nColumn = 0; nColumn < pItem->columnCount(); ++nColumn) {
                cells << pItem->text(nColumn);
            }
            rows.push_back(cells);
        }
        return rows;
    }
    QString Column(int nColumn) const {
        QStringList cells;
        for (const QStringList& row : Rows()) {
            cells << row.value(nColumn);
        }
        return cells.join('|');
    }
    QString Schematic() const { return m_dlg.m_pictureSchematic->Resource(); }
};

TEST_F(AttenuatorDesignerDlgTest, OpensWithTheDefaultsAndTheirResults) {
    RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(m_dlg.m_editImpedance->text(), "50");
        EXPECT_EQ(m_dlg.m_editAttenuation->text(), "10");
        EXPECT_EQ(m_dlg.m_editPower->text(), "0");
        EXPECT_EQ(m_dlg.m_comboSeries->currentText(), "E24");
        EXPECT_EQ(m_dlg.m_comboSeries->count(), 6);
        EXPECT_TRUE(m_dlg.Item<QRadioButton>(kAttPiRadio)->isChecked());
        EXPECT_EQ(FocusId(), kAttImpedanceEdit);
        EXPECT_EQ(Schematic(), ":/schematics/attenuator_pi.svg");
        ASSERT_EQ(Rows().size(), 3u);
        EXPECT_EQ(Rows()[0], (QStringList{"R2 入力側", "96.25Ω", "100Ω", "+3.9", ""}));
        EXPECT_EQ(Rows()[1], (QStringList{"R1", "71.15Ω", "75Ω", "+5.4", ""}));
        EXPECT_EQ(Rows()[2], (QStringList{"R2 出力側", "96.25Ω", "100Ω", "+3.9", ""}));
        EXPECT_EQ(Shown(kAttAttenuationStatic), "10.07");
        EXPECT_EQ(Shown(kAttReturnLossStatic), "34.2");
        EXPECT_EQ(Shown(kAttVswrStatic), "1.040");
        EXPECT_EQ(Shown(kAttLoadPowerStatic), "");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AttenuatorDesignerDlgTest, EnterCyclesTheEditsRecomputingAndNeverCloses) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(FocusId(), kAttAttenuationEdit);
        EXPECT_EQ(m_dlg.m_editAttenuation->selectedText(), "10");
        KeyToFocus(Qt::Key_Enter);
        EXPECT_EQ(FocusId(), kAttPowerEdit);
        EXPECT_EQ(m_dlg.m_editPower->selectedText(), "0");
        TypeToFocus("5");
        EXPECT_EQ(Column(4), "||") << "typing alone must not recompute";
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kAttImpedanceEdit);
        EXPECT_EQ(m_dlg.m_editImpedance->selectedText(), "50");
        EXPECT_EQ(Column(4), "2.60|1.66|0.246");
        EXPECT_EQ(Shown(kAttLoadPowerStatic), "0.492");
        EXPECT_EQ(m_dlg.m_strReport, kAttenuatorWorkedReport);
        // From a control outside the cycle Enter goes to the impedance.
        Click(kAttComputeButton);
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kAttImpedanceEdit);
        Click(kIdOk);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kAttenuatorWorkedReport);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AttenuatorDesignerDlgTest, RadioButtonsSwitchTheSchematicAndTheRows) {
    struct Case {
        int nRadio;
        const char* pszSchematic;
        const char* pszNames;
    };
    const Case cases[] = {
        {kAttTRadio, ":/schematics/attenuator_t.svg", "R1 入力側|R2|R1 出力側"},
        {kAttBridgedTRadio, ":/schematics/attenuator_bridged_t.svg", "R3 入力側|R1|R2|R3 出力側"},
        {kAttPiRadio, ":/schematics/attenuator_pi.svg", "R2 入力側|R1|R2 出力側"},
    };
    RunModal(m_dlg, [&](QDialog&) {
        for (const Case& c : cases) {
            Click(c.nRadio);
            EXPECT_EQ(Schematic(), c.pszSchematic);
            EXPECT_EQ(Column(0), c.pszNames);
            EXPECT_TRUE(m_dlg.m_pictureSchematic->IsLoaded());
        }
        Click(kAttBridgedTRadio);
        EXPECT_NE(m_dlg.m_strReport.find("形式  橋絡T型\r\n"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

// A keyboard user moves through the group with the arrow keys; each move
// picks the topology and recomputes, as a click does.
TEST_F(AttenuatorDesignerDlgTest, ArrowKeysInTheTopologyGroupRecompute) {
    const struct {
        Qt::Key eKey;
        int nChecked;
        const char* pszSchematic;
    } steps[] = {
        {Qt::Key_Right, kAttTRadio, ":/schematics/attenuator_t.svg"},
        {Qt::Key_Down, kAttBridgedTRadio, ":/schematics/attenuator_bridged_t.svg"},
        {Qt::Key_Left, kAttTRadio, ":/schematics/attenuator_t.svg"},
    };
    RunModal(m_dlg, [&](QDialog& dialog) {
        m_dlg.MoveFocus(kAttPiRadio);
        for (const auto& step : steps) {
            KeyToFocus(step.eKey);
            EXPECT_EQ(FocusId(), step.nChecked);
            EXPECT_TRUE(m_dlg.Item<QRadioButton>(step.nChecked)->isChecked());
            EXPECT_EQ(Schematic(), step.pszSchematic);
        }
        EXPECT_EQ(Column(0), "R1 入力側|R2|R1 出力側");
        // Enter from the group goes back to the impedance, the dialog open.
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kAttImpedanceEdit);
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AttenuatorDesignerDlgTest, PickingAnotherSeriesRecomputes) {
    RunModal(m_dlg, [&](QDialog&) {
        m_dlg.MoveFocus(kAttSeriesCombo);
        KeyToFocus(Qt::Key_Up); // the user's pick: E24 -> E12
        EXPECT_EQ(m_dlg.m_comboSeries->currentText(), "E12");
        EXPECT_EQ(Column(2), "100Ω|68Ω|100Ω");
        EXPECT_EQ(Shown(kAttAttenuationStatic), "9.63");
        EXPECT_NE(m_dlg.m_strReport.find("抵抗の系列  E12\r\n"), std::string::npos);
        KeyToFocus(Qt::Key_Escape);
    });
}

TEST_F(AttenuatorDesignerDlgTest, OutOfRangeAndNonNumbersGiveOneMessageAndKeepTheDialog) {
    struct Case {
        int nEdit;
        const char* pszTyped;
        const char* pszMessage;
    };
    const Case cases[] = {
        {kAttImpedanceEdit, "10001", "0 から 10000 までの数値を入力してください。"},
        {kAttAttenuationEdit, "100.5", "0 から 100 までの数値を入力してください。"},
        {kAttPowerEdit, "-1", "0 から 10000 までの数値を入力してください。"},
        {kAttPowerEdit, "10001", "0 から 10000 までの数値を入力してください。"},
        {kAttImpedanceEdit, "abc", "数値を入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszTyped);
        CAttenuatorDesignerDlg dlg;
        m_messages.clear();
        const int nResult = RunModal(dlg, [&](QDialog& dialog) {
            dlg.MoveFocus(c.nEdit);
            TypeToFocus(c.pszTyped);
            ClickItem(dialog, kIdOk); // the focus loss reads first
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(m_messages, QStringList{c.pszMessage});
            EXPECT_EQ(dlg.IdOf(QApplication::focusWidget()), c.nEdit);
            KeyToFocus(Qt::Key_Escape);
        });
        EXPECT_EQ(nResult, kIdCancel);
    }
}

TEST_F(AttenuatorDesignerDlgTest, ZeroImpedanceOrAttenuationBlanksEverything) {
    RunModal(m_dlg, [&](QDialog&) {
        KeyToFocus(Qt::Key_Tab);
        TypeToFocus("0");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_TRUE(Rows().empty());
        EXPECT_EQ(Shown(kAttAttenuationStatic), "");
        EXPECT_EQ(Shown(kAttReturnLossStatic), "");
        EXPECT_EQ(Shown(kAttVswrStatic), "");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(AttenuatorDesignerDlgTest, CancelEscapeAndCloseBoxEndWithoutReading) {
    for (int nWay = 0; nWay < 3; ++nWay) {
        CAttenuatorDesignerDlg dlg;
        const int nResult = RunModal(dlg, [&](QDialog& dialog) {
            TypeToFocus("abc"); // would fail any reading
            if (nWay == 0) {
                ClickItem(dialog, kIdCancel);
            } else if (nWay == 1) {
                KeyToFocus(Qt::Key_Escape);
            } else {
                dialog.close();
            }
        });
        EXPECT_EQ(nResult, kIdCancel) << nWay;
    }
    EXPECT_TRUE(m_messages.isEmpty());
}

} // namespace
