#include "tables/WireGaugeTable.h"

#include "report/CFormat.h"

namespace {

// Bare diameters in mm, AWG 0 first. These are the published table values as
// the program has always shipped them, not the gauge formula: several differ
// from it in the last digit (AWG 20, 40, 44).
constexpr double kDiameters[] = {
    8.251, 7.348, 6.543, 5.827, 5.189, 4.620, 4.115, 3.665, 3.264, 2.906, 2.588, 2.304,
    2.052, 1.829, 1.628, 1.450, 1.290, 1.151, 1.024, 0.912, 0.813, 0.724, 0.643, 0.574,
    0.511, 0.455, 0.404, 0.361, 0.320, 0.287, 0.254, 0.226, 0.203, 0.180, 0.160, 0.142,
    0.127, 0.114, 0.102, 0.089, 0.079, 0.071, 0.064, 0.056, 0.051, 0.045, 0.040};

} // namespace

CWireGaugeTable::CWireGaugeTable() {
    static_assert(std::size(kDiameters) == 47);
    int nGauge = 0;
    for (const double dDiameter : kDiameters) {
        AddEntry(nGauge++, dDiameter);
    }
}

void CWireGaugeTable::AddEntry(int nGauge, double dDiameter) {
    m_entries[static_cast<size_t>(m_nCount)] = WireGaugeEntry{nGauge, dDiameter};
    ++m_nCount;
}

int CWireGaugeTable::FormatName(int nGauge) {
    if (nGauge < 0 || nGauge >= m_nCount) {
        return -1;
    }
    m_strName = FormatC("AWG%d", nGauge);
    return nGauge;
}

int CWireGaugeTable::SelectIndex(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nCount) {
        m_dDiameter = 0.0;
        m_strName.clear();
        return -1;
    }
    const WireGaugeEntry& entry = m_entries[static_cast<size_t>(nIndex)];
    m_dDiameter = entry.dDiameter;
    FormatName(entry.nGauge);
    return nIndex;
}
