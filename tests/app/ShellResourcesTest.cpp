#include "ShellResources.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The strings that are not command prompts, typed in independently of res/.
struct CStringCase {
    int nId;
    const char* pszText;
};

constexpr CStringCase kStrings[] = {
    {128, "Vantix\n\nVantix\nText ﾌｧｲﾙ (*.txt)\n.txt\nVantix.Document\nVantix Document"},
    {57344, "Vantix"},
    {57345, "ﾚﾃﾞｨ"},
    {59136, "EXT"},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {59140, "上書"},
    {59141, "記録"},
    {59142, "ｶﾅ"},
    {61184, "ｳｨﾝﾄﾞｳのｻｲｽﾞを変更"},
    {61185, "ｳｨﾝﾄﾞｳの位置を変更"},
    {61186, "ｳｨﾝﾄﾞｳを最小化する"},
    {61187, "ｳｨﾝﾄﾞｳを最大化する"},
    {61188, "次のｳｨﾝﾄﾞｳに切り替える"},
    {61189, "前のｳｨﾝﾄﾞｳに切り替える"},
    {61190, "作業中のｳｨﾝﾄﾞｳを閉じ、変更したﾌｧｲﾙの保存を指示"},
    {61202, "ｳｨﾝﾄﾞｳを通常のｻｲｽﾞに戻す"},
    {61203, "ｱﾌﾟﾘｹｰｼｮﾝの切り替え"},
    // Prompts of commands that have no menu item here.
    {57602, "作業中のﾌｧｲﾙを閉じる\n閉じる"},
    {57605, "印刷ｵﾌﾟｼｮﾝの変更\nﾍﾟｰｼﾞ ﾚｲｱｳﾄの設定"},
    {57632, "選択範囲を消去\n消去"},
    {57633, "すべて消去\nすべて消去"},
    {57636, "指定した文字列の検索\n検索"},
    {57640, "直前に行った動作を繰り返す\n繰り返し"},
    {57641, "指定した文字列を他の文字列で置換\n置換"},
    {57642, "ﾌｧｲﾙ内のすべてを選択\nすべて選択"},
    {57644, "直前に行った動作を繰り返す\n繰り返す"},
    {57653, "作業中のｳｨﾝﾄﾞｳを分割\n分割"},
    {61445, "印刷ﾌﾟﾚﾋﾞｭｰ ﾓｰﾄﾞの終わり\nﾌﾟﾚﾋﾞｭｰのｷｬﾝｾﾙ"},
};

TEST(ShellResourcesTest, StringTableHoldsTheTexts) {
    for (const CStringCase& c : kStrings) {
        EXPECT_STREQ(LoadResString(c.nId), c.pszText) << c.nId;
    }
    EXPECT_STREQ(LoadResString(12345), "");
}

TEST(ShellResourcesTest, EveryRecentFileIdHasThePrompt) {
    for (int nId = 57616; nId <= 57631; ++nId) {
        EXPECT_STREQ(LoadResString(nId), "指定のﾌｧｲﾙを開く") << nId;
    }
}

TEST(ShellResourcesTest, IdsAreUniqueAndEveryToolbarButtonHasAPicture) {
    std::set<int> ids;
    for (const CStringRes& entry : StringTableResource()) {
        EXPECT_TRUE(ids.insert(entry.nId).second) << "twice: " << entry.nId;
    }
    std::set<std::string> pictures;
    for (const int nCommand : ToolbarResource()) {
        if (nCommand != ID_SEPARATOR) {
            ASSERT_NE(ToolbarIconPath(nCommand), nullptr) << nCommand;
            EXPECT_TRUE(pictures.insert(ToolbarIconPath(nCommand)).second) << nCommand;
            EXPECT_NE(std::string(LoadResString(nCommand)).find('\n'), std::string::npos)
                << "no tooltip for " << nCommand;
        }
    }
}

} // namespace
