#include "app/VantixDoc.h"

#include "app/VantixView.h"
#include "dialogs/MessageSink.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString DisplayName(const QString& strPath) {
    return QFileInfo(strPath).fileName();
}

QString CodePointText(char32_t ch) {
    return QStringLiteral("U+%1").arg(static_cast<unsigned>(ch), 4, 16, QLatin1Char('0')).toUpper();
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

} // namespace

CVantixDoc::CVantixDoc(QObject* pParent) : QObject(pParent) {}

void CVantixDoc::SetView(CVantixView* pView) {
    m_pView = pView;
    m_pView->SetDocument(this);
    connect(m_pView->document(), &QTextDocument::modificationChanged, this,
            &CVantixDoc::DocumentChanged);
}

bool CVantixDoc::OnNewDocument() {
    m_pView->setPlainText(QString());
    m_format = CLogFormat();
    ForgetLoadedBytes();
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

bool CVantixDoc::LoadFile(const QString& strPath, QString& strError) {
    std::string strBytes;
    if (!ReadWholeFile(strPath, strBytes, strError)) {
        return false;
    }
    std::string strText;
    CLogFormat format;
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
    RememberIfNotCanonical(strBytes, strText, format);
    strBytes = std::string();
    m_pView->setPlainText(QString::fromStdString(strText));
    m_format = format;
    SetPathName(strPath);
    SetModifiedFlag(false);
    return true;
}

void CVantixDoc::RememberIfNotCanonical(const std::string& strBytes, const std::string& strText,
                                        const CLogFormat& format) {
    ForgetLoadedBytes();
    // Some Shift-JIS characters have two byte forms (NEC and IBM extensions)
    // that read as the same character; writing picks one of them. So that an
    // unedited log is saved byte for byte as it was read, such a file's
    // bytes are kept until the text changes. Mixed line ends are rewritten
    // anyway, so they need no copy.
    if (format.eEncoding != ELogEncoding::ShiftJis || format.eLineEnds == ELineEnds::Mixed) {
        return;
    }
    std::string strAgain;
    CEncodeError error;
    if (CLogCodec::Encode(strText, format, strAgain, error) && strAgain == strBytes) {
        return;
    }
    m_strLoadedBytes = strBytes;
    m_strLoadedText = strText;
    m_loadedFormat = format;
}

void CVantixDoc::ForgetLoadedBytes() {
    m_strLoadedBytes = std::string();
    m_strLoadedText = std::string();
}

bool CVantixDoc::SaveFile(const QString& strPath, QString& strError, bool* pUnencodable) {
    std::string strBytes;
    CEncodeError encodeError;
    const bool bEncoded = CLogCodec::Encode(EditorText(), m_format, strBytes, encodeError);
    if (pUnencodable != nullptr) {
        *pUnencodable = !bEncoded;
    }
    if (!bEncoded) {
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
        EditorText() == m_strLoadedText) {
        strBytes = m_strLoadedBytes;
    }
    QSaveFile file(strPath);
    const auto fail = [&](const QString& strReason) {
        file.cancelWriting();
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
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    if (file.write(strBytes.data(), static_cast<qint64>(strBytes.size())) !=
        static_cast<qint64>(strBytes.size())) {
        return fail(file.errorString());
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    // A file whose breaks were mixed now has CR LF throughout.
    if (m_format.eLineEnds != ELineEnds::Lf) {
        m_format.eLineEnds = ELineEnds::CrLf;
    }
    SetPathName(strPath);
    SetModifiedFlag(false);
    return true;
}

bool CVantixDoc::SaveFileAsUtf8(const QString& strPath, QString& strError) {
    const CLogFormat previous = m_format;
    m_format.eEncoding = ELogEncoding::Utf8;
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
    cursor.insertText(strReport);
    cursor.endEditBlock();
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
    // toRawText keeps every character (toPlainText would turn a no-break
    // space into a space); only the block separators need mapping.
    QString strText = m_pView->document()->toRawText();
    strText.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return strText.toStdString();
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
