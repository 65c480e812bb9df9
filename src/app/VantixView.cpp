#include "app/VantixView.h"

#include "ShellResources.h"
#include "app/LogTextBuilder.h"
#include "app/ShellFonts.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPrinter>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <memory>

// Calculator dialogs (one include per calculator).
#include "calc/air_coil/AirCoilDlg.h"
#include "calc/air_coil_winding/AirCoilWindingDlg.h"
#include "calc/attenuator_designer/AttenuatorDesigner.h"
#include "calc/attenuator_designer/AttenuatorDesignerDlg.h"
#include "calc/ladder_filter/LadderFilter.h"
#include "calc/ladder_filter/LadderFilterDlg.h"
#include "calc/lc_filter/LcFilterDlg.h"
#include "calc/lmatch/LMatchDlg.h"
#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "calc/toroid_coil/ToroidCoilDlg.h"
#include "calc/toroid_winding/ToroidWindingDlg.h"
#include "calc/vfo_tank/VfoTankDlg.h"
#include "calc/xtal_filter/XtalFilterDlg.h"

namespace {

struct CCalcCommandState {
    int nCommand;
    bool bAvailable;
};

// The calculators that can be run. A calculator's command is enabled by
// setting its flag here (and filling in its OnCalc... handler below).
constexpr CCalcCommandState kCalcCommands[] = {
    {ID_CALC_LADDER_FILTER, true},

    {ID_CALC_LMATCH, true},

    {ID_CALC_TOROID_COIL, true},

    {ID_CALC_AIR_COIL, true},

    {ID_CALC_PI_ATTENUATOR, true},

    {ID_CALC_VFO_TANK, true},

    {ID_DESIGN_ATTENUATOR, true},

    {ID_DESIGN_LC_FILTER, true},

    {ID_DESIGN_TOROID_WINDING, true},

    {ID_DESIGN_AIR_COIL_WINDING, true},

    {ID_DESIGN_XTAL_FILTER, true},
};

// Rewrapping costs some 0.2 µs a line (BM_Resize50MB/wrapped:1: 376 ms for
// 1.83 million lines), so 200,000 lines stay near 40 ms; a report is some
// ten lines, so only logs of many years reach it.
int g_nNoWrapLineCount = 200000;

} // namespace

int CVantixView::NoWrapLineCount() {
    return g_nNoWrapLineCount;
}

void CVantixView::SetNoWrapLineCount(int nLines) {
    g_nNoWrapLineCount = nLines;
}

CVantixView::CVantixView(QWidget* pParent)
    : QPlainTextEdit(pParent), m_dAttenuatorImpedance(kAttenuatorDefaultImpedance),
      m_dAttenuatorAttenuation(kAttenuatorDefaultAttenuation) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(EditorFont());
    ApplyTextOptions();
    setUndoRedoEnabled(true);
}

void CVantixView::ApplyTextOptions() {
    setTabStopDistance(8 * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

QTextDocument* CVantixView::AdoptDocument(QTextDocument* pDocument, bool bKeepOld, int nLines) {
    // Every document shown here is the view's own, so that the editor never
    // deletes one by itself.
    QTextDocument* pOld = document();
    pOld->setParent(bKeepOld ? nullptr : this);
    pDocument->setParent(this);
    pDocument->setDefaultFont(font());
    if (qobject_cast<QPlainTextDocumentLayout*>(pDocument->documentLayout()) == nullptr) {
        pDocument->setDocumentLayout(new QPlainTextDocumentLayout(pDocument));
    }
    // Switching the wrapping lays out the document shown at that moment
    // again: switch off while the smaller old one is shown, on once the
    // smaller new one is.
    if (nLines < 0) {
        nLines = pDocument->blockCount();
    }
    const bool bWrap = nLines < g_nNoWrapLineCount;
    if (!bWrap) {
        ApplyWrapFor(nLines);
    }
    setDocument(pDocument);
    if (bWrap) {
        ApplyWrapFor(nLines);
    }
    ApplyTextOptions();
    pDocument->setModified(false);
    moveCursor(QTextCursor::Start);
    if (bKeepOld) {
        return pOld;
    }
    if (pOld != pDocument) {
        delete pOld;
    }
    return nullptr;
}

void CVantixView::ApplyWrapFor(int nLines) {
    const bool bWrap = nLines < g_nNoWrapLineCount;
    setLineWrapMode(bWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(bWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void CVantixView::resizeEvent(QResizeEvent* pEvent) {
    if (lineWrapMode() == QPlainTextEdit::NoWrap) {
        // Unwrapped lines do not depend on the width: tell the editor only
        // of the new height, which spares it the pass over every line a new
        // width starts.
        QResizeEvent heightOnly(pEvent->size(),
                                QSize(pEvent->size().width(), pEvent->oldSize().height()));
        QPlainTextEdit::resizeEvent(&heightOnly);
        return;
    }
    QPlainTextEdit::resizeEvent(pEvent);
}

void CVantixView::keyPressEvent(QKeyEvent* pEvent) {
    if (!HasSoftBreaks(*document()) || isReadOnly()) {
        QPlainTextEdit::keyPressEvent(pEvent);
        return;
    }
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const bool bPlain = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
    if (bPlain && bEnter && !cursor.hasSelection()) {
        // At a soft break the line is split where it shows its wrap.
        const QTextBlock next = block.next();
        if (cursor.atBlockStart() && IsSoftBreakBefore(block)) {
            MakeBreakReal(block);
            ensureCursorVisible();
            return;
        }
        if (cursor.atBlockEnd() && next.isValid() && IsSoftBreakBefore(next)) {
            MakeBreakReal(next);
            setTextCursor(QTextCursor(next));
            ensureCursorVisible();
            return;
        }
    }
    if (bPlain && bEnter) {
        // The new block must not inherit the soft piece's number.
        cursor.insertBlock(QTextBlockFormat());
        setTextCursor(cursor);
        ensureCursorVisible();
        return;
    }
    // Backspace and Delete across a soft break take the character beyond it,
    // as they would across a wrap.
    if (bPlain && !cursor.hasSelection()) {
        if (pEvent->key() == Qt::Key_Backspace && cursor.atBlockStart() &&
            IsSoftBreakBefore(block) && block.previous().length() > 1) {
            cursor.movePosition(QTextCursor::PreviousCharacter);
            cursor.deletePreviousChar();
            setTextCursor(cursor);
            return;
        }
        if (pEvent->key() == Qt::Key_Delete && cursor.atBlockEnd() &&
            IsSoftBreakBefore(block.next()) && block.next().length() > 1) {
            cursor.movePosition(QTextCursor::NextCharacter);
            cursor.deleteChar();
            setTextCursor(cursor);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(pEvent);
}

QMimeData* CVantixView::createMimeDataFromSelection() const {
    if (!HasSoftBreaks(*document())) {
        return QPlainTextEdit::createMimeDataFromSelection();
    }
    // The copy holds the line as it is in the file, without the soft breaks.
    const QTextCursor cursor = textCursor();
    auto* pData = new QMimeData;
    pData->setText(LogTextOf(*document(), cursor.selectionStart(), cursor.selectionEnd()));
    return pData;
}

QString CVantixView::DroppedFile(const QMimeData* pData) {
    if (pData == nullptr || !pData->hasUrls()) {
        return QString();
    }
    for (const QUrl& url : pData->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return QString();
}

bool CVantixView::IsCalcCommandAvailable(int nCommand) {
    for (const CCalcCommandState& state : kCalcCommands) {
        if (state.nCommand == nCommand) {
            return state.bAvailable;
        }
    }
    return false;
}

void CVantixView::PrintLog(QPrinter* pPrinter) const {
    std::unique_ptr<QTextDocument> pCopy(document()->clone());
    pCopy->setDefaultFont(PrintFont());
    pCopy->print(pPrinter);
}

// The calculator commands. Each runs its dialog through RunCalculator:
//     CPiAttenuatorDlg dlg(nullptr);
//     RunCalculator(dlg);
// which appends dlg.m_strReport when the dialog ends with OK.

void CVantixView::OnCalcLadderFilter() {
    CLadderFilterDlg dlg;
    if (dlg.exec() == kIdOk) {
        // The L-match is offered the match from a 50 Ω stage to the filter.
        m_dMatchFreq = dlg.m_dFrequency;
        m_dMatchZout = HandOverImpedance(dlg.m_dTerminationImpedance);
        m_dMatchZin = kHandOverInputImpedance;
        // The crystal filter workbench starts from the same crystals.
        m_bXtalHandOver = true;
        m_dXtalFreq = dlg.m_dFrequency;
        m_dXtalHolderCapacitance = dlg.m_dHolderCapacitance;
        m_dXtalBandwidth = dlg.m_dBandwidth;
        GetDocument()->AppendReport(dlg.m_strReport);
    } else {
        m_dMatchZin = 0.0;
        m_dMatchFreq = 0.0;
        m_dMatchZout = 0.0;
        m_bXtalHandOver = false;
    }
}

void CVantixView::OnCalcLMatch() {
    CLMatchDlg dlg;
    dlg.m_dFrequency = m_dMatchFreq;
    dlg.m_dZin = m_dMatchZin;
    dlg.m_dZout = m_dMatchZout;
    RunCalculator(dlg);
}

void CVantixView::OnCalcToroidCoil() {
    CToroidCoilDlg dlg(nullptr);
    if (RunCalculator(dlg) == kIdOk) {
        // The winding calculator is offered the coil just designed; a Cancel
        // keeps the last one.
        m_strWindingCore = dlg.m_comboCore->currentText().toStdString();
        m_dWindingTurns = dlg.m_dTurns;
    }
}

void CVantixView::OnCalcAirCoil() {
    CAirCoilDlg dlg(nullptr);
    if (RunCalculator(dlg) == kIdOk) {
        m_dAirWindingDiameter = dlg.m_dDiameter;
        m_dAirWindingLength = dlg.m_dLength;
        m_dAirWindingWire = dlg.m_dWireDiameter;
        m_dAirWindingTurns = dlg.m_dTurns;
    }
}

void CVantixView::OnCalcPiAttenuator() {
    CPiAttenuatorDlg dlg;
    if (RunCalculator(dlg) != kIdOk) {
        return;
    }
    // Only values the designer's fields accept are handed over: a refused
    // pi (0) or one beyond the designer's 100 dB would open it on a value it
    // can only complain about.
    if (dlg.m_dImpedance > 0.0 && dlg.m_dImpedance <= kAttenuatorMaxImpedance &&
        dlg.m_dAttenuation > 0.0 && dlg.m_dAttenuation <= kAttenuatorMaxAttenuation) {
        m_dAttenuatorImpedance = dlg.m_dImpedance;
        m_dAttenuatorAttenuation = dlg.m_dAttenuation;
    }
}

void CVantixView::OnCalcVfoTank() {
    CVfoTankDlg dlg;
    RunCalculator(dlg);
}

void CVantixView::OnDesignAttenuator() {
    CAttenuatorDesignerDlg dlg;
    dlg.m_dImpedance = m_dAttenuatorImpedance;
    dlg.m_dAttenuation = m_dAttenuatorAttenuation;
    dlg.m_nTopology = static_cast<int>(EAttenuatorTopology::Pi);
    RunCalculator(dlg);
}

void CVantixView::OnDesignLcFilter() {
    CLcFilterDlg dlg;
    RunCalculator(dlg);
}

void CVantixView::OnDesignToroidWinding() {
    CToroidWindingDlg dlg(nullptr);
    dlg.m_strCore = m_strWindingCore;
    dlg.m_dTurns = m_dWindingTurns;
    RunCalculator(dlg);
}

void CVantixView::OnDesignAirCoilWinding() {
    CAirCoilWindingDlg dlg(nullptr);
    dlg.m_dDiameter = m_dAirWindingDiameter;
    dlg.m_dLength = m_dAirWindingLength;
    dlg.m_dWireDiameter = m_dAirWindingWire;
    dlg.m_dTurns = m_dAirWindingTurns;
    RunCalculator(dlg);
}

void CVantixView::OnDesignXtalFilter() {
    CXtalFilterDlg dlg;
    // Without a usable hand-over the workbench opens with its worked design.
    if (m_bXtalHandOver) {
        dlg.TakeLadderHandOver(m_dXtalFreq, m_dXtalHolderCapacitance, m_dXtalBandwidth);
    }
    RunCalculator(dlg);
}

// A dropped file opens as the log instead of landing in the text as its
// path. Pasting never opens anything: a file manager's copied file pastes as
// the text that came with it, or as nothing (the toolkit would make a text of
// the file's address).

namespace {

bool HasOwnText(const QMimeData* pSource) {
    const QStringList formats = pSource->formats();
    return !pSource->hasUrls() ||
           std::any_of(formats.begin(), formats.end(), [](const QString& strFormat) {
               return strFormat.startsWith(QLatin1String("text/plain"));
           });
}

} // namespace

bool CVantixView::canInsertFromMimeData(const QMimeData* pSource) const {
    return HasOwnText(pSource) && QPlainTextEdit::canInsertFromMimeData(pSource);
}

void CVantixView::insertFromMimeData(const QMimeData* pSource) {
    if (HasOwnText(pSource)) {
        QPlainTextEdit::insertFromMimeData(pSource);
    }
}

void CVantixView::dragEnterEvent(QDragEnterEvent* pEvent) {
    if (!DroppedFile(pEvent->mimeData()).isEmpty()) {
        pEvent->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(pEvent);
}

void CVantixView::dragMoveEvent(QDragMoveEvent* pEvent) {
    if (!DroppedFile(pEvent->mimeData()).isEmpty()) {
        pEvent->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(pEvent);
}

void CVantixView::dropEvent(QDropEvent* pEvent) {
    const QString strFile = DroppedFile(pEvent->mimeData());
    if (!strFile.isEmpty()) {
        pEvent->acceptProposedAction();
        emit FileDropped(strFile);
        return;
    }
    QPlainTextEdit::dropEvent(pEvent);
}
