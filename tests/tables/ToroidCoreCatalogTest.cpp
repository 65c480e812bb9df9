#include "tables/ToroidCoreCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A second copy of the catalogue, one row per size: dimensions, then the
// mixes with their AL in catalogue order. Typed apart from the table it checks.
struct SizeRow {
    const char* pszSize;
    double dOuter;
    double dInner;
    double dHeight;
    std::vector<std::pair<const char*, double>> mixes;
};

const std::vector<SizeRow>& SizeRows() {
    static const std::vector<SizeRow> rows = {
        {"T-200", 50.8, 31.8, 14, {{"41", 75.5}, {"6", 10.5}, {"3", 36}, {"2", 12}}},
        {"T-184", 46.7, 24.1, 18.1, {{"41", 164}, {"6", 19.5}, {"3", 72}, {"2", 24}}},
        {"T-157", 39.9, 24.1, 14.5, {{"41", 97}, {"6", 11.5}, {"3", 42}, {"2", 14}}},
        {"T-130",
         33,
         19.8,
         11.1,
         {{"41", 78.5}, {"15", 25}, {"6", 9.6}, {"3", 33}, {"1", 20}, {"2", 11}, {"0", 1.5}}},
        {"T-106",
         26.9,
         14.2,
         11.1,
         {{"41", 90}, {"15", 33}, {"6", 11.6}, {"3", 40.5}, {"2", 13.5}, {"1", 28}, {"0", 1.92}}},
        {"T-94",
         23.9,
         14.2,
         7.9,
         {{"41", 59},
          {"12", 3.2},
          {"10", 5.8},
          {"6", 7},
          {"3", 24.8},
          {"2", 8.4},
          {"1", 16},
          {"0", 1.06}}},
        {"T-80",
         20.2,
         12.6,
         6.4,
         {{"41", 45},
          {"15", 17},
          {"12", 2.2},
          {"10", 3.4},
          {"6", 4.5},
          {"3", 18},
          {"2", 5.5},
          {"1", 11.5},
          {"0", 0.85}}},
        {"T-68",
         17.5,
         9.6,
         4.8,
         {{"41", 42},
          {"15", 18},
          {"12", 2.1},
          {"10", 3.2},
          {"6", 4.7},
          {"3", 19.5},
          {"2", 5.7},
          {"1", 11.5},
          {"0", 0.75}}},
        {"T-50",
         12.7,
         7.7,
         4.8,
         {{"41", 32},
          {"15", 13.5},
          {"12", 1.8},
          {"10", 3.1},
          {"6", 4},
          {"3", 17.5},
          {"2", 5},
          {"1", 10},
          {"0", 0.64}}},
        {"T-44",
         11.2,
         5.8,
         4.1,
         {{"41", 22.9},
          {"15", 16},
          {"10", 3.3},
          {"6", 4.2},
          {"3", 18},
          {"2", 5.7},
          {"1", 10.5},
          {"0", 0.65}}},
        {"T-37",
         9.4,
         5.2,
         3.3,
         {{"41", 24},
          {"15", 9},
          {"12", 1.5},
          {"10", 2.5},
          {"6", 3},
          {"3", 11},
          {"2", 4.2},
          {"1", 8},
          {"0", 0.49}}},
        {"T-30",
         7.8,
         3.8,
         3.3,
         {{"41", 37.5},
          {"15", 9.3},
          {"12", 1.6},
          {"10", 2.5},
          {"6", 3.6},
          {"3", 11},
          {"2", 4.3},
          {"1", 8.5},
          {"0", 0.6}}},
        {"T-25",
         6.5,
         3,
         2.4,
         {{"41", 20},
          {"15", 8.5},
          {"12", 1.3},
          {"10", 1.9},
          {"6", 2.7},
          {"3", 10},
          {"2", 3.4},
          {"1", 7},
          {"0", 0.45}}},
        {"T-20",
         5.1,
         2.2,
         1.7,
         {{"41", 17.5},
          {"15", 6.5},
          {"12", 1},
          {"10", 1.6},
          {"6", 2.2},
          {"3", 9},
          {"2", 2.7},
          {"1", 5.2},
          {"0", 0.35}}},
        {"T-16",
         4.1,
         2,
         1.5,
         {{"41", 13},
          {"12", 0.8},
          {"10", 1.3},
          {"6", 1.9},
          {"3", 6.1},
          {"2", 2.2},
          {"1", 4.4},
          {"0", 0.3}}},
        {"T-12",
         3.2,
         1.6,
         1.3,
         {{"41", 9},
          {"12", 0.85},
          {"10", 1.2},
          {"6", 1.9},
          {"3", 6},
          {"2", 2.4},
          {"1", 4.8},
          {"0", 0.3}}},
        {"FT-114",
         29,
         19,
         7.49,
         {{"63", 25.4}, {"61", 101}, {"43", 603}, {"72", 1610}, {"75", 3170}}},
        {"FT-82",
         20.95,
         13.21,
         6.35,
         {{"75", 2930}, {"72", 1268}, {"63", 22.4}, {"61", 79.3}, {"43", 557}}},
        {"FT-50",
         12.7,
         7.14,
         4.77,
         {{"75", 2750}, {"72", 1100}, {"63", 22}, {"61", 68}, {"43", 523}}},
        {"FT-37",
         9.54,
         4.75,
         3.13,
         {{"75", 2210}, {"72", 884}, {"63", 17.7}, {"61", 55.3}, {"43", 420}}},
        {"FT-23",
         5.84,
         3.05,
         1.52,
         {{"75", 990}, {"72", 396}, {"63", 7.9}, {"61", 24.8}, {"43", 188}}},
        {"FB-801", 7.5, 2.4, 7.5, {{"43", 1565}}},
        {"FB-101", 3.7, 1.4, 3.3, {{"43", 609}}},
    };
    return rows;
}

// Paint codes of the iron-powder mixes; ferrites carry two spaces.
const std::map<std::string, std::string>& PowderColors() {
    static const std::map<std::string, std::string> colors = {
        {"41", "緑"}, {"6", "黄色"}, {"3", "灰"},  {"2", "赤"},      {"15", "赤／白"},
        {"1", "青"},  {"0", "橙"},   {"10", "黒"}, {"12", "緑／白"},
    };
    return colors;
}

TEST(ToroidCoreCatalogTest, EveryEntryMatchesTheSizeTable) {
    CToroidCoreCatalog catalog;
    ASSERT_EQ(catalog.GetResultCount(), 148);
    int k = 0;
    std::map<std::string, int> families;
    for (const SizeRow& row : SizeRows()) {
        const std::string strSize = row.pszSize;
        const bool bPowder = strSize.rfind("T-", 0) == 0;
        for (const auto& [pszMix, dAL] : row.mixes) {
            SCOPED_TRACE(strSize + "-" + pszMix);
            ASSERT_EQ(catalog.SelectResult(k), k);
            EXPECT_EQ(catalog.m_strName, strSize + "-" + pszMix);
            EXPECT_EQ(catalog.GetSize(k), strSize);
            EXPECT_EQ(catalog.GetMix(k), pszMix);
            // Both sides are the double nearest to the same decimal.
            EXPECT_EQ(catalog.m_dAL, dAL);
            EXPECT_EQ(catalog.m_dOuterDiameter, row.dOuter);
            EXPECT_EQ(catalog.m_dInnerDiameter, row.dInner);
            EXPECT_EQ(catalog.m_dHeight, row.dHeight);
            EXPECT_EQ(catalog.m_strColor, bPowder ? PowderColors().at(pszMix) : "  ");
            ++families[strSize.substr(0, strSize.find('-'))];
            ++k;
        }
    }
    EXPECT_EQ(k, catalog.GetCoreCount());
    EXPECT_EQ(families["T"], 121);
    EXPECT_EQ(families["FT"], 25);
    EXPECT_EQ(families["FB"], 2);
}

TEST(ToroidCoreCatalogTest, StaysWithinItsFixedArrays) {
    CToroidCoreCatalog catalog;
    EXPECT_LE(catalog.GetCoreCount(), CToroidCoreCatalog::kMaxCores);
    EXPECT_LE(catalog.GetSizeCount(), CToroidCoreCatalog::kMaxSizes);
    EXPECT_LE(catalog.GetMaterialCount(), CToroidCoreCatalog::kMaxMaterials);
}

TEST(ToroidCoreCatalogTest, StartsWithTheFirstCoreCurrent) {
    CToroidCoreCatalog catalog;
    EXPECT_EQ(catalog.m_strName, "T-200-41");
    EXPECT_EQ(catalog.m_strColor, "緑");
    EXPECT_EQ(catalog.m_dAL, 75.5);
    EXPECT_EQ(catalog.m_dOuterDiameter, 50.8);
}

TEST(ToroidCoreCatalogTest, SizeListKeepsFirstAppearanceOrder) {
    CToroidCoreCatalog catalog;
    std::vector<std::string> sizes;
    std::string strName;
    for (int i = 0; catalog.GetSizeName(i, strName) == i; ++i) {
        sizes.push_back(strName);
    }
    std::vector<std::string> expected;
    for (const SizeRow& row : SizeRows()) {
        expected.push_back(row.pszSize);
    }
    EXPECT_EQ(sizes, expected);
    ASSERT_EQ(sizes.size(), 23u);
    EXPECT_EQ(catalog.GetSizeName(22, strName), 22);
    EXPECT_EQ(strName, "FB-101");
    EXPECT_EQ(catalog.GetSizeName(23, strName), -1);
    EXPECT_EQ(strName, "");
    strName = "stale";
    EXPECT_EQ(catalog.GetSizeName(-1, strName), -1);
    EXPECT_EQ(strName, "");
}

TEST(ToroidCoreCatalogTest, MaterialListIsSortedByValue) {
    CToroidCoreCatalog catalog;
    const std::vector<std::string> expected = {"0",  "1",  "2",  "3",  "6",  "10", "12",
                                               "15", "41", "43", "61", "63", "72", "75"};
    std::string strName;
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        EXPECT_EQ(catalog.GetMaterialName(i, strName), i);
        EXPECT_EQ(strName, expected[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(catalog.GetMaterialName(14, strName), -1);
    EXPECT_EQ(strName, "");
    EXPECT_EQ(catalog.GetMaterialName(-1, strName), -1);
}

struct SearchCase {
    const char* pszSize;
    const char* pszMix;
    std::vector<std::string> names; // every result, in order
};

void PrintTo(const SearchCase& c, std::ostream* os) {
    *os << '"' << c.pszSize << "\" \"" << c.pszMix << '"';
}

class ToroidSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(ToroidSearchTest, FindsExactlyTheseCoresInCatalogueOrder) {
    const SearchCase& c = GetParam();
    CToroidCoreCatalog catalog;
    ASSERT_EQ(catalog.SelectResult(5), 5); // T-184-6
    const int nCount = catalog.Search(c.pszSize, c.pszMix);
    // The current core is a copy and survives any search.
    EXPECT_EQ(catalog.m_strName, "T-184-6");
    ASSERT_EQ(nCount, static_cast<int>(c.names.size()));
    ASSERT_EQ(catalog.GetResultCount(), nCount);
    for (int k = 0; k < nCount; ++k) {
        ASSERT_EQ(catalog.SelectResult(k), k);
        EXPECT_EQ(catalog.m_strName, c.names[static_cast<size_t>(k)]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ToroidSearchTest,
    ::testing::Values(SearchCase{"T-80",
                                 "",
                                 {"T-80-41", "T-80-15", "T-80-12", "T-80-10", "T-80-6", "T-80-3",
                                  "T-80-2", "T-80-1", "T-80-0"}},
                      SearchCase{"",
                                 "43",
                                 {"FT-114-43", "FT-82-43", "FT-50-43", "FT-37-43", "FT-23-43",
                                  "FB-801-43", "FB-101-43"}},
                      SearchCase{"T-80", "41", {"T-80-41"}}, SearchCase{"T-94", "15", {}},
                      SearchCase{"FB-801", "2", {}}, SearchCase{"T-8", "", {}},
                      SearchCase{"", "4", {}}, SearchCase{"t-80", "", {}},
                      SearchCase{"T-80 ", "", {}}, SearchCase{"", "043", {}}));

TEST(ToroidCoreCatalogTest, UnfilteredSearchRestoresTheWholeCatalogue) {
    CToroidCoreCatalog catalog;
    catalog.Search("T-80", "");
    ASSERT_EQ(catalog.Search("", ""), 148);
    catalog.SelectResult(0);
    EXPECT_EQ(catalog.m_strName, "T-200-41");
    catalog.SelectResult(147);
    EXPECT_EQ(catalog.m_strName, "FB-101-43");
}

TEST(ToroidCoreCatalogTest, SelectingOutsideTheResultsClearsTheCurrentCore) {
    CToroidCoreCatalog catalog;
    catalog.Search("T-80", "");
    for (const int k : {9, -1, 1000}) {
        catalog.SelectResult(0);
        EXPECT_EQ(catalog.SelectResult(k), -1);
        EXPECT_EQ(catalog.m_strName, "");
        EXPECT_EQ(catalog.m_strColor, "");
        EXPECT_EQ(catalog.m_dAL, 0.0);
        EXPECT_EQ(catalog.m_dOuterDiameter, 0.0);
        EXPECT_EQ(catalog.m_dInnerDiameter, 0.0);
        EXPECT_EQ(catalog.m_dHeight, 0.0);
    }
    EXPECT_EQ(catalog.GetInductance(20.0), 0.0);
    EXPECT_FALSE(std::isfinite(catalog.GetTurns(10.0)));
}

TEST(ToroidCoreCatalogTest, NameSplitsAtTheLastHyphen) {
    CToroidCoreCatalog catalog;
    EXPECT_EQ(catalog.GetMix(146), "43");
    EXPECT_EQ(catalog.GetSize(146), "FB-801");
    EXPECT_EQ(catalog.GetMix(148), "");
    EXPECT_EQ(catalog.GetSize(148), "");
    EXPECT_EQ(catalog.GetMix(-1), "");
}

TEST(ToroidCoreCatalogTest, FindNameCountsWithinTheResultList) {
    CToroidCoreCatalog catalog;
    EXPECT_EQ(catalog.FindName("T-80-1"), 41);
    EXPECT_EQ(catalog.m_strName, "T-80-1");
    catalog.Search("T-80", "");
    EXPECT_EQ(catalog.FindName("T-80-1"), 7);
    // A miss walks the whole list and leaves its last core current.
    EXPECT_EQ(catalog.FindName("T-80"), -1);
    EXPECT_EQ(catalog.m_strName, "T-80-0");
    catalog.Search("T-94", "15");
    EXPECT_EQ(catalog.FindName("T-94-41"), -1);
    EXPECT_EQ(catalog.m_strName, "T-80-0");
}

TEST(ToroidCoreCatalogTest, CoilFormulasUseTheCurrentAL) {
    CToroidCoreCatalog catalog;
    EXPECT_DOUBLE_EQ(catalog.GetInductance(20.0), 30.2);
    ASSERT_GE(catalog.FindName("T-50-2"), 0);
    EXPECT_DOUBLE_EQ(catalog.GetInductance(10.0), 0.5);
    EXPECT_DOUBLE_EQ(catalog.GetTurns(10.0), std::sqrt(2000.0));
    // Turns keep their fraction both ways.
    EXPECT_DOUBLE_EQ(catalog.GetInductance(2.5), 2.5 * 5.0 * 2.5 / 1000.0);
    EXPECT_DOUBLE_EQ(catalog.GetTurns(catalog.GetInductance(44.7)), 44.7);
}

} // namespace
