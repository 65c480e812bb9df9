#include "calc/xtal_filter/XtalSort.h"

#include <gtest/gtest.h>

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
                                  "　　　　　4番  10.0000000MHz\r\n"
                                  "　　　　　1番  10.0000100MHz\r\n"
                                  "　　　　　5番  10.0000150MHz\r\n"
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
