#pragma once

#include "dialogs/CalcDialog.h"

#include <QString>

#include <string>

class QLineEdit;

// One pass of a dialog's data exchange, in the order the dialog's
// DoDataExchange declares its fields. Reading (bSaveAndValidate) checks each
// field as it goes; the first field that fails shows the validation message,
// gets the focus back, and every later call of the pass does nothing, so the
// members behind it keep their values. Writing never fails; the field that
// failed in the current user action gets its whole text selected again.
class CDataExchange {
public:
    CDataExchange(CCalcDialog& dialog, bool bSaveAndValidate);

    bool IsSaving() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_bFailed; }

    // Attaches a control member (an edit, combo, list view, up-down...) to
    // its control, as the first lines of an exchange do.
    template <class T> void Control(int nId, T*& pControl) {
        if (!pControl) {
            pControl = m_dialog.Item<T>(nId);
        }
    }

    // An edit holding a number within [dMin, dMax]. A number outside the
    // range is stored before the message, as the user typed it.
    void Number(int nId, double& dValue, double dMin, double dMax);

    // The text of an edit or a static, at most nMaxChars characters. Statics
    // show CR LF as a line break and give back exactly what was written.
    void Text(int nId, std::string& strValue, int nMaxChars);

    // A check box: 0 off, 1 on (2 for the third state).
    void Check(int nId, int& nValue);

    // The radio group that starts at nFirstId: index of the checked button
    // within the group, -1 when none is checked.
    void Radio(int nFirstId, int& nIndex);

    // A combo box's selected item, -1 for none.
    void ComboIndex(int nId, int& nIndex);

    // The validation messages, with %1 and %2 for the numbers.
    static const char* const kNotANumber;
    static const char* const kOutOfRange;
    static const char* const kTooLong;

private:
    void Fail(int nId, const QString& strMessage);
    void SetEditText(QLineEdit& edit, int nId, const QString& strText);

    CCalcDialog& m_dialog;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
};
