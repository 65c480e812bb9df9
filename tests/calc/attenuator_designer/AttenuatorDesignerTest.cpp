#include "calc/attenuator_designer/AttenuatorDesigner.h"
#include "support/WorkedReports.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

using ETop = EAttenuatorTopology;
using ESeries = EResistorSeries;

CAttenuatorInputs Inputs(double dImpedance, double dAttenuation, ETop eTopology, ESeries eSeries,
                         double dPower) {
    return {dImpedance, dAttenuation, eTopology, eSeries, dPower};
}

struct WorkedCase {
    const char* pszName;
    CAttenuatorInputs inputs;
    std::vector<const char*> names;
    std::vector<double> values; // Ω, per physical resistor
    const char* pszAttenuation;
    const char* pszReturnLoss;
    const char* pszVswr;             // "" where not worked out by hand
    std::vector<const char*> powers; // W; empty without power
    const char* pszLoadPower;
};

TEST(AttenuatorDesigner, WorkedDesigns) {
    const WorkedCase cases[] = {
        {"50 Ω 10 dB π E24 5 W",
         Inputs(50, 10, ETop::Pi, ESeries::E24, 5),
         {"R2", "R1", "R2"},
         {100, 75, 100},
         "10.07",
         "34.2",
         "1.040",
         {"2.60", "1.66", "0.246"},
         "0.492"},
        {"50 Ω 40 dB T E6",
         Inputs(50, 40, ETop::T, ESeries::E6, 0),
         {"R1", "R2", "R1"},
         {47, 1.0, 47},
         "39.65",
         "33.8",
         "",
         {},
         ""},
        // The arms' ideal 75 Ω is a stock value, yet 68 Ω wins, and R2 takes
        // the value beyond its upper neighbour (33 < 34.69 < 36 < 39).
        {"75 Ω 10 dB bridged T E24",
         Inputs(75, 10, ETop::BridgedT, ESeries::E24, 1),
         {"R3", "R1", "R2", "R3"},
         // Arms well below Z trade against the bridge: a far better
         // max(|S11|, |K·S21 − 1|) (0.0083) than the values next to the
         // ideal ones give (68/180/39 Ω: 0.0116).
         {56, 240, 43, 56},
         "9.98",
         "41.6",
         "1.017",
         {"0.475", "0.142", "0.274", "0.00842"},
         "0.101"},
        {"50 Ω 3 dB bridged T E24",
         Inputs(50, 3, ETop::BridgedT, ESeries::E24, 0),
         {"R3", "R1", "R2", "R3"},
         {30, 24, 130, 30},
         "3.02",
         "62.9",
         "1.001",
         {},
         ""},
        // Stock values that meet the bridged T's match condition exactly
        // (arms = Z, R1·R2 = Z²): the return loss is infinite, and the
        // output arm, balanced, takes no power at all.
        {"100 Ω 6.0206 dB bridged T E24",
         Inputs(100, 6.0206, ETop::BridgedT, ESeries::E24, 1),
         {"R3", "R1", "R2", "R3"},
         {100, 100, 100, 100},
         "6.02",
         "∞",
         "1.000",
         {"0.250", "0.250", "0.250", "0"},
         "0.250"},
    };
    for (const WorkedCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        const CAttenuatorDesign design = DesignAttenuator(c.inputs, kTime);
        ASSERT_TRUE(design.bComputed);
        ASSERT_EQ(design.resistors.size(), c.names.size());
        for (std::size_t k = 0; k < c.names.size(); ++k) {
            EXPECT_EQ(design.resistors[k].strName, c.names[k]) << k;
            EXPECT_EQ(design.resistors[k].dValue, c.values[k]) << k;
            EXPECT_EQ(design.resistors[k].strPower, c.powers.empty() ? "" : c.powers[k]) << k;
        }
        EXPECT_EQ(design.strAttenuation, c.pszAttenuation);
        EXPECT_EQ(design.strReturnLoss, c.pszReturnLoss);
        if (*c.pszVswr) {
            EXPECT_EQ(design.strVswr, c.pszVswr);
        }
        EXPECT_EQ(design.strLoadPower, c.pszLoadPower);
    }
}

TEST(AttenuatorDesigner, IdealValuesMatchExactlyAndGiveTheAttenuation) {
    for (int nTopology = 0; nTopology < kAttenuatorTopologyCount; ++nTopology) {
        const auto eTopology = static_cast<ETop>(nTopology);
        for (const double dImpedance : {0.1, 50.0, 600.0, 10000.0}) {
            for (const double dAttenuation : {0.5, 3.0, 6.0, 10.0, 20.0, 40.0, 60.0, 100.0}) {
                SCOPED_TRACE(testing::Message() << AttenuatorTopologyKey(eTopology) << " "
                                                << dImpedance << " Ω " << dAttenuation << " dB");
                const std::vector<double> ideal =
                    AttenuatorIdealValues(eTopology, dImpedance, dAttenuation);
                ASSERT_FALSE(ideal.empty());
                const CAttenuatorResponse response =
                    AttenuatorResponse(eTopology, ideal, dImpedance, 0.0);
                EXPECT_NEAR(response.dS11, 0.0, 1e-12);
                EXPECT_NEAR(-20.0 * std::log10(response.dS21), dAttenuation, 1e-12);
            }
        }
    }
}

// Pads of almost no attenuation have huge shunt and tiny series values; the
// stock values stray by up to a fifth, so the actual attenuation stays of the
// asked-for size and the match far better than the attenuation is small. A
// passive pad never shows a gain, and no figure reads "-0.00".
TEST(AttenuatorDesigner, TinyAttenuationsStayPassiveAndMatched) {
    for (int nTopology = 0; nTopology < kAttenuatorTopologyCount; ++nTopology) {
        const auto eTopology = static_cast<ETop>(nTopology);
        for (const double dAttenuation : {1e-14, 1e-11, 1e-8, 1e-5, 1e-3}) {
            for (const ESeries eSeries : {ESeries::E6, ESeries::E24, ESeries::E192}) {
                SCOPED_TRACE(testing::Message() << AttenuatorTopologyKey(eTopology) << " "
                                                << dAttenuation << " dB " << int(eSeries));
                const CAttenuatorDesign design =
                    DesignAttenuator(Inputs(50, dAttenuation, eTopology, eSeries, 1), kTime);
                ASSERT_TRUE(design.bComputed);
                EXPECT_GT(design.dAttenuation, 0.5 * dAttenuation);
                EXPECT_LT(design.dAttenuation, 1.5 * dAttenuation);
                EXPECT_GT(design.dReturnLoss, -20.0 * std::log10(dAttenuation));
                EXPECT_EQ(design.strAttenuation, "0.00");
                EXPECT_EQ(design.strReport.find("-0.0"), std::string::npos);
                EXPECT_NEAR(design.dLoadPower, 1.0, 1e-3);
            }
        }
    }
}

TEST(AttenuatorDesigner, ResistorPowersAndLoadAddUpToTheAcceptedPower) {
    const CAttenuatorInputs cases[] = {
        Inputs(50, 10, ETop::Pi, ESeries::E24, 5),
        Inputs(50, 40, ETop::T, ESeries::E6, 100),
        Inputs(75, 3, ETop::BridgedT, ESeries::E96, 1),
        Inputs(600, 0.5, ETop::Pi, ESeries::E192, 2),
        Inputs(0.5, 100, ETop::T, ESeries::E12, 10000),
        Inputs(10000, 20, ETop::BridgedT, ESeries::E48, 0.25),
    };
    for (const CAttenuatorInputs& inputs : cases) {
        const CAttenuatorDesign design = DesignAttenuator(inputs, kTime);
        ASSERT_TRUE(design.bComputed);
        double dSum = design.dLoadPower;
        for (const CAttenuatorResistor& resistor : design.resistors) {
            EXPECT_GE(resistor.dPower, 0.0);
            dSum += resistor.dPower;
        }
        const double dAccepted = inputs.dPower * (1.0 - design.dS11 * design.dS11);
        EXPECT_NEAR(dSum, dAccepted, 1e-12 * inputs.dPower)
            << AttenuatorTopologyKey(inputs.eTopology) << " " << inputs.dAttenuation;
        // The load gets what the attenuation leaves.
        EXPECT_NEAR(design.dLoadPower, inputs.dPower * design.dS21 * design.dS21,
                    1e-12 * inputs.dPower);
    }
}

TEST(AttenuatorDesigner, RefusedInputsGiveNoDesignAndTheBareReport) {
    const CAttenuatorInputs cases[] = {
        Inputs(0, 10, ETop::Pi, ESeries::E24, 5),        // no impedance
        Inputs(50, 0, ETop::T, ESeries::E24, 5),         // no attenuation
        Inputs(-50, 10, ETop::Pi, ESeries::E24, 0),      // a failed field's value
        Inputs(50, -3, ETop::BridgedT, ESeries::E24, 0), // a gain is no attenuator
        Inputs(50, 1e-300, ETop::Pi, ESeries::E24, 0),   // K rounds to 1
        Inputs(50, 1e300, ETop::Pi, ESeries::E24, 0),    // K overflows
        Inputs(std::nan(""), 10, ETop::T, ESeries::E24, 0),
        Inputs(5e-308, 10, ETop::T, ESeries::E24, 0), // stock values below the doubles
    };
    for (const CAttenuatorInputs& inputs : cases) {
        const CAttenuatorDesign design = DesignAttenuator(inputs, kTime);
        EXPECT_FALSE(design.bComputed) << inputs.dImpedance << " " << inputs.dAttenuation;
        EXPECT_TRUE(design.resistors.empty());
        EXPECT_TRUE(AttenuatorListItems(design).empty());
        EXPECT_EQ(design.strAttenuation, "");
        EXPECT_EQ(design.strReport, "\r\n\r\n");
    }
}

TEST(AttenuatorDesigner, ReportsInTheHouseStyle) {
    EXPECT_EQ(DesignAttenuator(Inputs(50, 10, ETop::Pi, ESeries::E24, 5), kTime).strReport,
              kAttenuatorWorkedReport);
    // Without power figures the power lines and columns are left out.
    EXPECT_EQ(DesignAttenuator(Inputs(50, 40, ETop::T, ESeries::E6, 0), kTime).strReport,
              "　　　　　***** 抵抗アッテネータの設計 *****\r\n"
              "　　　　　2026-12-8  9:05\r\n"
              "　　　　　インピーダンス  50Ω\r\n"
              "　　　　　減衰量  40dB\r\n"
              "　　　　　形式  T型\r\n"
              "　　　　　抵抗の系列  E6\r\n"
              "　　　　　R1 入力側  理想値 49.01Ω  選定値 47Ω（-4.1%）\r\n"
              "　　　　　R2  理想値 1.000Ω  選定値 1.0Ω（0.0%）\r\n"
              "　　　　　R1 出力側  理想値 49.01Ω  選定値 47Ω（-4.1%）\r\n"
              "　　　　　実際の減衰量  39.65dB\r\n"
              "　　　　　リターンロス  33.8dB\r\n"
              "　　　　　VSWR  1.042\r\n"
              "\r\n");
    const std::string strExact =
        DesignAttenuator(Inputs(100, 6.0206, ETop::BridgedT, ESeries::E192, 0), kTime).strReport;
    EXPECT_NE(strExact.find("　　　　　R3 入力側  理想値 100.0Ω  選定値 100Ω（0.0%）\r\n"),
              std::string::npos)
        << strExact;
    EXPECT_NE(strExact.find("　　　　　リターンロス  ∞\r\n"), std::string::npos) << strExact;
    // Every character has its own place in code page 932 (the log's).
    for (const std::string& strReport : {std::string(kAttenuatorWorkedReport), strExact}) {
        std::string strBytes;
        std::string strBack;
        CEncodeError error;
        CDecodeError decodeError;
        ASSERT_TRUE(EncodeShiftJis(strReport, strBytes, error)) << error.m_nColumn;
        ASSERT_TRUE(DecodeShiftJis(strBytes, strBack, decodeError));
        EXPECT_EQ(strBack, strReport);
    }
}

TEST(AttenuatorDesigner, ValuesAreWrittenWithTheirDigitsAndUnit) {
    struct Case {
        double dValue;
        int nDigits;
        const char* pszText;
    };
    const Case cases[] = {
        {1.0, 2, "1.0Ω"},          {47.0, 2, "47Ω"},           {100.0, 2, "100Ω"},
        {0.1, 2, "0.10Ω"},         {0.047, 2, "0.047Ω"},       {2200.0, 2, "2.2kΩ"},
        {47000.0, 2, "47kΩ"},      {2.2e6, 2, "2.2MΩ"},        {1.0e9, 2, "1.0GΩ"},
        {9.9e14, 2, "990TΩ"},      {1.0e15, 2, "1.0e+15Ω"},    {100.0, 3, "100Ω"},
        {1.0e3, 3, "1.00kΩ"},      {96.2475, 4, "96.25Ω"},     {999.96, 4, "1.000kΩ"},
        {9.99996e5, 4, "1.000MΩ"}, {0.0047, 2, "0.0047Ω"},     {0.00099996, 4, "0.001000Ω"},
        {1.0e-5, 2, "1.0e-05Ω"},   {5.1e-306, 2, "5.1e-306Ω"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatResistance(c.dValue, c.nDigits), c.pszText) << c.dValue;
    }
    struct PowerCase {
        double dWatt;
        const char* pszText;
    };
    const PowerCase powers[] = {{2.599, "2.60"},  {0.24614, "0.246"},   {0.099996, "0.100"},
                                {4998.0, "5000"}, {1.5e-4, "0.000150"}, {1.5e-7, "1.50e-07"},
                                {0.0, "0"}};
    for (const PowerCase& c : powers) {
        EXPECT_EQ(FormatPower(c.dWatt), c.pszText) << c.dWatt;
    }
}

} // namespace
