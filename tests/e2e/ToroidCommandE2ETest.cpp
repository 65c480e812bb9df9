#include "app/ShellTestSupport.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/ToroidCoilTemplate.h"

#include <QAction>

namespace {

// The menu command 32773 opens the toroidal coil calculator; OK appends its
// report, and the wizard's list option appends the framed list instead.
class ToroidCommandE2ETest : public CShellSessionTest {
protected:
    ToroidCommandE2ETest() : CShellSessionTest(CLocalTime{2026, 12, 8, 10, 30}) {}
};

TEST_F(ToroidCommandE2ETest, MenuCommandAppendsTheReportOnOk) {
    WhenModalShown([](QDialog& dialog) {
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("20");
        ClickItem(dialog, 1);
    });
    Trigger(32773);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), kToroidWorkedReport);

    // The wizard's list option closes the calculator, and the list lands in the log.
    WhenModalShown([](QDialog& dialog) {
        WhenModalShown([](QDialog& wizard) {
            TypeToFocus("10");
            KeyToFocus(Qt::Key_Return);
            ClickItem(wizard, 1);
        });
        ClickItem(dialog, kToroidWizardButton);
    });
    Trigger(32773);
    const std::string strLog = m_pFrame->GetDocument()->SavedText();
    EXPECT_NE(strLog.find("\r\n\r\n"
                          "　　　　　***** トロイダルコイルの計算 *****\r\n"
                          "　　　　　2026-12-8  10:30\r\n"
                          "　　　　　目標インダクタンス  >10.00 μH\r\n"),
              std::string::npos)
        << strLog;
    EXPECT_NE(strLog.find("　　　　　T-200-41  >11.5T\r\n"), std::string::npos) << strLog;
    EXPECT_EQ(strLog.substr(strLog.size() - 4), "\r\n\r\n");
}

} // namespace
