#include "ShellTestSupport.h"

#include "app/AboutDlg.h"
#include "app/HelpWindow.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <map>
#include <utility>

namespace {

// Every test of this binary, not only the shell's, keeps its settings in a
// temporary folder: no test may read or change the user's recent files.
class CIsolatedSettings : public ::testing::Environment {
public:
    void SetUp() override {
        m_pDir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_pDir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_pDir->path());
    }
    void TearDown() override { m_pDir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
};

const ::testing::Environment* const g_pIsolatedSettings =
    ::testing::AddGlobalTestEnvironment(new CIsolatedSettings);

int CommandOf(const QAction* pAction) {
    bool bOk = false;
    const int nId = pAction->objectName().toInt(&bOk);
    return bOk ? nId : -1;
}

// ---- the resource tables, typed in independently of res/ ------------------

// "-" is a separator.
const std::vector<std::pair<QString, std::vector<std::pair<QString, int>>>> kExpectedMenu = {
    {"ﾌｧｲﾙ(&F)",
     {{"新規作成(&N)\tCtrl+N", 57600},
      {"開く(&O)...\tCtrl+O", 57601},
      {"上書き保存(&S)\tCtrl+S", 57603},
      {"名前を付けて保存(&A)...", 57604},
      {"-", 0},
      {"印刷(&P)...\tCtrl+P", 57607},
      {"印刷ﾌﾟﾚﾋﾞｭｰ(&V)", 57609},
      {"ﾌﾟﾘﾝﾀの設定(&R)...", 57606},
      {"-", 0},
      {"最近使ったﾌｧｲﾙ", 57616},
      {"-", 0},
      {"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", 57665}}},
    {"編集(&E)",
     {{"元に戻す(&U)\tCtrl+Z", 57643},
      {"-", 0},
      {"切り取り(&T)\tCtrl+X", 57635},
      {"ｺﾋﾟｰ(&C)\tCtrl+C", 57634},
      {"貼り付け(&P)\tCtrl+V", 57637},
      {"-", 0},
      {"検索(&F)...\tCtrl+F", 57636},
      {"次を検索(&N)\tF3", 32802},
      {"前を検索\tShift+F3", 32801},
      {"すべて選択(&A)\tCtrl+A", 57642},
      {"やり直し(&R)\tCtrl+Y", 57644}}},
    {"計算(&K)",
     {{"ラダー型フィルター", 32771},
      {"Ｌマッチ", 32772},
      {"トロイダルコイル", 32773},
      {"空芯コイル", 32774},
      {"π型アッテネータ", 32775},
      {"ＶＦＯのタンク回路", 32782}}},
    {"設計(&D)",
     {{"抵抗アッテネータの設計", 32790},
      {"LCフィルターの設計", 32794},
      {"トロイダルコイルの巻線", 32791},
      {"空芯コイルの巻線", 32792},
      {"水晶フィルターの設計", 32793}}},
    {"表示(&V)", {{"ﾂｰﾙ ﾊﾞｰ(&T)", 59392}, {"ｽﾃｰﾀｽ ﾊﾞｰ(&S)", 59393}}},
    {"ﾍﾙﾌﾟ(&H)", {{"Vantix の使い方(&H)\tF1", 32800}, {"Vantix のﾊﾞｰｼﾞｮﾝ情報(&A)...", 57664}}},
};

const std::vector<std::pair<QString, int>> kExpectedAccelerators = {
    {"Ctrl+N", 57600},    {"Ctrl+O", 57601},   {"Ctrl+S", 57603},
    {"Ctrl+P", 57607},    {"Ctrl+Z", 57643},   {"Ctrl+X", 57635},
    {"Ctrl+C", 57634},    {"Ctrl+V", 57637},   {"Alt+Backspace", 57643},
    {"Shift+Del", 57635}, {"Ctrl+Ins", 57634}, {"Shift+Ins", 57637},
    {"F6", 57680},        {"Shift+F6", 57681}, {"F1", 32800},
    {"Ctrl+F", 57636},    {"F3", 32802},       {"Shift+F3", 32801},
    {"Ctrl+A", 57642},    {"Ctrl+Y", 57644},   {"Ctrl+Shift+Z", 57644},
};

const std::vector<int> kExpectedToolbar = {57600, 57601, 57603, 0,     57635, 57634,
                                           57637, 0,     57607, 0,     32771, 32772,
                                           32773, 32774, 32775, 32782, 0,     57664};

// Command id, status-bar prompt, tooltip.
const std::vector<std::tuple<int, QString, QString>> kExpectedPrompts = {
    {32771, "ラダー型クリスタルフィルターの計算", "ラダーフィルタ"},
    {32800, "Vantix の使い方を表示", "使い方"},
    {32801, "前の一致を検索", "前を検索"},
    {32802, "次の一致を検索", "次を検索"},
    {32772, "Ｌマッチの計算", "Ｌマッチ"},
    {32773, "トロイダルコアのコイル計算", "トロイダルコイル"},
    {32774, "空芯コイルの計算", "空芯コイル"},
    {32775, "π型アッテネータの計算", "アッテネータ"},
    {32782, "ＶＦＯのタンク回路の計算", "ＶＦＯのタンク回路"},
    {32790, "π型・T型・橋絡T型の抵抗アッテネータを標準抵抗値で設計", "抵抗アッテネータの設計"},
    {32794, "ローパス・ハイパスのLCフィルターを標準値のコンデンサとトロイダルコイルで設計",
     "LCフィルターの設計"},
    {32791, "トロイダルコイルの線長・直流抵抗・一層に巻けるかの計算", "トロイダルコイルの巻線"},
    {32792, "空芯コイルの線長・直流抵抗・自己共振周波数の計算", "空芯コイルの巻線"},
    {32793, "水晶の測定・選別とラダー型水晶フィルターの設計", "水晶フィルターの設計"},
    {57600, "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ"},
    {57601, "既存のﾌｧｲﾙを開く", "開く"},
    {57603, "作業中のﾌｧｲﾙを上書きして保存", "保存"},
    {57604, "作業中のﾌｧｲﾙを新しい名前で保存", "名前をつけて保存"},
    {57606, "ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更", "印刷設定"},
    {57607, "作業中のﾌｧｲﾙを印刷", "印刷"},
    {57609, "印刷ｲﾒｰｼﾞを表示", "印刷ﾌﾟﾚﾋﾞｭｰ"},
    {57616, "指定のﾌｧｲﾙを開く", ""},
    {57634, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟｰ"},
    {57635, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "切り取り"},
    {57637, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け", "貼り付け"},
    {57643, "直前に行った動作を元に戻す", "元に戻す"},
    {57664, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報"},
    {57665, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了"},
    {57680, "次のｳｨﾝﾄﾞｳに切り替える", "次のﾍﾟｲﾝ"},
    {57681, "前のｳｨﾝﾄﾞｳに切り替える", "前のﾍﾟｲﾝ"},
    {59392, "ﾂｰﾙ ﾊﾞｰの 表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示切り替え"},
    {59393, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
};

using CMainFrameTest = CShellTest;

TEST_F(CMainFrameTest, MenuMatchesTheTable) {
    const QList<QAction*> popups = m_pFrame->menuBar()->actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(kExpectedMenu.size()));
    for (std::size_t p = 0; p < kExpectedMenu.size(); ++p) {
        SCOPED_TRACE(kExpectedMenu[p].first.toStdString());
        EXPECT_EQ(popups[p]->text(), kExpectedMenu[p].first);
        // The recent-file entries are hidden while the list is empty.
        std::vector<QAction*> shown;
        for (QAction* pAction : popups[p]->menu()->actions()) {
            if (pAction->isVisible()) {
                shown.push_back(pAction);
            }
        }
        const auto& items = kExpectedMenu[p].second;
        ASSERT_EQ(shown.size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].first == QLatin1String("-")) {
                EXPECT_TRUE(shown[i]->isSeparator()) << i;
            } else {
                EXPECT_EQ(shown[i]->text(), items[i].first);
                EXPECT_EQ(CommandOf(shown[i]), items[i].second);
            }
        }
    }
}

TEST_F(CMainFrameTest, AcceleratorsMatchTheTable) {
    std::map<int, QList<QKeySequence>> expected;
    for (const auto& [strKeys, nCommand] : kExpectedAccelerators) {
        expected[nCommand] << QKeySequence(strKeys, QKeySequence::PortableText);
    }
    for (const auto& [nCommand, keys] : expected) {
        const QAction* pAction = m_pFrame->FindCommand(nCommand);
        ASSERT_NE(pAction, nullptr) << nCommand;
        EXPECT_EQ(pAction->shortcuts(), keys) << nCommand;
    }
}

TEST_F(CMainFrameTest, ToolbarMatchesTheTableWithDistinctIcons) {
    const QList<QAction*> buttons = m_pFrame->GetToolBar()->actions();
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(kExpectedToolbar.size()));
    std::vector<QImage> pictures;
    for (std::size_t i = 0; i < kExpectedToolbar.size(); ++i) {
        if (kExpectedToolbar[i] == 0) {
            EXPECT_TRUE(buttons[i]->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(CommandOf(buttons[i]), kExpectedToolbar[i]);
        const QImage picture = buttons[i]->icon().pixmap(QSize(16, 15)).toImage();
        EXPECT_EQ(picture.size(), QSize(16, 15));
        for (const QImage& other : pictures) {
            EXPECT_NE(picture, other) << "button " << i << " looks like another one";
        }
        pictures.push_back(picture);
    }
    EXPECT_EQ(m_pFrame->GetToolBar()->iconSize(), QSize(16, 15));
    EXPECT_EQ(m_pFrame->GetToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(m_pFrame->GetToolBar()->isFloatable());
}

TEST_F(CMainFrameTest, PromptsAndTooltipsMatchTheStringTable) {
    for (const auto& [nCommand, strPrompt, strTip] : kExpectedPrompts) {
        const QAction* pAction = m_pFrame->FindCommand(nCommand);
        ASSERT_NE(pAction, nullptr) << nCommand;
        EXPECT_EQ(pAction->statusTip(), strPrompt) << nCommand;
        if (!strTip.isEmpty()) {
            EXPECT_EQ(pAction->toolTip(), strTip) << nCommand;
        }
    }
}

TEST_F(CMainFrameTest, StatusBarShowsIdleTextAndTheFourIndicators) {
    QStringList texts;
    for (const QLabel* pLabel : m_pFrame->statusBar()->findChildren<QLabel*>()) {
        if (pLabel->isVisibleTo(m_pFrame.get())) {
            texts << pLabel->text();
        }
    }
    EXPECT_EQ(texts, (QStringList{"ﾚﾃﾞｨ", "ｶﾅ", "CAP", "NUM", "SCRL"}));
}

// A notice (given before the window is shown, as at start-up, or after)
// stands alone in the message pane; the idle text comes back when it goes.
TEST_F(CMainFrameTest, NoticeIsNeverDrawnOverTheIdleText) {
    const auto* pIdle = m_pFrame->statusBar()->findChild<QLabel*>(QStringLiteral("IdleMessage"));
    ASSERT_NE(pIdle, nullptr);
    m_pFrame->ShowNotice(QStringLiteral("before the window"));
    ShowFrame();
    QApplication::processEvents();
    EXPECT_EQ(m_pFrame->statusBar()->currentMessage(), QStringLiteral("before the window"));
    EXPECT_FALSE(pIdle->isVisible());
    m_pFrame->ShowNotice(QString());
    EXPECT_TRUE(pIdle->isVisible());
    m_pFrame->ShowNotice(QStringLiteral("after"));
    EXPECT_FALSE(pIdle->isVisible());
}

// F1 shows the guide built into the program, beside the log (the window is
// not modal), one window however often it is asked for.
TEST_F(CMainFrameTest, F1ShowsTheUserGuideInAWindowOfItsOwn) {
    ShowFrame();
    QTest::keyClick(m_pFrame->GetView(), Qt::Key_F1);
    auto* pHelp = qobject_cast<CHelpWindow*>(m_pFrame->GetHelpWindow());
    ASSERT_NE(pHelp, nullptr);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_FALSE(pHelp->isModal());
    EXPECT_EQ(pHelp->windowTitle(), QStringLiteral("Vantix の使い方"));
    const QString strShown = pHelp->Browser()->toPlainText();
    EXPECT_TRUE(strShown.contains(QStringLiteral("ログを失わないために")))
        << strShown.left(200).toStdString();
    EXPECT_FALSE(strShown.contains(QStringLiteral("## "))); // drawn, not shown as source
    pHelp->close();
    m_pFrame->FindCommand(32800)->trigger();
    EXPECT_EQ(m_pFrame->GetHelpWindow(), pHelp);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_EQ(m_pFrame->findChildren<CHelpWindow*>().size(), 1);
}

// tests/scripts/japanese_desktop.sh runs this at QT_SCALE_FACTOR=2 too, where
// the offscreen screen is 400 x 300.
TEST_F(CMainFrameTest, OpensWithinTheScreen) {
    ShowFrame();
    const QRect available = m_pFrame->screen()->availableGeometry();
    EXPECT_LE(m_pFrame->width(), available.width());
    EXPECT_LE(m_pFrame->height(), available.height());
}

TEST_F(CMainFrameTest, CalculatorCommandsFollowTheirAvailability) {
    for (const int nCommand : {32771, 32772, 32773, 32774, 32775, 32782}) {
        EXPECT_EQ(m_pFrame->FindCommand(nCommand)->isEnabled(),
                  CVantixView::IsCalcCommandAvailable(nCommand))
            << nCommand;
    }
}

TEST_F(CMainFrameTest, TitleShowsTheDocumentNameAndModifiedMarker) {
    EXPECT_EQ(m_pFrame->windowTitle(), QStringLiteral("無題[*] - Vantix"));
    EXPECT_FALSE(m_pFrame->isWindowModified());
    m_pFrame->GetDocument()->AppendReport("x\r\n");
    EXPECT_TRUE(m_pFrame->isWindowModified());
    WriteBytes(Path("log.txt"), "a");
    m_answers = {QMessageBox::No};
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("log.txt")));
    EXPECT_EQ(m_pFrame->windowTitle(), QStringLiteral("log.txt[*] - Vantix"));
    EXPECT_FALSE(m_pFrame->isWindowModified());
}

TEST_F(CMainFrameTest, ViewMenuTogglesToolbarAndStatusBar) {
    m_pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    for (const auto& [nCommand, pBar] : {std::pair<int, QWidget*>{59392, m_pFrame->GetToolBar()},
                                         std::pair<int, QWidget*>{59393, m_pFrame->statusBar()}}) {
        QAction* pToggle = m_pFrame->FindCommand(nCommand);
        EXPECT_TRUE(pToggle->isChecked());
        pToggle->trigger();
        EXPECT_FALSE(pBar->isVisible());
        pToggle->trigger();
        EXPECT_TRUE(pBar->isVisible());
    }
}

// ---- save prompt -----------------------------------------------------------

TEST_F(CMainFrameTest, SavePromptAnswersDecideWhatHappens) {
    const QString strPath = Path("prompt.txt");
    WriteBytes(strPath, "old");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strPath));
    CVantixDoc* pDoc = m_pFrame->GetDocument();

    pDoc->AppendReport("new\r\n");
    m_answers = {QMessageBox::Cancel};
    EXPECT_FALSE(m_pFrame->NewDocument());
    EXPECT_EQ(pDoc->SavedText(), "oldnew\r\n");
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(ReadBytes(strPath), "old");
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("prompt.txt への変更を保存しますか")));
    EXPECT_EQ(m_messages.back().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    m_answers = {QMessageBox::Yes};
    EXPECT_TRUE(m_pFrame->NewDocument());
    EXPECT_EQ(ReadBytes(strPath), "oldnew\r\n");
    EXPECT_EQ(pDoc->SavedText(), "");

    pDoc->AppendReport("lost\r\n");
    m_answers = {QMessageBox::No};
    EXPECT_TRUE(m_pFrame->OpenDocumentFile(strPath));
    EXPECT_EQ(pDoc->SavedText(), "oldnew\r\n");
}

TEST_F(CMainFrameTest, UntitledLogAsksForANameOnYes) {
    m_pFrame->GetDocument()->AppendReport("r\r\n");
    m_strNextFileName = Path("chosen.txt");
    m_answers = {QMessageBox::Yes};
    EXPECT_TRUE(m_pFrame->NewDocument());
    EXPECT_EQ(ReadBytes(Path("chosen.txt")), "r\r\n");

    // Cancelling the file dialog cancels the whole command.
    m_pFrame->GetDocument()->AppendReport("s\r\n");
    m_strNextFileName.clear();
    m_answers = {QMessageBox::Yes};
    EXPECT_FALSE(m_pFrame->NewDocument());
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "s\r\n");
}

TEST_F(CMainFrameTest, ClosingTheWindowAsksToSave) {
    m_pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    m_pFrame->GetDocument()->AppendReport("r\r\n");
    m_answers = {QMessageBox::Cancel};
    EXPECT_FALSE(m_pFrame->close());
    EXPECT_TRUE(m_pFrame->isVisible());
    m_answers = {QMessageBox::No};
    EXPECT_TRUE(m_pFrame->close());
}

TEST_F(CMainFrameTest, FailedSaveInThePromptCancelsTheCommand) {
    QDir(m_dir.path()).mkdir(QStringLiteral("dir.txt"));
    m_pFrame->GetDocument()->AppendReport("keep\r\n");
    m_strNextFileName = Path("dir.txt");
    m_answers = {QMessageBox::Yes};
    EXPECT_FALSE(m_pFrame->NewDocument());
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "keep\r\n");
    EXPECT_TRUE(m_pFrame->GetDocument()->IsModified());
}

// ---- recent files ----------------------------------------------------------

TEST_F(CMainFrameTest, RecentFilesKeepTheFourNewestAndPersist) {
    QStringList paths;
    for (const char* pszName : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) {
        paths << Path(pszName);
        WriteBytes(paths.back(), pszName);
        ASSERT_TRUE(m_pFrame->OpenDocumentFile(paths.back()));
    }
    const QStringList expected{paths[4], paths[3], paths[2], paths[1]};
    EXPECT_EQ(m_pFrame->GetRecentFiles(), expected);
    EXPECT_FALSE(m_pFrame->FindCommand(57616)->isVisible());

    // Reopening moves an entry to the top, without duplicates.
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(paths[2]));
    EXPECT_EQ(m_pFrame->GetRecentFiles(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));

    m_pFrame.reset();
    m_pFrame = std::make_unique<CMainFrame>();
    EXPECT_EQ(m_pFrame->GetRecentFiles(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));
}

TEST_F(CMainFrameTest, VanishedRecentFileIsReportedAndDropped) {
    WriteBytes(Path("gone.txt"), "x");
    WriteBytes(Path("stays.txt"), "y");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("stays.txt")));
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("gone.txt")));
    ASSERT_TRUE(m_pFrame->NewDocument());
    QFile::remove(Path("gone.txt"));

    m_pFrame->OnOpenRecentFile(0);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("gone.txt")));
    EXPECT_EQ(m_pFrame->GetRecentFiles(), QStringList{Path("stays.txt")});
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "");
    m_pFrame->OnOpenRecentFile(0);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "y");
}

// ---- calculators -----------------------------------------------------------

// Stands in for a calculator dialog: ends with the given result at once.
class CFakeCalcDlg : public QDialog {
public:
    explicit CFakeCalcDlg(int nResult) : m_nResult(nResult) {
        QTimer::singleShot(0, this, [this] { done(m_nResult); });
    }
    std::string m_strReport = "     ***** 偽の計算 *****\r\n\r\n";

private:
    int m_nResult;
};

TEST_F(CMainFrameTest, CalculatorOkAppendsAndAnyOtherEndLeavesTheLogAlone) {
    const QString strPath = Path("calc.txt");
    WriteBytes(strPath, "before\r\n");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(strPath));
    CVantixView* pView = m_pFrame->GetView();

    for (const int nResult : {0, 2}) {
        CFakeCalcDlg cancelled(nResult);
        EXPECT_EQ(pView->RunCalculator(cancelled), nResult);
        EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "before\r\n");
        EXPECT_FALSE(m_pFrame->GetDocument()->IsModified());
    }
    CFakeCalcDlg ok(1);
    EXPECT_EQ(pView->RunCalculator(ok), 1);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "before\r\n" + ok.m_strReport);
    EXPECT_TRUE(m_pFrame->GetDocument()->IsModified());
}

// ---- editing keys ------------------------------------------------------------

TEST_F(CMainFrameTest, EditAcceleratorsWorkInTheEditor) {
    ShowFrame();
    CVantixView* pView = m_pFrame->GetView();
    pView->setFocus();
    QTest::keyClicks(pView, QStringLiteral("abc"));

    QTest::keyClick(pView, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(pView->toPlainText(), QString());

    QTest::keyClicks(pView, QStringLiteral("hello"));
    pView->selectAll();
    QTest::keyClick(pView, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello"));
    QTest::keyClick(pView, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(pView->toPlainText(), QString());
    QTest::keyClick(pView, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(pView, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(pView->toPlainText(), QStringLiteral("hellohello"));

    // The pane keys have nothing to switch to and must not change the text.
    QTest::keyClick(pView, Qt::Key_F6);
    QTest::keyClick(pView, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(pView->toPlainText(), QStringLiteral("hellohello"));
    EXPECT_TRUE(pView->hasFocus());

    // Undo from the menu command.
    m_pFrame->FindCommand(57643)->trigger();
    EXPECT_EQ(pView->toPlainText(), QStringLiteral("hello"));
}

TEST_F(CMainFrameTest, EditorWrapsWithoutHorizontalScrollBar) {
    EXPECT_EQ(m_pFrame->GetView()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(m_pFrame->GetView()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

} // namespace

namespace {

TEST_F(CMainFrameTest, DroppedFileOpensAfterTheSavePrompt) {
    WriteBytes(Path("dropped.txt"), "dropped\r\n");
    m_pFrame->GetDocument()->AppendReport("unsaved\r\n");
    m_pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("dropped.txt"))});
    QWidget* pTarget = m_pFrame->GetView()->viewport();
    const QPoint where(20, 20);
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pTarget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pTarget, &drop);
    m_answers = {QMessageBox::No};
    QTRY_COMPARE(m_pFrame->GetDocument()->SavedText(), std::string("dropped\r\n"));
    // The path never lands in the text, and the prompt came first.
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("無題")));
}

TEST_F(CMainFrameTest, AppendedReportIsScrolledIntoView) {
    m_pFrame->resize(600, 400);
    m_pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    CVantixView* pView = m_pFrame->GetView();
    QString strLog;
    for (int i = 0; i < 500; ++i) {
        strLog += QStringLiteral("行 %1\n").arg(i);
    }
    pView->setPlainText(strLog);
    pView->moveCursor(QTextCursor::Start);
    pView->verticalScrollBar()->setValue(0);
    m_pFrame->GetDocument()->AppendReport("     ***** 最後のレポート *****\r\n\r\n");
    QApplication::processEvents();
    EXPECT_GT(pView->verticalScrollBar()->value(), 0);
    // The report's title line and the caret after the report are both on screen.
    QTextCursor title(pView->document()->findBlockByNumber(500));
    EXPECT_TRUE(title.block().text().contains(QStringLiteral("最後のレポート")));
    const QRect visible = pView->viewport()->rect();
    EXPECT_TRUE(visible.contains(pView->cursorRect(title)));
    EXPECT_TRUE(visible.contains(pView->cursorRect()));
}

} // namespace

namespace {

TEST_F(CMainFrameTest, AboutBoxShowsVersionAndClosesWithEnter) {
    CAboutDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Vantixのﾊﾞｰｼﾞｮﾝ情報"));
    QStringList texts;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        texts << pLabel->text();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Vantix Version 1.3")));
    const QList<QPushButton*> buttons = dlg.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(buttons.front()->isDefault());
    QTimer::singleShot(0, &dlg, [&dlg] {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dlg,
                        Qt::Key_Return);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
}

TEST_F(CMainFrameTest, StatusBarSaysWhenALogIsUtf8) {
    WriteBytes(Path("u.txt"), "\xE3\x83\x86\r\n"); // "テ" in UTF-8
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("u.txt")));
    EXPECT_TRUE(m_pFrame->statusBar()->currentMessage().contains(QStringLiteral("UTF-8")));
    WriteBytes(Path("s.txt"), "\x83\x65\r\n"); // the same in Shift-JIS
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("s.txt")));
    EXPECT_TRUE(m_pFrame->statusBar()->currentMessage().isEmpty());

    // The encoding pane follows the document however it was loaded (the
    // command line loads without the frame's Open).
    const auto encodingPane = [this] {
        QString strShown;
        for (const QLabel* pLabel : m_pFrame->statusBar()->findChildren<QLabel*>()) {
            if (pLabel->isVisibleTo(m_pFrame.get()) && pLabel->text().startsWith("UTF-8")) {
                strShown = pLabel->text();
            }
        }
        return strShown;
    };
    EXPECT_EQ(encodingPane(), QString());
    QString strError;
    ASSERT_TRUE(m_pFrame->GetDocument()->LoadFile(Path("u.txt"), strError));
    EXPECT_EQ(encodingPane(), QStringLiteral("UTF-8"));
    m_pFrame->GetDocument()->OnNewDocument();
    EXPECT_EQ(encodingPane(), QString());
}

TEST_F(CMainFrameTest, PasteFollowsTheClipboard) {
    QApplication::clipboard()->clear();
    EXPECT_FALSE(m_pFrame->FindCommand(57637)->isEnabled());
    QApplication::clipboard()->setText(QStringLiteral("貼る"));
    EXPECT_TRUE(m_pFrame->FindCommand(57637)->isEnabled());
}

TEST_F(CMainFrameTest, ModifiedMarkerInAFileNameStaysText) {
    WriteBytes(Path("a[*].txt"), "a");
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("a[*].txt")));
    m_pFrame->GetDocument()->AppendReport("b");
    m_pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    EXPECT_EQ(m_pFrame->windowHandle()->title(), QStringLiteral("a[*].txt* - Vantix"));
}

} // namespace

namespace {

// The toolkit's file dialog must leave no trace in the user's settings.
TEST_F(CMainFrameTest, FileDialogLeavesTheSettingsAsTheyWere) {
    const QString strToolkitFile = QSettings(QSettings::UserScope, "QtProject").fileName();
    const auto cancelDialog = [this] {
        CMainFrame::SetFileNamePrompt({});
        QTimer::singleShot(50, [] {
            if (QWidget* pModal = QApplication::activeModalWidget()) {
                pModal->close();
            }
        });
        m_pFrame->OnFileOpen();
        CMainFrame::SetFileNamePrompt([this](bool, const QString&) { return m_strNextFileName; });
    };

    ASSERT_FALSE(QFile::exists(strToolkitFile));
    cancelDialog();
    EXPECT_FALSE(QFile::exists(strToolkitFile));

    WriteBytes(strToolkitFile, "[Other]\nkey=1\n");
    cancelDialog();
    EXPECT_EQ(ReadBytes(strToolkitFile), "[Other]\nkey=1\n");
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "");
}

} // namespace

namespace {

TEST_F(CMainFrameTest, FileAcceleratorsRunTheirCommands) {
    ShowFrame();
    CVantixView* pView = m_pFrame->GetView();
    pView->setFocus();
    QTest::keyClicks(pView, QStringLiteral("log"));
    QTest::keyClick(pView, Qt::Key_Return);

    m_strNextFileName = Path("keys.txt");
    QTest::keyClick(pView, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(Path("keys.txt")), "log\r\n");
    EXPECT_EQ(m_pFrame->windowTitle(), QStringLiteral("keys.txt[*] - Vantix"));

    QTest::keyClicks(pView, QStringLiteral("more"));
    m_answers = {QMessageBox::No};
    QTest::keyClick(pView, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(pView->toPlainText().isEmpty());

    QTest::keyClick(pView, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->GetDocument()->SavedText(), "log\r\n");
}

} // namespace

// A log of very many lines is shown unwrapped, with a scroll bar for its long
// lines, and a new width of the window lays none of it out again; a shorter
// log wraps at the window's width again. Read at once and read in the
// background (the document is filled after it is shown).
TEST_F(CMainFrameTest, VeryLongLogsAreUnwrappedAndANewWidthLeavesTheirLayout) {
    const int nSavedCount = CVantixView::NoWrapLineCount();
    CVantixView::SetNoWrapLineCount(2000);
    m_pFrame->resize(600, 400);
    m_pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    CVantixView* pView = m_pFrame->GetView();
    const std::string strLongLine(300, 'x');
    const struct {
        int nLines;
        bool bBackground;
        bool bWrapped;
    } cases[] = {{1999, false, true},
                 {2000, false, false},
                 {300, false, true},
                 {140000, true, false},
                 {1500, false, true}};
    int nWidth = 600;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nLines << " lines");
        // Lines of 30 bytes fill 4 MB, the background read, with 140,000.
        std::string bytes = strLongLine + "\r\n";
        for (int i = 1; i < c.nLines - 1; ++i) {
            bytes += "line of a report, 30 bytes...\r\n";
        }
        bytes += "end";
        ASSERT_EQ(bytes.size() >= static_cast<std::size_t>(CVantixDoc::kBackgroundReadBytes),
                  c.bBackground);
        WriteBytes(Path("log.txt"), bytes);
        QString strError;
        ASSERT_TRUE(
            m_pFrame->GetDocument()->LoadFile(Path("log.txt"), strError, [](int) { return true; }));
        ASSERT_EQ(pView->document()->blockCount(), c.nLines);
        EXPECT_EQ(pView->lineWrapMode() == QPlainTextEdit::WidgetWidth, c.bWrapped);

        // A line in the middle, far from the window, laid out now: a new width
        // that lays out the document again clears it.
        const QTextBlock middle = pView->document()->findBlockByNumber(c.nLines / 2);
        pView->document()->documentLayout()->blockBoundingRect(middle);
        ASSERT_EQ(middle.layout()->lineCount(), 1);
        nWidth = nWidth == 600 ? 500 : 600;
        m_pFrame->resize(nWidth, 400);
        QApplication::processEvents();
        const QTextBlock first = pView->document()->firstBlock();
        if (c.bWrapped) {
            EXPECT_EQ(middle.layout()->lineCount(), 0);
            EXPECT_GT(first.lineCount(), 1);
            EXPECT_EQ(pView->horizontalScrollBar()->maximum(), 0);
        } else {
            EXPECT_EQ(middle.layout()->lineCount(), 1);
            EXPECT_EQ(first.lineCount(), 1);
            // The long line can be scrolled to its end.
            EXPECT_GT(pView->horizontalScrollBar()->maximum(), 0);
            EXPECT_NE(pView->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        }
    }
    CVantixView::SetNoWrapLineCount(nSavedCount);
}
