#pragma once

#include <string_view>
#include <vector>

// The preferred-number series of resistor values (IEC 60063), in the order
// the designer's list shows them.
enum class EResistorSeries { E6, E12, E24, E48, E96, E192 };
inline constexpr int kResistorSeriesCount = 6;

// One series: its values within a decade, and every decade of them
// (0.1 Ω, 1 Ω, ... 2.2 MΩ are all members of E6).
class CResistorSeries {
public:
    explicit CResistorSeries(EResistorSeries eSeries);

    EResistorSeries Series() const { return m_eSeries; }
    const char* Name() const; // "E24"
    // Digits a value of the series is written with: 2 up to E24 ("4.7"), then 3.
    int SignificantDigits() const;

    // The decade from 100 to 999 as three-digit values, ascending.
    const std::vector<int>& Decade() const { return m_decade; }

    // The stock values around an ideal one, ascending: the largest member not
    // above it and the smallest not below it, each with nBeyond more beyond,
    // so 2·nBeyond + 1 values when the ideal is a member and 2·nBeyond + 2
    // otherwise. Empty when the ideal or a neighbour is no usable resistance
    // (not a finite positive normal double).
    std::vector<double> Candidates(double dIdeal, int nBeyond = 1) const;

private:
    // Member number nIndex counted over all decades: index 0 is 1 Ω, index
    // Count() is 10 Ω, negative indices are below 1 Ω.
    double Value(long long nIndex) const;
    // The index of the largest member not above dValue (a positive normal double).
    long long FloorIndex(double dValue) const;

    EResistorSeries m_eSeries;
    std::vector<int> m_decade;
};

// "E6" ... "E192", the letter in either case.
bool ParseResistorSeries(std::string_view text, EResistorSeries& eSeries);
