#include "calc/pi_attenuator/PiAttenuatorDlg.h"

#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"
#include "support/WorkedReports.h"
#include "templates/PiAttenuatorTemplate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <clocale>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

class PiAttenuatorDlgTest : public CDialogTestOf<CPiAttenuatorDlg> {
protected:
    PiAttenuatorDlgTest() : CDialogTestOf(kTime) {}
};

TEST_F(PiAttenuatorDlgTest, OpensWithZerosAndEmptyResults) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        EXPECT_EQ(Text(dialog, kPiImpedanceEdit), "0");
        EXPECT_EQ(Text(dialog, kPiAttenuationEdit), "0");
        EXPECT_EQ(Text(dialog, kPiR1Static), "");
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);
        EXPECT_EQ(m_dlg.m_nFocus, 0);
        // Leaving the impedance with 0 refuses: blanks, report stays bare.
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(Text(dialog, kPiR1Static), " ");
        EXPECT_EQ(Text(dialog, kPiR2Static), " ");
        EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(PiAttenuatorDlgTest, EnterCyclesWithTextSelectedAndNeverCloses) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("50");
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(dialog), kPiAttenuationEdit);
        EXPECT_EQ(m_dlg.m_editAttenuation->selectedText(), "0");
        TypeToFocus("10");
        EXPECT_EQ(Text(dialog, kPiR1Static), " ") << "typing alone must not recompute";
        KeyToFocus(Qt::Key_Enter);
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);
        EXPECT_EQ(m_dlg.m_editImpedance->selectedText(), "50");
        EXPECT_EQ(Text(dialog, kPiR1Static), "71.15");
        EXPECT_EQ(Text(dialog, kPiR2Static), "96.24");
        EXPECT_EQ(m_dlg.m_strReport, kPiWorkedReport);
        // Enter with the focus on a button goes to the impedance.
        Item(dialog, 2)->setFocus();
        KeyToFocus(Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);
        Click(dialog, 2);
    });
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(PiAttenuatorDlgTest, OkClickedRightAfterTypingReportsTheTypedValues) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("50");
        KeyToFocus(Qt::Key_Tab);
        TypeToFocus("10");
        Click(dialog, 1);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, kPiWorkedReport);
}

TEST_F(PiAttenuatorDlgTest, ComputeButtonComputesOnlyThroughTheFocusChange) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("50");
        KeyToFocus(Qt::Key_Tab);
        TypeToFocus("10");
        Click(dialog, kPiComputeButton);
        EXPECT_EQ(Text(dialog, kPiR1Static), "71.15");
        m_dlg.m_editAttenuation->setText("20");
        Click(dialog, kPiComputeButton); // focus already on the button
        EXPECT_EQ(Text(dialog, kPiR1Static), "71.15");
        Click(dialog, 2);
    });
}

TEST_F(PiAttenuatorDlgTest, OutOfRangeOkShowsOneMessageAndStaysOpen) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("20000");
        Click(dialog, 1);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0], "0 から 10000 までの数値を入力してください。");
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);
        EXPECT_EQ(m_dlg.m_editImpedance->selectedText(), "20000");
        // OK with the focus already on it: the framework's check, one message.
        Item(dialog, 1)->setFocus();
        m_messages.clear();
        QTest::keyClick(Item(dialog, 1), Qt::Key_Space);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_messages.size(), 1);
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(PiAttenuatorDlgTest, NonNumberGivesOneMessageWhateverMovesTheFocus) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("abc");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(m_messages, QStringList{"数値を入力してください。"});
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);
        EXPECT_EQ(m_dlg.m_nFocus, 0);

        m_messages.clear();
        m_dlg.m_editImpedance->setText("xyz");
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(m_messages.size(), 1);
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);

        m_messages.clear();
        m_dlg.m_editImpedance->setText("xyz");
        Click(dialog, kPiAttenuationEdit);
        EXPECT_EQ(m_messages.size(), 1);
        EXPECT_EQ(FocusId(dialog), kPiImpedanceEdit);
        Click(dialog, 2);
    });
}

TEST_F(PiAttenuatorDlgTest, CancelEscapeAndCloseBoxEndWithoutReading) {
    for (int nWay = 0; nWay < 3; ++nWay) {
        CPiAttenuatorDlg dlg;
        const int nResult = RunModal(dlg, [&](QDialog& dialog) {
            TypeToFocus("abc"); // would fail any reading
            if (nWay == 0) {
                Click(dialog, 2);
            } else if (nWay == 1) {
                KeyToFocus(Qt::Key_Escape);
            } else {
                dialog.close();
            }
        });
        EXPECT_EQ(nResult, kIdCancel) << nWay;
        EXPECT_EQ(dlg.m_strReport, "\r\n\r\n") << nWay;
    }
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(PiAttenuatorDlgTest, OkBeforeAnyComputationHandsTheBareReport) {
    EXPECT_EQ(RunModal(m_dlg, [&](QDialog& dialog) { Click(dialog, 1); }), kIdOk);
    EXPECT_EQ(m_dlg.m_strReport, "\r\n\r\n");
}

TEST_F(PiAttenuatorDlgTest, OutOfRangeValueIsStoredAndComputedWith) {
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("50");
        KeyToFocus(Qt::Key_Tab);
        TypeToFocus("-10");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(m_messages, QStringList{"0 から 200 までの数値を入力してください。"});
        EXPECT_EQ(m_dlg.m_dAttenuation, -10.0);
        EXPECT_EQ(Text(dialog, kPiR1Static), "-----");
        Click(dialog, 2);
    });
}

TEST_F(PiAttenuatorDlgTest, GermanDesktopStillReadsAndWritesPoints) {
    const std::string strPrevious = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 locale is not installed";
    }
    RunModal(m_dlg, [&](QDialog& dialog) {
        TypeToFocus("50");
        KeyToFocus(Qt::Key_Return);
        TypeToFocus("0,5");
        KeyToFocus(Qt::Key_Return);
        EXPECT_EQ(m_messages, QStringList{"数値を入力してください。"});
        m_dlg.m_editAttenuation->setText("0.5");
        KeyToFocus(Qt::Key_Tab);
        EXPECT_EQ(Text(dialog, kPiR2Static), "1,737.65");
        EXPECT_NE(m_dlg.m_strReport.find("減衰量  0.5db\r\n"), std::string::npos);
        Click(dialog, 2);
    });
    std::setlocale(LC_NUMERIC, strPrevious.c_str());
}

} // namespace
