#include "calc/toroid_wizard/ToroidWizardDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/ToroidWizardTemplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>

namespace {

class ToroidWizardDlgTest : public CDialogTestOf<CToroidWizardDlg> {
protected:
    QWidget* Item(int nId) const { return m_dlg.GetDlgItem(nId); }

    // Picks a list item the way the keyboard does, one step at a time.
    void Choose(QComboBox* pCombo, const QString& strText) const {
        const int nTarget = pCombo->findText(strText);
        ASSERT_GE(nTarget, 0) << strText.toStdString();
        pCombo->setFocus();
        while (pCombo->currentIndex() != nTarget) {
            QTest::keyClick(pCombo, pCombo->currentIndex() < nTarget ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    // Types a target into the field and runs the search with Enter.
    void SearchFor(const QString& strTarget) const {
        auto* pEdit = m_dlg.Item<QLineEdit>(kWizardTargetEdit);
        pEdit->setFocus();
        pEdit->selectAll();
        QTest::keyClicks(pEdit, strTarget);
        KeyToFocus(Qt::Key_Return);
    }

    QStringList ResultItems() const {
        QStringList items;
        for (int i = 0; i < m_dlg.m_comboResult->count(); ++i) {
            items.push_back(m_dlg.m_comboResult->itemText(i));
        }
        return items;
    }
};

TEST_F(ToroidWizardDlgTest, OpensWithoutFiltersOrResults) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        EXPECT_EQ(m_dlg.Item<QLineEdit>(kWizardTargetEdit)->text(), "0");
        EXPECT_EQ(FocusId(), kWizardTargetEdit);
        EXPECT_FALSE(m_dlg.Item<QCheckBox>(kWizardMaterialCheck)->isChecked());
        EXPECT_FALSE(m_dlg.Item<QCheckBox>(kWizardSizeCheck)->isChecked());
        EXPECT_FALSE(m_dlg.m_comboMaterial->isEnabled());
        EXPECT_FALSE(m_dlg.m_comboSize->isEnabled());
        ASSERT_EQ(m_dlg.m_comboSize->count(), 23);
        EXPECT_EQ(m_dlg.m_comboSize->currentText(), "T-200");
        EXPECT_EQ(m_dlg.m_comboSize->itemText(22), "FB-101");
        QStringList materials;
        for (int i = 0; i < m_dlg.m_comboMaterial->count(); ++i) {
            materials.push_back(m_dlg.m_comboMaterial->itemText(i));
        }
        EXPECT_EQ(materials.join(' '), "#0 #1 #2 #3 #6 #10 #12 #15 #41 #43 #61 #63 #72 #75");
        EXPECT_EQ(m_dlg.m_comboMaterial->currentIndex(), 0);
        EXPECT_EQ(m_dlg.m_comboResult->count(), 0);
        EXPECT_TRUE(m_dlg.Item<QRadioButton>(kWizardListAllRadio)->isChecked());
        EXPECT_EQ(m_dlg.m_strList, "");
        EXPECT_EQ(m_dlg.m_strSelectedName, "");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(ToroidWizardDlgTest, EnterSearchesTheWholeCatalogueAndStaysOpen) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        SearchFor("10");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(), kWizardTargetEdit) << "Enter leaves the focus where it is";
        const QStringList items = ResultItems();
        ASSERT_EQ(items.size(), 148);
        EXPECT_EQ(items.front(), "　　　　　T-200-41  >11.5T");
        EXPECT_EQ(items.back(), "　　　　　FB-101-43  >4.1T");
        EXPECT_EQ(m_dlg.m_comboResult->currentIndex(), 0);
        EXPECT_EQ(m_dlg.m_strSelectedName, "T-200-41");
        EXPECT_NEAR(m_dlg.m_dSelectedTurns, 11.5087, 1e-4);
        EXPECT_EQ(m_dlg.m_strList.rfind("　　　　　目標インダクタンス  >10.00 μH\r\n"
                                        "　　　　　T-200-41  >11.5T\r\n",
                                        0),
                  0u);
        // Enter on a check box or a button searches too, and closes nothing.
        Item(kWizardNothingRadio)->setFocus();
        KeyToFocus(Qt::Key_Return);
        Item(1)->setFocus();
        KeyToFocus(Qt::Key_Enter);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_dlg.m_comboResult->count(), 148);
        Click(2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ToroidWizardDlgTest, FilterBoxesEnableTheirListsAndSearchAtOnce) {
    RunModal(m_dlg, [&](QDialog&) {
        SearchFor("10");
        Click(kWizardMaterialCheck);
        EXPECT_TRUE(m_dlg.m_comboMaterial->isEnabled());
        EXPECT_EQ(m_dlg.m_comboResult->count(), 13) << "#0 is selected";
        Choose(m_dlg.m_comboMaterial, "#43");
        EXPECT_EQ(ResultItems().join('|'), "　　　　　FT-114-43  >4.1T|　　　　　FT-82-43  >4.2T|"
                                           "　　　　　FT-50-43  >4.4T|　　　　　FT-37-43  >4.9T|"
                                           "　　　　　FT-23-43  >7.3T|　　　　　FB-801-43  >2.5T|"
                                           "　　　　　FB-101-43  >4.1T");

        Click(kWizardSizeCheck);
        EXPECT_TRUE(m_dlg.m_comboSize->isEnabled());
        EXPECT_EQ(m_dlg.m_comboResult->count(), 0) << "no T-200 core of mix 43";
        EXPECT_EQ(m_dlg.m_strSelectedName, "");
        Choose(m_dlg.m_comboSize, "T-80");
        Choose(m_dlg.m_comboMaterial, "#41");
        EXPECT_EQ(ResultItems(), QStringList{"　　　　　T-80-41  >14.9T"});
        EXPECT_EQ(m_dlg.m_strSelectedName, "T-80-41");

        Click(kWizardMaterialCheck);
        EXPECT_FALSE(m_dlg.m_comboMaterial->isEnabled());
        EXPECT_EQ(m_dlg.m_comboResult->count(), 9);
        Click(2);
    });
}

TEST_F(ToroidWizardDlgTest, ZeroTargetEmptiesTheResults) {
    RunModal(m_dlg, [&](QDialog&) {
        SearchFor("10");
        ASSERT_EQ(m_dlg.m_comboResult->count(), 148);
        SearchFor("0");
        EXPECT_EQ(m_dlg.m_comboResult->count(), 0);
        EXPECT_EQ(m_dlg.m_strList, "　　　　　目標インダクタンス  >\r\n");
        EXPECT_EQ(m_dlg.m_strSelectedName, "");
        Click(2);
    });
}

TEST_F(ToroidWizardDlgTest, PickingALineChangesThePickButNotTheList) {
    RunModal(m_dlg, [&](QDialog&) {
        SearchFor("10");
        const std::string strList = m_dlg.m_strList;
        m_dlg.m_comboResult->setFocus();
        QTest::keyClick(m_dlg.m_comboResult, Qt::Key_Down);
        EXPECT_EQ(m_dlg.m_strSelectedName, "T-200-6");
        EXPECT_DOUBLE_EQ(m_dlg.m_dSelectedTurns, std::sqrt(10000.0 / 10.5));
        EXPECT_EQ(m_dlg.m_strList, strList);
        Click(2);
    });
}

TEST_F(ToroidWizardDlgTest, LargestTargetOnTheSmallestCore) {
    RunModal(m_dlg, [&](QDialog&) {
        Click(kWizardSizeCheck);
        Choose(m_dlg.m_comboSize, "T-12");
        Click(kWizardMaterialCheck);
        Choose(m_dlg.m_comboMaterial, "#0");
        SearchFor("1e8");
        EXPECT_EQ(ResultItems(), QStringList{"　　　　　T-12-0  >577350.3T"});
        EXPECT_NEAR(m_dlg.m_dSelectedTurns, 577350.27, 0.01);
        Click(2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ToroidWizardDlgTest, OutOfRangeTargetWarnsOnceAndSearchesWithIt) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        SearchFor("200000000");
        EXPECT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_dlg.m_comboResult->count(), 148);
        // OK refuses the value and keeps the wizard open.
        m_messages.clear();
        Click(1);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_messages.size(), 1);
        Click(2);
    });
}

TEST_F(ToroidWizardDlgTest, OkHandsOverTheChosenEndOption) {
    const int nResult = RunModal(m_dlg, [&](QDialog&) {
        SearchFor("10");
        Click(kWizardTakeCoreRadio);
        Click(1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_nEndOption, 1);
    EXPECT_EQ(m_dlg.m_strSelectedName, "T-200-41");
}

} // namespace
