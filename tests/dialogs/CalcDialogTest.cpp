#include "dialogs/CalcDialog.h"

#include "dialogs/DataExchange.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/MessageSink.h"
#include "dialogs/SchematicPicture.h"
#include "dialogs/UpDownControl.h"
#include "support/DialogTestSupport.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

constexpr int kEditA = 1000; // 0..100
constexpr int kEditB = 1001; // 0..10, buddy of the up-down
constexpr int kStaticS = 1002;
constexpr int kCheck = 1003;
constexpr int kRadio0 = 1004;
constexpr int kRadio1 = 1005;
constexpr int kRadio2 = 1006;
constexpr int kList = 1007;
constexpr int kComboEdit = 1008;
constexpr int kUpDown = 1009;
constexpr int kCompute = 1010;
constexpr int kListView = 1011;

const CDialogTemplate& TestTemplate() {
    using K = EControlKind;
    static const CDialogTemplate dialog{
        900,
        "テスト",
        "ＭＳ Ｐゴシック",
        9,
        200,
        160,
        {
            {kEditA, K::Edit, "", 60, 10, 40, 10},
            {kEditB, K::Edit, "", 60, 25, 40, 10},
            {kUpDown, K::UpDown, "", 100, 25, 9, 10, kAlignRight},
            {kCheck, K::CheckBox, "チェック", 10, 40, 60, 10},
            {kRadio0, K::RadioButton, "一", 10, 55, 30, 10, kGroup},
            {kRadio1, K::RadioButton, "二", 45, 55, 30, 10},
            {kRadio2, K::RadioButton, "三", 80, 55, 30, 10},
            {kList, K::DropDownList, "", 10, 70, 60, 60},
            {kComboEdit, K::DropDown, "", 80, 70, 60, 60},
            {kCompute, K::PushButton, "計算", 10, 90, 50, 14},
            {1, K::DefPushButton, "OK", 140, 140, 50, 14},
            {2, K::PushButton, "ｷｬﾝｾﾙ", 85, 140, 50, 14},
            {kListView, K::ListView, "", 10, 110, 70, 40},
            {kStaticS, K::Static, "", 120, 10, 70, 20, kSunken | kCentre},
            {kNoId, K::GroupBox, "枠", 5, 2, 110, 50},
            {kNoId, K::Picture, ":/schematics/pi_attenuator.svg", 120, 40, 65, 59, kSunken},
        }};
    return dialog;
}

class CTestDlg : public CCalcDialog {
public:
    CTestDlg() : CCalcDialog(TestTemplate()) {
        for (const int nId : {kEditA, kEditB, kList, kComboEdit}) {
            OnNotify(nId, ENotify::SetFocus,
                     [this, nId] { m_log.push_back("in" + std::to_string(nId)); });
            OnNotify(nId, ENotify::KillFocus, [this, nId] {
                m_log.push_back("out" + std::to_string(nId));
                UpdateData(true);
            });
        }
        OnNotify(kList, ENotify::SelChange, [this] { m_log.push_back("sel"); });
        OnNotify(kCheck, ENotify::Clicked, [this] { m_log.push_back("check"); });
        OnDeltaPos(kUpDown, [this](int nDelta) {
            UpdateData(true);
            m_dB = TurnsAfterStep(m_dB, nDelta);
            UpdateData(false);
            m_log.push_back("step" + std::to_string(nDelta));
        });
        Item<QComboBox>(kList)->addItems({"a", "b", "c"});
        Item<QComboBox>(kComboEdit)->addItems({"x", "y"});
    }

    bool OnInitDialog() override {
        const bool bResult = CCalcDialog::OnInitDialog();
        SetBuddy(kUpDown, kEditB);
        return bResult;
    }
    void OnEnterKey() override { m_log.push_back("enter"); }
    void DoDataExchange(CDataExchange& dx) override {
        dx.Control(kListView, m_pListView);
        dx.Text(kStaticS, m_strS, 80);
        dx.Number(kEditB, m_dB, 0.0, 10.0);
        dx.Number(kEditA, m_dA, 0.0, 100.0);
        dx.Check(kCheck, m_nCheck);
        dx.Radio(kRadio0, m_nRadio);
        dx.ComboIndex(kList, m_nList);
    }

    std::string m_strS;
    double m_dA = 0.0;
    double m_dB = 0.0;
    int m_nCheck = 0;
    int m_nRadio = 0;
    int m_nList = -1;
    std::vector<std::string> m_log;
    QTreeWidget* m_pListView = nullptr;
};

class CalcDialogTest : public CDialogTestOf<CTestDlg> {
protected:
    template <class T> T* Item(int nId) { return m_dlg.Item<T>(nId); }
};

TEST(DialogUnits, MapsEachEdgeWithRounding) {
    const QSize base(7, 13);
    EXPECT_EQ(MapDialogRect(QRect(85, 25, 40, 10), base), QRect(149, 41, 70, 16));
    EXPECT_EQ(MapDialogRect(QRect(0, 0, 234, 139), base).size(), QSize(410, 226));
    // Adjacent rectangles stay adjacent whatever the rounding.
    const QRect left = MapDialogRect(QRect(1, 1, 3, 3), base);
    const QRect right = MapDialogRect(QRect(4, 1, 3, 3), base);
    EXPECT_EQ(left.right() + 1, right.left());
}

// Under every desktop language (the font database names families in it).
TEST(DialogUnits, ProportionalGothicNinePointIsSevenByThirteen) {
    const QString strIpaP = JapaneseFamilyNamed("IPAPGothic");
    if (strIpaP.isEmpty()) {
        GTEST_SKIP() << "IPAPGothic is not installed";
    }
    const QFont font = DialogFont("ＭＳ Ｐゴシック", 9);
    EXPECT_EQ(font.family(), strIpaP);
    EXPECT_EQ(DialogBaseUnits(font), QSize(7, 13));
}

TEST_F(CalcDialogTest, ControlsStandWhereTheTemplatePutsThem) {
    for (const CControlTemplate& control : TestTemplate().controls) {
        if (control.nId == kNoId || control.eKind == EControlKind::DropDownList ||
            control.eKind == EControlKind::DropDown) {
            continue;
        }
        if (control.nId == kEditB || control.nId == kUpDown) {
            continue; // moved together by the buddy alignment
        }
        EXPECT_EQ(m_dlg.GetDlgItem(control.nId)->geometry(), m_dlg.PixelRect(control))
            << control.nId;
    }
    // Closed combos are one line high but keep their place and width.
    const QRect combo = Item<QComboBox>(kList)->geometry();
    EXPECT_EQ(combo.topLeft(), m_dlg.PixelRect(TestTemplate().controls[7]).topLeft());
    EXPECT_LT(combo.height(), m_dlg.PixelRect(TestTemplate().controls[7]).height());
    // Group boxes are behind everything else.
    const QObjectList children = m_dlg.children();
    const auto* pGroup = m_dlg.findChild<QGroupBox*>();
    const auto nGroup = children.indexOf(const_cast<QGroupBox*>(pGroup));
    EXPECT_LT(nGroup, children.indexOf(Item<QLineEdit>(kEditA)));
    EXPECT_TRUE(m_dlg.findChild<CSchematicPicture*>()->IsLoaded());
}

TEST_F(CalcDialogTest, TabFollowsTemplateOrder) {
    RunModal(m_dlg, [&](QDialog&) {
        std::vector<int> order;
        for (int n = 0; n < 10; ++n) {
            order.push_back(m_dlg.IdOf(QApplication::focusWidget()));
            KeyToFocus(Qt::Key_Tab);
        }
        const std::vector<int> expected{kEditA,     kEditB,   kCheck, kRadio0, kList,
                                        kComboEdit, kCompute, 1,      2,       kListView};
        EXPECT_EQ(order, expected);
        m_dlg.reject();
    });
}

TEST_F(CalcDialogTest, WritesNumbersWithFifteenDigitsAndStaticsWithLineBreaks) {
    m_dlg.show();
    m_dlg.m_dA = 0.1 + 0.2;
    m_dlg.m_dB = 1e-20;
    m_dlg.m_strS = "一行目\r\n二行目";
    m_dlg.UpdateData(false);
    EXPECT_EQ(Item<QLineEdit>(kEditA)->text(), "0.3");
    EXPECT_EQ(Item<QLineEdit>(kEditB)->text(), "1e-20");
    EXPECT_EQ(Item<QLabel>(kStaticS)->text(), "一行目\n二行目");
    EXPECT_EQ(m_dlg.m_pListView, Item<QTreeWidget>(kListView)) << "control member attached";
    m_dlg.m_pListView->setHeaderLabels({"帯域幅(kHz)", "Ｃ(PF)"});
    EXPECT_EQ(m_dlg.m_pListView->columnCount(), 2);
    m_dlg.m_strS.clear();
    ASSERT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ(m_dlg.m_strS, "一行目\r\n二行目") << "a static gives back exactly what it was given";
    m_dlg.hide();
}

TEST_F(CalcDialogTest, ReadingStopsAtTheFirstFailedFieldInExchangeOrder) {
    m_dlg.show();
    m_dlg.m_dA = 5.0;
    m_dlg.m_nCheck = 0;
    Item<QLineEdit>(kEditA)->setText("７５");
    Item<QCheckBox>(kCheck)->setChecked(true);
    Item<QLineEdit>(kEditB)->setText("11");
    EXPECT_FALSE(m_dlg.UpdateData(true));
    EXPECT_EQ(m_messages, QStringList{"0 から 10 までの数値を入力してください。"});
    EXPECT_EQ(m_dlg.m_dB, 11.0) << "the value outside the range is kept";
    EXPECT_EQ(m_dlg.m_dA, 5.0) << "fields after the failed one keep their values";
    EXPECT_EQ(m_dlg.m_nCheck, 0);

    Item<QLineEdit>(kEditB)->setText("2.5");
    EXPECT_TRUE(m_dlg.UpdateData(true));
    EXPECT_EQ(m_dlg.m_dA, 75.0) << "full-width digits read as ASCII";
    EXPECT_EQ(m_dlg.m_nCheck, 1);

    m_messages.clear();
    Item<QLineEdit>(kEditA)->setText("1,000");
    EXPECT_FALSE(m_dlg.UpdateData(true));
    EXPECT_EQ(m_messages, QStringList{"数値を入力してください。"});
    m_dlg.hide();
}

// A decimal too large for a double is still a number: out of range, not
// mistyped. The member keeps its value, since nothing could hold the text.
TEST_F(CalcDialogTest, DecimalsBeyondADoubleGetTheRangeMessage) {
    m_dlg.show();
    const std::string strHundredOnes(400, '1');
    const std::string strLongFraction = "0." + std::string(400, '0') + "1";
    struct Case {
        std::string strText;
        const char* pszMessage; // none: read as a number
        double dRead;
    };
    const char* const pszRange = "0 から 100 までの数値を入力してください。";
    for (const Case& c :
         {Case{"1e400", pszRange, 5.0}, Case{"-1e400", pszRange, 5.0},
          Case{strHundredOnes, pszRange, 5.0}, Case{"１ｅ４００", pszRange, 5.0},
          Case{"1e400x", "数値を入力してください。", 5.0}, Case{strLongFraction, nullptr, 0.0}}) {
        m_messages.clear();
        m_dlg.m_dA = 5.0;
        Item<QLineEdit>(kEditA)->setText(QString::fromStdString(c.strText));
        EXPECT_EQ(m_dlg.UpdateData(true), c.pszMessage == nullptr) << c.strText;
        EXPECT_EQ(m_messages, c.pszMessage ? QStringList{c.pszMessage} : QStringList{})
            << c.strText;
        EXPECT_EQ(m_dlg.m_dA, c.dRead) << c.strText;
    }
    m_dlg.hide();
}

TEST_F(CalcDialogTest, RadioGroupAndComboIndexBothWays) {
    m_dlg.show();
    for (const int nIndex : {2, 0, -1}) {
        m_dlg.m_nRadio = nIndex;
        m_dlg.m_nList = nIndex;
        m_dlg.UpdateData(false);
        m_dlg.m_nRadio = 99;
        m_dlg.m_nList = 99;
        ASSERT_TRUE(m_dlg.UpdateData(true));
        EXPECT_EQ(m_dlg.m_nRadio, nIndex);
        EXPECT_EQ(m_dlg.m_nList, nIndex);
    }
    QTest::mouseClick(Item<QRadioButton>(kRadio1), Qt::LeftButton);
    m_dlg.UpdateData(true);
    EXPECT_EQ(m_dlg.m_nRadio, 1);
    m_dlg.hide();
}

TEST_F(CalcDialogTest, EnterIsSwallowedEverywhereAndNeverCloses) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        for (const int nId : {kEditA, kCheck, kList, kCompute, 1, 2}) {
            m_dlg.GetDlgItem(nId)->setFocus();
            KeyToFocus(Qt::Key_Return);
            KeyToFocus(Qt::Key_Enter);
            EXPECT_TRUE(dialog.isVisible()) << nId;
        }
        EXPECT_EQ(std::count(m_dlg.m_log.begin(), m_dlg.m_log.end(), "enter"), 12);
        KeyToFocus(Qt::Key_Escape);
    });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(CalcDialogTest, ComboFocusAndSelectionNotifications) {
    RunModal(m_dlg, [&](QDialog&) {
        m_dlg.MoveFocus(kList);
        m_dlg.m_log.clear();
        auto* pList = Item<QComboBox>(kList);
        pList->setCurrentIndex(1); // the program's own change is no notification
        KeyToFocus(Qt::Key_Down);  // the user's is
        pList->showPopup();
        pList->hidePopup();
        KeyToFocus(Qt::Key_Tab);
        KeyToFocus(Qt::Key_Tab);
        const std::vector<std::string> expected{"sel", "out1007", "in1008", "out1008"};
        EXPECT_EQ(m_dlg.m_log, expected);
        m_dlg.reject();
    });
}

TEST_F(CalcDialogTest, UpDownStepsTheBuddyWithoutTakingTheFocus) {
    RunModal(m_dlg, [&](QDialog&) {
        auto* pUpDown = Item<CUpDownControl>(kUpDown);
        auto* pBuddy = Item<QLineEdit>(kEditB);
        EXPECT_EQ(pUpDown->geometry().right(), m_dlg.PixelRect(TestTemplate().controls[1]).right());
        EXPECT_EQ(pBuddy->geometry().right() + 1, pUpDown->geometry().left());
        m_dlg.MoveFocus(kEditB);
        pBuddy->setText("2.5");
        QTest::mouseClick(pUpDown->UpButton(), Qt::LeftButton);
        EXPECT_EQ(pBuddy->text(), "3.5");
        QTest::mouseClick(pUpDown->DownButton(), Qt::LeftButton);
        QTest::mouseClick(pUpDown->DownButton(), Qt::LeftButton);
        EXPECT_EQ(pBuddy->text(), "1.5");
        KeyToFocus(Qt::Key_Up);
        EXPECT_EQ(pBuddy->text(), "2.5");
        EXPECT_EQ(QApplication::focusWidget(), pBuddy);
        m_dlg.reject();
    });
}

TEST(TurnsAfterStep, UpAddsDownSubtractsNeverBelowZero) {
    struct Case {
        double dTurns;
        int nDelta;
        double dExpected;
    };
    for (const Case& c : {Case{10, -1, 11}, Case{10, 1, 9}, Case{2.5, -1, 3.5}, Case{2.5, 1, 1.5},
                          Case{0.5, 1, 0}, Case{0, 1, 0}, Case{0, -5, 1}}) {
        EXPECT_EQ(TurnsAfterStep(c.dTurns, c.nDelta), c.dExpected) << c.dTurns << " " << c.nDelta;
    }
}

TEST_F(CalcDialogTest, FailedFieldTakesTheFocusBackWithoutACascade) {
    RunModal(m_dlg, [&](QDialog&) {
        TypeToFocus("x");
        KeyToFocus(Qt::Key_Tab); // A fails; its focus return must not fail B, C...
        EXPECT_EQ(m_messages, QStringList{"数値を入力してください。"});
        EXPECT_EQ(m_dlg.IdOf(QApplication::focusWidget()), kEditA);
        EXPECT_EQ(Item<QLineEdit>(kEditA)->selectedText(), "x");
        const std::vector<std::string> expected{"in1000", "out1000", "in1000"};
        EXPECT_EQ(m_dlg.m_log, expected);
        // A click whose focus change failed a field does not also press OK.
        QTest::mouseClick(m_dlg.GetDlgItem(1), Qt::LeftButton);
        EXPECT_EQ(m_messages.size(), 2);
        EXPECT_TRUE(m_dlg.isVisible());
        // Cancel is not held up by the field.
        QTest::mouseClick(m_dlg.GetDlgItem(2), Qt::LeftButton);
    });
    EXPECT_EQ(m_messages.size(), 2);
}

TEST_F(CalcDialogTest, OkClosesOnlyWhenEveryFieldPasses) {
    const int nResult = RunModal(m_dlg, [&](QDialog& dialog) {
        Item<QLineEdit>(kEditB)->setText("99");
        QTest::mouseClick(m_dlg.GetDlgItem(1), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        Item<QLineEdit>(kEditB)->setText("9");
        QTest::keyClick(m_dlg.GetDlgItem(1), Qt::Key_Space);
    });
    EXPECT_EQ(nResult, kIdOk);
    EXPECT_EQ(m_dlg.m_dB, 9.0);
}

} // namespace
