#include "app/VantixDoc.h"

#include "app/LogTextBuilder.h"
#include "app/VantixView.h"
#include "dialogs/MessageSink.h"
#include "text/LogFile.h"
#include "text/LogLock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <thread>
#include <utility>

namespace {

constexpr int kProgressTickMs = 100;
// The text goes into the editor in pieces of about this many bytes, so that
// the window can paint and a cancel be noticed in between.
constexpr std::size_t kBuildChunkBytes = 1024 * 1024;

QString DisplayName(const QString& strPath) {
    return QFileInfo(strPath).fileName();
}

QString CodePointText(char32_t ch) {
    return QStringLiteral("U+%1").arg(static_cast<unsigned>(ch), 4, 16, QLatin1Char('0')).toUpper();
}

CFileIdentity IdentityOf(const QString& strPath) {
    return FileIdentityOf(QFile::encodeName(strPath).toStdString());
}

bool ReadWholeFile(const QString& strPath, std::string& strBytes, QString& strError) {
    const QFileInfo info(strPath);
    if (info.isDir()) {
        strError = QStringLiteral("%1 はフォルダなので開けません。").arg(strPath);
        return false;
    }
    // A pipe or a device would block the window or never end.
    if (info.exists() && !info.isFile()) {
        strError = QStringLiteral("%1 は通常のファイルではないため開けません。").arg(strPath);
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        strError = info.exists()
                       ? QStringLiteral("%1 を開けません。\n%2").arg(strPath, file.errorString())
                       : QStringLiteral("%1 が見つかりません。").arg(strPath);
        return false;
    }
    // Straight into the string: a copy of a large log costs its size again.
    const auto fail = [&] {
        strError = QStringLiteral("%1 を読めません。\n%2").arg(strPath, file.errorString());
        return false;
    };
    strBytes.resize(static_cast<std::size_t>(std::max<qint64>(info.size(), 0)));
    std::size_t nGot = 0;
    while (nGot < strBytes.size()) {
        const qint64 nRead =
            file.read(strBytes.data() + nGot, static_cast<qint64>(strBytes.size() - nGot));
        if (nRead < 0) {
            return fail();
        }
        if (nRead == 0) {
            break;
        }
        nGot += static_cast<std::size_t>(nRead);
    }
    strBytes.resize(nGot);
    // The file may have grown since its size was taken.
    char tail[65536];
    for (;;) {
        const qint64 nRead = file.read(tail, sizeof tail);
        if (nRead < 0) {
            return fail();
        }
        if (nRead == 0) {
            return true;
        }
        strBytes.append(tail, static_cast<std::size_t>(nRead));
    }
}

bool DecodeLog(const QString& strPath, const std::string& strBytes, std::string& strText,
               CLogFormat& format, QString& strError) {
    std::size_t nBadOffset = 0;
    switch (CLogCodec::Decode(strBytes, strText, format, nBadOffset)) {
    case ELogDecodeFailure::Nul:
        strError = QStringLiteral("%1 は NUL バイトを含むため、ログとして開けません。\n"
                                  "NUL の位置: %2 バイト目 (先頭を 0 として)")
                       .arg(strPath)
                       .arg(nBadOffset);
        return false;
    case ELogDecodeFailure::NotText:
        strError = QStringLiteral("%1 は Shift-JIS でも UTF-8 でもないため開けません。\n"
                                  "読めないバイトの位置: %2 バイト目 (先頭を 0 として)")
                       .arg(strPath)
                       .arg(nBadOffset);
        return false;
    case ELogDecodeFailure::BreakCharacter:
        strError =
            QStringLiteral("%1 には、エディタが改行に変えてしまう文字があるため開けません。\n"
                           "その文字の位置: %2 バイト目 (先頭を 0 として)")
                .arg(strPath)
                .arg(nBadOffset);
        return false;
    case ELogDecodeFailure::None:
        break;
    }
    return true;
}

// What reading a log gives, ready to be shown.
struct CReadLog {
    CFileIdentity identity; // of the file as it was before it was read
    CLogFormat format;
    std::string strText; // UTF-8, "\n" breaks
    // The bytes and text of a Shift-JIS file whose bytes would not be
    // written back the same; empty otherwise.
    std::string strKeptBytes;
    std::string strKeptText;
};

// Some Shift-JIS characters have two byte forms (NEC and IBM extensions)
// that read as the same character; writing picks one of them. So that an
// unedited log is saved byte for byte as it was read, such a file's bytes
// are kept until the text changes. Mixed line ends are rewritten anyway,
// so they need no copy.
void KeepIfNotCanonical(const std::string& strBytes, CReadLog& read) {
    if (read.format.eEncoding != ELogEncoding::ShiftJis ||
        read.format.eLineEnds == ELineEnds::Mixed) {
        return;
    }
    // Nearly every log has none of those forms: told from the bytes alone.
    if (IsCanonicalShiftJis(strBytes)) {
        return;
    }
    std::string strAgain;
    CEncodeError error;
    if (CLogCodec::Encode(read.strText, read.format, strAgain, error) && strAgain == strBytes) {
        return;
    }
    read.strKeptBytes = strBytes;
    read.strKeptText = read.strText;
}

// Reads and decodes a log; runs on any thread.
bool ReadLog(const QString& strPath, CReadLog& read, QString& strError) {
    read.identity = IdentityOf(strPath);
    std::string strBytes;
    if (!ReadWholeFile(strPath, strBytes, strError) ||
        !DecodeLog(strPath, strBytes, read.strText, read.format, strError)) {
        return false;
    }
    KeepIfNotCanonical(strBytes, read);
    return true;
}

// Puts the text into the editor's document in pieces of whole lines (a long
// line is seen whole). After each piece, more() is asked whether to go on
// with the share done so far (0 to 1).
bool BuildText(QTextDocument* pText, const std::string& strText,
               const std::function<bool(double dDone)>& more) {
    CLogTextBuilder builder(pText);
    std::size_t nStart = 0;
    do {
        std::size_t nEnd = strText.find('\n', std::min(nStart + kBuildChunkBytes, strText.size()));
        if (nEnd == std::string::npos) {
            nEnd = strText.size();
        }
        builder.AddLines(
            QString::fromUtf8(strText.data() + nStart, static_cast<qsizetype>(nEnd - nStart)));
        nStart = nEnd + 1;
        if (!more(static_cast<double>(nEnd) /
                  static_cast<double>(std::max<std::size_t>(strText.size(), 1)))) {
            return false;
        }
    } while (nStart <= strText.size());
    builder.Finish();
    return true;
}

} // namespace

CVantixDoc::CVantixDoc(QObject* pParent) : QObject(pParent) {}

void CVantixDoc::SetView(CVantixView* pView) {
    m_pView = pView;
    m_pView->SetDocument(this);
    // The view's own signal: the document behind it is replaced on each open.
    connect(m_pView, &QPlainTextEdit::modificationChanged, this, &CVantixDoc::DocumentChanged);
    connect(&m_watch, &CFileWatch::Changed, this, &CVantixDoc::ChangedOnDisk);
}

bool CVantixDoc::OnNewDocument() {
    m_pView->setPlainText(QString());
    SetHasSoftBreaks(*m_pView->document(), false);
    m_format = CLogFormat();
    ForgetLoadedBytes();
    m_watch.Stop();
    SetPathName(QString());
    SetModifiedFlag(false);
    return true;
}

bool CVantixDoc::OnOpenDocument(const QString& strPath) {
    QString strError;
    if (!LoadFile(strPath, strError)) {
        ShowMessage(m_pView, QMessageBox::Warning, strError);
        return false;
    }
    return true;
}

bool CVantixDoc::OnSaveDocument(const QString& strPath) {
    QString strError;
    if (!SaveFile(strPath, strError)) {
        ShowMessage(m_pView, QMessageBox::Warning, strError);
        return false;
    }
    return true;
}

bool CVantixDoc::LoadFile(const QString& strPath, QString& strError, const LoadProgress& progress) {
    bool bRead = false;
    {
        const QScopedValueRollback<bool> loading(m_bLoading, true);
        const bool bWasReadOnly = m_pView->isReadOnly();
        m_pView->setReadOnly(true);
        bRead = ReadIntoView(strPath, strError, progress);
        m_pView->setReadOnly(bWasReadOnly);
    }
    // Reports that came while the file was read go after its text (or after
    // the old text, when the read failed or was cancelled).
    for (std::string& report : std::exchange(m_waitingReports, {})) {
        AppendReport(std::move(report));
    }
    return bRead;
}

bool CVantixDoc::ReadIntoView(const QString& strPath, QString& strError,
                              const LoadProgress& progress) {
    CReadLog read;
    if (!progress || QFileInfo(strPath).size() < kBackgroundReadBytes) {
        if (!ReadLog(strPath, read, strError)) {
            return false;
        }
        auto* pText = new QTextDocument;
        pText->setUndoRedoEnabled(false);
        BuildText(pText, read.strText, [](double) { return true; });
        m_pView->AdoptDocument(pText);
    } else {
        // Read and decode in the background while the window keeps painting;
        // the progress shows from the first moment.
        if (!progress(-1)) {
            return false;
        }
        bool bRead = false;
        std::ptrdiff_t nLines = 1;
        QEventLoop loop;
        std::thread worker([&] {
            bRead = ReadLog(strPath, read, strError);
            nLines += std::count(read.strText.begin(), read.strText.end(), '\n');
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        QTimer ticker;
        bool bCancelled = false;
        QObject::connect(&ticker, &QTimer::timeout, &loop,
                         [&] { bCancelled = !progress(-1) || bCancelled; });
        ticker.start(kProgressTickMs);
        loop.exec();
        worker.join();
        if (!bRead || bCancelled) {
            return false;
        }
        // The text goes into an empty document that is already shown: one
        // filled first would be laid out anew, block by block, when shown.
        // The old document comes back if the user cancels.
        auto* pText = new QTextDocument;
        pText->setUndoRedoEnabled(false);
        QTextDocument* pOld = m_pView->AdoptDocument(
            pText, true, static_cast<int>(std::min<std::ptrdiff_t>(nLines, INT_MAX)));
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        const bool bBuilt = BuildText(pText, read.strText, [&](double dDone) {
            if (sinceEvents.elapsed() < kProgressTickMs) {
                return true;
            }
            sinceEvents.restart();
            if (!progress(static_cast<int>(100 * dDone))) {
                return false;
            }
            QCoreApplication::processEvents();
            return true;
        });
        if (!bBuilt) {
            m_pView->AdoptDocument(pOld);
            return false;
        }
        delete pOld;
        m_pView->moveCursor(QTextCursor::Start);
    }
    m_pView->document()->setUndoRedoEnabled(true);
    m_strLoadedBytes = std::move(read.strKeptBytes);
    m_strLoadedText = std::move(read.strKeptText);
    m_loadedFormat = read.format;
    m_format = read.format;
    SetPathName(strPath);
    SetModifiedFlag(false);
    m_watch.Watch(m_strPathName, read.identity);
    return true;
}

bool CVantixDoc::Reload(QString& strError, const LoadProgress& progress) {
    const int nScroll = m_pView->verticalScrollBar()->value();
    const int nCaret = m_pView->textCursor().position();
    if (!LoadFile(m_strPathName, strError, progress)) {
        return false;
    }
    QTextCursor caret(m_pView->document());
    caret.setPosition(std::min(nCaret, m_pView->document()->characterCount() - 1));
    m_pView->setTextCursor(caret);
    m_pView->verticalScrollBar()->setValue(nScroll);
    return true;
}

void CVantixDoc::RestoreText(const QString& strPath, const CLogFormat& format,
                             const CFileIdentity& basedOn, const QString& strText) {
    OnNewDocument();
    auto* pText = new QTextDocument;
    pText->setUndoRedoEnabled(false);
    {
        CLogTextBuilder builder(pText);
        builder.AddLines(strText);
    }
    m_pView->AdoptDocument(pText);
    pText->setUndoRedoEnabled(true);
    m_format = format;
    SetPathName(strPath);
    if (!strPath.isEmpty()) {
        m_watch.Watch(m_strPathName, basedOn);
    }
    SetModifiedFlag(true);
}

void CVantixDoc::ForgetLoadedBytes() {
    m_strLoadedBytes = std::string();
    m_strLoadedText = std::string();
}

bool CVantixDoc::IsOwnFile(const QString& strPath) const {
    if (m_strPathName.isEmpty()) {
        return false;
    }
    if (QFileInfo(strPath).absoluteFilePath() == m_strPathName) {
        return true;
    }
    // Another name (a link) of the same file.
    const CFileIdentity& known = m_watch.Known();
    const CFileIdentity target = IdentityOf(strPath);
    return known.bExists && target.bExists && known.nDevice == target.nDevice &&
           known.nInode == target.nInode;
}

bool CVantixDoc::SaveFile(const QString& strPath, QString& strError, ESaveFailure* pFailure,
                          bool bReplaceChanged) {
    ESaveFailure eIgnored = ESaveFailure::None;
    ESaveFailure& eFailure = pFailure != nullptr ? *pFailure : eIgnored;
    eFailure = ESaveFailure::Other;
    m_strSaveWarning.clear();
    const auto fail = [&](const QString& strReason) {
        strError = QStringLiteral("%1 に保存できません。\n%2\nファイルは変更していません。")
                       .arg(strPath, strReason);
        return false;
    };
    const QFileInfo target(strPath);
    if (target.isDir()) {
        return fail(QStringLiteral("同じ名前のフォルダがあります。"));
    }
    // Writing through a temporary file would put a plain file in place of a
    // pipe or a device node.
    if (target.exists() && !target.isFile()) {
        return fail(QStringLiteral("通常のファイルではありません。"));
    }
    std::string strBytes;
    CEncodeError encodeError;
    const std::string strText = EditorText();
    if (!CLogCodec::Encode(strText, m_format, strBytes, encodeError)) {
        eFailure = ESaveFailure::Unencodable;
        char32_t ch = encodeError.m_chCodePoint;
        strError =
            QStringLiteral("%1 行 %2 桁目の文字「%3」(%4) は Shift-JIS で保存できません。\n"
                           "その文字を直してから保存してください。ファイルは変更していません。")
                .arg(encodeError.m_nLine)
                .arg(encodeError.m_nColumn)
                .arg(QString::fromUcs4(&ch, 1), CodePointText(ch));
        return false;
    }
    if (!m_strLoadedBytes.empty() && m_format.eEncoding == m_loadedFormat.eEncoding &&
        m_format.eLineEnds == m_loadedFormat.eLineEnds && strBytes != m_strLoadedBytes &&
        strText == m_strLoadedText) {
        strBytes = m_strLoadedBytes;
    }

    const std::string strNativePath = QFile::encodeName(strPath).toStdString();
    CLogLock lock;
    std::string strLockError;
    // Waiting for another writer keeps the window's events running.
    const CLogLock::PauseFn pause = m_lockPause ? m_lockPause : [](int nMs) {
        QEventLoop wait;
        QTimer::singleShot(nMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
    if (!lock.Acquire(strNativePath, kLogLockTimeoutMs, strLockError, pause)) {
        eFailure = ESaveFailure::Locked;
        if (strLockError.empty() || lock.TimedOut()) {
            // Its sentence names the file and says it is unchanged; empty
            // when the user gave up waiting.
            strError = QString::fromStdString(strLockError);
            return false;
        }
        eFailure = ESaveFailure::Other; // the log could not even be opened to lock it
        return fail(QString::fromStdString(strLockError));
    }
    m_strSaveWarning = QString::fromStdString(lock.Warning());
    // Looked at again under the lock: nobody can change the file from here
    // to the rename.
    if (!bReplaceChanged && IsOwnFile(strPath) && m_watch.HasChanged()) {
        eFailure = ESaveFailure::ChangedOnDisk;
        strError = QStringLiteral("%1 は、開いた後 (または最後に保存した後) にほかのプログラムで"
                                  "変更、置き換え、削除、または名前の変更をされています。")
                       .arg(strPath);
        return false;
    }
    std::string strWriteError;
    EWriteFailure eWrite = EWriteFailure::None;
    if (!WriteFileAtomically(strNativePath, strBytes, strWriteError, eWrite)) {
        switch (eWrite) {
        case EWriteFailure::FolderNotWritable:
        case EWriteFailure::FileNotWritable: // either way, Save As elsewhere is the way out
            eFailure = ESaveFailure::FolderNotWritable;
            break;
        case EWriteFailure::DiskFull:
            eFailure = ESaveFailure::DiskFull;
            break;
        case EWriteFailure::None:
        case EWriteFailure::Other:
            break;
        }
        // The writer's message names the file and the cause already.
        strError = QString::fromStdString(strWriteError);
        return false;
    }
    const CFileIdentity written = FileIdentityOf(strNativePath);
    lock.Release();
    eFailure = ESaveFailure::None;
    // A file whose breaks were mixed now has CR LF throughout.
    if (m_format.eLineEnds != ELineEnds::Lf) {
        m_format.eLineEnds = ELineEnds::CrLf;
    }
    SetPathName(strPath);
    SetModifiedFlag(false);
    m_watch.Watch(m_strPathName, written);
    return true;
}

bool CVantixDoc::SaveFileAsUtf8(const QString& strPath, QString& strError) {
    const CLogFormat previous = m_format;
    m_format.eEncoding = ELogEncoding::Utf8Bom;
    if (!SaveFile(strPath, strError)) {
        m_format = previous;
        return false;
    }
    return true;
}

void CVantixDoc::AppendReport(std::string report) {
    if (m_bLoading) {
        m_waitingReports.push_back(std::move(report));
        return;
    }
    emit AboutToAppendReport();
    ELineEnds eIgnored = ELineEnds::CrLf;
    const QString strReport = QString::fromStdString(ToLf(report, eIgnored));
    QTextDocument* pText = m_pView->document();
    QTextCursor cursor(pText);
    cursor.movePosition(QTextCursor::End);
    const int nStart = cursor.position();
    cursor.beginEditBlock();
    if (HasSoftBreaks(*pText)) {
        // After a soft piece the report's lines must not inherit its number.
        CLogTextBuilder builder(pText);
        builder.AddLines(strReport);
    } else {
        cursor.insertText(strReport);
    }
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::End);
    // A report with no text still counts as a change.
    SetModifiedFlag(true);

    // Show the report: its start first, then its end, so that a report
    // taller than the window shows its end and a short one shows whole.
    QTextCursor start(pText);
    start.setPosition(nStart);
    m_pView->setTextCursor(start);
    m_pView->ensureCursorVisible();
    m_pView->setTextCursor(cursor);
    m_pView->ensureCursorVisible();
}

std::string CVantixDoc::EditorText() const {
    return LogTextOf(*m_pView->document()).toStdString();
}

std::string CVantixDoc::SavedText() const {
    const ELineEnds eWritten =
        m_format.eLineEnds == ELineEnds::Lf ? ELineEnds::Lf : ELineEnds::CrLf;
    return FromLf(EditorText(), eWritten);
}

bool CVantixDoc::IsModified() const {
    return m_pView->document()->isModified();
}

void CVantixDoc::SetModifiedFlag(bool bModified) {
    m_pView->document()->setModified(bModified);
}

QString CVantixDoc::GetTitle() const {
    return m_strPathName.isEmpty() ? QStringLiteral("無題") : DisplayName(m_strPathName);
}

QString CVantixDoc::FormatNotice() const {
    QStringList notices;
    if (m_format.eEncoding != ELogEncoding::ShiftJis) {
        notices << QStringLiteral(
            "このﾌｧｲﾙは Shift-JIS ではなく UTF-8 です。UTF-8 のまま保存します。");
    }
    if (m_format.eLineEnds == ELineEnds::Mixed) {
        notices << QStringLiteral(
            "改行コードが混在しています。保存すると改行はすべて CR LF になります。");
    }
    return notices.join(QLatin1Char(' '));
}

void CVantixDoc::SetPathName(const QString& strPath) {
    m_strPathName = strPath.isEmpty() ? QString() : QFileInfo(strPath).absoluteFilePath();
    emit DocumentChanged();
}
