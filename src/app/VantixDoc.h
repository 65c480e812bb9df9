#pragma once

#include "app/FileWatch.h"
#include "text/LogCodec.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CVantixView;

// Why a save did not happen.
enum class ESaveFailure {
    None,
    Unencodable,       // a character the file's encoding cannot hold
    ChangedOnDisk,     // someone else changed, replaced or removed the file
    Locked,            // another writer kept the log's lock
    FolderNotWritable, // no file can be made in the log's folder
    DiskFull,
    Other,
};

// Told how far a long read has come (0 to 100, or -1 while that cannot be
// told yet); returns false to cancel it.
using LoadProgress = std::function<bool(int nPercent)>;

// The log document. Its text lives in the view's editor only; the document
// knows where the log came from, how it is written back (encoding and line
// ends) and whether it was changed since.
class CVantixDoc : public QObject {
    Q_OBJECT

public:
    // Files from this size on are read in the background, with progress.
    static constexpr qint64 kBackgroundReadBytes = 4 * 1024 * 1024;

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
    // A large file is read in the background while the event loop runs and
    // progress (when given) is told how far it came; a cancelled read
    // returns false with an empty strError. The current log stays as it is
    // until the new one is complete. The editor takes no typing while a file
    // is read; a report added meanwhile waits and goes after the text read.
    bool LoadFile(const QString& strPath, QString& strError, const LoadProgress& progress = {});
    // Writes under the log's lock. Saving over the log's own file stops with
    // ChangedOnDisk when the file is no longer the one last read or written,
    // unless bReplaceChanged. pFailure (optional) tells why a save failed.
    bool SaveFile(const QString& strPath, QString& strError, ESaveFailure* pFailure = nullptr,
                  bool bReplaceChanged = false);
    // Saves as UTF-8 with a byte-order mark from now on (the mark keeps the
    // choice when the file is read again); the way out when the log holds
    // characters that Shift-JIS cannot.
    bool SaveFileAsUtf8(const QString& strPath, QString& strError);

    // Reads the log's file again. The caret and the scroll position stay
    // where they were, as far as the new text reaches.
    bool Reload(QString& strError, const LoadProgress& progress = {});
    // Puts a recovered text in place of the log's text, for the log at
    // strPath ("" for a log never saved) as it was when the text was made
    // from it (basedOn); the log is then modified. If the file is no longer
    // that one, a save asks first, as for any change on disk.
    void RestoreText(const QString& strPath, const CLogFormat& format, const CFileIdentity& basedOn,
                     const QString& strText);
    bool IsLoading() const { return m_bLoading; }
    // What the last save had to say although it succeeded (written without
    // a lock on a file system that has none); "" otherwise.
    QString SaveWarning() const { return m_strSaveWarning; }
    // How a save spends the pauses while another program holds the log's
    // lock (see CLogLock::Acquire); by default the events run meanwhile.
    void SetLockPause(std::function<bool(int nMs)> pause) { m_lockPause = std::move(pause); }

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

    // The watch on the log's file (nothing is watched for a log never saved).
    const CFileWatch& GetWatch() const { return m_watch; }
    CFileWatch& GetWatch() { return m_watch; }

signals:
    // Path, title or modified state changed.
    void DocumentChanged();
    // The log's file changed on disk (see CFileWatch).
    void ChangedOnDisk();
    // A report is about to be added: the last moment to read the file again
    // if it changed on disk while the window held nothing of the user's.
    void AboutToAppendReport();

private:
    bool IsOwnFile(const QString& strPath) const;
    bool ReadIntoView(const QString& strPath, QString& strError, const LoadProgress& progress);
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
    CFileWatch m_watch;
    bool m_bLoading = false;
    std::vector<std::string> m_waitingReports; // added while a file was read
    std::function<bool(int nMs)> m_lockPause;
    QString m_strSaveWarning;
};
