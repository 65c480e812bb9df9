#include "app/ShellTestSupport.h"

#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "dialogs/CalcDialog.h"
#include "support/ModalDriver.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>

#include <string>
#include <vector>

// One working session, as a user has it: all six calculators run from the
// "計算" menu into one log, each driven by keys and clicks, then the log is
// saved with Ctrl+S. The file must hold exactly the bytes that vantix-calc
// (the same core, without any widget) writes for the same inputs, in order.
// tests/scripts/all_calculators_xvfb.sh runs this under a real X server too.

namespace {

const CLocalTime kTime{2026, 12, 8, 10, 30};
const char* const kTimeOption = "2026-12-08 10:30";

// What vantix-calc writes in Shift-JIS for one calculator.
std::string CoreReport(const QStringList& arguments) {
    QProcess calc;
    calc.start(QStringLiteral(VANTIX_CALC_BINARY),
               QStringList(arguments) << QStringLiteral("--time") << QString::fromUtf8(kTimeOption)
                                      << QStringLiteral("--encoding") << QStringLiteral("cp932"));
    EXPECT_TRUE(calc.waitForFinished(10000));
    EXPECT_EQ(calc.exitCode(), 0) << calc.readAllStandardError().toStdString();
    return calc.readAllStandardOutput().toStdString();
}

class AllCalculatorsSession : public CShellSessionTest {
protected:
    AllCalculatorsSession() : CShellSessionTest(kTime) {}

    void SetUp() override {
        CShellSessionTest::SetUp();
        ShowFrame();
    }

    // The item of the calculator menu with this text.
    QAction* MenuItem(const QString& strText) {
        for (QAction* pPopup : m_pFrame->menuBar()->actions()) {
            if (pPopup->text() != QStringLiteral("計算(&K)") || pPopup->menu() == nullptr) {
                continue;
            }
            for (QAction* pItem : pPopup->menu()->actions()) {
                if (pItem->text() == strText) {
                    return pItem;
                }
            }
        }
        ADD_FAILURE() << "no menu item " << strText.toStdString();
        return nullptr;
    }

    void RunFromMenu(const QString& strItem, ModalActions fnActions) {
        QAction* pItem = MenuItem(strItem);
        ASSERT_NE(pItem, nullptr);
        ASSERT_TRUE(pItem->isEnabled()) << strItem.toStdString();
        WhenModalShown(std::move(fnActions));
        pItem->trigger();
    }
};

// Commits text the way a Japanese input method does: one committed string,
// no key presses.
void CommitIntoFocus(const QString& strText) {
    QInputMethodEvent event;
    event.setCommitString(strText);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

TEST_F(AllCalculatorsSession, SixCalculatorsIntoOneSavedLog) {
    // Ladder filter: typed with Enter between the fields.
    RunFromMenu(QStringLiteral("ラダー型フィルター"), [](QDialog& dialog) {
        TypeInto(dialog, 1000, "10");
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("3.5");
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("2.4");
        ClickItem(dialog, kIdOk);
    });
    // L-match: opens with the filter's frequency, 50 Ω and its impedance.
    RunFromMenu(QStringLiteral("Ｌマッチ"), [](QDialog& dialog) { ClickItem(dialog, kIdOk); });
    // Toroidal coil: the first core of the list, 20 turns.
    RunFromMenu(QStringLiteral("トロイダルコイル"), [](QDialog& dialog) {
        TypeInto(dialog, 1012, "20");
        ClickItem(dialog, kIdOk);
    });
    // Air-core coil: full-width digits as a Japanese input method types them.
    RunFromMenu(QStringLiteral("空芯コイル"), [](QDialog& dialog) {
        TypeInto(dialog, 1021, "");
        CommitIntoFocus(QStringLiteral("１０"));
        TypeInto(dialog, 1013, "20");
        TypeInto(dialog, 1016, "1");
        TypeInto(dialog, 1014, "20");
        ClickItem(dialog, kIdOk);
    });
    RunFromMenu(QStringLiteral("π型アッテネータ"), [](QDialog& dialog) {
        TypeInto(dialog, 1022, "50");
        TypeInto(dialog, 1023, "10");
        ClickItem(dialog, kIdOk);
    });
    RunFromMenu(QStringLiteral("ＶＦＯのタンク回路"), [](QDialog& dialog) {
        TypeInto(dialog, 1029, "3.5");
        TypeInto(dialog, 1013, "7");
        TypeInto(dialog, 1014, "10");
        TypeInto(dialog, 1015, "100");
        ClickItem(dialog, kIdOk);
    });
    EXPECT_TRUE(m_pFrame->GetDocument()->IsModified());
    EXPECT_TRUE(m_messages.empty());

    m_strNextFileName = Path("session.txt");
    m_pFrame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_pFrame.get()));
    m_pFrame->GetView()->setFocus();
    QTest::keyClick(m_pFrame->GetView(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(m_pFrame->GetDocument()->IsModified());

    const std::vector<QStringList> cores = {
        {"ladder", "--frequency", "10", "--holder-capacitance", "3.5", "--bandwidth", "2.4"},
        {"lmatch", "--frequency", "10", "--zin", "50", "--zout", "293.37"},
        {"toroid", "--core", "T-200-41", "--turns", "20"},
        {"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "20"},
        {"pi", "--impedance", "50", "--attenuation", "10"},
        {"vfo", "--fmin", "3.5", "--fmax", "7", "--cmin", "10", "--cmax", "100"},
    };
    std::string strExpected;
    for (const QStringList& arguments : cores) {
        strExpected += CoreReport(arguments);
    }
    const std::string strSaved = ReadBytes(Path("session.txt"));
    EXPECT_EQ(strSaved, strExpected);
    // Spot checks that the comparison is about the values typed above.
    EXPECT_NE(strSaved.find("Z=293.37"), std::string::npos);
    EXPECT_NE(strSaved.find("R1= 71.15"), std::string::npos);
    EXPECT_NE(strSaved.find("30.20 \x83\xCA"
                            "H"),
              std::string::npos);
    EXPECT_NE(strSaved.find("1.918 \x83\xCA"
                            "H"),
              std::string::npos);
}

} // namespace
