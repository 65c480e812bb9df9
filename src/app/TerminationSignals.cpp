#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

volatile sig_atomic_t g_nWriteFd = -1;

extern "C" void OnTerminationSignal(int nSignal) {
    const int nSavedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(nSignal);
    if (g_nWriteFd >= 0) {
        // Nothing to do on failure: the pipe is full only when signals are
        // already waiting to be handled.
        [[maybe_unused]] const ssize_t nWritten = ::write(g_nWriteFd, &byte, 1);
    }
    errno = nSavedErrno;
}

} // namespace

CTerminationSignals::CTerminationSignals(QObject* pParent) : QObject(pParent) {
    if (g_nWriteFd >= 0 || ::pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    g_nWriteFd = m_fds[1];
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &m_previous[i]);
    }
    m_pNotifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &CTerminationSignals::OnReadable);
}

CTerminationSignals::~CTerminationSignals() {
    if (!m_pNotifier) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    }
    g_nWriteFd = -1;
    m_pNotifier.reset();
    ::close(m_fds[0]);
    ::close(m_fds[1]);
}

void CTerminationSignals::OnReadable() {
    unsigned char byte = 0;
    while (::read(m_fds[0], &byte, 1) == 1) {
        emit Received(byte);
    }
}

void CTerminationSignals::EndBy(int nSignal) {
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
    std::_Exit(128 + nSignal);
}
