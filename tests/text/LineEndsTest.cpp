#include "text/LineEnds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LineEndsCase {
    const char* pszName;
    const char* pszText;
    const char* pszLf;
    ELineEnds eStyle;
    const char* pszSaved; // FromLf of the LF text in the style found
};

void PrintTo(const LineEndsCase& c, std::ostream* os) {
    *os << c.pszName;
}

class LineEndsTest : public ::testing::TestWithParam<LineEndsCase> {};

TEST_P(LineEndsTest, DetectsStyleAndConvertsBothWays) {
    const LineEndsCase& c = GetParam();
    ELineEnds style = ELineEnds::None;
    const std::string strLf = ToLf(c.pszText, style);
    EXPECT_EQ(strLf, c.pszLf);
    EXPECT_EQ(style, c.eStyle);
    EXPECT_EQ(FromLf(strLf, style), c.pszSaved);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, LineEndsTest,
    ::testing::Values(
        LineEndsCase{"CrLf", "a\r\nb\r\n", "a\nb\n", ELineEnds::CrLf, "a\r\nb\r\n"},
        LineEndsCase{"LfOnlyIsKept", "a\nb\n", "a\nb\n", ELineEnds::Lf, "a\nb\n"},
        LineEndsCase{"MixedSavesCrLf", "a\r\nb\nc", "a\nb\nc", ELineEnds::Mixed, "a\r\nb\r\nc"},
        LineEndsCase{"LoneCrIsMixed", "a\rb\r", "a\nb\n", ELineEnds::Mixed, "a\r\nb\r\n"},
        LineEndsCase{"CrBeforeCrLf", "a\r\r\nb", "a\n\nb", ELineEnds::Mixed, "a\r\n\r\nb"},
        LineEndsCase{"NoFinalLineEnd", "a\r\nb", "a\nb", ELineEnds::CrLf, "a\r\nb"},
        LineEndsCase{"NoLineEndAtAll", "計算", "計算", ELineEnds::None, "計算"},
        LineEndsCase{"Empty", "", "", ELineEnds::None, ""},
        LineEndsCase{"BareReport", "\r\n\r\n", "\n\n", ELineEnds::CrLf, "\r\n\r\n"}),
    [](const auto& info) { return info.param.pszName; });

// The style alone agrees with the conversion for every text of up to seven
// characters made of a letter, CR and LF.
TEST(LineEndsTest, DetectedStyleIsTheConversionsForEveryShortText) {
    std::vector<std::string> texts{""};
    for (int nLength = 1; nLength <= 7; ++nLength) {
        std::vector<std::string> longer;
        for (const std::string& strText : texts) {
            if (strText.size() + 1 == static_cast<std::size_t>(nLength)) {
                for (const char c : {'a', '\r', '\n'}) {
                    longer.push_back(strText + c);
                }
            }
        }
        texts.insert(texts.end(), longer.begin(), longer.end());
    }
    ASSERT_EQ(texts.size(), 3280u); // 3^0 + ... + 3^7
    for (const std::string& strText : texts) {
        ELineEnds eConverted = ELineEnds::None;
        ToLf(strText, eConverted);
        EXPECT_EQ(DetectLineEnds(strText), eConverted) << testing::PrintToString(strText);
    }
}

TEST(LineEndsTest, NoneAndMixedStylesWriteCrLf) {
    EXPECT_EQ(FromLf("a\nb", ELineEnds::None), "a\r\nb");
    EXPECT_EQ(FromLf("\n", ELineEnds::Mixed), "\r\n");
}

} // namespace
