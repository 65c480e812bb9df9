#pragma once

#include "text/FileIdentity.h"
#include "text/LogCodec.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <thread>

#include <functional>
#include <vector>

// A copy of the log's unsaved text in the user's data folder, so that a
// sudden end (a crash, a killed session) loses nothing typed. Each running
// window owns one copy file and holds a lock beside it for as long as it
// runs; a copy whose lock nobody holds was left by a program that ended
// without saving, and is offered at the next start.
//
// The copy is written atomically some seconds after the last change (and at
// the latest some seconds after the first unsaved one), at once on request,
// and removed when the log is saved or its changes are deliberately dropped.
class CRecoveryCopy : public QObject {
    Q_OBJECT

public:
    // What a copy is about.
    struct CLog {
        QString strPath;       // "" for a log never saved
        CLogFormat format;     // how the log is written
        CFileIdentity basedOn; // the file the unsaved text was made from
    };
    // What a copy holds besides the text.
    struct CInfo {
        QString strCopyPath; // the copy file itself
        CLog log;
        QDateTime written; // when the copy was last written
    };

    // Gives the log's text ("\n" breaks) and what it belongs to when a copy
    // is to be written, or false when the log holds no unsaved change (then
    // no copy is kept).
    using Source = std::function<bool(QString& strText, CLog& log)>;

    // strFolder: where the copies live (created when needed).
    CRecoveryCopy(const QString& strFolder, Source source, QObject* pParent = nullptr);
    ~CRecoveryCopy() override;

    // The folder in the user's application data where copies are kept.
    static QString DefaultFolder();

    // Quiet: how long after the last change the copy is written.
    // Latest: how long after the first change not yet in a copy.
    void SetDelays(int nQuietMs, int nLatestMs);

    // The text changed: a copy follows after the delays.
    void TextChanged();
    // Writes the copy now if there is a change not yet in it. On failure
    // strError says why (Japanese, naming the copy file).
    bool WriteNow(QString& strError);
    // The program is about to end without its usual clean-up: writes the
    // copy if there is anything unsaved, and otherwise leaves no file behind.
    bool WriteBeforeTheEnd(QString& strError);
    // The log's changes were saved or dropped: the copy goes.
    void Discard();

    // This window's copy file ("" until the first copy was written).
    QString CopyPath() const { return m_strCopyPath; }
    bool HasPendingChange() const { return m_bDirty; }

    // The copies in strFolder left by programs that no longer run, newest
    // first. Copies of running windows are never listed.
    static std::vector<CInfo> FindAbandoned(const QString& strFolder);
    // Reads a copy's text ("\n" breaks).
    static bool ReadText(const CInfo& info, QString& strText, QString& strError);
    // The log's file holds exactly this text already.
    static bool MatchesLog(const CInfo& info, const QString& strText);
    // Removes an abandoned copy and its lock file.
    static void RemoveAbandoned(const CInfo& info);
    // Takes an abandoned copy over as this window's copy (after restoring
    // it), so it stays safe until the log is saved.
    bool Adopt(const CInfo& info);

signals:
    // A copy could not be written (once per failure streak).
    void WriteFailed(const QString& strError);

public:
    // From this many characters on, a copy that falls due is written by a
    // worker thread: the window only takes the text.
    static constexpr qsizetype kBackgroundChars = 1 << 20;
    // A copy being written by the worker.
    bool IsWriting() const { return m_worker.joinable(); }

private:
    bool EnsureOwnFiles(QString& strError);
    void RemoveStaleLocks() const;
    void OnTimer();
    // The copy's bytes: its header and the text.
    static QByteArray CopyBytes(const QString& strText, const CLog& log);
    static bool Store(const QString& strPath, const QByteArray& bytes, QString& strError);
    void JoinWorker();

    QString m_strFolder;
    Source m_source;
    QString m_strCopyPath;
    int m_nLockFd = -1;
    bool m_bDirty = false;
    bool m_bFailing = false;
    QTimer m_quiet;
    QTimer m_latest;
    std::thread m_worker;       // writing a big log's copy, while joinable
    unsigned m_nGeneration = 0; // counts the changes, to tell a copy made before the last one
};
