#include "tables/WireGaugeTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SelectCase {
    int nIndex;
    double dDiameter;
    const char* pszName;
};

// The ends of the table and the rows where the stored values differ from what
// the gauge formula would give.
TEST(WireGaugeTableTest, SelectIndexGivesRowDiameterAndName) {
    const SelectCase cases[] = {{0, 8.251, "AWG0"},   {46, 0.040, "AWG46"}, {20, 0.813, "AWG20"},
                                {40, 0.079, "AWG40"}, {44, 0.051, "AWG44"}, {12, 2.052, "AWG12"}};
    CWireGaugeTable table;
    for (const SelectCase& c : cases) {
        EXPECT_EQ(table.SelectIndex(c.nIndex), c.nIndex);
        EXPECT_EQ(table.Diameter(), c.dDiameter) << c.nIndex;
        EXPECT_EQ(table.Name(), c.pszName);
    }
}

TEST(WireGaugeTableTest, FailedSelectClearsWhateverWasSelected) {
    for (const int nIndex : {47, -1, 1000, -2147483647 - 1}) {
        CWireGaugeTable table;
        ASSERT_EQ(table.SelectIndex(3), 3);
        EXPECT_EQ(table.SelectIndex(nIndex), -1);
        EXPECT_EQ(table.Diameter(), 0.0);
        EXPECT_EQ(table.Name(), "");
    }
}

TEST(WireGaugeTableTest, FormatNameOutsideTableKeepsName) {
    CWireGaugeTable table;
    EXPECT_EQ(table.FormatName(7), 7);
    EXPECT_EQ(table.FormatName(47), -1);
    EXPECT_EQ(table.FormatName(-1), -1);
    EXPECT_EQ(table.Name(), "AWG7");
}

// The dialog fills its list this way; the list positions must be the gauges.
TEST(WireGaugeTableTest, EnumerationYieldsAwg0ToAwg46ThinningOut) {
    CWireGaugeTable table;
    std::vector<std::string> names;
    double dPrevious = 1e9;
    for (int i = 0; table.SelectIndex(i) >= 0; ++i) {
        names.push_back(table.Name());
        EXPECT_LT(table.Diameter(), dPrevious) << "AWG" << i;
        dPrevious = table.Diameter();
    }
    ASSERT_EQ(names.size(), 47u);
    EXPECT_EQ(table.Count(), 47);
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i], "AWG" + std::to_string(i));
    }
    EXPECT_EQ(table.Diameter(), 0.0); // the failed select that ended the loop
}

} // namespace
