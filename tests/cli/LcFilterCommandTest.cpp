#include "calc/lc_filter/LcReport.h"
#include "cli/CliTestSupport.h"
#include "text/ShiftJis.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<const char*> kTrapExample = {
    "lc-filter", "--cutoff", "7.5",    "--band", "7.0,7.2",
    "--traps",   "2",        "--core", "T-50-6", "--q",
    "150",       "--power",  "10",     "--time", "2026-12-10 09:05"};

std::vector<const char*> With(std::vector<const char*> args,
                              std::initializer_list<const char*> more) {
    args.insert(args.end(), more);
    return args;
}

// What the command prints is the dialog's report of the same design, and
// --append puts it after the log's text in Shift-JIS.
TEST(LcFilterCommand, PrintsAndAppendsTheDialogsReport) {
    CLcFilterInputs inputs;
    inputs.m_dCutoff = 7.5;
    inputs.m_dBandLow = 7.0;
    inputs.m_dBandHigh = 7.2;
    inputs.m_nTraps = 2;
    inputs.m_strCore = "T-50-6";
    inputs.m_dQ = 150.0;
    inputs.m_dPower = 10.0;
    const std::string strReport =
        LcFilterReport(inputs, DesignLcFilter(inputs), CLocalTime{2026, 12, 10, 9, 5});
    CliRun run = RunCli(kTrapExample);
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, strReport);

    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    run = RunCli(With(kTrapExample, {"--append", strLog.c_str()}));
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    std::string strBytes;
    CEncodeError error;
    ASSERT_TRUE(EncodeShiftJis(strReport, strBytes, error));
    EXPECT_EQ(ReadBytes(strLog), strBytes);
}

// Every worked example through --json: the keys and the numbers.
TEST(LcFilterCommand, JsonCarriesEveryWorkedNumber) {
    const struct {
        const char* pszName;
        std::vector<const char*> args;
        std::vector<const char*> parts;
    } cases[] = {
        {"stock pair given",
         {"lc-filter", "--response", "svc", "--capacitors", "150,470", "--band", "7,7.2", "--json"},
         {"{\"calculator\":\"lc-filter\",\"type\":\"lowpass\",\"response\":\"svc\",\"order\":7,"
          "\"impedance\":50,\"cutoff_mhz\":8.4155",
          "\"ripple_db\":2.351", "\"max_swr\":1.00466",
          "{\"name\":\"L2\",\"part\":\"L\",\"place\":\"series\",\"ideal_uh\":0.91408"}},
        {"stock search",
         {"lc-filter", "--response", "svc", "--cutoff", "7.5", "--band", "7,7.2", "--json"},
         {"\"candidates\":[{\"c_outer_pf\":150,\"c_inner_pf\":470,\"cutoff_mhz\":8.4155",
          "{\"c_outer_pf\":330,\"c_inner_pf\":680,\"cutoff_mhz\":8.583", "\"max_swr\":1.1476"}},
        {"traps built",
         With(kTrapExample, {"--json"}),
         {"\"trap_mhz\":[14.4",
          "{\"name\":\"C2\",\"part\":\"C\",\"place\":\"across L2\","
          "\"ideal_pf\":100.14",
          "\"value_uh\":1.156", "\"turns\":17", "\"ideal_figures\":{\"band_max_swr\":1.32",
          "\"checks\":[{\"mhz\":14.4", "\"attenuation_db\":null",
          "\"built_figures\":{\"band_max_swr\":1.26", "\"harmonics\":[{\"mhz\":14.4,\"dbc\":-100.5",
          "\"power_w\":8.7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const CliRun run = RunCli(c.args);
        ASSERT_EQ(run.nStatus, 0) << run.strErr;
        for (const char* pszPart : c.parts) {
            EXPECT_NE(run.strOut.find(pszPart), std::string::npos) << pszPart << "\n" << run.strOut;
        }
    }
}

// Bad usage (2) names the option; a design the rules refuse (1) says why;
// neither writes a report.
TEST(LcFilterCommand, MistakesAndRefusalsEndWithTheirStatus) {
    const struct {
        std::vector<const char*> args;
        int nStatus;
        const char* pszMessage;
    } cases[] = {
        {{"lc-filter", "--cutoff", "7.5"}, 2, "--band"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7"}, 2, "--band"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--type", "bandpass"}, 2, "--type"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--series", "E48"}, 2, "--series"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--order", "7.5"}, 2, "--order"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--set", "C1"}, 2, "--set"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--cutoff", "8"}, 2, "二度"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--order", "4"}, 1, "奇数"},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--type", "highpass", "--traps", "1"},
         1,
         ""},
        {{"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--set", "C9=100"}, 1, "C9"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        SCOPED_TRACE(run.strErr);
        EXPECT_EQ(run.nStatus, c.nStatus);
        EXPECT_EQ(run.strOut, "");
        EXPECT_NE(run.strErr.find(c.pszMessage), std::string::npos);
    }
}

// --set may be given again and again: each value is built, in order.
TEST(LcFilterCommand, EverySetIsBuilt) {
    const CliRun run = RunCli({"lc-filter", "--cutoff", "7.5", "--band", "7,7.2", "--set", "C1=400",
                               "--set", "L2=1.2", "--set", "C1=390", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_NE(
        run.strOut.find("\"name\":\"C1\",\"part\":\"C\",\"place\":\"shunt\",\"ideal_pf\":501."),
        std::string::npos);
    EXPECT_NE(run.strOut.find("\"value_pf\":390}"), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("\"value_uh\":1.2}"), std::string::npos);
}

} // namespace
