#include "tables/ResistorSeries.h"

#include <cmath>
#include <iterator>

namespace {

struct CSeriesDef {
    EResistorSeries eSeries;
    const char* pszName;
    int nPerDecade;
};

constexpr CSeriesDef kSeries[] = {
    {EResistorSeries::E6, "E6", 6},    {EResistorSeries::E12, "E12", 12},
    {EResistorSeries::E24, "E24", 24}, {EResistorSeries::E48, "E48", 48},
    {EResistorSeries::E96, "E96", 96}, {EResistorSeries::E192, "E192", 192},
};
static_assert(std::size(kSeries) == kResistorSeriesCount);

// The three coarse series are historical choices, not roundings of the
// geometric sequence (27, 33, 47 and 82 are not), so they are listed.
constexpr int kE6[] = {10, 15, 22, 33, 47, 68};
constexpr int kE12[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                        33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

const CSeriesDef& Def(EResistorSeries eSeries) {
    return kSeries[static_cast<int>(eSeries)];
}

// 10^n as the nearest double; exact up to 10^22.
double PowerOfTen(long long n) {
    constexpr int kExact = 22;
    if (n >= 0 && n <= kExact) {
        double d = 1.0;
        for (long long k = 0; k < n; ++k) {
            d *= 10.0;
        }
        return d;
    }
    return std::pow(10.0, static_cast<double>(n));
}

bool IsUsable(double dValue) {
    return std::isnormal(dValue) && dValue > 0.0;
}

} // namespace

CResistorSeries::CResistorSeries(EResistorSeries eSeries) : m_eSeries(eSeries) {
    const auto copy = [this](const auto& values) {
        for (const int nValue : values) {
            m_decade.push_back(nValue * 10);
        }
    };
    switch (eSeries) {
    case EResistorSeries::E6:
        copy(kE6);
        break;
    case EResistorSeries::E12:
        copy(kE12);
        break;
    case EResistorSeries::E24:
        copy(kE24);
        break;
    default: {
        // The fine series are the geometric sequence rounded to three digits,
        // but for 920, which the standard keeps in place of 919.
        const int n = Def(eSeries).nPerDecade;
        for (int i = 0; i < n; ++i) {
            int nValue = static_cast<int>(std::lround(100.0 * std::pow(10.0, double(i) / n)));
            if (eSeries == EResistorSeries::E192 && nValue == 919) {
                nValue = 920;
            }
            m_decade.push_back(nValue);
        }
        break;
    }
    }
}

const char* CResistorSeries::Name() const {
    return Def(m_eSeries).pszName;
}

int CResistorSeries::SignificantDigits() const {
    return m_eSeries <= EResistorSeries::E24 ? 2 : 3;
}

double CResistorSeries::Value(long long nIndex) const {
    const auto nCount = static_cast<long long>(m_decade.size());
    // Floor division, so that index -1 is the last member below 1 Ω.
    const long long nDecade = nIndex >= 0 ? nIndex / nCount : -((-nIndex + nCount - 1) / nCount);
    const double dDigits = m_decade[static_cast<std::size_t>(nIndex - nDecade * nCount)];
    // The decade's values are three-digit numbers: 1 Ω is 100 / 10^2.
    // Dividing by an exact power of ten gives the double nearest to 0.1 etc.
    const long long nExponent = nDecade - 2;
    return nExponent >= 0 ? dDigits * PowerOfTen(nExponent) : dDigits / PowerOfTen(-nExponent);
}

long long CResistorSeries::FloorIndex(double dValue) const {
    const auto nCount = static_cast<long long>(m_decade.size());
    // log10 may be off by one at a decade's edge: start a decade lower and
    // walk up.
    const auto nDecade = static_cast<long long>(std::floor(std::log10(dValue)));
    long long nIndex = (nDecade - 1) * nCount;
    while (Value(nIndex) > dValue) {
        nIndex -= nCount;
    }
    while (Value(nIndex + 1) <= dValue) {
        ++nIndex;
    }
    return nIndex;
}

std::vector<double> CResistorSeries::Candidates(double dIdeal, int nBeyond) const {
    if (!IsUsable(dIdeal)) {
        return {};
    }
    const long long nFloor = FloorIndex(dIdeal);
    const long long nCeil = Value(nFloor) == dIdeal ? nFloor : nFloor + 1;
    std::vector<double> candidates;
    for (long long nIndex = nFloor - nBeyond; nIndex <= nCeil + nBeyond; ++nIndex) {
        const double dValue = Value(nIndex);
        if (!IsUsable(dValue)) {
            return {};
        }
        candidates.push_back(dValue);
    }
    return candidates;
}

bool ParseResistorSeries(std::string_view text, EResistorSeries& eSeries) {
    if (text.empty() || (text.front() != 'e' && text.front() != 'E')) {
        return false;
    }
    for (const CSeriesDef& def : kSeries) {
        if (text.substr(1) == std::string_view(def.pszName).substr(1)) {
            eSeries = def.eSeries;
            return true;
        }
    }
    return false;
}
