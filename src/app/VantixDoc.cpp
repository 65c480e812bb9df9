#include "app/VantixDoc.h"

#include "app/LogTextBuilder.h"
#include "app/VantixView.h"
#include "dialogs/MessageSink.h"
#include "text/LogFile.h"
#include "text/LogLock.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace {

constexpr int kProgressTickMs = 100;
// The text goes into the editor in pieces of about this many bytes, so
// that progress can be told and a cancel noticed.
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
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        strError = QStringLiteral("%1 を読めません。\n%2").arg(strPath, file.errorString());
        return false;
    }
    strBytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
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
    std::unique_ptr<QTextDocument> pText;
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
void KeepIfNotCanonical(const std::string& strBytes, const std::string& strText, CReadLog& read) {
    if (read.format.eEncoding != ELogEncoding::ShiftJis ||
        read.format.eLineEnds == ELineEnds::Mixed) {
        return;
    }
    std::string strAgain;
    CEncodeError error;
    if (CLogCodec::Encode(strText, read.format, strAgain, error) && strAgain == strBytes) {
        return;
    }
    read.strKeptBytes = strBytes;
    read.strKeptText = strText;
}

// Reads, decodes and builds the editor's document; runs on any thread.
// nPercent is kept up to date; bCancel stops the work (false, no message).
bool ReadLog(const QString& strPath, CReadLog& read, QString& strError, std::atomic<int>& nPercent,
             const std::atomic<bool>& bCancel) {
    read.identity = IdentityOf(strPath);
    std::string strText;
    {
        std::string strBytes;
        if (!ReadWholeFile(strPath, strBytes, strError) ||
            !DecodeLog(strPath, strBytes, strText, read.format, strError)) {
            return false;
        }
        KeepIfNotCanonical(strBytes, strText, read);
    }
    nPercent = 10;
    auto pText = std::make_unique<QTextDocument>();
    pText->setUndoRedoEnabled(false);
    {
        CLogTextBuilder builder(pText.get());
        std::size_t nStart = 0;
        do {
            if (bCancel) {
                return false;
            }
            // Whole lines only, so that a long line is seen whole.
            std::size_t nEnd =
                strText.find('\n', std::min(nStart + kBuildChunkBytes, strText.size()));
            if (nEnd == std::string::npos) {
                nEnd = strText.size();
            }
            builder.AddLines(
                QString::fromUtf8(strText.data() + nStart, static_cast<qsizetype>(nEnd - nStart)));
            nStart = nEnd + 1;
            nPercent = 10 + static_cast<int>(
                                90.0 * static_cast<double>(nEnd) /
                                static_cast<double>(std::max<std::size_t>(strText.size(), 1)));
        } while (nStart <= strText.size());
        builder.Finish();
    }
    if (QThread::currentThread() != qApp->thread()) {
        pText->moveToThread(qApp->thread());
    }
    read.pText = std::move(pText);
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
    CReadLog read;
    std::atomic<int> nPercent = 0;
    std::atomic<bool> bCancel = false;
    bool bRead = false;
    m_bLoading = true;
    if (!progress || QFileInfo(strPath).size() < kBackgroundReadBytes) {
        bRead = ReadLog(strPath, read, strError, nPercent, bCancel);
    } else {
        // Read and build the new text in the background while the window
        // keeps painting; the caller's progress shows how far it came.
        QEventLoop loop;
        std::thread worker([&] {
            bRead = ReadLog(strPath, read, strError, nPercent, bCancel);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
            if (!progress(nPercent)) {
                bCancel = true;
            }
        });
        ticker.start(kProgressTickMs);
        progress(0);
        loop.exec();
        worker.join();
    }
    m_bLoading = false;
    if (!bRead) {
        return false;
    }
    m_pView->AdoptDocument(read.pText.release());
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
                             const QString& strText) {
    QString strIgnored;
    if (strPath.isEmpty() || !LoadFile(strPath, strIgnored)) {
        OnNewDocument();
        m_format = format;
        SetPathName(strPath);
        // The file is missing or unreadable: a save asks before writing.
        if (!strPath.isEmpty()) {
            m_watch.Watch(m_strPathName, CFileIdentity());
        }
    }
    ForgetLoadedBytes();
    auto* pText = new QTextDocument;
    CLogTextBuilder builder(pText);
    builder.AddLines(strText);
    builder.Finish();
    m_pView->AdoptDocument(pText);
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
    if (!lock.Acquire(strNativePath, kLogLockTimeoutMs, strLockError)) {
        eFailure = ESaveFailure::Locked;
        return fail(QString::fromStdString(strLockError));
    }
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
            eFailure = ESaveFailure::FolderNotWritable;
            break;
        case EWriteFailure::DiskFull:
            eFailure = ESaveFailure::DiskFull;
            break;
        case EWriteFailure::None:
        case EWriteFailure::Other:
            break;
        }
        return fail(QString::fromStdString(strWriteError));
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
