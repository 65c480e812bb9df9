#include "calc/air_coil/AirCoil.h"
#include "cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CLocalTime kTime{2026, 12, 8, 10, 30};

std::string CoilReport(double dDiameter, double dLength, double dWire, double dTurns) {
    return ComputeAirCoil({dDiameter, dLength, dWire, dTurns}, kTime).strReport;
}

TEST(AirCoilCommandTest, PrintsTheDialogReport) {
    const CliRun run = RunCli({"aircoil", "--diameter", "10", "--length", "20", "--wire", "1",
                               "--turns", "20", "--time", "2026-12-08 10:30"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, CoilReport(10.0, 20.0, 1.0, 20.0));
    EXPECT_NE(run.strOut.find("インダクタンス  1.918 μH"), std::string::npos);
}

TEST(AirCoilCommandTest, AwgTakesTheTableDiameter) {
    const CliRun run = RunCli({"aircoil", "--diameter", "10", "--length", "20", "--awg", "20",
                               "--turns", "20", "--time", "2026-12-08 10:30"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, CoilReport(10.0, 20.0, 0.813, 20.0));
}

TEST(AirCoilCommandTest, InductanceTakesTheWizardsRoundedTurns) {
    // Mean diameter 11 mm, 20 mm, 1 µH: 14.4409 turns, handed over as 14.
    const CliRun run = RunCli({"aircoil", "--diameter", "10", "--length", "20", "--wire", "1",
                               "--inductance", "1", "--time", "2026-12-08 10:30"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, CoilReport(10.0, 20.0, 1.0, 14.0));

    const CliRun json = RunCli({"aircoil", "--diameter", "10", "--length", "20", "--wire", "1",
                                "--inductance", "1", "--json"});
    EXPECT_EQ(json.nStatus, 0);
    for (const char* pszPart :
         {"\"turns\":14,", "\"unrounded_turns\":14.440", "\"inductance_uH\":0.9398",
          "\"nagaoka_coefficient\":0.8030", "\"inductance_text\":\"0.9399 μH\""}) {
        EXPECT_NE(json.strOut.find(pszPart), std::string::npos) << pszPart << "\n" << json.strOut;
    }
}

TEST(AirCoilCommandTest, RefusesWhatTheDialogCouldNotReport) {
    struct Case {
        std::vector<const char*> args;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"aircoil", "--diameter", "0", "--length", "20", "--wire", "1", "--turns", "20"}, "0"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "0"}, "0"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--inductance", "0"},
         "0"},
        // x = 1e9: no finite coefficient.
        {{"aircoil", "--diameter", "100", "--length", "1e-7", "--wire", "0", "--turns", "5"},
         "計算できません"},
        {{"aircoil", "--diameter", "100", "--length", "1e-7", "--wire", "0", "--inductance", "5"},
         "計算できません"},
        // A tiny coil needs far more turns than the turns field takes.
        {{"aircoil", "--diameter", "1", "--length", "1000", "--awg", "46", "--inductance", "1e8"},
         "10000"},
    };
    for (const Case& c : cases) {
        ExpectFailure(c.args, 1, c.pszInMessage);
    }
}

TEST(AirCoilCommandTest, BadUsageNamesTheProblem) {
    struct Case {
        std::vector<const char*> args;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"aircoil", "--diameter", "10", "--length", "20", "--turns", "20"}, "--wire"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--awg", "3", "--turns",
          "20"},
         "--awg"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--wire", "1"}, "--turns"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "2",
          "--inductance", "1"},
         "--inductance"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--awg", "20.5", "--turns", "20"},
         "--awg"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--awg", "47", "--turns", "20"},
         "--awg"},
        {{"aircoil", "--diameter", "1001", "--length", "20", "--wire", "1", "--turns", "20"},
         "--diameter"},
        {{"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "10001"},
         "--turns"},
    };
    for (const Case& c : cases) {
        ExpectFailure(c.args, 2, c.pszInMessage);
    }
}

} // namespace
