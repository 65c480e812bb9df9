#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/NumberInput.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// The GUI toolkit sets the C locale from the environment; on a German desktop
// plain printf would write "1,5". Report numbers must not follow it.
class GermanLocaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* pszOld = std::setlocale(LC_ALL, nullptr);
        m_strOld = pszOld != nullptr ? pszOld : "C";
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing: run scripts/setup-deps.sh";
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        ASSERT_STREQ(buffer, "1,5") << "the locale is not in effect";
    }
    void TearDown() override { std::setlocale(LC_ALL, m_strOld.c_str()); }

    std::string m_strOld;
};

TEST_F(GermanLocaleTest, ReportNumbersKeepTheDecimalPoint) {
    EXPECT_EQ(FormatC("　　　　　インピーダンス  %.1fΩ\r\n", 50.25),
              "　　　　　インピーダンス  50.2Ω\r\n");
    EXPECT_EQ(FormatC("%.3f|%g|%e", 7.0216, 0.5, 1500.0), "7.022|0.5|1.500000e+03");
    std::string strOut;
    const CReportFormatter formatter;
    formatter.FormatGrouped(strOut, 1234567.891, 2);
    EXPECT_EQ(strOut, "1,234,567.89");
    formatter.FormatGrouped(strOut, 1e15 + 0.5, 1);
    EXPECT_EQ(strOut, "1000000000000000.5");
    formatter.FormatInductance(strOut, 4.7);
    EXPECT_EQ(strOut, "4.700 μH");
    formatter.FormatInductance(strOut, 0.000005);
    EXPECT_EQ(strOut, "5.0000 pH");
    EXPECT_EQ(FormatEditValue(293.37), "293.37");
    EXPECT_EQ(FormatSignificant(0.011387777, 4), "0.01139");
    double dValue = 0.0;
    EXPECT_TRUE(ParseNumber("2.5", dValue));
    EXPECT_EQ(dValue, 2.5);
}

} // namespace
