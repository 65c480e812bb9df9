#include "calc/xtal_filter/XtalFilter.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

namespace {

CXtalFilterInputs Worked(double dQu) {
    CXtalFilterInputs inputs;
    inputs.m_dQu = dQu;
    return inputs;
}

// Runs "ngspice -b" on the netlist and reads its printed vdb(out) by frequency.
// The table the netlist's control block writes: frequency → vdb(out).
using CSweepTable = std::vector<std::pair<double, double>>;

std::map<double, double> SimulatedDb(const std::string& strNetlist, std::string& strOutput,
                                     CSweepTable* pTable = nullptr) {
    CTempFolder folder;
    const std::string strPath = folder.File("filter.cir");
    WriteBytes(strPath, strNetlist);
    FILE* pipe = ::popen(("cd '" + folder.Path() + "' && ngspice -b filter.cir 2>&1").c_str(), "r");
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        strOutput += buffer;
    }
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    // Data rows read "index<TAB>frequency<TAB>vdb(out)<TAB>vp(out)".
    std::map<double, double> db;
    std::istringstream lines(strOutput);
    std::string strLine;
    while (std::getline(lines, strLine)) {
        std::istringstream fields(strLine);
        int nIndex = 0;
        double dFrequency = 0.0;
        double dDb = 0.0;
        if (!strLine.empty() && std::isdigit(static_cast<unsigned char>(strLine[0])) &&
            (fields >> nIndex >> dFrequency >> dDb)) {
            db[dFrequency] = dDb;
        }
    }
    if (pTable != nullptr) {
        std::ifstream table(folder.File(kXtalSweepTableName));
        std::string strHeader;
        std::getline(table, strHeader);
        double dFrequency = 0.0;
        double dDb = 0.0;
        double dPhase = 0.0;
        while (table >> dFrequency >> dDb >> dPhase) {
            pTable->emplace_back(dFrequency, dDb);
        }
    }
    return db;
}

// Five frequencies 1.4 kHz apart from the lower skirt through the passband
// to the upper skirt; round values, so ngspice's printed frequencies are exact.
TEST(XtalExport, NetlistSimulatesToTheSameS21) {
    if (std::system("command -v ngspice >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ngspice is not installed (scripts/setup-deps.sh installs it); the "
                        "netlist was not simulated";
    }
    CXtalFilterInputs unequal = Worked(100000.0);
    unequal.m_crystalFrequencies = {10.0, 10.00002, 9.99998, 10.00001, 10.0, 10.00003};
    for (const CXtalFilterInputs& inputs : {Worked(0.0), Worked(100000.0), unequal}) {
        const CXtalDesign design = DesignXtalFilter(inputs);
        ASSERT_TRUE(design.m_bComputed);
        std::string strOutput;
        const std::map<double, double> db =
            SimulatedDb(XtalSpiceNetlist(design, 9998800.0, 10004400.0, 5), strOutput);
        ASSERT_EQ(db.size(), 5u) << strOutput;
        for (const auto& [dFrequency, dDb] : db) {
            EXPECT_NEAR(dDb, XtalResponseAt(design, dFrequency).m_dS21Db, 0.01)
                << "Qu " << inputs.m_dQu << " at " << dFrequency << " Hz";
        }
        EXPECT_GT(db.rbegin()->second, -100.0); // the skirts are within reach of the check
        EXPECT_LT(db.begin()->second, -40.0);
    }
}

// At 150 MHz a sweep 3 kHz wide has points 3 Hz apart: printed and tabled
// with twelve digits, every point keeps its own frequency.
TEST(XtalExport, BatchRunWritesATableWithEveryFrequencyApart) {
    if (std::system("command -v ngspice >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ngspice is not installed (scripts/setup-deps.sh installs it)";
    }
    CXtalFilterInputs inputs = Worked(0.0);
    inputs.m_dFrequency = 150.0;
    inputs.m_dLm = 1.0;
    const CXtalDesign design = DesignXtalFilter(inputs);
    ASSERT_TRUE(design.m_bComputed);
    const double dCentre = design.m_dDesignFrequency;
    std::string strOutput;
    CSweepTable table;
    const std::map<double, double> db = SimulatedDb(
        XtalSpiceNetlist(design, dCentre - 1500.0, dCentre + 1500.0, 1001), strOutput, &table);
    EXPECT_EQ(db.size(), 1001u) << "printed frequencies alike";
    ASSERT_EQ(table.size(), 1001u) << strOutput;
    for (std::size_t n = 1; n < table.size(); ++n) {
        ASSERT_GT(table[n].first, table[n - 1].first) << n;
    }
    for (const std::size_t n : {0u, 250u, 500u, 1000u}) {
        EXPECT_NEAR(table[n].second, XtalResponseAt(design, table[n].first).m_dS21Db, 0.01) << n;
    }
}

TEST(XtalExport, NetlistIsSelfContained) {
    const CXtalDesign design = DesignXtalFilter(Worked(100000.0));
    const std::string strNetlist = XtalSpiceNetlist(design, 9.99e6, 10.01e6, 201);
    for (const char* pszPart :
         {".subckt XTAL1 a b\n", "Lm a m 0.015\n", "Rm r b 9.42477796077\n", "C0 a b 3.5e-12\n",
          "VIN in 0 DC 0 AC 2\n", "RS in p1 203.41360", "CT1 t1 k1 1.1378866", "CK1 k1 0 8.576441",
          "X2 k1 k2 XTAL1\n", "RL out 0 203.41360", ".ac lin 201 9.99Meg 10.01Meg\n",
          ".print ac vdb(out)", ".end\n"}) {
        EXPECT_NE(strNetlist.find(pszPart), std::string::npos) << pszPart << "\n" << strNetlist;
    }
    // One subcircuit for six alike crystals; no leak on the node between Lm and Cm.
    EXPECT_EQ(strNetlist.find(".subckt XTAL2"), std::string::npos);
    EXPECT_EQ(strNetlist.find(" m 0 1e12"), std::string::npos);
    EXPECT_NE(strNetlist.find("RLEAK_k5 k5 0 1e12\n"), std::string::npos);
    EXPECT_EQ(XtalSpiceNetlist(CXtalDesign{}, 1.0, 2.0, 2), "");
}

TEST(XtalExport, CsvHasOneLinePerPoint) {
    const CXtalDesign design = DesignXtalFilter(Worked(0.0));
    const std::string strCsv = XtalSweepCsv(XtalSweep(design, 10.0e6, 10.003e6, 4));
    EXPECT_EQ(strCsv.substr(0, strCsv.find('\n') + 1),
              "frequency_hz,s21_db,phase_deg,group_delay_ms\n");
    EXPECT_EQ(std::count(strCsv.begin(), strCsv.end(), '\n'), 5);
    EXPECT_NE(strCsv.find("\n10001000.000,"), std::string::npos) << strCsv;
}

} // namespace
