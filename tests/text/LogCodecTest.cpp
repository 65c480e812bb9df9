#include "text/LogCodec.h"

#include "calc/ladder_filter/LadderFilter.h"
#include "calc/lmatch/LMatch.h"
#include "calc/xtal_filter/XtalSort.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct CDecodeCase {
    const char* pszName;
    std::string bytes;
    ELogDecodeFailure eFailure;
    ELogEncoding eEncoding; // when decoded
    std::size_t nBadOffset; // when refused
};

void PrintTo(const CDecodeCase& c, std::ostream* os) {
    *os << c.pszName;
}

class LogCodecDecode : public ::testing::TestWithParam<CDecodeCase> {};

TEST_P(LogCodecDecode, DecidesTheEncodingOnce) {
    const CDecodeCase& c = GetParam();
    std::string strText;
    CLogFormat format;
    std::size_t nBadOffset = 12345;
    ASSERT_EQ(CLogCodec::Decode(c.bytes, strText, format, nBadOffset), c.eFailure);
    if (c.eFailure != ELogDecodeFailure::None) {
        EXPECT_EQ(nBadOffset, c.nBadOffset);
        return;
    }
    EXPECT_EQ(format.eEncoding, c.eEncoding);
    // Whatever was decided, writing the text back gives the same bytes.
    std::string strBytes;
    CEncodeError error;
    ASSERT_TRUE(CLogCodec::Encode(strText, format, strBytes, error));
    EXPECT_EQ(strBytes, c.bytes);
}

// "価格 €5" in UTF-8 reads as "萓｡譬ｼ 竄ｬ5" in CP932: both readings are valid.
const std::string kPriceUtf8 = "\xE4\xBE\xA1\xE6\xA0\xBC \xE2\x82\xAC"
                               "5\r\n";
// "計算 Ω" in CP932.
const std::string kCalcCp932 = "\x8C\x76\x8E\x5A \x83\xB6\r\n";
const std::string kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Files, LogCodecDecode,
    ::testing::Values(
        CDecodeCase{"Utf8ThatIsAlsoCp932", kPriceUtf8, ELogDecodeFailure::None, ELogEncoding::Utf8,
                    0},
        CDecodeCase{"Cp932", kCalcCp932, ELogDecodeFailure::None, ELogEncoding::ShiftJis, 0},
        CDecodeCase{"AsciiOnlyIsCp932", "L= 4.7uH\r\n", ELogDecodeFailure::None,
                    ELogEncoding::ShiftJis, 0},
        CDecodeCase{"EmptyIsCp932", "", ELogDecodeFailure::None, ELogEncoding::ShiftJis, 0},
        CDecodeCase{"BomAndUtf8", kBom + kPriceUtf8, ELogDecodeFailure::None, ELogEncoding::Utf8Bom,
                    0},
        CDecodeCase{"BomAndAscii", kBom + "abc", ELogDecodeFailure::None, ELogEncoding::Utf8Bom, 0},
        // A BOM says UTF-8, so the refusal names where UTF-8 stops.
        CDecodeCase{"BomThenCp932", kBom + kCalcCp932, ELogDecodeFailure::NotText,
                    ELogEncoding::ShiftJis, 3},
        // Neither reading works: the offset is where the further one stops.
        CDecodeCase{"Latin1", "caf\xE9\r\n", ELogDecodeFailure::NotText, ELogEncoding::ShiftJis, 3},
        CDecodeCase{"Utf8WithOneBadByte", kPriceUtf8 + "\xFF" + kPriceUtf8,
                    ELogDecodeFailure::NotText, ELogEncoding::ShiftJis, 13},
        CDecodeCase{"Cp932WithOneBadByte", kCalcCp932 + "\x81\x7F", ELogDecodeFailure::NotText,
                    ELogEncoding::ShiftJis, 9},
        CDecodeCase{"Nul", std::string("ab\0c", 4), ELogDecodeFailure::Nul, ELogEncoding::ShiftJis,
                    2},
        // U+2029 is valid UTF-8 and now read as such; the editor cannot hold it.
        CDecodeCase{"ParagraphSeparator", "a\xE2\x80\xA9", ELogDecodeFailure::BreakCharacter,
                    ELogEncoding::Utf8, 1}),
    [](const auto& info) { return std::string(info.param.pszName); });

// Words builders write in half-width katakana. In CP932 a few of them pair
// into valid UTF-8 ("10m ﾐｽ" reads as "10m н"): a log of such a word must
// stay Shift-JIS, and the same words written as UTF-8 stay UTF-8.
TEST(LogCodecDetect, HalfWidthKatakanaLogsStayShiftJis) {
    const std::string_view kWords =
        "ｱﾝﾃﾅ ｺｲﾙ ﾐｽ ﾃｽﾄ ｺﾝﾃﾞﾝｻ ｹｰﾌﾞﾙ ﾊﾞﾗﾝ ﾄﾗﾝｽ ﾌｨﾙﾀ ｱﾝﾌﾟ ﾀﾞｲｵｰﾄﾞ ﾄﾗﾝｼﾞｽﾀ ﾗｼﾞｵ ﾉｲｽﾞ ﾊﾟﾜｰ "
        "ﾒｰﾀｰ ﾁｭｰﾅｰ ﾌﾞｰﾑ ｴﾚﾒﾝﾄ ﾀﾞｲﾎﾟｰﾙ ﾙｰﾌﾟ ﾔｷﾞ ｱｰｽ ｹｰｽ ｼｬｰｼ ﾈｼﾞ ﾊﾝﾀﾞ ﾌﾟﾘﾝﾄ ﾎﾞｰﾄﾞ ｷｯﾄ ﾊﾟｰﾂ "
        "ﾘﾚｰ ｽｲｯﾁ ﾎﾞﾘｭｰﾑ ﾀﾞｲﾔﾙ ﾊﾞﾝﾄﾞ ﾓｰﾄﾞ ﾋﾞｰﾑ ﾛｰﾃｰﾀｰ ﾏｽﾄ ﾀﾜｰ ﾎﾟｰﾙ ﾜｲﾔｰ ｺﾈｸﾀ ﾌﾟﾗｸﾞ ｼﾞｬｯｸ "
        "ｿｹｯﾄ ﾋｭｰｽﾞ ﾗﾝﾌﾟ ﾒﾓ ﾉｰﾄ ﾃﾞｰﾀ ﾛｸﾞ ﾘｽﾄ ﾐｷｻｰ ｵｼﾚｰﾀ ﾊﾞｯﾌｧ ﾄﾞﾗｲﾊﾞ ﾌｧｲﾅﾙ ｹﾞｲﾝ ﾛｽ ﾏｯﾁ "
        "ｲﾝﾋﾟｰﾀﾞﾝｽ ﾘｱｸﾀﾝｽ ｷｬﾊﾟｼﾀ ｲﾝﾀﾞｸﾀ ｺｱ ﾄﾛｲﾀﾞﾙ ﾌｪﾗｲﾄ ﾀﾞｽﾄ ﾎﾞﾋﾞﾝ ﾋﾟｯﾁ ﾀｰﾝ ｹﾞｰｼﾞ ｴﾅﾒﾙ "
        "ｼｰﾙﾄﾞ ｹﾐｺﾝ ｾﾗﾐｯｸ ﾏｲｶ ﾎﾟﾘ ﾁｯﾌﾟ ﾎｰﾑ ﾑｾﾝ ﾊﾑ ｼｸﾞﾅﾙ ﾐｽ2 ｿﾌﾄ ﾊｰﾄﾞ ﾃﾚﾋﾞ";
    int nWords = 0;
    int nAlsoUtf8 = 0;
    const auto expectRead = [](const std::string& bytes, ELogEncoding eEncoding) {
        std::string strText;
        CLogFormat format;
        std::size_t nBadOffset = 0;
        ASSERT_EQ(CLogCodec::Decode(bytes, strText, format, nBadOffset), ELogDecodeFailure::None);
        EXPECT_EQ(format.eEncoding, eEncoding);
        CLogFormat detected;
        ASSERT_EQ(CLogCodec::DetectFormat(bytes, detected, nBadOffset), ELogDecodeFailure::None);
        EXPECT_EQ(detected.eEncoding, eEncoding);
        std::string strBack;
        CEncodeError error;
        ASSERT_TRUE(CLogCodec::Encode(strText, format, strBack, error));
        EXPECT_EQ(strBack, bytes);
    };
    for (std::size_t nStart = 0; nStart < kWords.size();) {
        const std::size_t nEnd = std::min(kWords.find(' ', nStart), kWords.size());
        const std::string strLine =
            "10m " + std::string(kWords.substr(nStart, nEnd - nStart)) + "\r\n";
        nStart = nEnd + 1;
        ++nWords;
        SCOPED_TRACE(strLine);
        std::string strCp932;
        CEncodeError error;
        ASSERT_TRUE(EncodeShiftJis(strLine, strCp932, error));
        std::size_t nError = 0;
        nAlsoUtf8 += IsValidUtf8(strCp932, nError) ? 1 : 0;
        expectRead(strCp932, ELogEncoding::ShiftJis);
        expectRead(strLine, ELogEncoding::Utf8);
    }
    EXPECT_EQ(nWords, 89);
    EXPECT_EQ(nAlsoUtf8, 5) << "the words that are valid both ways";
    // UTF-8 logs of units only, whose bytes are half-width katakana in CP932.
    expectRead("L=10\xCE\xBCH 50\xCE\xA9\r\n", ELogEncoding::Utf8);
}

// The worked examples' reports of every calculator and designer.
std::vector<std::string> WorkedReports() {
    const CLocalTime time{2026, 12, 8, 9, 5};
    return {kAirCoilWorkedReport,
            kPiWorkedReport,
            kToroidWorkedReport,
            kVfoWorkedReport,
            ComputeLadderFilter(10.0, 3.5, 2.4, time).m_strReport,
            ComputeLMatch(10.0, 50.0, 293.37, time).m_strReport,
            kAttenuatorWorkedReport,
            kToroidWindingWorkedReport,
            kAirCoilWindingWorkedReport,
            kXtalFilterWorkedReport,
            kXtalMeasureWorkedReport,
            ComputeXtalSort({10.000010, 10.000022, 9.999990, 10.000015}, 3, time).m_strReport};
}

TEST(LogCodecDetect, RealCp932ReportsAreNeverValidUtf8) {
    // Reading valid UTF-8 first is only safe because Shift-JIS Japanese
    // almost never forms valid UTF-8. Measured here on every report Vantix
    // writes: whole, and line by line without the full-width indent (a short
    // log may hold a single line of any of them).
    std::size_t nLines = 0;
    for (const std::string& strReport : WorkedReports()) {
        SCOPED_TRACE(strReport.substr(0, strReport.find('\r')));
        std::string strBytes;
        CEncodeError encodeError;
        ASSERT_TRUE(EncodeShiftJis(strReport, strBytes, encodeError));
        CLogFormat format;
        std::size_t nBadOffset = 0;
        ASSERT_EQ(CLogCodec::DetectFormat(strBytes, format, nBadOffset), ELogDecodeFailure::None);
        EXPECT_EQ(format.eEncoding, ELogEncoding::ShiftJis);
        for (std::size_t nStart = 0; nStart < strReport.size();) {
            const std::size_t nEnd = strReport.find("\r\n", nStart);
            std::string_view line(strReport.data() + nStart, nEnd - nStart);
            nStart = nEnd + 2;
            while (line.starts_with("　")) {
                line.remove_prefix(std::string_view("　").size());
            }
            if (std::all_of(line.begin(), line.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
                continue; // the same bytes in both encodings
            }
            ++nLines;
            ASSERT_TRUE(EncodeShiftJis(line, strBytes, encodeError));
            std::size_t nError = 0;
            EXPECT_FALSE(IsValidUtf8(strBytes, nError)) << line;
        }
    }
    EXPECT_GE(nLines, 110u);
}

} // namespace
