#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Decoded(std::string_view bytes) {
    std::string strUtf8;
    CDecodeError error;
    EXPECT_TRUE(DecodeShiftJis(bytes, strUtf8, error)) << "bad byte at " << error.m_nByteOffset;
    return strUtf8;
}

std::string Encoded(std::string_view utf8) {
    std::string strBytes;
    CEncodeError error;
    EXPECT_TRUE(EncodeShiftJis(utf8, strBytes, error))
        << "line " << error.m_nLine << " column " << error.m_nColumn;
    return strBytes;
}

std::vector<std::string> UiTexts() {
    std::ifstream file(VANTIX_TEST_DATA_DIR "/ui_texts.txt", std::ios::binary);
    std::vector<std::string> texts;
    for (std::string strLine; std::getline(file, strLine);) {
        texts.push_back(strLine);
    }
    return texts;
}

TEST(ShiftJisTest, EveryUiTextRoundTripsByteForByte) {
    const std::vector<std::string> texts = UiTexts();
    ASSERT_GT(texts.size(), 200u) << "tests/data/ui_texts.txt is missing or short";
    for (const std::string& strText : texts) {
        const std::string strBytes = Encoded(strText);
        EXPECT_NE(strBytes, strText); // really converted, not passed through
        EXPECT_EQ(Decoded(strBytes), strText);
        EXPECT_EQ(Encoded(Decoded(strBytes)), strBytes) << strText;
    }
}

struct ByteCase {
    const char* pszUtf8;
    std::string bytes;
};

void PrintTo(const ByteCase& c, std::ostream* os) {
    *os << c.pszUtf8;
}

class ShiftJisBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(ShiftJisBytes, EncodesToMicrosoftTableAndBack) {
    EXPECT_EQ(Encoded(GetParam().pszUtf8), GetParam().bytes);
    EXPECT_EQ(Decoded(GetParam().bytes), GetParam().pszUtf8);
}

INSTANTIATE_TEST_SUITE_P(KeyCharacters, ShiftJisBytes,
                         ::testing::Values(ByteCase{"　", "\x81\x40"}, ByteCase{"μ", "\x83\xCA"},
                                           ByteCase{"Ω", "\x83\xB6"}, ByteCase{"～", "\x81\x60"},
                                           ByteCase{"ﾚﾃﾞｨ", "\xDA\xC3\xDE\xA8"},
                                           ByteCase{"－", "\x81\x7C"}, ByteCase{"\\~", "\x5C\x7E"},
                                           ByteCase{"π", "\x83\xCE"},
                                           ByteCase{"　　　　　2005-3-7  9:05\r\n",
                                                    "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40"
                                                    "2005-3-7  9:05\r\n"},
                                           ByteCase{"", ""}));

// Several characters have two byte pairs in CP932 (NEC row 13 and JIS row 2,
// NEC-selected and IBM extensions). Decoding reads either; encoding writes the
// pair Windows writes, so such bytes come back in that form.
TEST(ShiftJisTest, DuplicatePairsComeBackInPreferredForm) {
    const struct {
        std::string bytes;
        std::string preferred;
    } cases[] = {{"\x87\x90", "\x81\xE0"},  // ≒
                 {"\xED\x40", "\xFA\x5C"},  // 纊
                 {"\xEE\xF9", "\x81\xCA"},  // ￢
                 {"\xFA\x4A", "\x87\x54"},  // Ⅰ
                 {"\xEE\xEF", "\xFA\x40"},  // ⅰ
                 {"\x87\x40", "\x87\x40"}}; // ①, one pair only
    for (const auto& c : cases) {
        EXPECT_EQ(Encoded(Decoded(c.bytes)), c.preferred);
        EXPECT_EQ(Decoded(c.preferred), Decoded(c.bytes));
    }
}

struct DecodeFailure {
    const char* pszName;
    std::string bytes;
    std::size_t nOffset;
};

void PrintTo(const DecodeFailure& c, std::ostream* os) {
    *os << c.pszName;
}

class ShiftJisDecodeFailure : public ::testing::TestWithParam<DecodeFailure> {};

TEST_P(ShiftJisDecodeFailure, ReportsOffsetAndOutputsNothing) {
    std::string strUtf8 = "old";
    CDecodeError error;
    EXPECT_FALSE(DecodeShiftJis(GetParam().bytes, strUtf8, error));
    EXPECT_EQ(error.m_nByteOffset, GetParam().nOffset);
    EXPECT_TRUE(strUtf8.empty());
    CDecodeError checked;
    EXPECT_FALSE(IsValidShiftJis(GetParam().bytes, checked));
    EXPECT_EQ(checked.m_nByteOffset, GetParam().nOffset);
}

// The bytes-only check of canonical form agrees with decoding and encoding
// again, for every valid single byte and pair; the second forms are in the
// NEC special row and the NEC-selected and first IBM extension rows only.
TEST(ShiftJisTest, CanonicalCheckAgreesWithARoundTripOnEveryCharacter) {
    std::set<int> otherFormLeads;
    for (int nFirst = 1; nFirst < 256; ++nFirst) {
        for (int nSecond = -1; nSecond < 256; ++nSecond) {
            std::string strBytes(1, static_cast<char>(nFirst));
            if (nSecond >= 0) {
                strBytes += static_cast<char>(nSecond);
            }
            std::string strText;
            CDecodeError decodeError;
            if (!DecodeShiftJis(strBytes, strText, decodeError)) {
                continue;
            }
            std::string strAgain;
            CEncodeError encodeError;
            const bool bSame =
                EncodeShiftJis(strText, strAgain, encodeError) && strAgain == strBytes;
            ASSERT_EQ(IsCanonicalShiftJis(strBytes), bSame) << testing::PrintToString(strBytes);
            ASSERT_EQ(IsCanonicalShiftJis("ab" + strBytes + "\x81\x40"), bSame);
            if (!bSame) {
                otherFormLeads.insert(nFirst);
            }
        }
    }
    EXPECT_EQ(otherFormLeads, (std::set<int>{0x87, 0xED, 0xEE, 0xFA}));
}

// The check without decoding takes exactly what the decoder takes, and stops
// where it stops: every single byte and every pair, alone and after "a".
TEST(ShiftJisTest, ValidityCheckAgreesWithTheDecoderOnEveryByteAndPair) {
    int nValidPairs = 0;
    for (int nFirst = 0; nFirst < 256; ++nFirst) {
        for (int nSecond = -1; nSecond < 256; ++nSecond) {
            std::string strBytes(1, static_cast<char>(nFirst));
            if (nSecond >= 0) {
                strBytes += static_cast<char>(nSecond);
            }
            for (const std::string& strInput : {strBytes, "a" + strBytes}) {
                std::string strIgnored;
                CDecodeError decoded;
                CDecodeError checked;
                const bool bDecoded = DecodeShiftJis(strInput, strIgnored, decoded);
                ASSERT_EQ(IsValidShiftJis(strInput, checked), bDecoded)
                    << testing::PrintToString(strInput);
                if (!bDecoded) {
                    ASSERT_EQ(checked.m_nByteOffset, decoded.m_nByteOffset)
                        << testing::PrintToString(strInput);
                }
                nValidPairs += bDecoded && strInput.size() == 2 && strInput[0] != 'a';
            }
        }
    }
    EXPECT_GT(nValidPairs, 7000); // the two-byte repertoire, and pairs of single bytes
}

INSTANTIATE_TEST_SUITE_P(
    BadBytes, ShiftJisDecodeFailure,
    ::testing::Values(DecodeFailure{"LeadByteAtEnd", "abc\x82", 3},
                      DecodeFailure{"InvalidTrailByte",
                                    "ab\x81\x7F"
                                    "cd",
                                    2},
                      DecodeFailure{"NulByte", std::string("ab\x81\x40\0cd", 7), 4},
                      DecodeFailure{"UnassignedSingleByte", "\x81\x40\xFF", 2},
                      DecodeFailure{"BadSequenceBeforeNul",
                                    std::string("a\x80"
                                                "b\0",
                                                4),
                                    1},
                      DecodeFailure{"AfterManyGoodBytes", std::string(40000, 'a') + "\x80", 40000}),
    [](const auto& info) { return info.param.pszName; });

struct EncodeFailure {
    const char* pszName;
    std::string utf8;
    std::size_t nLine;
    std::size_t nColumn;
    char32_t chCodePoint;
};

void PrintTo(const EncodeFailure& c, std::ostream* os) {
    *os << c.pszName;
}

class ShiftJisEncodeFailure : public ::testing::TestWithParam<EncodeFailure> {};

TEST_P(ShiftJisEncodeFailure, ReportsLineAndColumnAndOutputsNothing) {
    std::string strBytes = "old";
    CEncodeError error;
    EXPECT_FALSE(EncodeShiftJis(GetParam().utf8, strBytes, error));
    EXPECT_EQ(error.m_nLine, GetParam().nLine);
    EXPECT_EQ(error.m_nColumn, GetParam().nColumn);
    EXPECT_EQ(error.m_chCodePoint, GetParam().chCodePoint);
    EXPECT_TRUE(strBytes.empty());
}

// Yen sign and minus sign are the ones glibc quietly turns into other
// characters; they must be reported like any other unencodable one.
INSTANTIATE_TEST_SUITE_P(
    Unencodable, ShiftJisEncodeFailure,
    ::testing::Values(EncodeFailure{"Emoji", "ab😀", 1, 3, U'😀'},
                      EncodeFailure{"MicroSign", "　　L= 4.7µH", 1, 9, U'µ'},
                      EncodeFailure{"Korean", "一\r\n二\r\nx한", 3, 2, U'한'},
                      EncodeFailure{"YenSign", "価格\n¥100", 2, 1, U'¥'},
                      EncodeFailure{"MinusSign", "a\nb\n周波数 −3", 3, 5, U'−'},
                      EncodeFailure{"YenBeforeBadUtf8", "¥a\xC3", 1, 1, U'¥'},
                      EncodeFailure{"YenBeforeMicro", "¥µ", 1, 1, U'¥'},
                      EncodeFailure{"NulCharacter", std::string("ab\r\ncd\0", 7), 2, 3, 0},
                      EncodeFailure{"InvalidUtf8", "ok\nab\xC3", 2, 3, 0}),
    [](const auto& info) { return info.param.pszName; });

struct Utf8Case {
    const char* pszName;
    std::string bytes;
    bool bValid;
    std::size_t nOffset;
};

void PrintTo(const Utf8Case& c, std::ostream* os) {
    *os << c.pszName;
}

class IsValidUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(IsValidUtf8Test, FindsFirstBadByte) {
    std::size_t nOffset = 999;
    EXPECT_EQ(IsValidUtf8(GetParam().bytes, nOffset), GetParam().bValid);
    if (!GetParam().bValid) {
        EXPECT_EQ(nOffset, GetParam().nOffset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, IsValidUtf8Test,
    ::testing::Values(Utf8Case{"Ascii", "plain", true, 0}, Utf8Case{"Japanese", "計算μΩ", true, 0},
                      Utf8Case{"FourByte", "\xF0\x9F\x98\x80", true, 0},
                      Utf8Case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", true, 0},
                      Utf8Case{"OverlongTwoByte", "a\xC0\xB1", false, 1},
                      Utf8Case{"OverlongC1", "\xC1\xBF", false, 0},
                      Utf8Case{"OverlongThreeByte", "ab\xE0\x80\xAF", false, 2},
                      Utf8Case{"OverlongFourByte", "\xF0\x8F\xBF\xBF", false, 0},
                      Utf8Case{"Surrogate", "x\xED\xA0\x80", false, 1},
                      Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", false, 0},
                      Utf8Case{"TruncatedAtEnd", "計\xE7\xAE", false, 3},
                      Utf8Case{"MissingContinuation", "\xE8\xA8x", false, 0},
                      Utf8Case{"LoneContinuation", "a\x80", false, 1},
                      Utf8Case{"InvalidLead", "\xFF", false, 0}),
    [](const auto& info) { return info.param.pszName; });

} // namespace
