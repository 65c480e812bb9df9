#include "calc/air_coil_winding/AirCoilWinding.h"
#include "cli/CliTestSupport.h"
#include "support/WorkedReports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

std::string WindingReport(double dWire, double dLead) {
    return ComputeAirCoilWinding({10.0, 20.0, dWire, 15.0, dLead}, kTime).strReport;
}

TEST(AirCoilWindingCommandTest, PrintsTheDialogReport) {
    const struct {
        std::vector<const char*> args;
        std::string strReport;
    } cases[] = {
        {{"--wire", "1", "--lead", "0"}, kAirCoilWindingWorkedReport},
        {{"--awg", "18", "--lead", "0"}, WindingReport(1.024, 0.0)},
        {{"--wire", "1"}, WindingReport(1.0, 20.0)}, // 20 mm leads unless told
    };
    for (const auto& c : cases) {
        std::vector<const char*> args = {
            "aircoil-winding", "--diameter", "10",     "--length",        "20",
            "--turns",         "15",         "--time", "2026-12-08 09:05"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.nStatus, 0) << run.strErr;
        EXPECT_EQ(run.strOut, c.strReport) << c.args[0];
    }
}

// Every key in its place and every number reading back to the very double
// the core computed.
TEST(AirCoilWindingCommandTest, JsonKeysInOrderAtFullPrecision) {
    const CliRun run = RunCli({"aircoil-winding", "--diameter", "10", "--length", "20", "--wire",
                               "1", "--turns", "15", "--lead", "0", "--json"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    const CAirCoilWindingResult result = ComputeAirCoilWinding({10.0, 20.0, 1.0, 15.0, 0.0}, kTime);
    const std::string& strJson = run.strOut;
    ASSERT_EQ(strJson.rfind("{\"calculator\":\"aircoil-winding\",", 0), 0u) << strJson;
    const struct {
        const char* pszKey;
        double dValue;
    } numbers[] = {
        {"diameter", 10.0},
        {"length", 20.0},
        {"wire_mm", 1.0},
        {"turns", 15.0},
        {"lead_mm", 0.0},
        {"inductance_uH", result.dInductance},
        {"pitch_mm", result.dPitch},
        {"fits", 1.0},
        {"wire_length_mm", result.dWireLength},
        {"dc_resistance_ohm", result.dResistance},
        {"self_capacitance_pF", result.dSelfCapacitance},
        {"self_resonance_MHz", result.dSelfResonance},
    };
    std::size_t nAt = 0;
    for (const auto& n : numbers) {
        const std::string strKey = std::string(",\"") + n.pszKey + "\":";
        const std::size_t nFound = strJson.find(strKey, nAt);
        ASSERT_NE(nFound, std::string::npos) << n.pszKey << " in order\n" << strJson;
        const char* pszValue = strJson.c_str() + nFound + strKey.size();
        char* pszEnd = nullptr;
        const double dValue = std::strcmp(n.pszKey, "fits") == 0
                                  ? (std::strncmp(pszValue, "true", 4) == 0 ? 1.0 : 0.0)
                                  : std::strtod(pszValue, &pszEnd);
        EXPECT_EQ(dValue, n.dValue) << n.pszKey;
        nAt = nFound + strKey.size();
    }
    EXPECT_EQ(std::count(strJson.begin(), strJson.end(), ':'), 13) << strJson;
    EXPECT_EQ(strJson.substr(strJson.size() - 2), "}\n");
}

TEST(AirCoilWindingCommandTest, RefusesWhatTheDialogCouldNotReport) {
    const std::vector<std::vector<const char*>> cases = {
        {"aircoil-winding", "--diameter", "0", "--length", "20", "--wire", "1", "--turns", "15"},
        {"aircoil-winding", "--diameter", "10", "--length", "0", "--wire", "1", "--turns", "15"},
        {"aircoil-winding", "--diameter", "10", "--length", "20", "--wire", "0", "--turns", "15"},
        {"aircoil-winding", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "0"},
        // Diameter/length 1e9: no finite inductance.
        {"aircoil-winding", "--diameter", "100", "--length", "1e-7", "--wire", "1", "--turns", "5"},
    };
    for (const auto& args : cases) {
        ExpectFailure(args, 1, "巻線");
    }
}

TEST(AirCoilWindingCommandTest, BadUsageNamesTheProblem) {
    struct Case {
        std::vector<const char*> args;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"aircoil-winding", "--length", "20", "--wire", "1", "--turns", "15"}, "--diameter"},
        {{"aircoil-winding", "--diameter", "10", "--length", "20", "--turns", "15"}, "--wire"},
        {{"aircoil-winding", "--diameter", "10", "--length", "20", "--wire", "1"}, "--turns"},
        {{"aircoil-winding", "--diameter", "10", "--length", "20", "--awg", "2.5", "--turns", "15"},
         "--awg"},
        {{"aircoil-winding", "--diameter", "10", "--length", "1001", "--wire", "1", "--turns",
          "15"},
         "--length"},
        {{"aircoil-winding", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "15",
          "--lead", "-1"},
         "--lead"},
    };
    for (const Case& c : cases) {
        ExpectFailure(c.args, 2, c.pszInMessage);
    }
}

} // namespace
