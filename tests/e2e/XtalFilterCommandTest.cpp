#include "app/ShellTestSupport.h"

#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "calc/xtal_filter/XtalFilterDlg.h"
#include "dialogs/FilePrompt.h"
#include "support/ModalDriver.h"
#include "templates/XtalFilterTemplate.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>

// The workbench from the "設計" menu: it starts from what the ladder filter
// was last closed with (OK), or from the worked design, and OK puts exactly
// the report vantix-calc writes for the same inputs after the log.

namespace {

constexpr int kLadderCommand = 32771;
const CLocalTime kTime{2026, 12, 8, 18, 30};

struct COpened {
    QString strFrequency;
    QString strLm;
    QString strC0;
    QString strBandwidth;
};

class XtalFilterCommand : public CShellSessionTest {
protected:
    XtalFilterCommand() : CShellSessionTest(kTime) {}

    void SetUp() override {
        CShellSessionTest::SetUp();
        ShowFrame();
    }

    void RunLadder(std::vector<const char*> values, int nEndId) {
        RunCommand(kLadderCommand, std::move(values), nEndId);
    }

    // The workbench's item of the "設計" menu, as a user finds it.
    QAction* WorkbenchItem() {
        for (QAction* pPopup : m_pFrame->menuBar()->actions()) {
            if (pPopup->text() != QStringLiteral("設計(&D)") || pPopup->menu() == nullptr) {
                continue;
            }
            for (QAction* pItem : pPopup->menu()->actions()) {
                if (pItem->text() == QStringLiteral("水晶フィルターの設計")) {
                    return pItem;
                }
            }
        }
        return nullptr;
    }

    // Opens the workbench from the menu, records what it shows and ends it
    // with the given button.
    COpened OpenWorkbench(int nEndId) {
        COpened opened;
        QAction* pItem = WorkbenchItem();
        EXPECT_NE(pItem, nullptr);
        if (pItem == nullptr) {
            return opened;
        }
        EXPECT_TRUE(pItem->isEnabled());
        WhenShownAs<CXtalFilterDlg>([&opened, nEndId](CXtalFilterDlg& dlg) {
            opened = {dlg.m_editFrequency->text(), dlg.m_editLm->text(), dlg.m_editC0->text(),
                      dlg.m_editBandwidth->text()};
            ClickItem(dlg, nEndId);
        });
        pItem->trigger();
        return opened;
    }

    CVantixView& View() { return *m_pFrame->GetView(); }
};

// What vantix-calc writes (UTF-8) for the workbench's inputs.
std::string CoreReport(const QStringList& arguments) {
    QProcess calc;
    calc.start(QStringLiteral(VANTIX_CALC_BINARY), QStringList{"xtal-filter"}
                                                       << arguments << "--time"
                                                       << "2026-12-08 18:30");
    EXPECT_TRUE(calc.waitForFinished(10000));
    EXPECT_EQ(calc.exitCode(), 0) << calc.readAllStandardError().toStdString();
    return calc.readAllStandardOutput().toStdString();
}

TEST_F(XtalFilterCommand, LadderOkHandsItsCrystalAndBandwidthOverAndOkAppendsTheReport) {
    RunLadder({"7", "4", "2"}, kIdOk);
    const std::string strLadder = m_pFrame->GetDocument()->SavedText();
    const COpened opened = OpenWorkbench(kIdOk);
    EXPECT_EQ(opened.strFrequency, "7");
    EXPECT_EQ(opened.strC0, "4");
    EXPECT_EQ(opened.strBandwidth, "2");
    EXPECT_EQ(opened.strLm, "15") << "the rest is the worked design";
    const std::string strReport =
        CoreReport({"--frequency", "7", "--lm", "15", "--c0", "4", "--bandwidth", "2", "--crystals",
                    "6", "--response", "chebyshev", "--ripple", "0.1"});
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), strLadder + strReport);
    EXPECT_NE(strReport.find("\r\n"), std::string::npos);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(XtalFilterCommand, WithoutAnOkOfTheLadderItOpensWithTheWorkedDesign) {
    struct LadderEnd {
        const char* pszName;
        std::vector<const char*> values;
        int nEndId;
    };
    const LadderEnd ends[] = {
        {"never run", {}, 0},
        {"cancelled after an OK", {"7", "4", "2"}, kIdCancel},
        {"OK with nothing typed", {}, kIdOk},
    };
    for (const LadderEnd& end : ends) {
        if (end.nEndId == kIdCancel) {
            RunLadder(end.values, kIdOk);
        }
        if (end.nEndId != 0) {
            RunLadder(end.values, end.nEndId);
        }
        const std::string strBefore = m_pFrame->GetDocument()->SavedText();
        const COpened opened = OpenWorkbench(kIdCancel);
        EXPECT_EQ(opened.strFrequency, "10") << end.pszName;
        EXPECT_EQ(opened.strC0, "3.5") << end.pszName;
        EXPECT_EQ(opened.strBandwidth, "2.4") << end.pszName;
        EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), strBefore) << "Cancel appends nothing";
    }
}

TEST_F(XtalFilterCommand, ExportedFilesAreTheOnesVantixCalcWrites) {
    const QStringList files{Path("gui.cir"), Path("gui.csv")};
    int nPrompt = 0;
    const FilePromptHandler previous =
        SetFilePromptHandler([&](const CFilePrompt&) { return files.value(nPrompt++); });
    QAction* pItem = WorkbenchItem();
    ASSERT_NE(pItem, nullptr);
    WhenShownAs<CXtalFilterDlg>([](CXtalFilterDlg& dlg) {
        TypeInto(dlg, kXtalQEdit, "100000");
        ClickItem(dlg, kXtalNetlistButton);
        ClickItem(dlg, kXtalCsvButton);
        ClickItem(dlg, kIdCancel);
    });
    pItem->trigger();
    SetFilePromptHandler(previous);
    EXPECT_EQ(nPrompt, 2);
    CoreReport({"--frequency", "10", "--lm", "15", "--c0", "3.5", "--bandwidth", "2.4",
                "--crystals", "6", "--q", "100000", "--spice", Path("cli.cir"), "--csv",
                Path("cli.csv")});
    EXPECT_FALSE(ReadBytes(Path("gui.cir")).empty());
    // Compared whole, shown only by name: the files run to tens of kilobytes.
    EXPECT_TRUE(ReadBytes(Path("gui.cir")) == ReadBytes(Path("cli.cir"))) << "netlists differ";
    EXPECT_TRUE(ReadBytes(Path("gui.csv")) == ReadBytes(Path("cli.csv"))) << "CSV files differ";
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
