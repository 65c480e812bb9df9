#pragma once

#include <QPlainTextEdit>

#include <string>

class CVantixDoc;
class QPrinter;

// The editor view: the log's text in a wrapping plain-text editor, and the
// commands of the calculators and designers.
class CVantixView : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CVantixView(QWidget* pParent = nullptr);

    CVantixDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CVantixDoc* pDocument) { m_pDocument = pDocument; }

    // True for the calculator commands whose dialogs exist (the others stay
    // greyed in the menu and on the toolbar).
    static bool IsCalcCommandAvailable(int nCommand);

    // The first local file among dropped data, or "".
    static QString DroppedFile(const QMimeData* pData);

    // Runs a calculator dialog modally; on OK (1) its report is appended.
    // Returns the dialog's result.
    template <class TDialog> int RunCalculator(TDialog& dlg);

    // Prints the log's text in the print font.
    void PrintLog(QPrinter* pPrinter) const;

    // Shows a new document in place of the current one, which is deleted,
    // or, with bKeepOld, handed back (the caller then owns it); the caret
    // goes to the start. nLines: the lines the document is about to hold when
    // it is filled after being shown (-1: it is filled already).
    QTextDocument* AdoptDocument(QTextDocument* pDocument, bool bKeepOld = false, int nLines = -1);

    // A document of at least this many lines is shown without wrapping long
    // lines (with a horizontal scroll bar instead): rewrapping means a pass
    // over every line, which on a log of millions of lines would hold the
    // window for seconds at each resize. Settable for tests.
    static int NoWrapLineCount();
    static void SetNoWrapLineCount(int nLines);

    // Hand-over from the ladder filter to the L-match; not part of the log.
    double m_dMatchZin = 0.0;
    double m_dMatchFreq = 0.0;
    double m_dMatchZout = 0.0;
    // Hand-over from the ladder filter to the crystal filter workbench: its
    // frequency (MHz), holder capacitance (pF) and bandwidth (kHz) after an OK.
    bool m_bXtalHandOver = false;
    double m_dXtalFreq = 0.0;
    double m_dXtalHolderCapacitance = 0.0;
    double m_dXtalBandwidth = 0.0;

    // Hand-over from the pi attenuator to the attenuator designer (its last
    // OK with values the designer accepts); not part of the log.
    double m_dAttenuatorImpedance;
    double m_dAttenuatorAttenuation;
    // Hand-over from the toroidal coil to its winding (core and turns of the
    // last coil ended with OK; empty core: none yet).
    std::string m_strWindingCore;
    double m_dWindingTurns = 0.0;
    // Hand-over from the air-core coil to its winding.
    double m_dAirWindingDiameter = 0.0;
    double m_dAirWindingLength = 0.0;
    double m_dAirWindingWire = 0.0;
    double m_dAirWindingTurns = 0.0;

public slots:
    void OnCalcLadderFilter();
    void OnCalcLMatch();
    void OnCalcToroidCoil();
    void OnCalcAirCoil();
    void OnCalcPiAttenuator();
    void OnCalcVfoTank();
    void OnDesignAttenuator();
    void OnDesignLcFilter();
    void OnDesignToroidWinding();
    void OnDesignAirCoilWinding();
    void OnDesignXtalFilter();

signals:
    // A file was dropped on the editor.
    void FileDropped(const QString& strPath);

protected:
    bool canInsertFromMimeData(const QMimeData* pSource) const override;
    void insertFromMimeData(const QMimeData* pSource) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    QMimeData* createMimeDataFromSelection() const override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void ApplyTextOptions();
    // Wrapping on or off for a document of nLines lines.
    void ApplyWrapFor(int nLines);

    CVantixDoc* m_pDocument = nullptr;
};

#include "app/VantixDoc.h"

template <class TDialog> int CVantixView::RunCalculator(TDialog& dlg) {
    const int nResult = dlg.exec();
    if (nResult == 1) {
        GetDocument()->AppendReport(dlg.m_strReport);
    }
    return nResult;
}
