#include "calc/xtal_filter/XtalSortDlg.h"

#include "dialogs/FilePrompt.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "templates/XtalSortTemplate.h"
#include "text/TempFolder.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

class XtalSortDlgTest : public CDialogTestOf<CXtalSortDlg> {
protected:
    XtalSortDlgTest() : CDialogTestOf(kTime) {}

    // The chosen crystals, each as "number|frequency".
    QStringList SetRows() const {
        QStringList rows;
        for (int n = 0; n < m_dlg.m_listSet->topLevelItemCount(); ++n) {
            rows << m_dlg.m_listSet->topLevelItem(n)->text(0) + "|" +
                        m_dlg.m_listSet->topLevelItem(n)->text(1);
        }
        return rows;
    }
};

TEST_F(XtalSortDlgTest, EnterInTheListStartsALineAndElsewherePicksTheSet) {
    m_dlg.m_nCountIndex = 1; // three crystals
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(QApplication::focusWidget(), m_dlg.m_editList);
        EnterValues({"10.000300", "10.000100", "10.000180", "10.000120"});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_dlg.m_editList->toPlainText(), "10.000300\n10.000100\n10.000180\n10.000120\n");
        EXPECT_EQ(SetRows(), QStringList{}) << "typing alone computes nothing";
        KeyToFocus(Qt::Key_Tab); // leaving the list picks the set
        EXPECT_EQ(SetRows(),
                  (QStringList{"2行目|10.000100MHz", "4行目|10.000120MHz", "3行目|10.000180MHz"}));
        // Four crystals from the combo: Enter there computes.
        m_dlg.m_comboCount->setFocus();
        m_dlg.m_comboCount->setCurrentIndex(2);
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(SetRows().size(), 4);
        EXPECT_TRUE(dialog.isVisible());
        ClickItem(dialog, kIdOk);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strList, "10.000300\n10.000100\n10.000180\n10.000120\n");
    EXPECT_EQ(m_dlg.m_nCountIndex, 2);
    EXPECT_TRUE(m_dlg.m_result.m_bComputed);
    EXPECT_TRUE(m_messages.isEmpty());
}

// The window losing the activation (to another program, or to a window
// manager whose focus follows the pointer) is no focus change for the list.
TEST_F(XtalSortDlgTest, ListComputesWhenTheFocusLeavesItNotWhenTheWindowDoes) {
    m_dlg.m_nCountIndex = 0; // two crystals
    RunModal(m_dlg, [&](QDialog& dialog) {
        EnterValues({"10.000300", "10.000100", "10.000120"});
        for (const Qt::FocusReason eReason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent focusOut(QEvent::FocusOut, eReason);
            QApplication::sendEvent(m_dlg.m_editList, &focusOut);
            EXPECT_EQ(SetRows().join(' ').toStdString(), "") << eReason;
        }
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(SetRows(), (QStringList{"2行目|10.000100MHz", "3行目|10.000120MHz"}));
        ClickItem(dialog, kIdCancel);
    });
}

TEST_F(XtalSortDlgTest, UnreadableListAndTooFewCrystalsAreNoticesNotMessages) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        m_dlg.m_editList->setPlainText("10.0001\nabc\n10.0002\n");
        m_dlg.Compute();
        EXPECT_NE(Shown(kSortNoticeStatic).indexOf("2"), -1) << "names the line";
        EXPECT_EQ(SetRows(), QStringList{});
        EXPECT_EQ(Shown(kSortSpreadStatic), "");
        m_dlg.m_editList->setPlainText("10.0001\n");
        m_dlg.Compute();
        EXPECT_NE(Shown(kSortNoticeStatic), "");
        EXPECT_FALSE(m_dlg.m_result.m_bComputed);
        // A stray value: the set is picked, and the notice names the stray.
        m_dlg.m_editList->setPlainText("10.0001\n10.00012\n123\n");
        m_dlg.Compute();
        EXPECT_TRUE(m_dlg.m_result.m_bComputed);
        EXPECT_NE(Shown(kSortNoticeStatic).indexOf("3行目 123.000000MHz"), -1)
            << Shown(kSortNoticeStatic).toStdString();
        EXPECT_TRUE(m_messages.isEmpty());
        ClickItem(dialog, kIdCancel);
    });
}

struct ListFileCase {
    const char* pszName;
    std::string bytes;
    bool bRead;
    QStringList rows = {"1行目|10.000100MHz", "2行目|10.000120MHz"};
};

TEST_F(XtalSortDlgTest, ListFilesAreReadAsUtf8OrShiftJisWithinALimit) {
    const ListFileCase cases[] = {
        {"utf8-bom.txt",
         "\xEF\xBB\xBF"
         "10.0001\n10.00012\n",
         true},
        // A spreadsheet's CSV with a Shift-JIS header "番号,周波数".
        {"sjis.csv",
         "\x94\xd4\x8d\x86,\x8e\xfc\x94\x67\x90\x94\r\n1,10.0001\r\n2,10.00012\r\n",
         true,
         {"2行目 1|10.000100MHz", "3行目 2|10.000120MHz"}},
        {"binary.dat", std::string("\x81\x00\xff", 3), false},
        {"huge.txt", std::string(CXtalSortDlg::kMaxListFileBytes + 1, '\n'), false},
    };
    CTempFolder folder;
    RunModal(m_dlg, [&](QDialog& dialog) {
        for (const ListFileCase& c : cases) {
            m_dlg.m_editList->setPlainText("10.5\n");
            m_messages.clear();
            WriteBytes(folder.File(c.pszName), c.bytes);
            m_dlg.ReadListFile(QString::fromStdString(folder.File(c.pszName)));
            if (c.bRead) {
                EXPECT_TRUE(m_messages.isEmpty()) << c.pszName;
                EXPECT_TRUE(m_dlg.m_result.m_bComputed) << c.pszName;
                EXPECT_EQ(SetRows(), c.rows) << c.pszName;
            } else {
                EXPECT_EQ(m_messages.size(), 1) << c.pszName;
                EXPECT_NE(m_messages.value(0).indexOf(c.pszName), -1) << "names the file";
                EXPECT_EQ(m_dlg.m_editList->toPlainText(), "10.5\n") << c.pszName;
            }
        }
        m_messages.clear();
        m_dlg.ReadListFile(QString::fromStdString(folder.File("missing.txt")));
        EXPECT_EQ(m_messages.size(), 1);
        // A named pipe with no writer is refused at once instead of holding
        // the window.
        m_messages.clear();
        ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0600), 0);
        m_dlg.ReadListFile(QString::fromStdString(folder.File("pipe")));
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_NE(m_messages.value(0).indexOf("名前付きパイプ"), -1);
        ClickItem(dialog, kIdCancel);
    });
}

TEST_F(XtalSortDlgTest, FileButtonAsksForAListToOpen) {
    CTempFolder folder;
    WriteBytes(folder.File("batch.txt"), "10.0001\n10.00012\n");
    std::vector<CFilePrompt> prompts;
    const FilePromptHandler previous = SetFilePromptHandler([&](const CFilePrompt& prompt) {
        prompts.push_back(prompt);
        return QString::fromStdString(folder.File("batch.txt"));
    });
    RunModal(m_dlg, [&](QDialog& dialog) {
        ClickItem(dialog, kSortFileButton);
        ClickItem(dialog, kIdOk);
    });
    SetFilePromptHandler(previous);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_FALSE(prompts[0].bSave);
    EXPECT_EQ(m_dlg.m_strList, "10.0001\n10.00012\n");
    EXPECT_TRUE(m_dlg.m_result.m_bComputed);
}

} // namespace
