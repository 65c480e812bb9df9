#include "calc/toroid_coil/ToroidCoil.h"
#include "calc/toroid_wizard/ToroidWizard.h"
#include "cli/CliTestSupport.h"
#include "tables/ToroidCoreCatalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CLocalTime kTime{2026, 12, 8, 10, 30};

std::string CoilReport(const char* pszCore, double dTurns) {
    CToroidCoreCatalog catalog;
    catalog.FindName(pszCore);
    return ComputeToroidCoil(catalog, dTurns, kTime).m_strReport;
}

TEST(ToroidCommandTest, PrintsTheDialogReport) {
    const CliRun run =
        RunCli({"toroid", "--core", "T-200-41", "--turns", "20", "--time", "2026-12-08 10:30"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, CoilReport("T-200-41", 20.0));
    EXPECT_NE(run.strOut.find("30.20 μH"), std::string::npos);
}

TEST(ToroidCommandTest, InductanceTakesTheWizardsRoundedTurns) {
    // 10 µH on T-200-41 needs 11.51 turns; the wizard hands over 12.
    const CliRun run = RunCli(
        {"toroid", "--core", "T-200-41", "--inductance", "10", "--time", "2026-12-08 10:30"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_EQ(run.strOut, CoilReport("T-200-41", 12.0));

    const CliRun json = RunCli({"toroid", "--core", "T-200-41", "--inductance", "10", "--json"});
    EXPECT_EQ(json.nStatus, 0);
    EXPECT_NE(json.strOut.find("\"turns\":12,"), std::string::npos) << json.strOut;
    EXPECT_NE(json.strOut.find("\"unrounded_turns\":11.508"), std::string::npos) << json.strOut;
}

TEST(ToroidCommandTest, RefusesWhatTheDialogCouldNotReport) {
    struct Case {
        std::vector<const char*> args;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"toroid", "--core", "T-50-2", "--turns", "0"}, "0"},
        {{"toroid", "--core", "T-50-2", "--inductance", "0"}, "0"},
        // 577350 turns lie beyond the turns field.
        {{"toroid", "--core", "T-12-0", "--inductance", "1e8"}, "577350"},
    };
    for (const Case& c : cases) {
        ExpectFailure(c.args, 1, c.pszInMessage);
    }
}

TEST(ToroidCommandTest, BadUsageNamesTheProblem) {
    struct Case {
        std::vector<const char*> args;
        const char* pszInMessage;
    };
    const std::vector<Case> cases = {
        {{"toroid", "--core", "T-50-7", "--turns", "3"}, "T-50-7"},
        {{"toroid", "--core", "T-50", "--turns", "3"}, "T-50"},
        {{"toroid", "--core", "T-50-2"}, "--inductance"},
        {{"toroid", "--core", "T-50-2", "--turns", "3", "--inductance", "1"}, "--turns"},
        {{"toroid", "--core", "T-50-2", "--turns", "10001"}, "10001"},
        {{"toroid-search", "--inductance", "10", "--material", "44"}, "44"},
        {{"toroid-search", "--inductance", "10", "--material", "#"}, "#"},
        {{"toroid-search", "--inductance", "10", "--size", "T-8"}, "T-8"},
        {{"toroid-search", "--inductance", "100000001"}, "100000001"},
    };
    for (const Case& c : cases) {
        ExpectFailure(c.args, 2, c.pszInMessage);
    }
}

std::string ListReport(double dTarget, const char* pszSize, const char* pszMix) {
    CToroidCoreCatalog catalog;
    return ToroidListReport(SearchToroidCores(catalog, dTarget, pszSize, pszMix).m_strList, kTime);
}

TEST(ToroidSearchCommandTest, PrintsTheWizardsListReport) {
    struct Case {
        std::vector<const char*> args;
        double dTarget;
        const char* pszSize;
        const char* pszMix;
    };
    const std::vector<Case> cases = {
        {{"--inductance", "10"}, 10.0, "", ""},
        {{"--inductance", "10", "--material", "43"}, 10.0, "", "43"},
        {{"--inductance", "10", "--material", "#43"}, 10.0, "", "43"},
        {{"--inductance", "10", "--size", "T-80", "--material", "41"}, 10.0, "T-80", "41"},
        {{"--inductance", "10", "--size", "FB-801", "--material", "2"}, 10.0, "FB-801", "2"},
        {{"--inductance", "0"}, 0.0, "", ""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> args = {"toroid-search", "--time", "2026-12-08 10:30"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.nStatus, 0) << run.strErr;
        EXPECT_EQ(run.strOut, ListReport(c.dTarget, c.pszSize, c.pszMix));
    }
}

TEST(ToroidSearchCommandTest, JsonListsEveryCoreWithUnroundedTurns) {
    const CliRun run =
        RunCli({"toroid-search", "--inductance", "10", "--material", "43", "--json"});
    EXPECT_EQ(run.nStatus, 0) << run.strErr;
    EXPECT_NE(run.strOut.find("\"count\":7"), std::string::npos) << run.strOut;
    EXPECT_NE(run.strOut.find("{\"name\":\"FT-114-43\",\"turns\":4.0723"), std::string::npos)
        << run.strOut;
    EXPECT_NE(run.strOut.find("{\"name\":\"FB-101-43\",\"turns\":4.0522"), std::string::npos)
        << run.strOut;
}

} // namespace
