#include "cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CliRun RunLMatch(std::vector<const char*> args) {
    args.insert(args.begin(), {"lmatch", "--time", "2005-03-07 09:05"});
    return RunCli(args);
}

TEST(LMatchCommand, PrintsTheDialogReport) {
    const CliRun run = RunLMatch({"--frequency", "10", "--zin", "50", "--zout", "293.37"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "　　　　　***** Ｌ型マッチング回路の計算 *****\r\n"
                          "　　　　　2005-3-7  9:05\r\n"
                          "　　　　　入力インピーダンス  50.0Ω\r\n"
                          "　　　　　出力インピーダンス  293.4Ω\r\n"
                          "　　　　　周波数  10.000MHz\r\n"
                          "　　　　　C= 119.74PF\r\n"
                          "　　　　　L= 1.75μH\r\n"
                          "\r\n");
}

TEST(LMatchCommand, JsonCarriesExchangedImpedances) {
    const CliRun run = RunLMatch({"--frequency", "7", "--zin", "200", "--zout", "50", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_NE(run.strOut.find("\"inputs\":{\"frequency_mhz\":7,\"zin_ohm\":200,\"zout_ohm\":50}"),
              std::string::npos)
        << run.strOut;
    EXPECT_NE(
        run.strOut.find("\"exchanged\":true,\"zin_ohm\":50,\"zout_ohm\":200,\"c_pf\":197.003"),
        std::string::npos)
        << run.strOut;
}

struct StatusCase {
    std::vector<const char*> args;
    int nStatus;
};

class LMatchCommandStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(LMatchCommandStatus, ExitsAsTheDialogWouldDecide) {
    const CliRun run = RunLMatch(GetParam().args);
    EXPECT_EQ(run.nStatus, GetParam().nStatus) << run.strErr;
    if (run.nStatus != 0) {
        EXPECT_TRUE(run.strOut.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LMatchCommandStatus,
    ::testing::Values(StatusCase{{"--frequency", "2000", "--zin", "100000", "--zout", "1"}, 0},
                      StatusCase{{"--frequency", "7", "--zin", "75", "--zout", "75"}, 0},
                      StatusCase{{"--frequency", "0", "--zin", "50", "--zout", "200"}, 1},
                      StatusCase{{"--frequency", "7", "--zin", "50", "--zout", "0"}, 1},
                      StatusCase{{"--frequency", "2000.01", "--zin", "50", "--zout", "200"}, 2},
                      StatusCase{{"--frequency", "7", "--zin", "100001", "--zout", "200"}, 2},
                      StatusCase{{"--frequency", "7", "--zin", "50", "--zout", "-5"}, 2},
                      StatusCase{{"--frequency", "7", "--zin", "50"}, 2}));

} // namespace
