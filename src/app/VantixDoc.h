#pragma once

#include "text/LogCodec.h"

#include <QObject>
#include <QString>

#include <string>

class CVantixView;

// The log document. Its text lives in the view's editor only; the document
// knows where the log came from, how it is written back (encoding and line
// ends) and whether it was changed since.
class CVantixDoc : public QObject {
    Q_OBJECT

public:
    explicit CVantixDoc(QObject* pParent = nullptr);

    void SetView(CVantixView* pView);
    CVantixView* GetView() const { return m_pView; }

    // Empties the log; the view's hand-over values stay.
    bool OnNewDocument();
    // Reads a log; on failure the message goes through ShowMessage and the
    // current log is left exactly as it was.
    bool OnOpenDocument(const QString& strPath);
    // Writes the log; on failure the message goes through ShowMessage, the
    // file on disk is unchanged and the log stays modified.
    bool OnSaveDocument(const QString& strPath);

    // The same without any message: the reason is returned in strError.
    // pUnencodable (optional) tells whether the save stopped at a character
    // the file's encoding cannot hold.
    bool LoadFile(const QString& strPath, QString& strError);
    bool SaveFile(const QString& strPath, QString& strError, bool* pUnencodable = nullptr);
    // Saves as UTF-8 (no byte-order mark) from now on; the way out when the
    // log holds characters that Shift-JIS cannot.
    bool SaveFileAsUtf8(const QString& strPath, QString& strError);

    // Puts a report (UTF-8, CR LF) after the last character of the log,
    // whatever the caret or selection, as one undo step; marks the log
    // modified and scrolls the report into view.
    void AppendReport(std::string report);

    // The log's text as it would be saved (UTF-8, the file's line ends, no
    // byte-order mark).
    std::string SavedText() const;
    // The editor's text with "\n" breaks, UTF-8.
    std::string EditorText() const;

    bool IsModified() const;
    void SetModifiedFlag(bool bModified = true);

    QString GetPathName() const { return m_strPathName; }
    // The file name shown in the title, "無題" for a log never saved.
    QString GetTitle() const;
    const CLogFormat& GetFormat() const { return m_format; }
    // What the status bar should say about the file just opened ("" if
    // nothing special).
    QString FormatNotice() const;

signals:
    // Path, title or modified state changed.
    void DocumentChanged();

private:
    void RememberIfNotCanonical(const std::string& strBytes, const std::string& strText,
                                const CLogFormat& format);
    void ForgetLoadedBytes();
    void SetPathName(const QString& strPath);

    CVantixView* m_pView = nullptr;
    QString m_strPathName;
    CLogFormat m_format;
    // The bytes and text of a loaded Shift-JIS file whose bytes would not be
    // written back the same (see RememberIfNotCanonical); empty otherwise.
    std::string m_strLoadedBytes;
    std::string m_strLoadedText;
    CLogFormat m_loadedFormat;
};
