#include "calc/xtal_filter/XtalSort.h"

#include "report/CFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

struct ListCase {
    const char* pszName;
    const char* pszText;
    std::vector<double> expected; // empty with pszError: refused
    const char* pszError = nullptr;
};

TEST(XtalSort, ReadsTypedPastedAndSpreadsheetLists) {
    const std::vector<ListCase> cases = {
        {"one per line", "10.000123\n10.000456\n", {10.000123, 10.000456}},
        {"CR LF, blanks, comments and a missing last line end",
         "# batch 2\r\n\r\n  10.1 \r\n10.2",
         {10.1, 10.2}},
        {"spreadsheet rows with a header, last field",
         "no,freq\n1,10.5\n2;10.6\n3\t10.7\n",
         {10.5, 10.6, 10.7}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "10.3\n",
         {10.3}},
        {"full-width digits typed through an IME", "１０．２５\n", {10.25}},
        {"empty", "", {}},
        {"junk after the header names its line", "freq\n10.1\nabc\n", {}, "3 行目"},
        {"out of range", "10.1\n1000\n", {}, "2 行目"},
        {"second header-like line is junk", "a\nb\n", {}, "2 行目"},
        {"decimal commas", "10,000123\n10,000456\n", {10.000123, 10.000456}},
        {"a typo on the first line is no header", "10.00O123\n10.0001\n", {}, "1 行目"},
        {"labels apart by spaces", "A1 10.1\nA2   10.2\n", {10.1, 10.2}},
    };
    for (const ListCase& c : cases) {
        std::vector<double> frequencies{99.0};
        std::string strError;
        const bool bOk = ParseXtalFrequencyList(c.pszText, frequencies, strError);
        EXPECT_EQ(bOk, c.pszError == nullptr) << c.pszName;
        if (c.pszError == nullptr) {
            EXPECT_EQ(frequencies, c.expected) << c.pszName;
            EXPECT_EQ(strError, "") << c.pszName;
        } else {
            EXPECT_NE(strError.find(c.pszError), std::string::npos)
                << c.pszName << ": " << strError;
        }
    }
}

// The set names each crystal by the line it stands on, and by its label when
// the line has one, in the report as in the dialog.
TEST(XtalSort, CrystalsAreNamedByTheirLineAndLabel) {
    std::vector<CXtalListEntry> entries;
    std::string strError;
    ASSERT_TRUE(ParseXtalFrequencyList("no,freq\n\n# batch\nX7,10.000030\nX8 10.000010\n"
                                       "10.000020\n10,000015\n",
                                       entries, strError))
        << strError;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].m_nLine, 4);
    EXPECT_EQ(entries[0].m_strLabel, "X7");
    EXPECT_EQ(entries[1].m_strLabel, "X8");
    EXPECT_EQ(entries[2].m_strLabel, "");
    EXPECT_EQ(entries[3].m_dFrequency, 10.000015);
    const CXtalSortResult result = ComputeXtalSort(entries, 3, kTime);
    ASSERT_TRUE(result.m_bComputed);
    EXPECT_EQ(result.m_names, (std::vector<std::string>{"5行目 X8", "7行目", "6行目"}));
    EXPECT_EQ(result.m_lines, (std::vector<int>{5, 7, 6}));
    EXPECT_NE(result.m_strReport.find("　　　　　5行目 X8  10.0000100MHz\r\n"), std::string::npos)
        << result.m_strReport;
    EXPECT_EQ(result.m_strWarning, "");
}

// A value far from the rest (a misread comma, another batch) is named.
TEST(XtalSort, AListSpanningMoreThanOnePercentWarnsNamingTheOutliers) {
    std::vector<CXtalListEntry> entries;
    std::string strError;
    ASSERT_TRUE(ParseXtalFrequencyList("10.000123\n10.000100\n10.000110\nC4;123\n10.000105\n"
                                       "10.0001\n",
                                       entries, strError));
    const std::string strWarning = XtalListSpreadWarning(entries);
    EXPECT_NE(strWarning.find("4行目 C4 123.000000MHz"), std::string::npos) << strWarning;
    EXPECT_EQ(strWarning.find("1行目"), std::string::npos) << strWarning;
    EXPECT_EQ(ComputeXtalSort(entries, 3, kTime).m_strWarning, strWarning);
    // Within the share: no word.
    entries.erase(entries.begin() + 3);
    EXPECT_EQ(XtalListSpreadWarning(entries), "");
    EXPECT_EQ(XtalListSpreadWarning({{10.0, 1, {}}, {10.09, 2, {}}}), "");
    EXPECT_NE(XtalListSpreadWarning({{10.0, 1, {}}, {10.11, 2, {}}}), "");
}

// Equally spaced lists have equal spreads everywhere: the first window wins
// whatever the decimals do in binary.
TEST(XtalSort, EqualSpreadsPickTheFirstWindow) {
    int nLists = 0;
    for (const double dStart : {3.579545, 7.0, 10.0, 10.7, 14.31818, 27.0}) {
        for (const double dStepHz : {1.0, 2.5, 7.0, 10.0, 33.3}) {
            for (const int nSize : {6, 9, 12, 20, 31}) {
                std::vector<double> frequencies;
                for (int k = 0; k < nSize; ++k) {
                    frequencies.push_back(std::stod(FormatC("%.7f", dStart + k * dStepHz * 1e-6)));
                }
                const CXtalSortResult result = ComputeXtalSort(frequencies, 4, kTime);
                ASSERT_TRUE(result.m_bComputed);
                EXPECT_EQ(result.m_indices, (std::vector<int>{0, 1, 2, 3}))
                    << dStart << " MHz, " << dStepHz << " Hz steps, " << nSize;
                ++nLists;
            }
        }
    }
    EXPECT_EQ(nLists, 150);
}

TEST(XtalSort, PicksTheTightestWindowFirstOnTies) {
    struct Case {
        std::vector<double> frequencies;
        int n;
        std::vector<int> indices;
        double dSpread; // Hz
    };
    const std::vector<Case> cases = {
        // sorted: 10.000000(3) 10.000010(0) 10.000015(4) 10.000030(1) 10.000100(2)
        {{10.000010, 10.000030, 10.000100, 10.000000, 10.000015}, 3, {3, 0, 4}, 15.0},
        // two windows of 20 Hz: the lower one wins
        {{10.00000, 10.00002, 10.00010, 10.00012}, 2, {0, 1}, 20.0},
        // equal frequencies keep the list's order
        {{10.00005, 10.00001, 10.00005, 10.00009}, 2, {0, 2}, 0.0},
        {{10.0, 10.1}, 2, {0, 1}, 100000.0},
    };
    for (const Case& c : cases) {
        const CXtalSortResult result = ComputeXtalSort(c.frequencies, c.n, kTime);
        ASSERT_TRUE(result.m_bComputed);
        EXPECT_EQ(result.m_indices, c.indices);
        EXPECT_NEAR(result.m_dSpread, c.dSpread, 1e-6);
        for (std::size_t i = 0; i < c.indices.size(); ++i) {
            EXPECT_EQ(result.m_frequencies[i], c.frequencies[c.indices[i]]);
        }
    }
}

TEST(XtalSort, Report) {
    const CXtalSortResult result =
        ComputeXtalSort({10.000010, 10.000030, 10.000100, 10.000000, 10.000015}, 3, kTime);
    EXPECT_EQ(result.m_strReport, "　　　　　***** 水晶の選別 *****\r\n"
                                  "　　　　　2026-12-8  9:05\r\n"
                                  "　　　　　測定した水晶  5個\r\n"
                                  "　　　　　選ぶ数  3\r\n"
                                  "　　　　　4行目  10.0000000MHz\r\n"
                                  "　　　　　1行目  10.0000100MHz\r\n"
                                  "　　　　　5行目  10.0000150MHz\r\n"
                                  "　　　　　ばらつき  15.0Hz\r\n"
                                  "　　　　　平均  10.0000083MHz\r\n"
                                  "\r\n");
}

TEST(XtalSort, RefusesTooFewCrystalsOrABadCount) {
    for (const auto& [frequencies, n] : {std::pair{std::vector<double>{10.0, 10.1}, 3},
                                         std::pair{std::vector<double>{10.0, 10.1, 10.2}, 1},
                                         std::pair{std::vector<double>(20, 10.0), 9}}) {
        const CXtalSortResult result = ComputeXtalSort(frequencies, n, kTime);
        EXPECT_FALSE(result.m_bComputed) << n;
        EXPECT_FALSE(result.m_strMessage.empty());
        EXPECT_EQ(result.m_strReport, kXtalSortNoReport);
    }
}

} // namespace
