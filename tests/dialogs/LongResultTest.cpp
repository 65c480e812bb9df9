#include "dialogs/CalculatorDialogs.h"

#include "support/DialogTestSupport.h"

#include <QLabel>

// Results too long for their box, as users met them: the box shows the
// beginning (never the middle of a number) and the tool tip the whole text.

namespace {

struct LongResultCase {
    const char* pszName;
    std::function<std::unique_ptr<CCalcDialog>()> fnCreate;
    std::function<std::string(CCalcDialog&)> fnCompute; // gives the whole result text
    int nBox;
    const char* pszBeginning;
};

void PrintTo(const LongResultCase& c, std::ostream* pOut) {
    *pOut << c.pszName;
}

class LongResult : public CDialogTest, public ::testing::WithParamInterface<LongResultCase> {};

TEST_P(LongResult, BoxShowsTheBeginningAndTheToolTipTheWhole) {
    const LongResultCase& c = GetParam();
    const std::unique_ptr<CCalcDialog> pDialog = c.fnCreate();
    pDialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pDialog.get()));
    const QString strWhole = QString::fromStdString(c.fnCompute(*pDialog));
    auto* pBox = pDialog->Item<QLabel>(c.nBox);
    ASSERT_TRUE(strWhole.startsWith(QString::fromUtf8(c.pszBeginning))) << strWhole.toStdString();
    ASSERT_GT(QFontMetrics(pBox->font()).horizontalAdvance(strWhole), pBox->contentsRect().width())
        << "the case must not fit";
    EXPECT_TRUE(pBox->text().startsWith(QString::fromUtf8(c.pszBeginning)))
        << pBox->text().toStdString();
    EXPECT_LE(QFontMetrics(pBox->font()).horizontalAdvance(pBox->text()),
              pBox->contentsRect().width());
    EXPECT_EQ(pBox->toolTip(), strWhole);
    pDialog->hide();
}

std::string TinyFrequencyLMatch(CCalcDialog& dialog) {
    auto& dlg = static_cast<CLMatchDlg&>(dialog);
    dlg.m_dFrequency = 1e-12;
    dlg.m_dZin = 50.0;
    dlg.m_dZout = 100000.0;
    dlg.UpdateData(false);
    dlg.Compute();
    return dlg.m_strL;
}

std::string HugeTargetAirCoilWizard(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilWizardDlg&>(dialog);
    dlg.SetCoil(0.001, 1000.0, 0.0);
    dlg.m_dTargetInductance = 1e8;
    dlg.UpdateData(false);
    dlg.Solve();
    return dlg.m_strTurns;
}

INSTANTIATE_TEST_SUITE_P(
    Users, LongResult,
    ::testing::Values(LongResultCase{"LMatchTinyFrequency", MakeDialog<CLMatchDlg>,
                                     TinyFrequencyLMatch, kLMatchInductorStatic, "L(μH)=355"},
                      LongResultCase{"AirCoilWizardHugeTarget", MakeDialog<CAirCoilWizardDlg>,
                                     HugeTargetAirCoilWizard, kAirCoilWizardTurnsStatic, "10065"}),
    [](const ::testing::TestParamInfo<LongResultCase>& info) { return info.param.pszName; });

} // namespace
