#include "calc/lc_filter/LcFilter.h"

#include "report/CFormat.h"

namespace {

// Twelve significant digits: the simulator sees the network the response
// here is computed for, well inside 0.01 dB deep in the stopband.
std::string Value(double dValue) {
    return FormatC("%.12g", dValue);
}

// SPICE reads "M" as milli: frequencies are written in MHz with "Meg".
std::string Megahertz(double dHertz) {
    return FormatC("%.12gMeg", dHertz / 1e6);
}

// A coil with its loss resistance, from a to b: "L2 a q2 …" and "RQ2 q2 b …".
std::string Coil(const std::string& strName, int nPosition, const std::string& strFrom,
                 const std::string& strTo, const CLcBranch& branch) {
    if (branch.m_dR <= 0.0) {
        return FormatC("%s %s %s ", strName.c_str(), strFrom.c_str(), strTo.c_str()) +
               Value(branch.m_dL) + "\n";
    }
    const std::string strMid = FormatC("q%d", nPosition);
    return FormatC("%s %s %s ", strName.c_str(), strFrom.c_str(), strMid.c_str()) +
           Value(branch.m_dL) + "\n" +
           FormatC("RQ%d %s %s ", nPosition, strMid.c_str(), strTo.c_str()) + Value(branch.m_dR) +
           "\n";
}

} // namespace

std::string LcSpiceNetlist(const CLcFilterDesign& design, double dFrom, double dTo, int nPoints) {
    if (!design.m_bComputed) {
        return {};
    }
    const CLcLadder& ladder = design.m_built;
    std::string str = FormatC("* LC %s filter, %s, %d elements, cutoff %.6f MHz, as built\n"
                              "* vdb(out) is S21 in dB between the two %g ohm ends.\n"
                              "* ngspice -b prints the sweep and writes it to %s as a table.\n",
                              design.m_eType == ELcFilterType::LowPass ? "low-pass" : "high-pass",
                              LcResponseKey(design.m_eResponse), design.m_nOrder,
                              design.m_dCutoff / 1e6, ladder.m_dImpedance, kLcSweepTableName);
    str += "VIN in 0 DC 0 AC 2\n";
    str += "RS in p1 " + Value(ladder.m_dImpedance) + "\n";

    // Junctions: p1 after the source resistor, then one after each series
    // arm, the last of them "out".
    int nSeriesArms = 0;
    for (const CLcBranch& branch : ladder.m_branches) {
        nSeriesArms += branch.m_bShunt ? 0 : 1;
    }
    std::string strNode = nSeriesArms == 0 ? "out" : "p1";
    int nSeriesDone = 0;
    std::size_t nPart = 0; // walks design.m_parts alongside the branches
    for (std::size_t k = 0; k < ladder.m_branches.size(); ++k, ++nPart) {
        const CLcBranch& branch = ladder.m_branches[k];
        const CLcPart& part = design.m_parts[nPart];
        if (branch.m_bShunt) {
            str += branch.m_dL > 0.0
                       ? Coil(part.m_strName, part.m_nPosition, strNode, "0", branch)
                       : FormatC("%s %s 0 ", part.m_strName.c_str(), strNode.c_str()) +
                             Value(branch.m_dC) + "\n";
            continue;
        }
        ++nSeriesDone;
        const std::string strNext =
            nSeriesDone == nSeriesArms ? std::string("out") : FormatC("p%d", nSeriesDone + 1);
        if (branch.m_dL > 0.0) {
            str += Coil(part.m_strName, part.m_nPosition, strNode, strNext, branch);
            if (branch.m_dC > 0.0) {
                const CLcPart& trap = design.m_parts[++nPart];
                str +=
                    FormatC("%s %s %s ", trap.m_strName.c_str(), strNode.c_str(), strNext.c_str()) +
                    Value(branch.m_dC) + "\n";
            }
        } else {
            str += FormatC("%s %s %s ", part.m_strName.c_str(), strNode.c_str(), strNext.c_str()) +
                   Value(branch.m_dC) + "\n";
        }
        strNode = strNext;
    }
    str += "RL out 0 " + Value(ladder.m_dImpedance) + "\n";
    str += FormatC(".ac lin %d ", nPoints) + Megahertz(dFrom) + " " + Megahertz(dTo) + "\n";
    str += ".options numdgt=12\n";
    str += ".print ac vdb(out) vp(out)\n";
    str += ".control\nrun\nset wr_singlescale\nset wr_vecnames\noption numdgt=12\n";
    str += FormatC("wrdata %s vdb(out) vp(out)\n.endc\n", kLcSweepTableName);
    str += ".end\n";
    return str;
}

std::string LcSweepCsv(const std::vector<CLcSweepPoint>& points) {
    std::string str =
        "frequency_hz,ideal_s21_db,ideal_return_loss_db,built_s21_db,built_return_loss_db\n";
    for (const CLcSweepPoint& point : points) {
        str += FormatC("%.3f,%.6f,%.6f,%.6f,%.6f\n", point.m_dFrequency, point.m_dIdealS21Db,
                       point.m_dIdealReturnLoss, point.m_dBuiltS21Db, point.m_dBuiltReturnLoss);
    }
    return str;
}
