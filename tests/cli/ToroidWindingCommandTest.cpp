#include "calc/toroid_winding/ToroidWinding.h"
#include "cli/CliTestSupport.h"
#include "support/WorkedReports.h"
#include "tables/ToroidCoreCatalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

std::string WindingReport(double dTurns, double dWire, double dLead) {
    CToroidCoreCatalog catalog;
    catalog.FindName("T-50-2");
    return ComputeToroidWinding(catalog, {dTurns, dWire, dLead}, kTime).strReport;
}

TEST(ToroidWindingCommandTest, PrintsTheDialogReport) {
    const struct {
        std::vector<const char*> args;
        std::string strReport;
    } cases[] = {
        {{"--wire", "0.5", "--lead", "25"}, kToroidWindingWorkedReport},
        {{"--awg", "24", "--lead", "25"}, WindingReport(20.0, 0.511, 25.0)},
        {{"--wire", "0.5"}, WindingReport(20.0, 0.5, 20.0)}, // 20 mm leads unless told
    };
    for (const auto& c : cases) {
        std::vector<const char*> args = {
            "toroid-winding", "--core", "T-50-2", "--turns", "20", "--time", "2026-12-08 09:05"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.nStatus, 0) << run.strErr;
        EXPECT_EQ(run.strOut, c.strReport) << c.args[0];
    }
}

TEST(ToroidWindingCommandTest, JsonKeysInOrderAtFullPrecision) {
    const CliRun run = RunCli({"toroid-winding", "--core", "T-50-2", "--turns", "20", "--wire",
                               "0.5", "--lead", "25", "--json"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut,
              "{\"calculator\":\"toroid-winding\",\"core\":\"T-50-2\",\"turns\":20,"
              "\"wire_mm\":0.5,\"lead_mm\":25,\"inductance_uH\":2,"
              "\"turn_length_mm\":16.599999999999998,\"wire_length_mm\":381.99999999999994,"
              "\"dc_resistance_ohm\":0.03354327628198842,\"one_layer_turns\":45,"
              "\"fits_one_layer\":true}\n");
    const CliRun tight =
        RunCli({"toroid-winding", "--core", "T-50-2", "--turns", "46", "--wire", "0.5", "--json"});
    EXPECT_NE(tight.strOut.find("\"one_layer_turns\":45,\"fits_one_layer\":false}"),
              std::string::npos)
        << tight.strOut;
}

TEST(ToroidWindingCommandTest, RefusesWhatTheDialogCouldNotReport) {
    const std::vector<std::vector<const char*>> cases = {
        {"toroid-winding", "--core", "T-50-2", "--turns", "0", "--wire", "0.5"},
        {"toroid-winding", "--core", "T-50-2", "--turns", "20", "--wire", "0"},
        {"toroid-winding", "--core", "T-50-2", "--turns", "1e-200", "--wire", "0.5"},
    };
    for (const auto& args : cases) {
        ExpectFailure(args, 1, "巻線");
    }
}

TEST(ToroidWindingCommandTest, BadUsageNamesTheProblem) {
    struct Case {
        std::vector<const char*> args;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"toroid-winding", "--core", "T-50-9", "--turns", "20", "--wire", "0.5"}, "T-50-9"},
        {{"toroid-winding", "--turns", "20", "--wire", "0.5"}, "--core"},
        {{"toroid-winding", "--core", "T-50-2", "--wire", "0.5"}, "--turns"},
        {{"toroid-winding", "--core", "T-50-2", "--turns", "20"}, "--wire"},
        {{"toroid-winding", "--core", "T-50-2", "--turns", "20", "--wire", "1", "--awg", "20"},
         "--awg"},
        {{"toroid-winding", "--core", "T-50-2", "--turns", "20", "--awg", "47"}, "--awg"},
        {{"toroid-winding", "--core", "T-50-2", "--turns", "10001", "--wire", "1"}, "--turns"},
        {{"toroid-winding", "--core", "T-50-2", "--turns", "20", "--wire", "1", "--lead", "1001"},
         "--lead"},
    };
    for (const Case& c : cases) {
        ExpectFailure(c.args, 2, c.pszInMessage);
    }
}

} // namespace
