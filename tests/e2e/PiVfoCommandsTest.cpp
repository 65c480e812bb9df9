#include "app/ShellTestSupport.h"

#include "app/VantixDoc.h"
#include "dialogs/CalcDialog.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "text/ShiftJis.h"

#include <QAction>

// From the menu to the file: a calculator command opens its dialog, OK puts
// the report after the last byte of the log, and saving writes it as
// Shift-JIS with CR LF.

namespace {

constexpr int kPiCommand = 32775;
constexpr int kVfoCommand = 32782;
const CLocalTime kTime{2026, 12, 8, 18, 30};

const char* const kLogBefore = "前の計算\r\n";

struct CommandCase {
    const char* pszName;
    int nCommand;
    std::vector<const char*> values; // typed into the edits in the Enter cycle
    const char* pszReport;
};

void PrintTo(const CommandCase& c, std::ostream* pOut) {
    *pOut << c.pszName;
}

class CalculatorCommands : public CShellSessionTest,
                           public ::testing::WithParamInterface<CommandCase> {
protected:
    CalculatorCommands() : CShellSessionTest(kTime) {}

    void SetUp() override {
        CShellSessionTest::SetUp();
        ShowFrame();
        WriteBytes(Path("log.txt"), "\x91\x4f\x82\xcc\x8c\x76\x8e\x5a\r\n"); // 前の計算
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("log.txt")));
    }
};

TEST_P(CalculatorCommands, OkAppendsTheReportAndSaveWritesItInShiftJis) {
    const CommandCase& c = GetParam();
    WhenModalShown([&](QDialog& dialog) {
        EnterValues(c.values);
        TypeToFocus(QString::fromUtf8(c.values.front()));
        ClickItem(dialog, kIdOk);
    });
    Trigger(c.nCommand);
    CVantixDoc* pDoc = m_pFrame->GetDocument();
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(pDoc->SavedText(), std::string(kLogBefore) + c.pszReport);

    ASSERT_TRUE(m_pFrame->DoSave(Path("log.txt")));
    std::string strExpected;
    CEncodeError error;
    ASSERT_TRUE(EncodeShiftJis(std::string(kLogBefore) + c.pszReport, strExpected, error));
    EXPECT_EQ(ReadBytes(Path("log.txt")), strExpected);
    EXPECT_TRUE(m_messages.empty());
}

TEST_P(CalculatorCommands, CancelAndFailedOkLeaveTheLogAlone) {
    const CommandCase& c = GetParam();
    WhenModalShown([&](QDialog& dialog) {
        TypeToFocus("99999"); // beyond every field's range
        ClickItem(dialog, kIdOk);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_messages.size(), 1u);
        KeyToFocus(Qt::Key_Escape);
    });
    Trigger(c.nCommand);
    EXPECT_FALSE(m_pFrame->GetDocument()->IsModified());
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), kLogBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CalculatorCommands,
    ::testing::Values(CommandCase{"PiAttenuator",
                                  kPiCommand,
                                  {"50", "10"},
                                  "　　　　　***** π型アッテネータの計算 *****\r\n"
                                  "　　　　　2026-12-8  18:30\r\n"
                                  "　　　　　インピーダンス  50.0Ω\r\n"
                                  "　　　　　減衰量  10.0db\r\n"
                                  "　　　　　R1= 71.15Ω（１本）\r\n"
                                  "　　　　　R2= 96.24Ω（２本）\r\n"
                                  "\r\n"},
                      CommandCase{
                          "VfoTank", kVfoCommand, {"3.5", "7", "10", "100"}, kVfoWorkedReport}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.pszName; });

} // namespace
