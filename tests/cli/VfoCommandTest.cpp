#include "cli/CliTestSupport.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VfoCommand, PrintsTheDialogsReport) {
    const CliRun run = RunCli({"vfo", "--fmin", "3.5", "--fmax", "7", "--cmin", "10", "--cmax",
                               "100", "--time", "2026-12-08 18:30"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, kVfoWorkedReport);
}

TEST(VfoCommand, NegativeFixedCapacitorIsAResultNotARefusal) {
    const CliRun run =
        RunCli({"vfo", "--fmin", "1", "--fmax", "10", "--cmin", "10", "--cmax", "100", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_NE(run.strOut.find("\"fixed_capacitance_text\":\"-9.09 PF\""), std::string::npos)
        << run.strOut;
}

TEST(VfoCommand, RefusesWhatTheDialogRefuses) {
    const std::vector<std::vector<const char*>> refused = {
        {"vfo", "--fmin", "0", "--fmax", "7", "--cmin", "10", "--cmax", "100"},
        {"vfo", "--fmin", "7", "--fmax", "7", "--cmin", "10", "--cmax", "100"},
        {"vfo", "--fmin", "3.5", "--fmax", "7", "--cmin", "100", "--cmax", "100"},
        {"vfo", "--fmin", "1e-300", "--fmax", "1000", "--cmin", "10", "--cmax", "100"},
    };
    for (const auto& args : refused) {
        ExpectFailure(args, 1);
    }
    EXPECT_EQ(
        RunCli({"vfo", "--fmin", "3.5", "--fmax", "1001", "--cmin", "10", "--cmax", "100"}).nStatus,
        2);
    EXPECT_EQ(
        RunCli({"vfo", "--fmin", "3.5", "--fmax", "7", "--cmin", "10", "--cmax", "10001"}).nStatus,
        2);
}

} // namespace
