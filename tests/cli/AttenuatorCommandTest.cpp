#include "cli/CliTestSupport.h"
#include "support/WorkedReports.h"
#include "text/ShiftJis.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::vector<const char*> kExample = {
    "attenuator", "--impedance", "50",     "--attenuation",   "10",
    "--power",    "5",           "--time", "2026-12-08 09:05"};

std::string Cp932(const std::string& strUtf8) {
    std::string strBytes;
    CEncodeError error;
    EXPECT_TRUE(EncodeShiftJis(strUtf8, strBytes, error));
    return strBytes;
}

TEST(AttenuatorCommand, PrintsAndAppendsTheDialogsReport) {
    CliRun run = RunCli(kExample);
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, kAttenuatorWorkedReport);

    std::vector<const char*> args = kExample;
    args.insert(args.end(), {"--encoding", "cp932"});
    run = RunCli(args);
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, Cp932(kAttenuatorWorkedReport));

    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    WriteBytes(strLog, Cp932("前の計算\r\n"));
    args = kExample;
    args.insert(args.end(), {"--append", strLog.c_str()});
    run = RunCli(args);
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "");
    EXPECT_EQ(ReadBytes(strLog), Cp932(std::string("前の計算\r\n") + kAttenuatorWorkedReport));
}

TEST(AttenuatorCommand, JsonKeysInOrderWithPowerOnlyWhenAskedFor) {
    std::vector<const char*> args = kExample;
    args.push_back("--json");
    CliRun run = RunCli(args);
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    const std::string& strJson = run.strOut;
    EXPECT_EQ(strJson.rfind("{\"calculator\":\"attenuator\",\"topology\":\"pi\",\"impedance\":50,"
                            "\"attenuation\":10,\"series\":\"E24\",\"power_w\":5,\"resistors\":["
                            "{\"name\":\"R2\",\"ideal_ohm\":96.247",
                            0),
              0u)
        << strJson;
    for (const char* pszPart :
         {"\"value_ohm\":100,\"power_w\":2.59", "{\"name\":\"R1\",\"ideal_ohm\":71.15",
          "\"value_ohm\":75,\"power_w\":1.66", "{\"name\":\"R2\",\"ideal_ohm\":96.247",
          "\"value_ohm\":100,\"power_w\":0.246", "}],\"actual_attenuation_db\":10.06",
          ",\"return_loss_db\":34.1", ",\"vswr\":1.0", ",\"load_power_w\":0.492"}) {
        EXPECT_NE(strJson.find(pszPart), std::string::npos) << pszPart << " in " << strJson;
    }
    EXPECT_EQ(strJson.substr(strJson.size() - 2), "}\n");
    // S11 is 1/51 here, so the VSWR is 52/50 but for the last bit.
    const std::size_t nVswr = strJson.find("\"vswr\":");
    ASSERT_NE(nVswr, std::string::npos);
    EXPECT_NEAR(std::stod(strJson.substr(nVswr + 7)), 1.04, 1e-12);

    // No power: no power keys at all. An exact match: return loss null.
    run = RunCli({"attenuator", "--impedance", "100", "--attenuation", "6.0206", "--topology",
                  "bridged-t", "--series", "e192", "--json"});
    ASSERT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut.find("power"), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("\"topology\":\"bridged-t\""), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("\"series\":\"E192\""), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("\"return_loss_db\":null,\"vswr\":1}"), std::string::npos)
        << run.strOut;
    EXPECT_NE(run.strOut.find("{\"name\":\"R3\",\"ideal_ohm\":100,\"value_ohm\":100}]"),
              std::string::npos)
        << run.strOut;
}

TEST(AttenuatorCommand, ExitStatusFollowsTheDialogsChecks) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    struct Case {
        std::vector<const char*> args;
        int nStatus;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"--impedance", "0", "--attenuation", "10"}, 1, "設計できません"},
        {{"--impedance", "50", "--attenuation", "0"}, 1, "設計できません"},
        {{"--impedance", "50", "--attenuation", "1e-300"}, 1, "設計できません"},
        {{"--impedance", "10001", "--attenuation", "10"}, 2, "0 から 10000 まで"},
        {{"--impedance", "50", "--attenuation", "100.5"}, 2, "0 から 100 まで"},
        {{"--impedance", "50", "--attenuation", "10", "--power", "-1"}, 2, "--power"},
        {{"--impedance", "50", "--attenuation", "10", "--power", "10001"}, 2, "0 から 10000 まで"},
        {{"--impedance", "50", "--attenuation", "10", "--topology", "L"}, 2, "pi、t、bridged-t"},
        {{"--impedance", "50", "--attenuation", "10", "--series", "E25"}, 2, "E192"},
        {{"--attenuation", "10"}, 2, "--impedance"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> args = {"attenuator"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ExpectFailure(args, c.nStatus, c.pszInMessage);
        args.insert(args.end(), {"--append", strLog.c_str()});
        ExpectFailure(args, c.nStatus, c.pszInMessage);
        EXPECT_FALSE(std::filesystem::exists(strLog));
    }
    // The upper limits themselves are accepted.
    const CliRun run = RunCli({"attenuator", "--impedance", "10000", "--attenuation", "100",
                               "--power", "10000", "--topology", "t", "--series", "E6"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
}

} // namespace
