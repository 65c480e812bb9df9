#include "cli/CliTestSupport.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PiCommand, PrintsTheDialogsReport) {
    const CliRun run =
        RunCli({"pi", "--impedance", "50", "--attenuation", "10", "--time", "2026-12-08 09:05"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, kPiWorkedReport);
}

TEST(PiCommand, JsonCarriesFullPrecisionAndTexts) {
    const CliRun run = RunCli({"pi", "--impedance", "50", "--attenuation", "10", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_NE(run.strOut.find("\"calculator\":\"pi\""), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("\"r2\":96.247"), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("\"r2_text\":\"96.24\""), std::string::npos) << run.strOut;
}

TEST(PiCommand, ExitStatusFollowsTheDialogsChecks) {
    struct Case {
        std::vector<const char*> args;
        int nStatus;
    };
    const std::vector<Case> cases = {
        {{"pi", "--impedance", "0", "--attenuation", "10"}, 1},      // refused like the dialog
        {{"pi", "--impedance", "50", "--attenuation", "0"}, 1},      // refused
        {{"pi", "--impedance", "10000", "--attenuation", "200"}, 0}, // both maxima included
        {{"pi", "--impedance", "10001", "--attenuation", "10"}, 2},  // out of range
        {{"pi", "--impedance", "50", "--attenuation", "-1"}, 2},     // out of range
        {{"pi", "--impedance", "abc", "--attenuation", "10"}, 2},    // not a number
        {{"pi", "--impedance", "50"}, 2},                            // missing option
        {{"pi", "--impedance", "50", "--attenuation", "10", "--x", "1"}, 2}, // unknown option
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.nStatus, c.nStatus) << c.args[1] << " " << c.args[2] << " " << run.strErr;
        if (run.nStatus != 0) {
            EXPECT_TRUE(run.strOut.empty());
            EXPECT_FALSE(run.strErr.empty());
        }
    }
}

} // namespace
