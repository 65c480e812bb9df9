#include "app/VantixView.h"

#include "ShellResources.h"
#include "app/LogTextBuilder.h"
#include "app/ShellFonts.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <memory>

// Calculator dialogs (one include per calculator).
#include "calc/air_coil/AirCoilDlg.h"
#include "calc/ladder_filter/LadderFilter.h"
#include "calc/ladder_filter/LadderFilterDlg.h"
#include "calc/lmatch/LMatchDlg.h"
#include "calc/pi_attenuator/PiAttenuatorDlg.h"
#include "calc/toroid_coil/ToroidCoilDlg.h"
#include "calc/vfo_tank/VfoTankDlg.h"

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

    {ID_DESIGN_ATTENUATOR, false},

    {ID_DESIGN_TOROID_WINDING, false},

    {ID_DESIGN_AIR_COIL_WINDING, false},

    {ID_DESIGN_XTAL_FILTER, false},
};

} // namespace

CVantixView::CVantixView(QWidget* pParent) : QPlainTextEdit(pParent) {
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

QTextDocument* CVantixView::AdoptDocument(QTextDocument* pDocument, bool bKeepOld) {
    // Every document shown here is the view's own, so that the editor never
    // deletes one by itself.
    QTextDocument* pOld = document();
    pOld->setParent(bKeepOld ? nullptr : this);
    pDocument->setParent(this);
    pDocument->setDefaultFont(font());
    if (qobject_cast<QPlainTextDocumentLayout*>(pDocument->documentLayout()) == nullptr) {
        pDocument->setDocumentLayout(new QPlainTextDocumentLayout(pDocument));
    }
    setDocument(pDocument);
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

void CVantixView::keyPressEvent(QKeyEvent* pEvent) {
    if (!HasSoftBreaks(*document()) || isReadOnly()) {
        QPlainTextEdit::keyPressEvent(pEvent);
        return;
    }
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const bool bPlain = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
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
        GetDocument()->AppendReport(dlg.m_strReport);
    } else {
        m_dMatchZin = 0.0;
        m_dMatchFreq = 0.0;
        m_dMatchZout = 0.0;
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
    RunCalculator(dlg);
}

void CVantixView::OnCalcAirCoil() {
    CAirCoilDlg dlg(nullptr);
    RunCalculator(dlg);
}

void CVantixView::OnCalcPiAttenuator() {
    CPiAttenuatorDlg dlg;
    RunCalculator(dlg);
}

void CVantixView::OnCalcVfoTank() {
    CVfoTankDlg dlg;
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
