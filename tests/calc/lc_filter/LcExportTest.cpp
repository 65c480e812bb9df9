#include "calc/lc_filter/LcFilter.h"
#include "text/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

// The built trap example (E12, T-50-6, Q 150), and a lossy high-pass either
// element first.
CLcFilterInputs Built(ELcFilterType eType, ELcFirstElement eFirst) {
    CLcFilterInputs inputs;
    inputs.m_eType = eType;
    inputs.m_eFirst = eFirst;
    inputs.m_strCore = "T-50-6";
    inputs.m_dQ = eType == ELcFilterType::LowPass ? 150 : 80;
    if (eType == ELcFilterType::LowPass) {
        inputs.m_dCutoff = 7.5, inputs.m_dBandLow = 7.0, inputs.m_dBandHigh = 7.2;
        inputs.m_nTraps = 2;
    } else {
        inputs.m_eResponse = ELcResponse::Butterworth;
        inputs.m_nOrder = 6;
        inputs.m_dCutoff = 3.0, inputs.m_dBandLow = 3.5, inputs.m_dBandHigh = 30.0;
    }
    return inputs;
}

// The table the netlist's control block writes: frequency → vdb(out).
std::map<double, double> Simulated(const std::string& strNetlist, std::string& strOutput) {
    CTempFolder folder;
    WriteBytes(folder.File("filter.cir"), strNetlist);
    FILE* pipe = ::popen(("cd '" + folder.Path() + "' && ngspice -b filter.cir 2>&1").c_str(), "r");
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        strOutput += buffer;
    }
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    std::map<double, double> db;
    std::ifstream table(folder.File(kLcSweepTableName));
    std::string strHeader;
    std::getline(table, strHeader);
    double dFrequency = 0.0;
    double dDb = 0.0;
    double dPhase = 0.0;
    while (table >> dFrequency >> dDb >> dPhase) {
        db[dFrequency] = dDb;
    }
    return db;
}

// Whole-megahertz points from the passband deep into the stopband, through
// the traps of the built low-pass (not exact notches once built).
TEST(LcExport, NetlistSimulatesToTheBuiltResponse) {
    if (std::system("command -v ngspice >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ngspice is not installed; the netlist was not simulated";
    }
    for (const CLcFilterInputs& inputs :
         {Built(ELcFilterType::LowPass, ELcFirstElement::Capacitor),
          Built(ELcFilterType::HighPass, ELcFirstElement::Capacitor),
          Built(ELcFilterType::HighPass, ELcFirstElement::Inductor)}) {
        const CLcFilterDesign design = DesignLcFilter(inputs);
        ASSERT_TRUE(design.m_bComputed) << design.m_strMessage;
        std::string strOutput;
        const std::map<double, double> db =
            Simulated(LcSpiceNetlist(design, 1e6, 30e6, 30), strOutput);
        ASSERT_EQ(db.size(), 30u) << strOutput;
        double dDeepest = 0.0;
        for (const auto& [dFrequency, dDb] : db) {
            const double dOurs = -LcAttenuation(LcLadderResponse(design.m_built, dFrequency));
            EXPECT_NEAR(dDb, dOurs, 0.01) << LcFilterTypeKey(inputs.m_eType) << " " << dFrequency;
            dDeepest = std::min(dDeepest, dDb);
        }
        EXPECT_LT(dDeepest, -50.0); // the stopband is part of the comparison
    }
}

TEST(LcExport, NetlistNamesThePartsAsTheList) {
    const CLcFilterDesign design =
        DesignLcFilter(Built(ELcFilterType::LowPass, ELcFirstElement::Capacitor));
    const std::string strNetlist = LcSpiceNetlist(design, 1e6, 30e6, 291);
    for (const char* pszLine :
         {"VIN in 0 DC 0 AC 2\n", "RS in p1 50\n", "C1 p1 0 3.9e-10\n", "L2 p1 q2 1.156e-06\n",
          "RQ2 q2 p2 0.3631", "C2 p1 p2 1e-10\n", "L6 p3 q6 1.444e-06\n", "RQ6 q6 out",
          "C7 out 0 4.7e-10\n", "RL out 0 50\n", ".ac lin 291 1Meg 30Meg\n",
          ".print ac vdb(out) vp(out)\n", "wrdata lc-sweep.txt", ".end\n"}) {
        EXPECT_NE(strNetlist.find(pszLine), std::string::npos) << pszLine << "\n" << strNetlist;
    }
    EXPECT_EQ(LcSpiceNetlist(CLcFilterDesign{}, 1.0, 2.0, 2), "");
}

TEST(LcExport, SweepAndCsvStayFinite) {
    const CLcFilterDesign design =
        DesignLcFilter(Built(ELcFilterType::HighPass, ELcFirstElement::Capacitor));
    const CLcSweepRange range = LcChartRange(design);
    EXPECT_EQ(range.m_dFrom, 0.0);
    EXPECT_EQ(range.m_dTo, 4.0 * 3.5e6);
    const std::vector<CLcSweepPoint> points = LcSweep(design, range.m_dFrom, range.m_dTo, 5);
    ASSERT_EQ(points.size(), 5u);
    // At 0 Hz a high-pass passes nothing and reflects everything.
    EXPECT_EQ(points[0].m_dIdealS21Db, -kLcInfiniteAttenuation);
    EXPECT_NEAR(points[0].m_dIdealReturnLoss, 0.0, 1e-9);
    const std::string strCsv = LcSweepCsv(points);
    EXPECT_EQ(strCsv.substr(0, strCsv.find('\n') + 1),
              "frequency_hz,ideal_s21_db,ideal_return_loss_db,built_s21_db,built_return_loss_db\n");
    EXPECT_EQ(std::count(strCsv.begin(), strCsv.end(), '\n'), 6);
    EXPECT_NE(strCsv.find("\n3500000.000,"), std::string::npos) << strCsv;
    EXPECT_EQ(strCsv.find("inf"), std::string::npos) << strCsv;
    EXPECT_TRUE(LcSweep(CLcFilterDesign{}, 0.0, 1.0, 5).empty());
}

} // namespace
