#include "cli/CliTestSupport.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <sstream>
#include <streambuf>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

// A stand-in calculator: refuses an impedance of 1, as a dialog refuses its
// no-result case.
CCalcOutcome RunFake(const COptionValues& values, const CLocalTime& time) {
    CCalcOutcome outcome;
    const double dImpedance = values.Number("impedance");
    if (dImpedance == 1.0) {
        outcome.eStatus = CCalcOutcome::Refused;
        outcome.strMessage = "インピーダンス 1 では計算できません。";
        return outcome;
    }
    std::string strDate;
    CReportFormatter().FormatTimestamp(strDate, time);
    outcome.strReport = "　　　　　***** 仮の計算 *****\r\n" + strDate +
                        FormatC("　　　　　インピーダンス  %.1fΩ\r\n\r\n", dImpedance);
    outcome.strJson = CJsonWriter()
                          .BeginObject()
                          .Number("impedance", dImpedance)
                          .String("name", values.Text("name"))
                          .EndObject()
                          .Text();
    return outcome;
}

const std::vector<CCalcCommand> kCommands = {
    {"fake",
     "仮の計算",
     {{"impedance", "Ω", "インピーダンス", COptionDef::Number, 1.0, 10000.0, true},
      {"name", "TEXT", "名前", COptionDef::Text, 0.0, 0.0, false}},
     &RunFake},
};

CliRun RunFakeCli(std::vector<const char*> args) {
    return RunCli(kCommands, std::move(args));
}

const std::string kReport = "　　　　　***** 仮の計算 *****\r\n"
                            "　　　　　2005-3-7  9:05\r\n"
                            "　　　　　インピーダンス  50.0Ω\r\n\r\n";

TEST(CalcCliTest, NoArgumentsListsCalculatorsOnStdout) {
    const CliRun run = RunFakeCli({});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_NE(run.strOut.find("fake"), std::string::npos);
    EXPECT_NE(run.strOut.find("仮の計算"), std::string::npos);
    EXPECT_NE(run.strOut.find("--append"), std::string::npos);
    EXPECT_TRUE(run.strErr.empty());
}

TEST(CalcCliTest, VersionAndHelp) {
    EXPECT_EQ(RunFakeCli({"--version"}).strOut, "vantix-calc 1.3.0.1\n");
    EXPECT_EQ(RunFakeCli({"--help"}).strOut, RunFakeCli({}).strOut);
    const CliRun help = RunFakeCli({"fake", "--help"});
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_NE(help.strOut.find("--impedance Ω"), std::string::npos) << help.strOut;
    EXPECT_NE(help.strOut.find("1 から 10000 まで"), std::string::npos) << help.strOut;
}

// Columns a UTF-8 text takes up to byte nEnd, counting each character as one
// (the help's value names and blanks are all narrow).
std::size_t Columns(const std::string& strLine, std::size_t nEnd) {
    std::size_t nColumns = 0;
    for (std::size_t k = 0; k < nEnd; ++k) {
        nColumns += (static_cast<unsigned char>(strLine[k]) & 0xC0) != 0x80 ? 1 : 0;
    }
    return nColumns;
}

// The option texts line up in one column even where a value name such as
// "Ω" takes more bytes than columns; a value name that lists its choices and
// leaves no room pushes the text to the next line, never against the name.
TEST(CalcCliTest, OptionHelpStartsInOneColumn) {
    std::vector<std::string> helps = {RunFakeCli({"fake", "--help"}).strOut};
    for (const CCalcCommand& command : CalcCommands()) {
        helps.push_back(RunCli({command.pszName, "--help"}).strOut);
    }
    int nOptionLines = 0;
    int nWrapped = 0;
    for (const std::string& strHelp : helps) {
        std::istringstream lines(strHelp);
        std::string strLine;
        while (std::getline(lines, strLine)) {
            if (strLine.rfind("  --", 0) != 0) {
                continue;
            }
            ++nOptionLines;
            std::size_t nGap = strLine.find("  ", 4);
            if (nGap == std::string::npos) {
                ++nWrapped;
                EXPECT_GT(Columns(strLine, strLine.size()), 26u) << strLine;
                ASSERT_TRUE(std::getline(lines, strLine)) << strHelp;
                nGap = 0;
            }
            const std::size_t nText = strLine.find_first_not_of(' ', nGap);
            ASSERT_NE(nText, std::string::npos) << strLine;
            EXPECT_EQ(Columns(strLine, nText), 28u) << strLine;
        }
    }
    EXPECT_GE(nOptionLines, 50);
    EXPECT_GE(nWrapped, 3); // --topology, --series, --response
}

TEST(CalcCliTest, UnknownCalculatorGivesUsageOnStderr) {
    const CliRun run = RunFakeCli({"nosuch", "--impedance", "50"});
    EXPECT_EQ(run.nStatus, 2);
    EXPECT_TRUE(run.strOut.empty());
    EXPECT_NE(run.strErr.find("nosuch"), std::string::npos);
    EXPECT_NE(run.strErr.find("fake"), std::string::npos);
}

struct BadUsage {
    const char* pszName;
    std::vector<const char*> args;
    std::vector<const char*> mentions; // the message names these
};

void PrintTo(const BadUsage& c, std::ostream* os) {
    *os << c.pszName;
}

class CalcCliBadUsage : public ::testing::TestWithParam<BadUsage> {};

TEST_P(CalcCliBadUsage, ExitsTwoWritingNothing) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    std::vector<const char*> args = GetParam().args;
    args.push_back("--append");
    args.push_back(strLog.c_str());
    const CliRun run = RunFakeCli(args);
    EXPECT_EQ(run.nStatus, 2);
    EXPECT_TRUE(run.strOut.empty()) << run.strOut;
    EXPECT_FALSE(std::filesystem::exists(strLog));
    for (const char* pszMention : GetParam().mentions) {
        EXPECT_NE(run.strErr.find(pszMention), std::string::npos)
            << "no \"" << pszMention << "\" in: " << run.strErr;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, CalcCliBadUsage,
    ::testing::Values(
        BadUsage{"UnknownOption", {"fake", "--impedance", "50", "--colour", "red"}, {"--colour"}},
        BadUsage{"MissingValue", {"fake", "--impedance"}, {"--impedance", "1 から 10000 まで"}},
        BadUsage{"OptionAsValue",
                 {"fake", "--impedance", "--json"},
                 {"--impedance", "1 から 10000 まで"}},
        BadUsage{"MissingOption", {"fake", "--name", "x"}, {"--impedance", "1 から 10000 まで"}},
        BadUsage{"Duplicate", {"fake", "--impedance", "50", "--impedance", "60"}, {"--impedance"}},
        BadUsage{"NotANumber",
                 {"fake", "--impedance", "50Ω"},
                 {"--impedance", "50Ω", "1 から 10000 まで"}},
        BadUsage{"Nan", {"fake", "--impedance", "nan"}, {"--impedance", "1 から 10000 まで"}},
        BadUsage{
            "BelowRange", {"fake", "--impedance", "0.5"}, {"--impedance", "1 から 10000 まで"}},
        BadUsage{
            "AboveRange", {"fake", "--impedance", "1e5"}, {"--impedance", "1 から 10000 まで"}},
        BadUsage{
            "BadTime", {"fake", "--impedance", "50", "--time", "2005-02-30 10:00"}, {"--time"}},
        BadUsage{
            "BadEncoding", {"fake", "--impedance", "50", "--encoding", "latin1"}, {"--encoding"}},
        BadUsage{"TextNotUtf8",
                 {"fake", "--impedance", "50", "--name", "caf\xE9"},
                 {"--name", "4 バイト目"}},
        BadUsage{"StrayArgument", {"fake", "50"}, {"50"}}),
    [](const auto& info) { return info.param.pszName; });

TEST(CalcCliTest, RefusedCalculationExitsOneWritingNothing) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    const CliRun run = RunFakeCli({"fake", "--impedance", "1", "--append", strLog.c_str()});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_TRUE(run.strOut.empty());
    EXPECT_NE(run.strErr.find("インピーダンス 1 では計算できません。"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(strLog));
}

TEST(CalcCliTest, PrintsReportWithFixedTime) {
    const CliRun run = RunFakeCli({"fake", "--time", "2005-03-07 09:05", "--impedance", "５０"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, kReport);
    EXPECT_TRUE(run.strErr.empty());
}

TEST(CalcCliTest, Cp932Output) {
    const CliRun run = RunFakeCli(
        {"fake", "--impedance", "50", "--time", "2005-03-07 09:05", "--encoding", "cp932"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    const std::string strIndent = "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40";
    EXPECT_EQ(run.strOut.substr(0, 15), strIndent + "*****");
    EXPECT_NE(run.strOut.find(strIndent + "2005-3-7  9:05\r\n"), std::string::npos);
    EXPECT_NE(run.strOut.find("  50.0\x83\xB6\r\n\r\n"), std::string::npos); // Ω
}

TEST(CalcCliTest, AppendWritesLogAndPrintsNothing) {
    CTempFolder folder;
    const std::string strLog = folder.File("log.txt");
    for (int n = 0; n < 2; ++n) {
        const CliRun run = RunFakeCli({"fake", "--impedance", "50", "--time", "2005-03-07 09:05",
                                       "--append", strLog.c_str()});
        EXPECT_EQ(run.nStatus, 0) << run.strErr;
        EXPECT_TRUE(run.strOut.empty());
    }
    const std::string strBytes = ReadBytes(strLog);
    EXPECT_EQ(strBytes.size() % 2, 0u);
    EXPECT_EQ(strBytes.substr(0, strBytes.size() / 2), strBytes.substr(strBytes.size() / 2));
    EXPECT_NE(strBytes.find("2005-3-7  9:05\r\n"), std::string::npos);
    EXPECT_EQ(strBytes.find("　"), std::string::npos); // CP932, not UTF-8
}

TEST(CalcCliTest, AppendFailureExitsOneAndKeepsFiles) {
    CTempFolder folder;
    const std::string strFile = folder.File("plain");
    WriteBytes(strFile, "old");
    const std::string strLog = strFile + "/log.txt";
    const CliRun run = RunFakeCli({"fake", "--impedance", "50", "--append", strLog.c_str()});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_TRUE(run.strOut.empty());
    EXPECT_FALSE(run.strErr.empty());
    EXPECT_EQ(ReadBytes(strFile), "old");
}

TEST(CalcCliTest, JsonHoldsFullPrecisionInputs) {
    const CliRun run =
        RunFakeCli({"fake", "--impedance", "50.123456789012", "--json", "--name", "a\"b"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, "{\"impedance\":50.123456789012,\"name\":\"a\\\"b\"}\n");
}

// A stream whose device is full.
class CFullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(CalcCliTest, UnwritableStdoutIsAFailure) {
    CFullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    const char* args[] = {"vantix-calc", "fake", "--impedance", "50"};
    EXPECT_EQ(RunCalcCli(kCommands, 4, args, out, err), 1);
    EXPECT_FALSE(err.str().empty());
}

TEST(CalcCliTest, JsonWriterEscapesAndWritesNullForNonFinite) {
    CJsonWriter json;
    json.BeginObject()
        .String("text", "改行\r\n\t\x01\\")
        .Number("nan", std::numeric_limits<double>::quiet_NaN())
        .Number("tiny", 1e-7)
        .Number("negzero", -0.0)
        .BeginArray("list")
        .Number(0.1)
        .String("x")
        .EndArray()
        .Bool("ok", true)
        .Integer("n", -3)
        .EndObject();
    EXPECT_EQ(json.Text(), "{\"text\":\"改行\\r\\n\\t\\u0001\\\\\",\"nan\":null,\"tiny\":1e-07,"
                           "\"negzero\":0,\"list\":[0.1,\"x\"],\"ok\":true,\"n\":-3}");
}

// The installed program itself starts and answers.
TEST(CalcCliTest, BinaryPrintsVersion) {
    FILE* pipe = ::popen(VANTIX_CALC_BINARY " --version", "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[128] = {};
    const std::size_t nRead = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    const int nStatus = ::pclose(pipe);
    EXPECT_EQ(std::string(buffer, nRead), "vantix-calc 1.3.0.1\n");
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
}

} // namespace

namespace {

// One run of every calculator, for the checks that hold for all their JSON.
const std::vector<std::vector<const char*>>& EveryCalculatorRun() {
    // xtal-sort reads its frequencies from a file that lives as long as the runs.
    static const CTempFolder folder;
    static const std::string strList = [] {
        const std::string strPath = folder.File("crystals.txt");
        WriteBytes(strPath, "10.0001\n10.0002\n");
        return strPath;
    }();
    static const std::vector<std::vector<const char*>> runs = {
        {"ladder", "--frequency", "10", "--holder-capacitance", "3.5", "--bandwidth", "2.4"},
        {"lmatch", "--frequency", "7", "--zin", "50", "--zout", "200"},
        {"toroid", "--core", "T-50-2", "--turns", "10"},
        {"toroid-search", "--inductance", "10"},
        {"aircoil", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "20"},
        {"pi", "--impedance", "50", "--attenuation", "10"},
        {"vfo", "--fmin", "3.5", "--fmax", "7", "--cmin", "10", "--cmax", "100"},
        {"lc-filter", "--cutoff", "7.5", "--band", "7,7.2"},
        {"attenuator", "--impedance", "50", "--attenuation", "10"},
        {"toroid-winding", "--core", "T-50-2", "--turns", "20", "--wire", "0.5"},
        {"aircoil-winding", "--diameter", "10", "--length", "20", "--wire", "1", "--turns", "15"},
        {"xtal-filter", "--frequency", "10", "--lm", "15", "--c0", "3.5", "--bandwidth", "2.4",
         "--crystals", "4"},
        {"xtal-measure", "--f1", "10", "--f2", "10.002313", "--cs", "33", "--c0", "3.5"},
        {"xtal-sort", "--crystals", "2", strList.c_str()},
    };
    return runs;
}

std::string JsonOf(const std::vector<const char*>& args) {
    std::vector<const char*> argv = {"vantix-calc"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--json");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCalcCli(static_cast<int>(argv.size()), argv.data(), out, err), 0) << err.str();
    return out.str();
}

} // namespace

// Every calculator's JSON names it under the same key, so scripts can read
// any of them alike.
TEST(CalcCliTest, EveryJsonNamesItsCalculator) {
    ASSERT_EQ(EveryCalculatorRun().size(), CalcCommands().size());
    for (const auto& args : EveryCalculatorRun()) {
        const std::string strJson = JsonOf(args);
        const std::string strKey = std::string("\"calculator\":\"") + args.front() + "\"";
        EXPECT_EQ(strJson.rfind("{" + strKey, 0), 0u) << strJson.substr(0, 80);
    }
}

// The calculator list keeps its summaries in one column, with blanks after
// even the longest name.
TEST(CalcCliTest, CalculatorSummariesStartInOneColumn) {
    const CliRun run = RunCli({});
    const std::size_t nList = run.strOut.find("計算:\n");
    ASSERT_NE(nList, std::string::npos) << run.strOut;
    std::istringstream lines(run.strOut.substr(nList + std::string("計算:\n").size()));
    std::string strLine;
    std::size_t nCount = 0;
    while (std::getline(lines, strLine) && !strLine.empty()) {
        const std::string strName = CalcCommands()[nCount].pszName;
        EXPECT_EQ(strLine.rfind("  " + strName + "  ", 0), 0u) << strLine;
        EXPECT_EQ(strLine.find_first_not_of(' ', 2 + strName.size()), 19u) << strLine;
        ++nCount;
    }
    EXPECT_EQ(nCount, CalcCommands().size());
}

// An inductance in µH has one key wherever it appears: "inductance_uH".
TEST(CalcCliTest, EveryInductanceIsInductanceUH) {
    const std::string strPrefix = "\"inductance_";
    int nInductances = 0;
    for (const auto& args : EveryCalculatorRun()) {
        const std::string strJson = JsonOf(args);
        for (std::size_t n = strJson.find(strPrefix); n != std::string::npos;
             n = strJson.find(strPrefix, n + 1)) {
            const std::string strKey = strJson.substr(n, strJson.find('"', n + 1) - n + 1);
            if (strKey != "\"inductance_text\"") {
                EXPECT_EQ(strKey, "\"inductance_uH\"") << args.front();
                ++nInductances;
            }
        }
    }
    EXPECT_GE(nInductances, 4) << "toroid, toroid-search, aircoil and vfo give an inductance";
}
