#include "dialogs/DataExchange.h"

#include "dialogs/CalcDialog.h"
#include "text/NumberInput.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

const char* const CDataExchange::kNotANumber = "数値を入力してください。";
const char* const CDataExchange::kOutOfRange = "%1 から %2 までの数値を入力してください。";
const char* const CDataExchange::kTooLong = "%1 文字以内で入力してください。";

namespace {

// Statics remember the exact text they were given, since what they display
// has its CR LF turned into plain line breaks.
constexpr const char* kStaticTextProperty = "vantixText";

QString FromUtf8(const std::string& str) {
    return QString::fromUtf8(str.data(), static_cast<qsizetype>(str.size()));
}

QString EditNumberText(double dValue) {
    return QString::fromStdString(FormatEditValue(dValue));
}

// A result box (a framed one-line static) that cannot hold its text shows
// the beginning, cut with an ellipsis, and the whole text as its tool tip:
// centred and clipped, a long number would lose its leading digits.
void ShowInStatic(QLabel& label, const QString& strShown) {
    if (label.frameShape() == QFrame::NoFrame || label.wordWrap()) {
        label.setText(strShown);
        return;
    }
    const QFontMetrics metrics(label.font());
    // A framed label indents left- or right-aligned text by half an "x".
    const int nWidth = label.contentsRect().width() - metrics.horizontalAdvance(QLatin1Char('x'));
    QStringList lines = strShown.split(QLatin1Char('\n'));
    bool bCut = false;
    for (QString& strLine : lines) {
        if (metrics.horizontalAdvance(strLine) > nWidth) {
            strLine = metrics.elidedText(strLine, Qt::ElideRight, nWidth);
            bCut = true;
        }
    }
    label.setText(lines.join(QLatin1Char('\n')));
    label.setToolTip(bCut ? strShown : QString());
}

} // namespace

CDataExchange::CDataExchange(CCalcDialog& dialog, bool bSaveAndValidate)
    : m_dialog(dialog), m_bSaveAndValidate(bSaveAndValidate) {}

// The field that failed in this user action shows the value held like any
// other, all of it selected again, so that typing replaces it; in a dialog
// that keeps refused text it keeps what was typed, to be corrected.
void CDataExchange::SetEditText(QLineEdit& edit, int nId, const QString& strText) {
    if (edit.text() == strText) {
        return;
    }
    if (m_dialog.FailedInAction(nId) && m_dialog.KeepsRefusedText()) {
        edit.selectAll();
        return;
    }
    edit.setText(strText);
    if (m_dialog.FailedInAction(nId)) {
        edit.selectAll();
    }
}

void CDataExchange::Fail(int nId, const QString& strMessage) {
    m_bFailed = true;
    m_dialog.FailField(nId, strMessage);
}

void CDataExchange::Number(int nId, double& dValue, double dMin, double dMax) {
    if (m_bFailed) {
        return;
    }
    auto* pEdit = m_dialog.Item<QLineEdit>(nId);
    if (!pEdit) {
        return;
    }
    if (!m_bSaveAndValidate) {
        SetEditText(*pEdit, nId, EditNumberText(dValue));
        return;
    }
    const QString strRange =
        QString::fromUtf8(kOutOfRange).arg(EditNumberText(dMin), EditNumberText(dMax));
    double dRead = 0.0;
    switch (ReadNumber(pEdit->text().toStdString(), dRead)) {
    case ENumberText::NotANumber:
        Fail(nId, QString::fromUtf8(kNotANumber));
        return;
    case ENumberText::BeyondDouble:
        // A number all the same, only out of every range; the member keeps
        // its value, since no double can hold what was typed.
        Fail(nId, strRange);
        return;
    case ENumberText::Number:
        break;
    }
    dValue = dRead;
    if (!IsWithinRange(dValue, dMin, dMax)) {
        Fail(nId, strRange);
    }
}

void CDataExchange::Text(int nId, std::string& strValue, int nMaxChars) {
    if (m_bFailed) {
        return;
    }
    QWidget* pItem = m_dialog.GetDlgItem(nId);
    if (auto* pLabel = qobject_cast<QLabel*>(pItem)) {
        if (m_bSaveAndValidate) {
            const QVariant written = pLabel->property(kStaticTextProperty);
            strValue = (written.isValid() ? written.toString() : pLabel->text()).toStdString();
        } else {
            const QString strText = FromUtf8(strValue);
            pLabel->setProperty(kStaticTextProperty, strText);
            QString strShown = strText;
            strShown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            ShowInStatic(*pLabel, strShown);
        }
        return;
    }
    auto* pEdit = qobject_cast<QLineEdit*>(pItem);
    if (!pEdit) {
        return;
    }
    if (!m_bSaveAndValidate) {
        pEdit->setMaxLength(nMaxChars);
        SetEditText(*pEdit, nId, FromUtf8(strValue));
        return;
    }
    const QString strText = pEdit->text();
    if (strText.size() > nMaxChars) {
        Fail(nId, QString::fromUtf8(kTooLong).arg(nMaxChars));
        return;
    }
    strValue = strText.toStdString();
}

void CDataExchange::Check(int nId, int& nValue) {
    if (m_bFailed) {
        return;
    }
    auto* pCheck = m_dialog.Item<QCheckBox>(nId);
    if (!pCheck) {
        return;
    }
    if (m_bSaveAndValidate) {
        nValue = pCheck->checkState() == Qt::Checked            ? 1
                 : pCheck->checkState() == Qt::PartiallyChecked ? 2
                                                                : 0;
    } else {
        pCheck->setCheckState(nValue == 1   ? Qt::Checked
                              : nValue == 2 ? Qt::PartiallyChecked
                                            : Qt::Unchecked);
    }
}

void CDataExchange::Radio(int nFirstId, int& nIndex) {
    if (m_bFailed) {
        return;
    }
    const std::vector<QRadioButton*> group = m_dialog.RadioGroup(nFirstId);
    if (m_bSaveAndValidate) {
        nIndex = -1;
        for (std::size_t n = 0; n < group.size(); ++n) {
            if (group[n]->isChecked()) {
                nIndex = static_cast<int>(n);
            }
        }
        return;
    }
    for (std::size_t n = 0; n < group.size(); ++n) {
        QButtonGroup* pGroup = group[n]->group();
        const bool bExclusive = pGroup && pGroup->exclusive();
        if (pGroup) {
            pGroup->setExclusive(false); // lets the group show no button checked
        }
        group[n]->setChecked(static_cast<int>(n) == nIndex);
        if (pGroup) {
            pGroup->setExclusive(bExclusive);
        }
    }
}

void CDataExchange::ComboIndex(int nId, int& nIndex) {
    if (m_bFailed) {
        return;
    }
    auto* pCombo = m_dialog.Item<QComboBox>(nId);
    if (!pCombo) {
        return;
    }
    if (m_bSaveAndValidate) {
        nIndex = pCombo->currentIndex();
    } else {
        pCombo->setCurrentIndex(nIndex >= 0 && nIndex < pCombo->count() ? nIndex : -1);
    }
}
