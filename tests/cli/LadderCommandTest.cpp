#include "cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CliRun RunLadder(std::vector<const char*> args) {
    args.insert(args.begin(), {"ladder", "--time", "2005-03-07 09:05"});
    return RunCli(args);
}

TEST(LadderCommand, PrintsTheDialogReport) {
    const CliRun run =
        RunLadder({"--frequency", "10", "--holder-capacitance", "3.5", "--bandwidth", "2.4"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut.rfind("　　　　　***** ＬＳＢ型ラダークリスタルフィルターの計算 *****\r\n"
                               "　　　　　2005-3-7  9:05\r\n",
                               0),
              0u);
    EXPECT_NE(run.strOut.find("　　　　　dF=2.400kHz   C=54.25PF   2C=108.50PF   Z=293.37Ω\r\n"),
              std::string::npos);
    EXPECT_TRUE(run.strOut.ends_with("Z=378.94Ω\r\n\r\n\r\n"));
}

TEST(LadderCommand, JsonCarriesRowsAndHandOver) {
    const CliRun run = RunLadder(
        {"--frequency", "10", "--holder-capacitance", "3.5", "--bandwidth", "2.4", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    const std::string& strJson = run.strOut;
    EXPECT_NE(strJson.find("\"rows\":[{\"bandwidth_khz\":1.79999"), std::string::npos) << strJson;
    EXPECT_NE(strJson.find("{\"bandwidth_khz\":3,\"c_pf\":42,\"c2_pf\":84,"), std::string::npos)
        << strJson;
    EXPECT_NE(strJson.find("\"termination_impedance_ohm\":293.373228"), std::string::npos);
    EXPECT_NE(
        strJson.find("\"hand_over\":{\"frequency_mhz\":10,\"zin_ohm\":50,\"zout_ohm\":293.37}"),
        std::string::npos)
        << strJson;
    std::size_t nRows = 0;
    for (std::size_t n = strJson.find("\"c2_pf\""); n != std::string::npos;
         n = strJson.find("\"c2_pf\"", n + 1)) {
        ++nRows;
    }
    EXPECT_EQ(nRows, 11u);
}

TEST(LadderCommand, NegativeTerminationHandsOverZero) {
    const CliRun run = RunLadder(
        {"--frequency", "1", "--holder-capacitance", "3.5", "--bandwidth", "2.4", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_NE(run.strOut.find("\"zout_ohm\":0}"), std::string::npos) << run.strOut;
}

struct StatusCase {
    std::vector<const char*> args;
    int nStatus;
};

class LadderCommandStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(LadderCommandStatus, ExitsAsTheDialogWouldDecide) {
    const CliRun run = RunLadder(GetParam().args);
    EXPECT_EQ(run.nStatus, GetParam().nStatus) << run.strErr;
    if (run.nStatus != 0) {
        EXPECT_TRUE(run.strOut.empty());
        EXPECT_FALSE(run.strErr.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LadderCommandStatus,
    ::testing::Values(
        // the field limits are inclusive
        StatusCase{{"--frequency", "100", "--holder-capacitance", "100", "--bandwidth", "1000"}, 0},
        StatusCase{{"--frequency", "0", "--holder-capacitance", "3.5", "--bandwidth", "2.4"}, 1},
        StatusCase{{"--frequency", "10", "--holder-capacitance", "3.5", "--bandwidth", "0"}, 1},
        StatusCase{{"--frequency", "100.5", "--holder-capacitance", "3.5", "--bandwidth", "2.4"},
                   2},
        StatusCase{{"--frequency", "10", "--holder-capacitance", "-1", "--bandwidth", "2.4"}, 2},
        StatusCase{{"--frequency", "10", "--holder-capacitance", "3.5", "--bandwidth", "1000.1"},
                   2},
        StatusCase{{"--frequency", "10", "--holder-capacitance", "3.5"}, 2}));

} // namespace
