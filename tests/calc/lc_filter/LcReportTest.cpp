#include "calc/lc_filter/LcReport.h"

#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CLocalTime kTime{2026, 12, 10, 9, 5};

CLcFilterInputs TrapExample() {
    CLcFilterInputs inputs;
    inputs.m_dCutoff = 7.5;
    inputs.m_dBandLow = 7.0;
    inputs.m_dBandHigh = 7.2;
    inputs.m_nTraps = 2;
    inputs.m_strCore = "T-50-6";
    inputs.m_dQ = 150.0;
    inputs.m_dPower = 10.0;
    return inputs;
}

TEST(LcReport, TheTrapExampleIsReportedWhole) {
    const CLcFilterInputs inputs = TrapExample();
    const std::string strExpected = "　　　　　***** LCフィルターの設計 *****\r\n"
                                    "　　　　　2026-12-10  9:05\r\n"
                                    "　　　　　ローパス  チェビシェフ  7素子  入力側 コンデンサ\r\n"
                                    "　　　　　インピーダンス  50Ω\r\n"
                                    "　　　　　カットオフ周波数  7.5MHz\r\n"
                                    "　　　　　リップル  0.1dB\r\n"
                                    "　　　　　使用帯域  7～7.2MHz\r\n"
                                    "　　　　　トラップ  14.4MHz  21.6MHz\r\n"
                                    "　　　　　コンデンサの系列  E12\r\n"
                                    "　　　　　コア  T-50-6  コイルのQ  150\r\n"
                                    "　　　　　送信出力  10W  終段の高調波  -20dBc\r\n"
                                    "　　　　　C1  対地  理想値 414.09pF → 390pF\r\n"
                                    "　　　　　L2  直列  理想値 1.2198μH → 1.156μH  17回\r\n"
                                    "　　　　　C2  L2に並列  理想値 100.15pF → 100pF\r\n"
                                    "　　　　　C3  対地  理想値 793.53pF → 820pF\r\n"
                                    "　　　　　L4  直列  理想値 1.5652μH → 1.6μH  20回\r\n"
                                    "　　　　　C4  L4に並列  理想値 34.687pF → 33pF\r\n"
                                    "　　　　　C5  対地  理想値 862.58pF → 820pF\r\n"
                                    "　　　　　L6  直列  理想値 1.5171μH → 1.444μH  19回\r\n"
                                    "　　　　　C7  対地  理想値 503.42pF → 470pF\r\n"
                                    "　　　　　特性（理想 / 実際）\r\n"
                                    "　　　　　帯域内の最大SWR  1.321 / 1.263\r\n"
                                    "　　　　　帯域中央の損失  0.059dB / 0.346dB\r\n"
                                    "　　　　　3dB周波数  7.945MHz / 8.016MHz\r\n"
                                    "　　　　　14.4MHzの減衰量  ∞ / 80.9dB\r\n"
                                    "　　　　　21.6MHzの減衰量  ∞ / 108.4dB\r\n"
                                    "　　　　　14.4MHzの高調波  -100.6dBc（0.87nW）\r\n"
                                    "　　　　　21.6MHzの高調波  -128.0dBc（0.0016nW）\r\n"
                                    "\r\n";
    EXPECT_EQ(LcFilterReport(inputs, DesignLcFilter(inputs), kTime), strExpected);
}

// What changes with the inputs: the ripple line of each response, the
// default check frequencies of a high-pass, no power lines without a power,
// an air-wound build; every report goes into the log's Shift-JIS whole.
TEST(LcReport, EachResponseAndTypeReportsItsOwnLines) {
    CLcFilterInputs stock;
    stock.m_eType = ELcFilterType::HighPass;
    stock.m_eResponse = ELcResponse::StockChebyshev;
    stock.m_dCutoff = 3.0;
    stock.m_dBandLow = 3.5;
    stock.m_dBandHigh = 30.0;
    CLcFilterInputs butterworth = TrapExample();
    butterworth.m_eResponse = ELcResponse::Butterworth;
    butterworth.m_nTraps = 0;
    butterworth.m_dPower = 0.0;
    butterworth.m_strCore.clear();
    const struct {
        const char* pszName;
        CLcFilterInputs inputs;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } cases[] = {
        {"stock high-pass",
         stock,
         {"ハイパス  チェビシェフ（標準値コンデンサ）  7素子",
          "リップル  5.049e-06dB  最大SWR  1.00216", "C1  直列  理想値 3300pF → 3300pF",
          "1.75MHzの減衰量", "1.16667MHzの減衰量", "コア  なし  コイルのQ  損失なし"},
         {"高調波", "トラップ"}},
        {"Butterworth",
         butterworth,
         {"ローパス  バターワース  7素子", "L2  直列  理想値 1.3231μH → 1.3231μH\r\n"},
         {"リップル", "高調波", "回\r\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const std::string strReport = LcFilterReport(c.inputs, DesignLcFilter(c.inputs), kTime);
        for (const std::string& strLine : c.present) {
            EXPECT_NE(strReport.find(strLine), std::string::npos) << strLine << "\n" << strReport;
        }
        for (const std::string& strText : c.absent) {
            EXPECT_EQ(strReport.find(strText), std::string::npos) << strText;
        }
        std::string strBytes;
        CEncodeError error;
        EXPECT_TRUE(EncodeShiftJis(strReport, strBytes, error)) << strReport;
    }
    CLcFilterInputs refused = TrapExample();
    refused.m_nOrder = 6;
    EXPECT_EQ(LcFilterReport(refused, DesignLcFilter(refused), kTime), kLcFilterNoReport);
}

TEST(LcReport, PowersReadInTheirBestUnit) {
    const struct {
        double dWatt;
        const char* pszText;
    } powers[] = {{10.0, "10W"},     {2.5, "2.5W"},       {0.0032, "3.2mW"},
                  {2.5e-4, "250μW"}, {8.7e-10, "0.87nW"}, {1.6e-12, "0.0016nW"}};
    for (const auto& p : powers) {
        EXPECT_EQ(FormatLcPower(p.dWatt), p.pszText) << p.dWatt;
    }
}

} // namespace
