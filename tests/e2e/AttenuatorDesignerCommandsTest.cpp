#include "app/ShellTestSupport.h"

#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "calc/attenuator_designer/AttenuatorDesignerDlg.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "text/ShiftJis.h"

#include <QLineEdit>
#include <QRadioButton>

#include <vector>

// The designer from its menu command: what the pi attenuator hands over to
// it, and its report in the log and in the saved file.

namespace {

constexpr int kPiCommand = 32775;
constexpr int kDesignerCommand = 32790;
constexpr int kPiRadio = 1054;
const CLocalTime kTime{2026, 12, 8, 9, 5};

struct CShown {
    QString strImpedance;
    QString strAttenuation;
    bool bPi = false;
};

class AttenuatorDesignerCommands : public CShellSessionTest {
protected:
    AttenuatorDesignerCommands() : CShellSessionTest(kTime) {}

    void SetUp() override {
        CShellSessionTest::SetUp();
        ShowFrame();
    }

    void RunPi(std::vector<const char*> values, int nEndId) {
        WhenModalShown([values, nEndId](QDialog& dialog) {
            EnterValues(values);
            ClickItem(dialog, nEndId);
        });
        Trigger(kPiCommand);
    }

    // Opens the designer, records what it shows, and ends it with Cancel.
    CShown OpenDesigner() {
        CShown shown;
        WhenModalShown([&shown](QDialog& dialog) {
            auto& dlg = static_cast<CAttenuatorDesignerDlg&>(dialog);
            shown.strImpedance = dlg.m_editImpedance->text();
            shown.strAttenuation = dlg.m_editAttenuation->text();
            shown.bPi = dlg.Item<QRadioButton>(kPiRadio)->isChecked();
            ClickItem(dialog, kIdCancel);
        });
        Trigger(kDesignerCommand);
        return shown;
    }
};

TEST_F(AttenuatorDesignerCommands, PiOkHandsOverUsableValuesOnly) {
    struct Step {
        const char* pszWhat;
        std::vector<const char*> piValues; // none: the designer alone
        int nPiEnd;
        const char* pszImpedance; // what the designer opens with next
        const char* pszAttenuation;
    };
    const Step steps[] = {
        {"before any pi", {}, 0, "50", "10"},
        {"pi OK", {"75", "6"}, kIdOk, "75", "6"},
        {"pi Cancel keeps it", {"600", "20"}, kIdCancel, "75", "6"},
        {"pi OK refused at 0", {"0", "3"}, kIdOk, "75", "6"},
        {"pi OK beyond 100 dB", {"50", "150"}, kIdOk, "75", "6"},
        {"pi OK again", {"600", "20.5"}, kIdOk, "600", "20.5"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszWhat);
        if (!step.piValues.empty()) {
            RunPi(step.piValues, step.nPiEnd);
        }
        const CShown shown = OpenDesigner();
        EXPECT_EQ(shown.strImpedance, step.pszImpedance);
        EXPECT_EQ(shown.strAttenuation, step.pszAttenuation);
        EXPECT_TRUE(shown.bPi);
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(AttenuatorDesignerCommands, OkAppendsTheReportCancelNothingAndSaveWritesCp932) {
    WriteBytes(Path("log.txt"), "\x91\x4f\x82\xcc\x8c\x76\x8e\x5a\r\n"); // 前の計算
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("log.txt")));
    const std::string strBefore = "前の計算\r\n";

    WhenModalShown([](QDialog& dialog) {
        TypeToFocus("75");
        ClickItem(dialog, kIdCancel);
    });
    Trigger(kDesignerCommand);
    EXPECT_FALSE(m_pFrame->GetDocument()->IsModified());
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), strBefore);

    // The defaults, and 5 W typed into the third field of the Enter cycle.
    WhenModalShown([](QDialog& dialog) {
        EnterValues({"50", "10", "5"});
        ClickItem(dialog, kIdOk);
    });
    Trigger(kDesignerCommand);
    EXPECT_TRUE(m_pFrame->GetDocument()->IsModified());
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), strBefore + kAttenuatorWorkedReport);

    ASSERT_TRUE(m_pFrame->DoSave(Path("log.txt")));
    std::string strExpected;
    CEncodeError error;
    ASSERT_TRUE(EncodeShiftJis(strBefore + kAttenuatorWorkedReport, strExpected, error));
    EXPECT_EQ(ReadBytes(Path("log.txt")), strExpected);
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
