#include "calc/toroid_wizard/ToroidWizardDlg.h"

#include "calc/toroid_wizard/ToroidWizard.h"
#include "dialogs/DataExchange.h"
#include "templates/ToroidWizardTemplate.h"

#include <QComboBox>

namespace {

// The lists are filled from the catalogue; this only stops a runaway loop.
constexpr int kMaxListItems = 100;

// A result line ends in CR LF for the list text; the combo shows it without.
QString ComboText(const std::string& strLine) {
    QString strText = QString::fromStdString(strLine);
    while (strText.endsWith(QLatin1Char('\n')) || strText.endsWith(QLatin1Char('\r'))) {
        strText.chop(1);
    }
    return strText;
}

} // namespace

CToroidWizardDlg::CToroidWizardDlg(QWidget* pParent)
    : CCalcDialog(ToroidWizardTemplate(), pParent) {
    m_comboResult = Item<QComboBox>(kWizardResultCombo);
    m_comboSize = Item<QComboBox>(kWizardSizeCombo);
    m_comboMaterial = Item<QComboBox>(kWizardMaterialCombo);
    OnNotify(kWizardTargetEdit, ENotify::KillFocus, [this] { RunSearch(); });
    for (const int nId : {kWizardMaterialCheck, kWizardSizeCheck}) {
        OnNotify(nId, ENotify::Clicked, [this] { RunSearch(); });
    }
    for (const int nId : {kWizardMaterialCombo, kWizardSizeCombo}) {
        OnNotify(nId, ENotify::SelChange, [this] { RunSearch(); });
    }
    OnNotify(kWizardResultCombo, ENotify::SelChange, [this] { SelectResultCore(); });
    // The search button (1035) has no handler: clicking it takes the focus
    // from the target field, and that focus loss searches.
}

void CToroidWizardDlg::DoDataExchange(CDataExchange& dx) {
    dx.Number(kWizardTargetEdit, m_dTargetInductance, kToroidMinTarget, kToroidMaxTarget);
    dx.Check(kWizardSizeCheck, m_bSizeFilter);
    dx.Check(kWizardMaterialCheck, m_bMaterialFilter);
    dx.Radio(kWizardListAllRadio, m_nEndOption);
}

bool CToroidWizardDlg::OnInitDialog() {
    CCalcDialog::OnInitDialog();
    std::string strName;
    for (int i = 0; i < kMaxListItems && m_catalog.GetSizeName(i, strName) >= 0; ++i) {
        m_comboSize->addItem(QString::fromStdString(strName));
    }
    m_comboSize->setCurrentIndex(0);
    for (int i = 0; i < kMaxListItems && m_catalog.GetMaterialName(i, strName) >= 0; ++i) {
        m_comboMaterial->addItem(QStringLiteral("#%1").arg(QString::fromStdString(strName)));
    }
    m_comboMaterial->setCurrentIndex(0);
    return true;
}

void CToroidWizardDlg::RunSearch() {
    UpdateData(true); // a failed field has had its message; search with the values held
    std::string strSize;
    m_comboSize->setEnabled(m_bSizeFilter == 1);
    if (m_bSizeFilter == 1) {
        strSize = m_comboSize->currentText().toStdString();
    }
    std::string strMix;
    m_comboMaterial->setEnabled(m_bMaterialFilter == 1);
    if (m_bMaterialFilter == 1) {
        strMix = m_comboMaterial->currentText().mid(1).toStdString(); // without the "#"
    }
    const CToroidSearchResult result =
        SearchToroidCores(m_catalog, m_dTargetInductance, strSize, strMix);
    m_comboResult->clear();
    for (const std::string& strLine : result.m_lines) {
        m_comboResult->addItem(ComboText(strLine), QString::fromStdString(strLine));
    }
    m_strList = result.m_strList;
    m_comboResult->setCurrentIndex(result.m_lines.empty() ? -1 : 0);
    UpdateData(false);
    SelectResultCore();
}

void CToroidWizardDlg::SelectResultCore() {
    UpdateData(true);
    const CToroidCandidate pick =
        PickToroidResult(m_catalog, m_comboResult->currentIndex(), m_dTargetInductance);
    m_strSelectedName = pick.m_strName;
    m_dSelectedTurns = pick.m_dTurns;
}
