#include "calc/ladder_filter/LadderFilter.h"

#include "calc/lmatch/LMatch.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"

#include <cmath>

namespace {

// The ladder's bandwidth constant: C = 2·Cp·(2.1·f / dF − 1) with f in MHz
// and dF in kHz.
constexpr double kBandwidthFactor = 2.1;
constexpr double kPicoPerMicro = 1000000.0;
// The table spans ±25 % of the required bandwidth in steps of 5 %.
constexpr double kStepDivisor = 20.0;
constexpr double kTopSteps = 5.0;

constexpr const char* kSeparator = "-----";

CLadderRow MakeRow(const CReportFormatter& formatter, double dFrequency, double dHolderCapacitance,
                   double dBandwidth) {
    CLadderRow row;
    row.m_dBandwidth = dBandwidth;
    row.m_dC = ShuntCapacitance(dFrequency, dBandwidth, dHolderCapacitance);
    row.m_d2C = row.m_dC + row.m_dC;
    row.m_dZ = TerminationImpedance(dFrequency, row.m_dC);
    formatter.FormatGrouped(row.m_strBandwidth, row.m_dBandwidth, 3);
    formatter.FormatGrouped(row.m_strC, row.m_dC, 2);
    formatter.FormatGrouped(row.m_str2C, row.m_d2C, 2);
    formatter.FormatGrouped(row.m_strZ, row.m_dZ, 2);
    return row;
}

CLadderListItem ListItem(const CLadderRow& row) {
    return {row.m_strBandwidth, row.m_strC, row.m_str2C, row.m_strZ};
}

} // namespace

double ShuntCapacitance(double dFrequency, double dBandwidth, double dHolderCapacitance) {
    const double t = dFrequency * kBandwidthFactor;
    return (2.0 * dHolderCapacitance * t) / dBandwidth - 2.0 * dHolderCapacitance;
}

double TerminationImpedance(double dFrequency, double dCapacitance) {
    if (dFrequency * dCapacitance == 0.0) {
        return 0.0;
    }
    return (1.0 / (kLadderTwoPi * dFrequency * dCapacitance)) * kPicoPerMicro;
}

CLadderDesign ComputeLadderFilter(double dFrequency, double dHolderCapacitance, double dBandwidth,
                                  const CLocalTime& time) {
    const CReportFormatter formatter;
    CLadderDesign design;
    if (dFrequency * dBandwidth * dHolderCapacitance == 0.0) {
        design.m_strReport = "\r\n";
        return design;
    }
    design.m_bComputed = true;

    // The rows are reached by repeated subtraction from 125 %, never
    // recomputed, so they carry its rounding (the 3-decimal texts hide it;
    // the Z near 2.1·f does not).
    double d = dBandwidth * kTopSteps / kStepDivisor + dBandwidth;
    const double dStep = dBandwidth / kStepDivisor;
    for (int nComputed = 0; nComputed < kLadderRowCount; ++nComputed) {
        design.m_rows[kLadderRowCount - 1 - nComputed] =
            MakeRow(formatter, dFrequency, dHolderCapacitance, d);
        d = d - dStep;
    }
    design.m_dTerminationImpedance = design.m_rows[kLadderCentreRow].m_dZ;

    std::string& strReport = design.m_strReport;
    strReport =
        ReportHeading("　　　　　***** ＬＳＢ型ラダークリスタルフィルターの計算 *****\r\n", time);
    strReport += FormatC("　　　　　周波数 %.3fMHz\r\n", dFrequency);
    strReport += FormatC("　　　　　クリスタルの端子間容量  %.1fPF\r\n", dHolderCapacitance);
    for (const CLadderRow& row : design.m_rows) {
        strReport +=
            FormatC("　　　　　dF=%skHz   C=%sPF   2C=%sPF   Z=%sΩ\r\n", row.m_strBandwidth.c_str(),
                    row.m_strC.c_str(), row.m_str2C.c_str(), row.m_strZ.c_str());
    }
    strReport += "\r\n\r\n";
    return design;
}

std::array<CLadderListItem, kLadderListItemCount> LadderListItems(const CLadderDesign& design) {
    std::array<CLadderListItem, kLadderListItemCount> items{};
    if (!design.m_bComputed) {
        return items;
    }
    const CLadderListItem separator = {kSeparator, kSeparator, kSeparator, kSeparator};
    int nItem = 0;
    for (int nRow = 0; nRow < kLadderRowCount; ++nRow) {
        if (nRow == kLadderCentreRow) {
            items[nItem++] = separator;
        }
        items[nItem++] = ListItem(design.m_rows[nRow]);
        if (nRow == kLadderCentreRow) {
            items[nItem++] = separator;
        }
    }
    return items;
}

double HandOverImpedance(double dTerminationImpedance) {
    // Values far beyond the field go before the cut, which would overflow
    // for the largest of them.
    if (!std::isfinite(dTerminationImpedance) || !(dTerminationImpedance > 0.0) ||
        dTerminationImpedance > kLMatchMaxImpedance + 1.0) {
        return 0.0;
    }
    const double dCut = std::trunc(dTerminationImpedance * 100.0) / 100.0;
    return dCut <= kLMatchMaxImpedance ? dCut : 0.0;
}
