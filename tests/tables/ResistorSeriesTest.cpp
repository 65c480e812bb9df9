#include "tables/ResistorSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The published decade of each series, as three-digit values.
TEST(ResistorSeriesTest, DecadesHoldThePublishedValues) {
    struct Case {
        EResistorSeries eSeries;
        const char* pszName;
        std::vector<int> first;
        int nLast;
        int nCount;
    };
    const Case cases[] = {
        {EResistorSeries::E6, "E6", {100, 150, 220, 330, 470, 680}, 680, 6},
        {EResistorSeries::E12, "E12", {100, 120, 150, 180, 220, 270, 330}, 820, 12},
        {EResistorSeries::E24,
         "E24",
         {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300},
         910,
         24},
        {EResistorSeries::E48, "E48", {100, 105, 110, 115, 121, 127, 133}, 953, 48},
        {EResistorSeries::E96, "E96", {100, 102, 105, 107, 110, 113, 115, 118}, 976, 96},
        {EResistorSeries::E192, "E192", {100, 101, 102, 104, 105, 106, 107, 109}, 988, 192},
    };
    for (const Case& c : cases) {
        const CResistorSeries series(c.eSeries);
        const std::vector<int>& decade = series.Decade();
        ASSERT_EQ(static_cast<int>(decade.size()), c.nCount) << c.pszName;
        EXPECT_EQ(series.Name(), std::string(c.pszName));
        EXPECT_TRUE(std::equal(c.first.begin(), c.first.end(), decade.begin())) << c.pszName;
        EXPECT_EQ(decade.back(), c.nLast) << c.pszName;
        EXPECT_TRUE(std::is_sorted(decade.begin(), decade.end())) << c.pszName;
        EXPECT_EQ(std::adjacent_find(decade.begin(), decade.end()), decade.end()) << c.pszName;
    }
}

TEST(ResistorSeriesTest, SpotChecksOfTheFinerSeries) {
    const CResistorSeries e96(EResistorSeries::E96);
    const CResistorSeries e192(EResistorSeries::E192);
    const std::vector<int>& d96 = e96.Decade();
    const std::vector<int>& d192 = e192.Decade();
    const auto holds = [](const std::vector<int>& decade, int nValue) {
        return std::find(decade.begin(), decade.end(), nValue) != decade.end();
    };
    for (const int nValue : {100, 249, 301, 499, 604, 806, 909, 931, 953, 976}) {
        EXPECT_TRUE(holds(d96, nValue)) << nValue;
        EXPECT_TRUE(holds(d192, nValue)) << nValue;
    }
    // The one value of E192 that does not follow the rounding rule.
    EXPECT_TRUE(holds(d192, 920));
    EXPECT_FALSE(holds(d192, 919));
    EXPECT_EQ(d192[185], 920);
    EXPECT_FALSE(holds(d96, 920));
    // Each coarser series of the three is every other value of the finer one.
    const CResistorSeries e48(EResistorSeries::E48);
    for (std::size_t i = 0; i < 48; ++i) {
        EXPECT_EQ(e48.Decade()[i], d96[2 * i]) << i;
        EXPECT_EQ(d96[i * 2], d192[i * 4]) << i;
    }
}

TEST(ResistorSeriesTest, CandidatesAreTheNeighboursAndOneBeyondInAnyDecade) {
    struct Case {
        EResistorSeries eSeries;
        double dIdeal;
        std::vector<double> candidates;
        int nBeyond = 1;
    };
    const Case cases[] = {
        {EResistorSeries::E24, 96.2475, {82.0, 91.0, 100.0, 110.0}},
        {EResistorSeries::E24, 71.15, {62.0, 68.0, 75.0, 82.0}},
        // A series value itself: it and one on each side.
        {EResistorSeries::E24, 100.0, {91.0, 100.0, 110.0}},
        {EResistorSeries::E6, 1.0, {0.68, 1.0, 1.5}},
        // Decades below 1 Ω and into the megohms.
        {EResistorSeries::E6, 1.0101, {0.68, 1.0, 1.5, 2.2}},
        {EResistorSeries::E12, 0.105, {0.082, 0.1, 0.12, 0.15}},
        {EResistorSeries::E24, 2.3e6, {2.0e6, 2.2e6, 2.4e6, 2.7e6}},
        {EResistorSeries::E192, 9.9e3, {9.76e3, 9.88e3, 10.0e3, 10.1e3}},
        {EResistorSeries::E192, 919.0, {898.0, 909.0, 920.0, 931.0}},
        // Five beyond each side, across a decade boundary.
        {EResistorSeries::E24, 50.0, {30, 33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82}, 5},
        {EResistorSeries::E6, 10.0, {1.5, 2.2, 3.3, 4.7, 6.8, 10, 15, 22, 33, 47, 68}, 5},
    };
    for (const Case& c : cases) {
        const CResistorSeries series(c.eSeries);
        const std::vector<double> candidates = series.Candidates(c.dIdeal, c.nBeyond);
        ASSERT_EQ(candidates.size(), c.candidates.size()) << c.dIdeal;
        for (std::size_t n = 0; n < candidates.size(); ++n) {
            // Written as the nearest double to the decimal value.
            EXPECT_EQ(candidates[n], c.candidates[n]) << c.dIdeal << " #" << n;
        }
    }
}

TEST(ResistorSeriesTest, NoCandidatesOutsideTheUsableRange) {
    const CResistorSeries series(EResistorSeries::E24);
    for (const double dIdeal : {0.0, -1.0, std::nan(""), HUGE_VAL, 1e-310, 1.7e308}) {
        EXPECT_TRUE(series.Candidates(dIdeal).empty()) << dIdeal;
    }
}

TEST(ResistorSeriesTest, NamesParseBack) {
    for (int n = 0; n < kResistorSeriesCount; ++n) {
        const CResistorSeries series(static_cast<EResistorSeries>(n));
        EResistorSeries eParsed = EResistorSeries::E6;
        EXPECT_TRUE(ParseResistorSeries(series.Name(), eParsed)) << series.Name();
        EXPECT_EQ(eParsed, series.Series());
    }
    EResistorSeries eParsed = EResistorSeries::E6;
    EXPECT_TRUE(ParseResistorSeries("e96", eParsed));
    EXPECT_EQ(eParsed, EResistorSeries::E96);
    for (const char* pszBad : {"", "E", "E25", "E241", "24", " E24"}) {
        EXPECT_FALSE(ParseResistorSeries(pszBad, eParsed)) << pszBad;
    }
}

} // namespace
