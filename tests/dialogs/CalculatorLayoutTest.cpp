#include "calc/air_coil/AirCoilDlg.h"
#include "calc/air_coil_winding/AirCoilWindingDlg.h"
#include "calc/air_coil_wizard/AirCoilWizardDlg.h"
#include "calc/attenuator_designer/AttenuatorDesignerDlg.h"
#include "calc/ladder_filter/LadderFilterDlg.h"
#include "calc/lmatch/LMatchDlg.h"
#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "calc/toroid_coil/ToroidCoilDlg.h"
#include "calc/toroid_winding/ToroidWindingDlg.h"
#include "calc/toroid_wizard/ToroidWizardDlg.h"
#include "calc/vfo_tank/VfoTankDlg.h"
#include "calc/xtal_filter/XtalFilterDlg.h"
#include "calc/xtal_filter/XtalMeasureDlg.h"
#include "calc/xtal_filter/XtalSortDlg.h"
#include "dialogs/SchematicPicture.h"
#include "dialogs/UpDownControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Every calculator's template laid out with the real dialog font: controls
// where the template puts them and no text cut off. With VANTIX_SHOT_DIR set
// each dialog is also saved as <template id>.png there.

namespace {

struct LayoutCase {
    const char* pszName;
    std::function<std::unique_ptr<CCalcDialog>()> fnCreate;
    std::function<void(CCalcDialog&)> fnFill; // a worked example, so results show
};

void PrintTo(const LayoutCase& c, std::ostream* pOut) {
    *pOut << c.pszName;
}

class CalculatorLayout : public ::testing::TestWithParam<LayoutCase> {};

// The text's width and height must fit the rectangle the widget gives it.
void ExpectTextFits(const QWidget& widget, const QString& strText, const QRect& area) {
    if (strText.trimmed().isEmpty()) {
        return;
    }
    const QFontMetrics metrics(widget.font());
    for (const QString& strLine : strText.split('\n')) {
        EXPECT_LE(metrics.horizontalAdvance(strLine), area.width())
            << strLine.toStdString() << " in " << widget.objectName().toStdString();
    }
    EXPECT_LE(metrics.height() * static_cast<int>(strText.count('\n') + 1), area.height())
        << strText.toStdString();
}

// The up-down control placed on this edit's right edge, if any.
const CUpDownControl* AlignedUpDownOf(const CCalcDialog& dialog, const QWidget* pEdit) {
    for (std::size_t n = 0; n < dialog.Template().controls.size(); ++n) {
        const auto* pSpin = qobject_cast<const CUpDownControl*>(dialog.ControlWidget(n));
        if (pSpin && pSpin->Buddy() == pEdit &&
            (dialog.Template().controls[n].nStyle & kAlignRight)) {
            return pSpin;
        }
    }
    return nullptr;
}

TEST_P(CalculatorLayout, ControlsMatchTheTemplateAndNoTextIsClipped) {
    const std::unique_ptr<CCalcDialog> pDialog = GetParam().fnCreate();
    pDialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pDialog.get()));
    GetParam().fnFill(*pDialog);

    const CDialogTemplate& dlgTemplate = pDialog->Template();
    const QRect client =
        pDialog->PixelRect({0, EControlKind::Static, "", 0, 0, dlgTemplate.cx, dlgTemplate.cy});
    EXPECT_EQ(pDialog->size(), client.size());
    for (std::size_t n = 0; n < dlgTemplate.controls.size(); ++n) {
        const CControlTemplate& control = dlgTemplate.controls[n];
        const QRect expected = pDialog->PixelRect(control);
        QWidget* pWidget = pDialog->ControlWidget(n);
        ASSERT_NE(pWidget, nullptr);
        const QRect actual = pWidget->geometry();
        if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
            // A label may only have grown sideways to fit its text.
            EXPECT_TRUE(actual.contains(expected)) << control.pszText;
            EXPECT_EQ(actual.top(), expected.top()) << control.pszText;
            EXPECT_EQ(actual.height(), expected.height()) << control.pszText;
            EXPECT_LE(actual.width(), expected.width() + 8) << control.pszText;
            ExpectTextFits(*pLabel, pLabel->text(), pLabel->contentsRect());
            continue;
        }
        if (control.eKind == EControlKind::DropDownList ||
            control.eKind == EControlKind::DropDown) {
            EXPECT_EQ(actual.topLeft(), expected.topLeft()) << control.nId;
            EXPECT_EQ(actual.width(), expected.width()) << control.nId;
            continue;
        }
        // An up-down aligned right sits on its buddy's right edge, and the
        // buddy narrows by the arrows' width.
        if (auto* pSpin = qobject_cast<CUpDownControl*>(pWidget);
            pSpin && (control.nStyle & kAlignRight)) {
            ASSERT_NE(pSpin->Buddy(), nullptr) << control.nId;
            const QRect buddy = pSpin->Buddy()->geometry();
            EXPECT_EQ(actual.left(), buddy.right() + 1) << control.nId;
            EXPECT_EQ(actual.top(), buddy.top()) << control.nId;
            continue;
        }
        if (const CUpDownControl* pSpin = AlignedUpDownOf(*pDialog, pWidget)) {
            EXPECT_EQ(actual.topLeft(), expected.topLeft()) << control.nId;
            EXPECT_EQ(actual.height(), expected.height()) << control.nId;
            EXPECT_EQ(pSpin->geometry().right(), expected.right()) << control.nId;
            continue;
        }
        EXPECT_EQ(actual, expected) << control.nId << " " << control.pszText;
        if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
            // Check boxes and radio buttons have no frame above and below their text.
            const int nFrame = qobject_cast<QPushButton*>(pButton) ? 2 : 0;
            ExpectTextFits(*pButton, pButton->text(),
                           pButton->rect().adjusted(4, nFrame, -4, -nFrame));
        } else if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget)) {
            ExpectTextFits(*pGroup, pGroup->title(), pGroup->rect().adjusted(8, 0, -8, 0));
        } else if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
            EXPECT_GE(pEdit->contentsRect().height(), QFontMetrics(pEdit->font()).height())
                << control.nId;
        } else if (auto* pPicture = qobject_cast<CSchematicPicture*>(pWidget)) {
            EXPECT_TRUE(pPicture->IsLoaded()) << control.pszText;
        }
    }

    const QString strShots = qEnvironmentVariable("VANTIX_SHOT_DIR");
    if (!strShots.isEmpty()) {
        QDir().mkpath(strShots);
        QPixmap shot = pDialog->grab();
        shot.save(strShots + QStringLiteral("/%1.png").arg(dlgTemplate.nId));
        QPainter painter(&shot);
        painter.setPen(Qt::red);
        for (const CControlTemplate& control : dlgTemplate.controls) {
            painter.drawRect(pDialog->PixelRect(control).adjusted(0, 0, -1, -1));
        }
        painter.end();
        shot.save(strShots + QStringLiteral("/%1-template.png").arg(dlgTemplate.nId));
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            // What the X server shows: the real window, placed as a user sees it.
            QTest::qWait(300);
            pDialog->screen()->grabWindow(0).save(
                strShots + QStringLiteral("/%1-screen.png").arg(dlgTemplate.nId));
        }
    }
    pDialog->hide();
}

void FillPi(CCalcDialog& dialog) {
    auto& dlg = static_cast<CPiAttenuatorDlg&>(dialog);
    dlg.m_dImpedance = 600.0;
    dlg.m_dAttenuation = 20.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillVfo(CCalcDialog& dialog) {
    auto& dlg = static_cast<CVfoTankDlg&>(dialog);
    dlg.m_dFreqMin = 3.5;
    dlg.m_dFreqMax = 7.0;
    dlg.m_dCapMin = 10.0;
    dlg.m_dCapMax = 100.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillLadder(CCalcDialog& dialog) {
    auto& dlg = static_cast<CLadderFilterDlg&>(dialog);
    dlg.m_dFrequency = 10.0;
    dlg.m_dHolderCapacitance = 3.5;
    dlg.m_dBandwidth = 2.4;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillToroidCoil(CCalcDialog& dialog) {
    auto& dlg = static_cast<CToroidCoilDlg&>(dialog);
    dlg.m_dTurns = 20.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillLMatch(CCalcDialog& dialog) {
    auto& dlg = static_cast<CLMatchDlg&>(dialog);
    dlg.m_dFrequency = 10.0;
    dlg.m_dZin = 50.0;
    dlg.m_dZout = 293.37;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillToroidWizard(CCalcDialog& dialog) {
    auto& dlg = static_cast<CToroidWizardDlg&>(dialog);
    dlg.m_dTargetInductance = 10.0;
    dlg.m_bMaterialFilter = 1;
    dlg.UpdateData(false);
    dlg.RunSearch();
}

void FillAirCoil(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilDlg&>(dialog);
    dlg.m_dDiameter = 10.0;
    dlg.m_dLength = 20.0;
    dlg.m_dWireDiameter = 0.813;
    dlg.m_dTurns = 20.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillAttenuatorDesigner(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAttenuatorDesignerDlg&>(dialog);
    dlg.m_dImpedance = 50.0;
    dlg.m_dAttenuation = 10.0;
    dlg.m_dPower = 5.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillAirCoilWizard(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilWizardDlg&>(dialog);
    dlg.SetCoil(10.0, 20.0, 0.813);
    dlg.m_dTargetInductance = 1.0;
    dlg.UpdateData(false);
    dlg.Solve();
}

void FillToroidWinding(CCalcDialog& dialog) {
    auto& dlg = static_cast<CToroidWindingDlg&>(dialog);
    dlg.m_comboCore->setCurrentIndex(dlg.m_comboCore->findText("T-50-2"));
    dlg.m_dTurns = 50.0; // more than one layer holds: the longest result text
    dlg.m_dWireDiameter = 0.5;
    dlg.m_dLead = 25.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillAirCoilWinding(CCalcDialog& dialog) {
    auto& dlg = static_cast<CAirCoilWindingDlg&>(dialog);
    dlg.m_dDiameter = 10.0;
    dlg.m_dLength = 20.0;
    dlg.m_dWireDiameter = 1.5;
    dlg.m_dTurns = 15.0; // longer than the coil: the longest result text
    dlg.m_dLead = 0.0;
    dlg.UpdateData(false);
    dlg.Compute();
}

// The workbench opens with its worked design computed.
void FillXtalFilter(CCalcDialog&) {}

void FillXtalMeasure(CCalcDialog& dialog) {
    auto& dlg = static_cast<CXtalMeasureDlg&>(dialog);
    dlg.m_dF1 = 10.0;
    dlg.m_dF2 = 10.002313;
    dlg.m_dCs = 33.0;
    dlg.m_dC0 = 3.5;
    dlg.UpdateData(false);
    dlg.Compute();
}

void FillXtalSort(CCalcDialog& dialog) {
    auto& dlg = static_cast<CXtalSortDlg&>(dialog);
    dlg.m_strList = "10.000100\n10.000130\n9.999000\n10.000110\n10.000125\n10.000120\n";
    dlg.m_nCountIndex = 2;
    dlg.UpdateData(false);
    dlg.Compute();
}

INSTANTIATE_TEST_SUITE_P(
    Winding, CalculatorLayout,
    ::testing::Values(LayoutCase{"ToroidWinding",
                                 [] { return std::make_unique<CToroidWindingDlg>(); },
                                 FillToroidWinding},
                      LayoutCase{"AirCoilWinding",
                                 [] { return std::make_unique<CAirCoilWindingDlg>(); },
                                 FillAirCoilWinding}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.pszName; });

INSTANTIATE_TEST_SUITE_P(
    XtalFilter, CalculatorLayout,
    ::testing::Values(
        LayoutCase{"XtalFilter", [] { return std::make_unique<CXtalFilterDlg>(); }, FillXtalFilter},
        LayoutCase{"XtalMeasure", [] { return std::make_unique<CXtalMeasureDlg>(); },
                   FillXtalMeasure},
        LayoutCase{"XtalSort", [] { return std::make_unique<CXtalSortDlg>(); }, FillXtalSort}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.pszName; });

INSTANTIATE_TEST_SUITE_P(
    AirCoil, CalculatorLayout,
    ::testing::Values(
        LayoutCase{"AirCoil", [] { return std::make_unique<CAirCoilDlg>(); }, FillAirCoil},
        LayoutCase{"AirCoilWizard", [] { return std::make_unique<CAirCoilWizardDlg>(); },
                   FillAirCoilWizard}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.pszName; });

INSTANTIATE_TEST_SUITE_P(
    Calculators, CalculatorLayout,
    ::testing::Values(
        LayoutCase{"PiAttenuator", [] { return std::make_unique<CPiAttenuatorDlg>(); }, FillPi},
        LayoutCase{"VfoTank", [] { return std::make_unique<CVfoTankDlg>(); }, FillVfo},
        LayoutCase{"LadderFilter", [] { return std::make_unique<CLadderFilterDlg>(); }, FillLadder},
        LayoutCase{"LMatch", [] { return std::make_unique<CLMatchDlg>(); }, FillLMatch},
        LayoutCase{"ToroidCoil", [] { return std::make_unique<CToroidCoilDlg>(); }, FillToroidCoil},
        LayoutCase{"ToroidWizard", [] { return std::make_unique<CToroidWizardDlg>(); },
                   FillToroidWizard},
        LayoutCase{"AttenuatorDesigner", [] { return std::make_unique<CAttenuatorDesignerDlg>(); },
                   FillAttenuatorDesigner}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.pszName; });

} // namespace
