#include "calc/xtal_filter/XtalFilter.h"

#include "report/CFormat.h"

#include <cmath>

namespace {

// Twelve significant digits: a simulator then sees the same network as the
// response computed here, well inside 0.01 dB even deep in the skirts.
std::string Value(double dValue) {
    return FormatC("%.12g", dValue);
}

// SPICE reads "M" as milli: frequencies are written in MHz with "Meg".
std::string Megahertz(double dHertz) {
    return FormatC("%.12gMeg", dHertz / 1e6);
}

bool SameCrystal(const CXtalCrystal& x, const CXtalCrystal& y) {
    return x.m_dFs == y.m_dFs && x.m_dLm == y.m_dLm && x.m_dC0 == y.m_dC0 && x.m_dRm == y.m_dRm;
}

// One subcircuit per distinct crystal: Lm–Cm–Rm in series, C0 across. The
// node between Cm and Rm gets its own path to ground so that no node floats
// at DC; the one between Lm and Cm reaches ground through Lm.
std::string Subcircuit(const std::string& strName, const CXtalCrystal& crystal) {
    std::string str = FormatC(".subckt %s a b\n", strName.c_str());
    str += "Lm a m " + Value(crystal.m_dLm) + "\n";
    if (crystal.m_dRm > 0.0) {
        str += "Cm m r " + Value(crystal.m_dCm) + "\n";
        str += "Rm r b " + Value(crystal.m_dRm) + "\n";
        str += "Rleak r 0 1e12\n";
    } else {
        str += "Cm m b " + Value(crystal.m_dCm) + "\n";
    }
    str += "C0 a b " + Value(crystal.m_dC0) + "\n";
    str += FormatC(".ends %s\n", strName.c_str());
    return str;
}

} // namespace

std::string XtalSpiceNetlist(const CXtalDesign& design, double dFrom, double dTo, int nPoints) {
    if (!design.m_bComputed) {
        return {};
    }
    const std::size_t n = design.m_crystals.size();
    std::string str = FormatC("* Crystal ladder filter, %zu crystals, design frequency %.4f Hz\n"
                              "* vdb(out) is S21 in dB between the two end resistances.\n"
                              "* ngspice -b prints the sweep and writes it to %s as a table.\n",
                              n, design.m_dDesignFrequency, kXtalSweepTableName);

    // Crystals that are alike share one subcircuit.
    std::vector<std::size_t> model(n);
    std::vector<std::size_t> distinct;
    for (std::size_t i = 0; i < n; ++i) {
        model[i] = distinct.size();
        for (std::size_t m = 0; m < distinct.size(); ++m) {
            if (SameCrystal(design.m_crystals[i], design.m_crystals[distinct[m]])) {
                model[i] = m;
                break;
            }
        }
        if (model[i] == distinct.size()) {
            distinct.push_back(i);
        }
    }
    for (std::size_t m = 0; m < distinct.size(); ++m) {
        str += Subcircuit(FormatC("XTAL%zu", m + 1), design.m_crystals[distinct[m]]);
    }

    // A source of 2·√(Rs/RL) volts makes V(out) equal to S21 also when the
    // two ends differ; with equal ends it is the usual 2 V.
    const double rs = design.m_dSourceResistance;
    const double rl = design.m_dLoadResistance;
    str += "VIN in 0 DC 0 AC " + Value(2.0 * std::sqrt(rs / rl)) + "\n";
    str += "RS in p1 " + Value(rs) + "\n";
    std::vector<std::string> nodes{"in", "p1"};
    std::string strLeft = "p1";
    for (std::size_t i = 0; i < n; ++i) {
        const CXtalMesh& mesh = design.m_meshes[i];
        const std::string strRight = i + 1 < n ? FormatC("k%zu", i + 1) : "out";
        const std::string strCrystalEnd = mesh.m_bNoTuning ? strRight : FormatC("t%zu", i + 1);
        str += FormatC("X%zu %s %s XTAL%zu\n", i + 1, strLeft.c_str(), strCrystalEnd.c_str(),
                       model[i] + 1);
        if (!mesh.m_bNoTuning) {
            str += FormatC("CT%zu %s %s ", i + 1, strCrystalEnd.c_str(), strRight.c_str()) +
                   Value(mesh.m_dTuning) + "\n";
            nodes.push_back(strCrystalEnd);
        }
        if (i + 1 < n) {
            str += FormatC("CK%zu %s 0 ", i + 1, strRight.c_str()) + Value(mesh.m_dCoupling) + "\n";
        }
        nodes.push_back(strRight);
        strLeft = strRight;
    }
    str += "RL out 0 " + Value(rl) + "\n";
    for (const std::string& strNode : nodes) {
        str += FormatC("RLEAK_%s %s 0 1e12\n", strNode.c_str(), strNode.c_str());
    }
    str += FormatC(".ac lin %d ", nPoints) + Megahertz(dFrom) + " " + Megahertz(dTo) + "\n";
    // Twelve digits: at 150 MHz seven would print neighbouring points alike.
    str += ".options numdgt=12\n";
    str += ".print ac vdb(out) vp(out)\n";
    str += ".control\nrun\nset wr_singlescale\nset wr_vecnames\noption numdgt=12\n";
    str += FormatC("wrdata %s vdb(out) vp(out)\n.endc\n", kXtalSweepTableName);
    str += ".end\n";
    return str;
}

std::string XtalSweepCsv(const std::vector<CXtalResponsePoint>& points) {
    std::string str = "frequency_hz,s21_db,phase_deg,group_delay_ms\n";
    for (const CXtalResponsePoint& point : points) {
        str += FormatC("%.3f,%.6f,%.4f,%.6f\n", point.m_dFrequency, point.m_dS21Db, point.m_dPhase,
                       point.m_dGroupDelay);
    }
    return str;
}
