#pragma once

#include "calc/xtal_filter/XtalListFile.h"
#include "calc/xtal_filter/XtalSort.h"
#include "dialogs/CalcDialog.h"

#include <string>

class QComboBox;
class QPlainTextEdit;
class QTreeWidget;

// Picking a matched set (template 162): measured frequencies, typed, pasted
// or read from a text or CSV file, one per line, and the number of crystals
// wanted; out come the crystals with the smallest spread. Opened from the
// workbench, which takes the set after OK as its mean or crystal by crystal;
// it reports nothing to the log itself.
class CXtalSortDlg : public CCalcDialog {
    Q_OBJECT
public:
    explicit CXtalSortDlg(QWidget* pParent = nullptr);

    // Reads the list and the count, picks the set and shows it.
    void Compute();
    // Puts the text of a list file into the list (after asking for its name
    // when strPath is empty) and computes. A file that cannot be read gives
    // one message and leaves the list as it was.
    void ReadListFile(const QString& strPath = QString());

    // Largest list file taken: a batch of crystals is a few kilobytes, and a
    // file chosen by mistake must not hang the dialog.
    static constexpr qint64 kMaxListFileBytes = kXtalListMaxBytes;

    QPlainTextEdit* m_editList = nullptr; // made by the dialog over its frame
    QComboBox* m_comboCount = nullptr;
    QTreeWidget* m_listSet = nullptr;
    std::string m_strList; // the frequencies as typed, UTF-8
    int m_nCountIndex = 0; // 0 = 2 crystals .. 6 = 8 crystals
    int m_nUse = 0;        // 0 the set's mean, 1 each crystal's own frequency
    std::string m_strSpread;
    std::string m_strMean;
    std::string m_strNotice;
    // The last computation; m_bComputed tells the workbench whether to take it.
    CXtalSortResult m_result;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnEnterKey() override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void ShowSet();
};
