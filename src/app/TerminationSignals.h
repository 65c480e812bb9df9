#pragma once

#include <QObject>

#include <csignal>
#include <memory>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP, SIGINT and SIGQUIT (the session ending, the
// terminal closing, a plain kill, Ctrl+C or Ctrl+\ in the terminal) into a Qt signal on the main
// thread. The handler itself only writes the signal number into a pipe, which is all a signal
// handler may safely do; the rest runs in the event loop. One instance at a time.
class CTerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit CTerminationSignals(QObject* pParent = nullptr);
    ~CTerminationSignals() override;

    bool IsInstalled() const { return m_pNotifier != nullptr; }

    // Ends the process the way the signal would have without a handler.
    [[noreturn]] static void EndBy(int nSignal);

signals:
    void Received(int nSignal);

private:
    void OnReadable();

    int m_fds[2] = {-1, -1};
    struct sigaction m_previous[4]{}; // SIGTERM, SIGHUP, SIGINT, SIGQUIT as they were
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
