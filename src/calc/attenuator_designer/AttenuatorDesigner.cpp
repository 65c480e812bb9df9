#include "calc/attenuator_designer/AttenuatorDesigner.h"

#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/NumberInput.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <numbers>
#include <utility>

namespace {

// Nodes of the networks: 0 is ground, 1 the input, 2 the output, 3 the
// junction inside a T or a bridged T.
constexpr int kMaxNodes = 3;

// Ideal values are shown to four digits: enough to see how far the stock
// value is off, no more than a builder can use.
constexpr int kIdealDigits = 4;

// A resistor taking less than this share of the power is balanced out (the
// output arm of a bridged T with exact values): what the arithmetic leaves
// there is noise. A real imbalance of stock values gives far more (1e-6).
constexpr double kBalancedShare = 1e-20;

// Decimal exponents below which a resistance (1 mΩ) or a power (1 µW) is
// written as digits and exponent rather than with a run of leading zeros.
constexpr int kPlainFrom = -3;
constexpr int kPlainPowerFrom = -6;
constexpr int kPowerDigits = 3;

struct CBranch {
    int nFrom;
    int nTo;
};

struct CTopologyDef {
    const char* pszLabel;
    const char* pszKey;
    int nNodes; // not counting ground
    std::vector<CAttenuatorPart> parts;
    std::vector<CBranch> branches; // one per part
};

const CTopologyDef& Def(EAttenuatorTopology eTopology) {
    static const CTopologyDef kDefs[kAttenuatorTopologyCount] = {
        {"π型",
         "pi",
         2,
         {{"R2", "入力側", 0}, {"R1", "", 1}, {"R2", "出力側", 0}},
         {{1, 0}, {1, 2}, {2, 0}}},
        {"T型",
         "t",
         3,
         {{"R1", "入力側", 0}, {"R2", "", 1}, {"R1", "出力側", 0}},
         {{1, 3}, {3, 0}, {3, 2}}},
        {"橋絡T型",
         "bridged-t",
         3,
         {{"R3", "入力側", 0}, {"R1", "", 1}, {"R2", "", 2}, {"R3", "出力側", 0}},
         {{1, 3}, {1, 2}, {3, 0}, {3, 2}}},
    };
    return kDefs[static_cast<int>(eTopology)];
}

bool IsResistance(double dValue) {
    return std::isnormal(dValue) && dValue > 0.0;
}

// Node voltages (index = node, [0] = 0 V) with a 1 V source of internal
// resistance Z at the input and a load Z at the output: the nodal equations
// solved by elimination with partial pivoting.
std::array<double, kMaxNodes + 1>
NodeVoltages(const CTopologyDef& def, const std::vector<double>& values, double dImpedance) {
    const int n = def.nNodes;
    double g[kMaxNodes][kMaxNodes + 1] = {};
    const auto conduct = [&g](int nFrom, int nTo, double dConductance) {
        if (nFrom > 0) {
            g[nFrom - 1][nFrom - 1] += dConductance;
        }
        if (nTo > 0) {
            g[nTo - 1][nTo - 1] += dConductance;
        }
        if (nFrom > 0 && nTo > 0) {
            g[nFrom - 1][nTo - 1] -= dConductance;
            g[nTo - 1][nFrom - 1] -= dConductance;
        }
    };
    for (std::size_t k = 0; k < def.parts.size(); ++k) {
        conduct(def.branches[k].nFrom, def.branches[k].nTo,
                1.0 / values[static_cast<std::size_t>(def.parts[k].nValue)]);
    }
    conduct(1, 0, 1.0 / dImpedance); // the source's resistance
    conduct(2, 0, 1.0 / dImpedance); // the load
    g[0][n] = 1.0 / dImpedance;      // the source's current into the input node

    for (int c = 0; c < n; ++c) {
        int nPivot = c;
        for (int r = c + 1; r < n; ++r) {
            if (std::fabs(g[r][c]) > std::fabs(g[nPivot][c])) {
                nPivot = r;
            }
        }
        std::swap(g[c], g[nPivot]);
        for (int r = c + 1; r < n; ++r) {
            const double dFactor = g[r][c] / g[c][c];
            for (int k = c; k <= n; ++k) {
                g[r][k] -= dFactor * g[c][k];
            }
        }
    }
    std::array<double, kMaxNodes + 1> voltages{};
    for (int r = n - 1; r >= 0; --r) {
        double dSum = g[r][n];
        for (int k = r + 1; k < n; ++k) {
            dSum -= g[r][k] * voltages[static_cast<std::size_t>(k + 1)];
        }
        voltages[static_cast<std::size_t>(r + 1)] = dSum / g[r][r];
    }
    return voltages;
}

// S11 and 1 − S21 of the symmetric pad in closed form, from its two half
// networks cut at the plane of symmetry (open: even mode, shorted: odd mode),
// their input impedances ze and zo normalised to Z:
//   S21 = (ze − zo) / ((ze + 1)(zo + 1)),
//   1 − S21 = 1/(ze + 1) + zo/(zo + 1),   S11 = zo/(zo + 1) − 1/(ze + 1).
// Each is built from its small terms themselves (ze − zo in a form of its
// own per network), so a pad of almost no attenuation (huge shunt, tiny
// series values) or of a great deal keeps its digits where node voltages
// would lose them to rounding.
struct CScattering {
    double dS11 = 0.0;
    double dS21 = 0.0;
    double dOneMinusS21 = 0.0;
};

CScattering ClosedFormScattering(EAttenuatorTopology eTopology, const std::vector<double>& values,
                                 double dImpedance) {
    const auto r = [&](std::size_t k) { return values[k] / dImpedance; };
    const auto parallel = [](double a, double b) { return a * b / (a + b); };
    double ze = 0.0;
    double zo = 0.0;
    double dDifference = 0.0; // ze − zo
    switch (eTopology) {
    case EAttenuatorTopology::Pi: // shunt R2 at each port, series R1 between
        ze = r(0);
        zo = parallel(r(0), r(1) / 2.0);
        dDifference = r(0) * r(0) / (r(0) + r(1) / 2.0);
        break;
    case EAttenuatorTopology::T: // series R1 in each arm, shunt R2 at the junction
        ze = r(0) + 2.0 * r(1);
        zo = r(0);
        dDifference = 2.0 * r(1);
        break;
    case EAttenuatorTopology::BridgedT: // arms R3, bridge R1, shunt R2
        ze = r(0) + 2.0 * r(2);
        zo = parallel(r(0), r(1) / 2.0);
        dDifference = 2.0 * r(2) + r(0) * r(0) / (r(0) + r(1) / 2.0);
        break;
    }
    const double dEven = 1.0 / (ze + 1.0);
    const double dOdd = zo / (zo + 1.0);
    return {dOdd - dEven, dDifference / ((ze + 1.0) * (zo + 1.0)), dEven + dOdd};
}

// Stock values tried beyond the two that bracket each ideal value. The arms
// and the bridge of a bridged T trade against each other: a better match is
// often found well away from the ideal values (50 Ω, 3 dB, E24: 30/24/130 Ω
// rather than 51/20/120 Ω), so it looks further.
int CandidatesBeyond(EAttenuatorTopology eTopology) {
    return eTopology == EAttenuatorTopology::BridgedT ? 5 : 1;
}

// The chosen combination: the index of each distinct value's candidate.
struct CChoice {
    std::vector<std::size_t> picks;
    double dError = INFINITY;        // max(|S11|, |K·S21 − 1|)
    double dTransmission = INFINITY; // |K·S21 − 1|
};

CChoice ChooseCombination(EAttenuatorTopology eTopology,
                          const std::vector<std::vector<double>>& candidates, double dImpedance,
                          double dK) {
    CChoice best;
    std::vector<std::size_t> picks(candidates.size(), 0);
    std::vector<double> values(candidates.size());
    for (;;) {
        for (std::size_t k = 0; k < picks.size(); ++k) {
            values[k] = candidates[k][picks[k]];
        }
        const CAttenuatorResponse response = AttenuatorResponse(eTopology, values, dImpedance, 0.0);
        const double dTransmission = std::fabs(dK * response.dS21 - 1.0);
        const double dError = std::max(std::fabs(response.dS11), dTransmission);
        if (dError < best.dError || (dError == best.dError && dTransmission < best.dTransmission)) {
            best = {picks, dError, dTransmission};
        }
        // Next combination, the last value varying fastest.
        std::size_t k = picks.size();
        while (k > 0 && ++picks[k - 1] == candidates[k - 1].size()) {
            picks[--k] = 0;
        }
        if (k == 0) {
            break;
        }
    }
    return best;
}

// "+3.9", "-4.1"; a deviation that rounds to nothing is "0.0", unsigned.
std::string FormatDeviation(double dIdeal, double dValue) {
    std::string strText = FormatC("%+.1f", (dValue - dIdeal) / dIdeal * 100.0);
    if (strText == "+0.0" || strText == "-0.0") {
        strText = "0.0";
    }
    return strText;
}

// The digits and decimal exponent of a value rounded to nDigits significant
// digits: 999.96 with 4 digits gives "1000" and 3.
void RoundedDigits(double dValue, int nDigits, std::string& strDigits, int& nExponent) {
    const std::string strSci = FormatC("%.*e", nDigits - 1, dValue);
    const std::size_t nE = strSci.find('e');
    strDigits.clear();
    for (std::size_t k = 0; k < nE; ++k) {
        if (strSci[k] != '.') {
            strDigits += strSci[k];
        }
    }
    nExponent = std::atoi(strSci.c_str() + nE + 1);
}

// The digits with the decimal point after nIntegerDigits of them, padded
// with zeros on either side as needed.
std::string PlacePoint(const std::string& strDigits, int nIntegerDigits) {
    const int nCount = static_cast<int>(strDigits.size());
    if (nIntegerDigits <= 0) {
        return "0." + std::string(static_cast<std::size_t>(-nIntegerDigits), '0') + strDigits;
    }
    if (nIntegerDigits >= nCount) {
        return strDigits + std::string(static_cast<std::size_t>(nIntegerDigits - nCount), '0');
    }
    return strDigits.substr(0, static_cast<std::size_t>(nIntegerDigits)) + "." +
           strDigits.substr(static_cast<std::size_t>(nIntegerDigits));
}

std::string BuildReport(const CAttenuatorInputs& inputs, const CAttenuatorDesign& design,
                        const CLocalTime& time) {
    std::string strReport = ReportHeading("　　　　　***** 抵抗アッテネータの設計 *****\r\n", time);
    strReport +=
        FormatC("　　　　　インピーダンス  %sΩ\r\n", FormatEditValue(inputs.dImpedance).c_str());
    strReport +=
        FormatC("　　　　　減衰量  %sdB\r\n", FormatEditValue(inputs.dAttenuation).c_str());
    strReport += FormatC("　　　　　形式  %s\r\n", AttenuatorTopologyLabel(inputs.eTopology));
    strReport += FormatC("　　　　　抵抗の系列  %s\r\n", CResistorSeries(inputs.eSeries).Name());
    if (design.bPower) {
        strReport += FormatC("　　　　　入力電力  %sW\r\n", FormatEditValue(inputs.dPower).c_str());
    }
    for (const CAttenuatorResistor& resistor : design.resistors) {
        strReport += FormatC("　　　　　%s  理想値 %s  選定値 %s（%s%%）",
                             resistor.strLabel.c_str(), resistor.strIdeal.c_str(),
                             resistor.strValue.c_str(), resistor.strDeviation.c_str());
        if (design.bPower) {
            strReport += FormatC("  電力 %sW", resistor.strPower.c_str());
        }
        strReport += "\r\n";
    }
    strReport += FormatC("　　　　　実際の減衰量  %sdB\r\n", design.strAttenuation.c_str());
    strReport += design.bExactMatch
                     ? std::string("　　　　　リターンロス  ∞\r\n")
                     : FormatC("　　　　　リターンロス  %sdB\r\n", design.strReturnLoss.c_str());
    strReport += FormatC("　　　　　VSWR  %s\r\n", design.strVswr.c_str());
    if (design.bPower) {
        strReport += FormatC("　　　　　負荷の電力  %sW\r\n", design.strLoadPower.c_str());
    }
    strReport += "\r\n";
    return strReport;
}

} // namespace

const char* AttenuatorTopologyLabel(EAttenuatorTopology eTopology) {
    return Def(eTopology).pszLabel;
}

const char* AttenuatorTopologyKey(EAttenuatorTopology eTopology) {
    return Def(eTopology).pszKey;
}

bool ParseAttenuatorTopology(const std::string& strKey, EAttenuatorTopology& eTopology) {
    for (int n = 0; n < kAttenuatorTopologyCount; ++n) {
        if (strKey == Def(static_cast<EAttenuatorTopology>(n)).pszKey) {
            eTopology = static_cast<EAttenuatorTopology>(n);
            return true;
        }
    }
    return false;
}

const std::vector<CAttenuatorPart>& AttenuatorParts(EAttenuatorTopology eTopology) {
    return Def(eTopology).parts;
}

std::vector<double> AttenuatorIdealValues(EAttenuatorTopology eTopology, double dImpedance,
                                          double dAttenuation) {
    if (!(dImpedance > 0.0) || !(dAttenuation > 0.0)) {
        return {};
    }
    const double z = dImpedance;
    const double k = std::pow(10.0, dAttenuation / 20.0);
    std::vector<double> values;
    switch (eTopology) {
    case EAttenuatorTopology::Pi:
        values = {z * (k + 1.0) / (k - 1.0), z * (k * k - 1.0) / (2.0 * k)};
        break;
    case EAttenuatorTopology::T:
        values = {z * (k - 1.0) / (k + 1.0), 2.0 * z * k / (k * k - 1.0)};
        break;
    case EAttenuatorTopology::BridgedT:
        values = {z, z * (k - 1.0), z / (k - 1.0)};
        break;
    }
    for (const double dValue : values) {
        if (!IsResistance(dValue)) {
            return {}; // K indistinguishable from 1, or beyond the double range
        }
    }
    return values;
}

CAttenuatorResponse AttenuatorResponse(EAttenuatorTopology eTopology,
                                       const std::vector<double>& values, double dImpedance,
                                       double dPower) {
    const CTopologyDef& def = Def(eTopology);
    CAttenuatorResponse response;
    const CScattering scattering = ClosedFormScattering(eTopology, values, dImpedance);
    response.dS11 = scattering.dS11;
    response.dOneMinusS21 = scattering.dOneMinusS21;
    response.dS21 = scattering.dS21;
    // The 1 V source has an available power of 1 / 4Z: scale to dPower.
    const double dScale = 4.0 * dImpedance * dPower;
    const std::array<double, kMaxNodes + 1> v = NodeVoltages(def, values, dImpedance);
    for (std::size_t k = 0; k < def.parts.size(); ++k) {
        const double dVolts = v[static_cast<std::size_t>(def.branches[k].nFrom)] -
                              v[static_cast<std::size_t>(def.branches[k].nTo)];
        const double dOhm = values[static_cast<std::size_t>(def.parts[k].nValue)];
        response.powers.push_back(dVolts * dVolts / dOhm * dScale);
    }
    // V2 = S21 / 2 with the 1 V source.
    response.dLoadPower = response.dS21 * response.dS21 / 4.0 / dImpedance * dScale;
    return response;
}

CAttenuatorDesign DesignAttenuator(const CAttenuatorInputs& inputs, const CLocalTime& time) {
    CAttenuatorDesign design;
    design.strReport = kAttenuatorNoReport;
    const double dImpedance = inputs.dImpedance;
    const std::vector<double> ideal =
        AttenuatorIdealValues(inputs.eTopology, dImpedance, inputs.dAttenuation);
    if (ideal.empty() || !IsResistance(dImpedance)) {
        return design;
    }
    const CResistorSeries series(inputs.eSeries);
    std::vector<std::vector<double>> candidates;
    for (const double dIdeal : ideal) {
        candidates.push_back(series.Candidates(dIdeal, CandidatesBeyond(inputs.eTopology)));
        if (candidates.back().empty()) {
            return design;
        }
    }
    const double dK = std::pow(10.0, inputs.dAttenuation / 20.0);
    const CChoice choice = ChooseCombination(inputs.eTopology, candidates, dImpedance, dK);
    std::vector<double> values;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        values.push_back(candidates[k][choice.picks[k]]);
    }
    // A negative power (a field that failed its check) is no power either.
    design.bPower = inputs.dPower > 0.0 && std::isfinite(inputs.dPower);
    const CAttenuatorResponse response = AttenuatorResponse(inputs.eTopology, values, dImpedance,
                                                            design.bPower ? inputs.dPower : 0.0);
    if (!(response.dS21 > 0.0) || !std::isfinite(response.dS11)) {
        return design;
    }

    design.bComputed = true;
    const std::vector<CAttenuatorPart>& parts = AttenuatorParts(inputs.eTopology);
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const auto nValue = static_cast<std::size_t>(parts[k].nValue);
        CAttenuatorResistor resistor;
        resistor.strName = parts[k].pszName;
        resistor.strPlace = parts[k].pszPlace;
        resistor.dIdeal = ideal[nValue];
        resistor.dValue = values[nValue];
        resistor.dPower =
            response.powers[k] < kBalancedShare * inputs.dPower ? 0.0 : response.powers[k];
        resistor.strLabel = resistor.strPlace.empty() ? resistor.strName
                                                      : resistor.strName + " " + resistor.strPlace;
        resistor.strIdeal = FormatResistance(resistor.dIdeal, kIdealDigits);
        resistor.strValue = FormatResistance(resistor.dValue, series.SignificantDigits());
        resistor.strDeviation = FormatDeviation(resistor.dIdeal, resistor.dValue);
        if (design.bPower) {
            resistor.strPower = FormatPower(resistor.dPower);
        }
        design.resistors.push_back(resistor);
    }
    design.dS11 = response.dS11;
    design.dS21 = response.dS21;
    // −20·log10(S21) from 1 − S21, exact however small; a passive pad never
    // shows a gain, nor "-0.00".
    design.dAttenuation =
        std::max(0.0, -20.0 / std::numbers::ln10 * std::log1p(-response.dOneMinusS21));
    const double dReflection = std::fabs(response.dS11);
    design.bExactMatch = dReflection < kAttenuatorExactMatch;
    design.dReturnLoss = design.bExactMatch ? INFINITY : -20.0 * std::log10(dReflection);
    design.dVswr = design.bExactMatch ? 1.0 : (1.0 + dReflection) / (1.0 - dReflection);
    design.dLoadPower = response.dLoadPower;

    design.strAttenuation = FormatC("%.2f", design.dAttenuation);
    design.strReturnLoss = design.bExactMatch ? "∞" : FormatC("%.1f", design.dReturnLoss);
    design.strVswr = FormatC("%.3f", design.dVswr);
    if (design.bPower) {
        design.strLoadPower = FormatPower(design.dLoadPower);
    }
    design.strReport = BuildReport(inputs, design, time);
    return design;
}

std::vector<CAttenuatorListItem> AttenuatorListItems(const CAttenuatorDesign& design) {
    std::vector<CAttenuatorListItem> items;
    for (const CAttenuatorResistor& resistor : design.resistors) {
        items.push_back({resistor.strLabel, resistor.strIdeal, resistor.strValue,
                         resistor.strDeviation, resistor.strPower});
    }
    return items;
}

std::string FormatResistance(double dOhm, int nDigits) {
    static constexpr const char* kPrefixes[] = {"", "k", "M", "G", "T"};
    std::string strDigits;
    int nExponent = 0;
    RoundedDigits(dOhm, nDigits, strDigits, nExponent);
    // From 1 mΩ up to 1 kΩ plain ohms ("0.47Ω"), then a prefix per thousand.
    // Beyond that no resistor exists: the digits and the exponent say it
    // without a row of zeros.
    if (nExponent < kPlainFrom || nExponent >= 3 * static_cast<int>(std::size(kPrefixes))) {
        return FormatC("%.*e", nDigits - 1, dOhm) + "Ω";
    }
    const int nGroup = nExponent >= 0 ? nExponent / 3 : 0;
    return PlacePoint(strDigits, nExponent - 3 * nGroup + 1) + kPrefixes[nGroup] + "Ω";
}

std::string FormatPower(double dWatt) {
    if (dWatt == 0.0) {
        return "0";
    }
    std::string strDigits;
    int nExponent = 0;
    RoundedDigits(dWatt, kPowerDigits, strDigits, nExponent);
    if (nExponent < kPlainPowerFrom) {
        return FormatC("%.*e", kPowerDigits - 1, dWatt);
    }
    return PlacePoint(strDigits, nExponent + 1);
}
