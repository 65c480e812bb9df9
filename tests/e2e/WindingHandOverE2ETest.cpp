#include "app/ShellTestSupport.h"
#include "app/VantixDoc.h"
#include "calc/air_coil/AirCoil.h"
#include "calc/air_coil_winding/AirCoilWindingDlg.h"
#include "calc/toroid_coil/ToroidCoil.h"
#include "calc/toroid_coil/ToroidCoilDlg.h"
#include "calc/toroid_winding/ToroidWindingDlg.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "tables/ToroidCoreCatalog.h"
#include "templates/AirCoilWindingTemplate.h"
#include "templates/ToroidWindingTemplate.h"
#include "text/ShiftJis.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

constexpr int kToroidCoilCommand = 32773;
constexpr int kAirCoilCommand = 32774;
constexpr int kToroidWindingCommand = 32791;
constexpr int kAirCoilWindingCommand = 32792;

// The coil calculators hand their coil to the winding calculators of the
// "設計" menu through the view; each dialog is driven by keys and clicks.
class WindingHandOverE2ETest : public CShellSessionTest {
protected:
    WindingHandOverE2ETest() : CShellSessionTest(kTime) {}

    std::string Log() const { return m_pFrame->GetDocument()->SavedText(); }

    // Saving writes the log, reports and all, in code page 932.
    void ExpectSavedInCodePage932() {
        std::string strExpected;
        CEncodeError error;
        ASSERT_TRUE(EncodeShiftJis(Log(), strExpected, error));
        ASSERT_TRUE(m_pFrame->DoSave(Path("log.txt")));
        EXPECT_EQ(ReadBytes(Path("log.txt")), strExpected);
        EXPECT_TRUE(m_messages.empty());
    }

    // The toroidal coil calculator with this core and turns, ended by OK or Cancel.
    void RunToroidCoil(const char* pszCore, const char* pszTurns, int nEnd) {
        WhenModalShown([=](QDialog& dialog) {
            auto& coil = static_cast<CToroidCoilDlg&>(dialog);
            coil.m_comboCore->setCurrentIndex(coil.m_comboCore->findText(pszCore));
            KeyToFocus(Qt::Key_Return);
            TypeToFocus(pszTurns);
            ClickItem(dialog, nEnd);
        });
        Trigger(kToroidCoilCommand);
    }

    static std::string ToroidCoilReport(const char* pszCore, double dTurns) {
        CToroidCoreCatalog catalog;
        catalog.FindName(pszCore);
        return ComputeToroidCoil(catalog, dTurns, kTime).m_strReport;
    }
};

TEST_F(WindingHandOverE2ETest, ToroidalCoilHandsItsCoreAndTurnsToTheWinding) {
    // Before any coil: the first core and no turns.
    WhenModalShown([](QDialog& dialog) {
        auto& winding = static_cast<CToroidWindingDlg&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), "トロイダルコイルの巻線");
        EXPECT_EQ(winding.m_comboCore->currentText(), "T-200-41");
        EXPECT_EQ(winding.m_editTurns->text(), "0");
        KeyToFocus(Qt::Key_Escape);
    });
    Trigger(kToroidWindingCommand);

    RunToroidCoil("T-50-2", "20", kIdOk);
    RunToroidCoil("T-68-2", "7", kIdCancel); // a cancelled coil hands nothing over
    const std::string strCoil = ToroidCoilReport("T-50-2", 20.0);
    ASSERT_EQ(Log(), strCoil);

    WhenModalShown([](QDialog& dialog) {
        auto& winding = static_cast<CToroidWindingDlg&>(dialog);
        EXPECT_EQ(winding.m_comboCore->currentText(), "T-50-2");
        EXPECT_EQ(winding.m_editTurns->text(), "20");
        KeyToFocus(Qt::Key_Return); // core to turns
        KeyToFocus(Qt::Key_Return); // turns to wire
        EnterValues({"0.5", "25"});
        KeyToFocus(Qt::Key_Escape);
    });
    Trigger(kToroidWindingCommand);
    EXPECT_EQ(Log(), strCoil) << "Cancel appends nothing";

    WhenModalShown([](QDialog& dialog) {
        KeyToFocus(Qt::Key_Return);
        KeyToFocus(Qt::Key_Return);
        EnterValues({"0.5", "25"});
        ClickItem(dialog, 1);
    });
    Trigger(kToroidWindingCommand);
    EXPECT_EQ(Log(), strCoil + kToroidWindingWorkedReport);
    ExpectSavedInCodePage932();
}

TEST_F(WindingHandOverE2ETest, AirCoreCoilHandsItsCoilToTheWinding) {
    WhenModalShown([](QDialog& dialog) {
        auto& winding = static_cast<CAirCoilWindingDlg&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), "空芯コイルの巻線");
        for (QLineEdit* pEdit : {winding.m_editDiameter, winding.m_editLength,
                                 winding.m_editWireDiameter, winding.m_editTurns}) {
            EXPECT_EQ(pEdit->text(), "0");
        }
        KeyToFocus(Qt::Key_Escape);
    });
    Trigger(kAirCoilWindingCommand);

    WhenModalShown([](QDialog& dialog) {
        EnterValues({"10", "20", "1", "15"});
        ClickItem(dialog, 1);
    });
    Trigger(kAirCoilCommand);
    const std::string strCoil = ComputeAirCoil({10.0, 20.0, 1.0, 15.0}, kTime).strReport;
    ASSERT_EQ(Log(), strCoil);

    WhenModalShown([](QDialog& dialog) {
        auto& winding = static_cast<CAirCoilWindingDlg&>(dialog);
        EXPECT_EQ(winding.m_editDiameter->text(), "10");
        EXPECT_EQ(winding.m_editLength->text(), "20");
        EXPECT_EQ(winding.m_editWireDiameter->text(), "1");
        EXPECT_EQ(winding.m_editTurns->text(), "15");
        EXPECT_EQ(winding.Item<QLabel>(kAirCoilWindingResonanceStatic)->text(), "209.8 MHz");
        // Through the cycle to the lead, which the coil does not know.
        for (int i = 0; i < 4; ++i) {
            KeyToFocus(Qt::Key_Return);
        }
        EnterValues({"0"});
        ClickItem(dialog, 1);
    });
    Trigger(kAirCoilWindingCommand);
    EXPECT_EQ(Log(), strCoil + kAirCoilWindingWorkedReport);
    ExpectSavedInCodePage932();
}

} // namespace
