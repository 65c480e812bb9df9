#include "ShellResources.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array kFileMenu = {
    CMenuItemRes{"新規作成(&N)\tCtrl+N", ID_FILE_NEW},
    CMenuItemRes{"開く(&O)...\tCtrl+O", ID_FILE_OPEN},
    CMenuItemRes{"上書き保存(&S)\tCtrl+S", ID_FILE_SAVE},
    CMenuItemRes{"名前を付けて保存(&A)...", ID_FILE_SAVE_AS},
    CMenuItemRes{nullptr, ID_SEPARATOR},
    CMenuItemRes{"印刷(&P)...\tCtrl+P", ID_FILE_PRINT},
    CMenuItemRes{"印刷ﾌﾟﾚﾋﾞｭｰ(&V)", ID_FILE_PRINT_PREVIEW},
    CMenuItemRes{"ﾌﾟﾘﾝﾀの設定(&R)...", ID_FILE_PRINT_SETUP},
    CMenuItemRes{nullptr, ID_SEPARATOR},
    CMenuItemRes{"最近使ったﾌｧｲﾙ", ID_FILE_MRU_FILE1},
    CMenuItemRes{nullptr, ID_SEPARATOR},
    CMenuItemRes{"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ID_APP_EXIT},
};

constexpr std::array kEditMenu = {
    CMenuItemRes{"元に戻す(&U)\tCtrl+Z", ID_EDIT_UNDO},
    CMenuItemRes{nullptr, ID_SEPARATOR},
    CMenuItemRes{"切り取り(&T)\tCtrl+X", ID_EDIT_CUT},
    CMenuItemRes{"ｺﾋﾟｰ(&C)\tCtrl+C", ID_EDIT_COPY},
    CMenuItemRes{"貼り付け(&P)\tCtrl+V", ID_EDIT_PASTE},
    // Beyond the classic items: find, select all, redo.
    CMenuItemRes{nullptr, ID_SEPARATOR},
    CMenuItemRes{"検索(&F)...\tCtrl+F", ID_EDIT_FIND},
    CMenuItemRes{"次を検索(&N)\tF3", ID_EDIT_FIND_NEXT},
    CMenuItemRes{"前を検索\tShift+F3", ID_EDIT_FIND_PREVIOUS},
    CMenuItemRes{"すべて選択(&A)\tCtrl+A", ID_EDIT_SELECT_ALL},
    CMenuItemRes{"やり直し(&R)\tCtrl+Y", ID_EDIT_REDO},
};

constexpr std::array kCalcMenu = {
    CMenuItemRes{"ラダー型フィルター", ID_CALC_LADDER_FILTER},
    CMenuItemRes{"Ｌマッチ", ID_CALC_LMATCH},
    CMenuItemRes{"トロイダルコイル", ID_CALC_TOROID_COIL},
    CMenuItemRes{"空芯コイル", ID_CALC_AIR_COIL},
    CMenuItemRes{"π型アッテネータ", ID_CALC_PI_ATTENUATOR},
    CMenuItemRes{"ＶＦＯのタンク回路", ID_CALC_VFO_TANK},
};

// Designers that go beyond the classic calculators.
constexpr std::array kDesignMenu = {
    CMenuItemRes{"抵抗アッテネータの設計", ID_DESIGN_ATTENUATOR},
    CMenuItemRes{"LCフィルターの設計", ID_DESIGN_LC_FILTER},
    CMenuItemRes{"トロイダルコイルの巻線", ID_DESIGN_TOROID_WINDING},
    CMenuItemRes{"空芯コイルの巻線", ID_DESIGN_AIR_COIL_WINDING},
    CMenuItemRes{"水晶フィルターの設計", ID_DESIGN_XTAL_FILTER},
};

constexpr std::array kViewMenu = {
    CMenuItemRes{"ﾂｰﾙ ﾊﾞｰ(&T)", ID_VIEW_TOOLBAR},
    CMenuItemRes{"ｽﾃｰﾀｽ ﾊﾞｰ(&S)", ID_VIEW_STATUS_BAR},
};

// The user guide comes before the classic About item.
constexpr std::array kHelpMenu = {
    CMenuItemRes{"Vantix の使い方(&H)\tF1", ID_HELP_USER_GUIDE},
    CMenuItemRes{"Vantix のﾊﾞｰｼﾞｮﾝ情報(&A)...", ID_APP_ABOUT},
};

constexpr std::array kMainMenu = {
    CMenuPopupRes{"ﾌｧｲﾙ(&F)", kFileMenu}, CMenuPopupRes{"編集(&E)", kEditMenu},
    CMenuPopupRes{"計算(&K)", kCalcMenu}, CMenuPopupRes{"設計(&D)", kDesignMenu},
    CMenuPopupRes{"表示(&V)", kViewMenu}, CMenuPopupRes{"ﾍﾙﾌﾟ(&H)", kHelpMenu},
};

constexpr std::array kAccelerators = {
    CAcceleratorRes{Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
    CAcceleratorRes{Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
    CAcceleratorRes{Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
    CAcceleratorRes{Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
    CAcceleratorRes{Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
    CAcceleratorRes{Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
    CAcceleratorRes{Qt::CTRL | Qt::Key_C, ID_EDIT_COPY},
    CAcceleratorRes{Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
    CAcceleratorRes{Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
    CAcceleratorRes{Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
    CAcceleratorRes{Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
    CAcceleratorRes{Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
    CAcceleratorRes{QKeyCombination(Qt::Key_F6), ID_NEXT_PANE},
    CAcceleratorRes{Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
    CAcceleratorRes{QKeyCombination(Qt::Key_F1), ID_HELP_USER_GUIDE},
    CAcceleratorRes{Qt::CTRL | Qt::Key_F, ID_EDIT_FIND},
    CAcceleratorRes{QKeyCombination(Qt::Key_F3), ID_EDIT_FIND_NEXT},
    CAcceleratorRes{Qt::SHIFT | Qt::Key_F3, ID_EDIT_FIND_PREVIOUS},
    CAcceleratorRes{Qt::CTRL | Qt::Key_A, ID_EDIT_SELECT_ALL},
    CAcceleratorRes{Qt::CTRL | Qt::Key_Y, ID_EDIT_REDO},
    CAcceleratorRes{Qt::CTRL | Qt::SHIFT | Qt::Key_Z, ID_EDIT_REDO},
};

constexpr std::array<int, 18> kToolbar = {
    ID_FILE_NEW,         ID_FILE_OPEN,     ID_FILE_SAVE,          ID_SEPARATOR,
    ID_EDIT_CUT,         ID_EDIT_COPY,     ID_EDIT_PASTE,         ID_SEPARATOR,
    ID_FILE_PRINT,       ID_SEPARATOR,     ID_CALC_LADDER_FILTER, ID_CALC_LMATCH,
    ID_CALC_TOROID_COIL, ID_CALC_AIR_COIL, ID_CALC_PI_ATTENUATOR, ID_CALC_VFO_TANK,
    ID_SEPARATOR,        ID_APP_ABOUT,
};

struct CIconRes {
    int nCommand;
    const char* pszPath;
};

constexpr std::array kToolbarIcons = {
    CIconRes{ID_FILE_NEW, ":/toolbar/new.svg"},
    CIconRes{ID_FILE_OPEN, ":/toolbar/open.svg"},
    CIconRes{ID_FILE_SAVE, ":/toolbar/save.svg"},
    CIconRes{ID_EDIT_CUT, ":/toolbar/cut.svg"},
    CIconRes{ID_EDIT_COPY, ":/toolbar/copy.svg"},
    CIconRes{ID_EDIT_PASTE, ":/toolbar/paste.svg"},
    CIconRes{ID_FILE_PRINT, ":/toolbar/print.svg"},
    CIconRes{ID_CALC_LADDER_FILTER, ":/toolbar/ladder.svg"},
    CIconRes{ID_CALC_LMATCH, ":/toolbar/lmatch.svg"},
    CIconRes{ID_CALC_TOROID_COIL, ":/toolbar/toroid.svg"},
    CIconRes{ID_CALC_AIR_COIL, ":/toolbar/aircoil.svg"},
    CIconRes{ID_CALC_PI_ATTENUATOR, ":/toolbar/pi.svg"},
    CIconRes{ID_CALC_VFO_TANK, ":/toolbar/vfo.svg"},
    CIconRes{ID_APP_ABOUT, ":/toolbar/about.svg"},
};

constexpr std::array kStrings = {
    CStringRes{IDR_MAINFRAME, "Vantix\n\nVantix\nText ﾌｧｲﾙ (*.txt)\n.txt\nVantix.Document\n"
                              "Vantix Document"},
    CStringRes{AFX_IDS_APP_TITLE, "Vantix"},
    CStringRes{AFX_IDS_IDLEMESSAGE, "ﾚﾃﾞｨ"},
    CStringRes{ID_CALC_LADDER_FILTER, "ラダー型クリスタルフィルターの計算\nラダーフィルタ"},
    CStringRes{ID_CALC_LMATCH, "Ｌマッチの計算\nＬマッチ"},
    CStringRes{ID_CALC_TOROID_COIL, "トロイダルコアのコイル計算\nトロイダルコイル"},
    CStringRes{ID_CALC_AIR_COIL, "空芯コイルの計算\n空芯コイル"},
    CStringRes{ID_CALC_PI_ATTENUATOR, "π型アッテネータの計算\nアッテネータ"},
    CStringRes{ID_CALC_VFO_TANK, "ＶＦＯのタンク回路の計算\nＶＦＯのタンク回路"},
    CStringRes{ID_DESIGN_ATTENUATOR,
               "π型・T型・橋絡T型の抵抗アッテネータを標準抵抗値で設計\n抵抗アッテネータの設計"},
    CStringRes{ID_DESIGN_LC_FILTER,
               "ローパス・ハイパスのLCフィルターを標準値のコンデンサとトロイダルコイルで設計\n"
               "LCフィルターの設計"},
    CStringRes{ID_DESIGN_TOROID_WINDING,
               "トロイダルコイルの線長・直流抵抗・一層に巻けるかの計算\nトロイダルコイルの巻線"},
    CStringRes{ID_DESIGN_AIR_COIL_WINDING,
               "空芯コイルの線長・直流抵抗・自己共振周波数の計算\n空芯コイルの巻線"},
    CStringRes{ID_DESIGN_XTAL_FILTER,
               "水晶の測定・選別とラダー型水晶フィルターの設計\n水晶フィルターの設計"},
    CStringRes{ID_FILE_NEW, "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
    CStringRes{ID_FILE_OPEN, "既存のﾌｧｲﾙを開く\n開く"},
    CStringRes{ID_FILE_CLOSE, "作業中のﾌｧｲﾙを閉じる\n閉じる"},
    CStringRes{ID_FILE_SAVE, "作業中のﾌｧｲﾙを上書きして保存\n保存"},
    CStringRes{ID_FILE_SAVE_AS, "作業中のﾌｧｲﾙを新しい名前で保存\n名前をつけて保存"},
    CStringRes{ID_FILE_PAGE_SETUP, "印刷ｵﾌﾟｼｮﾝの変更\nﾍﾟｰｼﾞ ﾚｲｱｳﾄの設定"},
    CStringRes{ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀ/印刷ｵﾌﾟｼｮﾝの変更\n印刷設定"},
    CStringRes{ID_FILE_PRINT, "作業中のﾌｧｲﾙを印刷\n印刷"},
    CStringRes{ID_FILE_PRINT_PREVIEW, "印刷ｲﾒｰｼﾞを表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
    CStringRes{57616, "指定のﾌｧｲﾙを開く"},
    CStringRes{57617, "指定のﾌｧｲﾙを開く"},
    CStringRes{57618, "指定のﾌｧｲﾙを開く"},
    CStringRes{57619, "指定のﾌｧｲﾙを開く"},
    CStringRes{57620, "指定のﾌｧｲﾙを開く"},
    CStringRes{57621, "指定のﾌｧｲﾙを開く"},
    CStringRes{57622, "指定のﾌｧｲﾙを開く"},
    CStringRes{57623, "指定のﾌｧｲﾙを開く"},
    CStringRes{57624, "指定のﾌｧｲﾙを開く"},
    CStringRes{57625, "指定のﾌｧｲﾙを開く"},
    CStringRes{57626, "指定のﾌｧｲﾙを開く"},
    CStringRes{57627, "指定のﾌｧｲﾙを開く"},
    CStringRes{57628, "指定のﾌｧｲﾙを開く"},
    CStringRes{57629, "指定のﾌｧｲﾙを開く"},
    CStringRes{57630, "指定のﾌｧｲﾙを開く"},
    CStringRes{57631, "指定のﾌｧｲﾙを開く"},
    CStringRes{ID_EDIT_CLEAR, "選択範囲を消去\n消去"},
    CStringRes{ID_EDIT_CLEAR_ALL, "すべて消去\nすべて消去"},
    CStringRes{ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"},
    CStringRes{ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り"},
    CStringRes{ID_EDIT_FIND, "指定した文字列の検索\n検索"},
    CStringRes{ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け"},
    CStringRes{ID_EDIT_REPEAT, "直前に行った動作を繰り返す\n繰り返し"},
    CStringRes{ID_EDIT_REPLACE, "指定した文字列を他の文字列で置換\n置換"},
    CStringRes{ID_EDIT_SELECT_ALL, "ﾌｧｲﾙ内のすべてを選択\nすべて選択"},
    CStringRes{ID_EDIT_UNDO, "直前に行った動作を元に戻す\n元に戻す"},
    CStringRes{ID_EDIT_REDO, "直前に行った動作を繰り返す\n繰り返す"},
    CStringRes{ID_WINDOW_SPLIT, "作業中のｳｨﾝﾄﾞｳを分割\n分割"},
    CStringRes{ID_HELP_USER_GUIDE, "Vantix の使い方を表示\n使い方"},
    CStringRes{ID_EDIT_FIND_PREVIOUS, "前の一致を検索\n前を検索"},
    CStringRes{ID_EDIT_FIND_NEXT, "次の一致を検索\n次を検索"},
    CStringRes{ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
    CStringRes{ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
    CStringRes{ID_NEXT_PANE, "次のｳｨﾝﾄﾞｳに切り替える\n次のﾍﾟｲﾝ"},
    CStringRes{ID_PREV_PANE, "前のｳｨﾝﾄﾞｳに切り替える\n前のﾍﾟｲﾝ"},
    CStringRes{ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切り替え"},
    CStringRes{ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え"},
    CStringRes{ID_PREVIEW_CLOSE, "印刷ﾌﾟﾚﾋﾞｭｰ ﾓｰﾄﾞの終わり\nﾌﾟﾚﾋﾞｭｰのｷｬﾝｾﾙ"},
    CStringRes{ID_INDICATOR_EXT, "EXT"},
    CStringRes{ID_INDICATOR_CAPS, "CAP"},
    CStringRes{ID_INDICATOR_NUM, "NUM"},
    CStringRes{ID_INDICATOR_SCRL, "SCRL"},
    CStringRes{ID_INDICATOR_OVR, "上書"},
    CStringRes{ID_INDICATOR_REC, "記録"},
    CStringRes{ID_INDICATOR_KANA, "ｶﾅ"},
    CStringRes{61184, "ｳｨﾝﾄﾞｳのｻｲｽﾞを変更"},
    CStringRes{61185, "ｳｨﾝﾄﾞｳの位置を変更"},
    CStringRes{61186, "ｳｨﾝﾄﾞｳを最小化する"},
    CStringRes{61187, "ｳｨﾝﾄﾞｳを最大化する"},
    CStringRes{61188, "次のｳｨﾝﾄﾞｳに切り替える"},
    CStringRes{61189, "前のｳｨﾝﾄﾞｳに切り替える"},
    CStringRes{61190, "作業中のｳｨﾝﾄﾞｳを閉じ、変更したﾌｧｲﾙの保存を指示"},
    CStringRes{61202, "ｳｨﾝﾄﾞｳを通常のｻｲｽﾞに戻す"},
    CStringRes{61203, "ｱﾌﾟﾘｹｰｼｮﾝの切り替え"},
};

} // namespace

std::span<const CMenuPopupRes> MainMenuResource() {
    return kMainMenu;
}

std::span<const CAcceleratorRes> AcceleratorResource() {
    return kAccelerators;
}

std::span<const int> ToolbarResource() {
    return kToolbar;
}

const char* ToolbarIconPath(int nCommand) {
    for (const CIconRes& icon : kToolbarIcons) {
        if (icon.nCommand == nCommand) {
            return icon.pszPath;
        }
    }
    return nullptr;
}

std::span<const CStringRes> StringTableResource() {
    return kStrings;
}

const char* LoadResString(int nId) {
    for (const CStringRes& entry : kStrings) {
        if (entry.nId == nId) {
            return entry.pszText;
        }
    }
    return "";
}
