#pragma once

#include <array>
#include <string>

// One row of the magnet-wire table: an AWG number and its bare diameter.
struct WireGaugeEntry {
    int nGauge = 0;
    double dDiameter = 0.0; // mm
};

// The built-in magnet-wire sizes AWG 0 to AWG 46. Besides the rows it keeps
// one current selection (diameter and name) that the last select set; the
// air-core coil dialog fills its gauge list from it and reads the picked
// diameter back from it. A row's index and its gauge number are the same.
class CWireGaugeTable {
public:
    CWireGaugeTable();
    virtual ~CWireGaugeTable() = default;

    // Sets the selection's name to "AWG<gauge>" and returns the gauge, or
    // returns -1 for a gauge outside the table and leaves the name alone.
    int FormatName(int nGauge);

    // Selects a row and returns its index. An index outside the table returns
    // -1 and clears the selection to 0.0 and an empty name.
    int SelectIndex(int nIndex);

    double Diameter() const { return m_dDiameter; }
    const std::string& Name() const { return m_strName; }
    int Count() const { return m_nCount; }

private:
    void AddEntry(int nGauge, double dDiameter);

    double m_dDiameter = 0.0;
    std::string m_strName;
    int m_nCount = 0;
    std::array<WireGaugeEntry, 50> m_entries{};
};
