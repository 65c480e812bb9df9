#include "calc/toroid_wizard/ToroidWizard.h"

#include "tables/ToroidCoreCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const CToroidSearchResult& result) {
    std::vector<std::string> names;
    for (const CToroidCandidate& candidate : result.m_candidates) {
        names.push_back(candidate.m_strName);
    }
    return names;
}

TEST(ToroidWizardTest, UnfilteredSearchListsEveryCore) {
    CToroidCoreCatalog catalog;
    const CToroidSearchResult result = SearchToroidCores(catalog, 10.0, "", "");
    ASSERT_EQ(result.m_lines.size(), 148u);
    ASSERT_EQ(result.m_candidates.size(), 148u);
    EXPECT_EQ(result.m_lines.front(), "　　　　　T-200-41  >11.5T\r\n");
    EXPECT_EQ(result.m_lines.back(), "　　　　　FB-101-43  >4.1T\r\n");
    std::string strExpected = "　　　　　目標インダクタンス  >10.00 μH\r\n";
    for (const std::string& strLine : result.m_lines) {
        strExpected += strLine;
    }
    EXPECT_EQ(result.m_strList, strExpected);

    const CToroidCandidate pick = PickToroidResult(catalog, 0, 10.0);
    EXPECT_EQ(pick.m_strName, "T-200-41");
    EXPECT_NEAR(pick.m_dTurns, 11.5087, 1e-4);
    EXPECT_EQ(pick.m_dTurns, result.m_candidates.front().m_dTurns);
}

TEST(ToroidWizardTest, FiltersKeepCatalogueOrder) {
    CToroidCoreCatalog catalog;
    const CToroidSearchResult ferrite = SearchToroidCores(catalog, 10.0, "", "43");
    EXPECT_EQ(Names(ferrite),
              (std::vector<std::string>{"FT-114-43", "FT-82-43", "FT-50-43", "FT-37-43", "FT-23-43",
                                        "FB-801-43", "FB-101-43"}));

    const CToroidSearchResult one = SearchToroidCores(catalog, 10.0, "T-80", "41");
    ASSERT_EQ(one.m_lines.size(), 1u);
    EXPECT_EQ(one.m_strList, "　　　　　目標インダクタンス  >10.00 μH\r\n"
                             "　　　　　T-80-41  >14.9T\r\n");
    EXPECT_EQ(PickToroidResult(catalog, 0, 10.0).m_strName, "T-80-41");
}

TEST(ToroidWizardTest, NoMatchOrNoTargetListsOnlyTheTarget) {
    struct Case {
        double dTarget;
        const char* pszSize;
        const char* pszMix;
        const char* pszList;
    };
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    for (const Case& c : {Case{10.0, "FB-801", "2", "　　　　　目標インダクタンス  >10.00 μH\r\n"},
                          Case{0.0, "", "", "　　　　　目標インダクタンス  >\r\n"},
                          Case{kNaN, "", "", "　　　　　目標インダクタンス  >\r\n"}}) {
        CToroidCoreCatalog catalog;
        // An earlier search with a result must leave nothing behind.
        SearchToroidCores(catalog, 10.0, "", "");
        const CToroidSearchResult result =
            SearchToroidCores(catalog, c.dTarget, c.pszSize, c.pszMix);
        EXPECT_TRUE(result.m_lines.empty()) << c.dTarget;
        EXPECT_TRUE(result.m_candidates.empty());
        EXPECT_EQ(result.m_strList, c.pszList);
        // No result line is selected: no core is picked.
        EXPECT_EQ(PickToroidResult(catalog, -1, c.dTarget).m_strName, "");
    }
}

TEST(ToroidWizardTest, PickingAnotherLineChangesCoreAndTurns) {
    CToroidCoreCatalog catalog;
    const CToroidSearchResult result = SearchToroidCores(catalog, 10.0, "", "43");
    const CToroidCandidate pick = PickToroidResult(catalog, 5, 10.0);
    EXPECT_EQ(pick.m_strName, "FB-801-43");
    EXPECT_DOUBLE_EQ(pick.m_dTurns, std::sqrt(10000.0 / 1565.0));
    EXPECT_EQ(PickToroidResult(catalog, 7, 10.0).m_strName, "");
}

TEST(ToroidWizardTest, LargestTargetOnTheSmallestAL) {
    CToroidCoreCatalog catalog;
    const CToroidSearchResult result = SearchToroidCores(catalog, 1e8, "T-12", "0");
    ASSERT_EQ(result.m_lines.size(), 1u);
    EXPECT_EQ(result.m_lines[0], "　　　　　T-12-0  >577350.3T\r\n");
    EXPECT_NEAR(result.m_candidates[0].m_dTurns, 577350.27, 0.01);
}

TEST(ToroidWizardTest, ListReportFramesTheListWithTitleAndDate) {
    CToroidCoreCatalog catalog;
    const CToroidSearchResult result = SearchToroidCores(catalog, 10.0, "T-80", "41");
    EXPECT_EQ(ToroidListReport(result.m_strList, CLocalTime{2005, 3, 7, 9, 5}),
              "　　　　　***** トロイダルコイルの計算 *****\r\n"
              "　　　　　2005-3-7  9:05\r\n"
              "　　　　　目標インダクタンス  >10.00 μH\r\n"
              "　　　　　T-80-41  >14.9T\r\n"
              "\r\n\r\n");
}

} // namespace
