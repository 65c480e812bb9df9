#include "cli/BashCompletion.h"
#include "cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// How completion behaves in bash is checked by tests/scripts/bash_completion.sh;
// these cover the hidden option itself.

namespace {

CCalcOutcome RunNothing(const COptionValues&, const CLocalTime&) {
    return {};
}

TEST(BashCompletionTest, HiddenFromTheUsage) {
    for (const std::vector<const char*>& args :
         std::vector<std::vector<const char*>>{{}, {"--help"}, {"pi", "--help"}}) {
        EXPECT_EQ(RunCli(args).strOut.find("completion"), std::string::npos);
    }
}

TEST(BashCompletionTest, OnlyBashIsKnown) {
    for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
             {"--completion"}, {"--completion", "zsh"}, {"--completion", "bash", "pi"}}) {
        ExpectFailure(args, 2, "bash");
    }
}

// The script is made from the table the program runs with, so a calculator
// added there is completed without any other change.
TEST(BashCompletionTest, WrittenFromTheCalculatorTable) {
    const std::vector<CCalcCommand> commands = {
        {"demo",
         "仮の計算",
         {{"out", "FILE", "出力", COptionDef::Text, 0.0, 0.0, false, COptionDef::FileValue},
          {"mode", "fast|slow", "方式", COptionDef::Text, 0.0, 0.0, false,
           COptionDef::ChoiceValue}},
         &RunNothing},
    };
    const CliRun run = RunCli(commands, {"--completion", "bash"});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strOut, BashCompletionScript(commands));
    for (const char* pszPart : {"compgen -W 'demo --help --version'", "options='--out --mode'",
                                "--out) compopt -o filenames", "--mode) words='fast slow'"}) {
        EXPECT_NE(run.strOut.find(pszPart), std::string::npos) << pszPart;
    }
    EXPECT_EQ(run.strOut.find("pi)"), std::string::npos);
}

} // namespace
