// Benchmarks of the shell: appending reports to logs of growing size, open
// and save of a 10 MB log against the irreducible work, opening a 50 MB log
// and a log of one 1 MB line through the window (with a keystroke after it),
// and start-up of the main window against a bare QMainWindow with a
// QPlainTextEdit.
//
//   build/bench/vantix_gui_bench            (runs on the offscreen platform)

#include "app/LogSearch.h"
#include "app/MainFrame.h"
#include "app/RecoveryCopy.h"
#include "app/VantixApp.h"
#include "app/VantixDoc.h"
#include "app/VantixView.h"
#include "text/ShiftJis.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const std::string kReport = "     ***** π型アッテネータ *****\r\n"
                            "     2026年12月08日 10時30分\r\n"
                            "　　インピーダンス  50.0Ω\r\n"
                            "　　減衰量  10.0dB\r\n"
                            "　　R1  96.2Ω   R2  71.2Ω\r\n"
                            "\r\n";

// A log of about nBytes of UTF-8 text made of reports.
QString MakeLog(std::size_t nBytes) {
    std::string strText;
    strText.reserve(nBytes + kReport.size());
    while (strText.size() < nBytes) {
        strText += kReport;
    }
    QString strLog = QString::fromStdString(strText);
    strLog.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return strLog;
}

std::string MakeShiftJisLog(std::size_t nBytes) {
    std::string strUtf8;
    while (strUtf8.size() < nBytes) {
        strUtf8 += kReport;
    }
    std::string strBytes;
    CEncodeError error;
    EncodeShiftJis(strUtf8, strBytes, error);
    return strBytes;
}

QTemporaryDir& BenchDir() {
    static QTemporaryDir dir;
    return dir;
}

// The resident set of this process (VmRSS), in KiB.
long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

// ---- AppendReport ----------------------------------------------------------

void BM_AppendReport(benchmark::State& state) {
    CMainFrame frame;
    frame.resize(800, 600);
    frame.GetView()->setPlainText(MakeLog(static_cast<std::size_t>(state.range(0)) * 1024));
    for (auto _ : state) {
        frame.GetDocument()->AppendReport(kReport);
    }
    state.SetLabel(std::to_string(state.range(0)) + " KB log");
}
BENCHMARK(BM_AppendReport)
    ->Arg(1)
    ->Arg(10 * 1024)
    ->Arg(50 * 1024)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

// ---- Open and save of a 10 MB log ------------------------------------------

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

QString TenMegabyteFile() {
    static const QString strPath = [] {
        const QString strFile = BenchDir().filePath(QStringLiteral("ten.txt"));
        QFile file(strFile);
        file.open(QIODevice::WriteOnly);
        const std::string bytes = MakeShiftJisLog(kTenMegabytes);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return strFile;
    }();
    return strPath;
}

void BM_Open10MB(benchmark::State& state) {
    CMainFrame frame;
    const QString strPath = TenMegabyteFile();
    QString strError;
    for (auto _ : state) {
        if (!frame.GetDocument()->LoadFile(strPath, strError)) {
            state.SkipWithError("open failed");
        }
    }
}
BENCHMARK(BM_Open10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// Read + decode + setPlainText: what any opening of the file has to do.
void BM_Open10MB_Baseline(benchmark::State& state) {
    CMainFrame frame;
    const QString strPath = TenMegabyteFile();
    for (auto _ : state) {
        QFile file(strPath);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        std::string strUtf8;
        CDecodeError error;
        DecodeShiftJis(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                       strUtf8, error);
        frame.GetView()->setPlainText(QString::fromStdString(strUtf8));
    }
}
BENCHMARK(BM_Open10MB_Baseline)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Save10MB(benchmark::State& state) {
    CMainFrame frame;
    QString strError;
    frame.GetDocument()->LoadFile(TenMegabyteFile(), strError);
    const QString strOut = BenchDir().filePath(QStringLiteral("save.txt"));
    for (auto _ : state) {
        if (!frame.GetDocument()->SaveFile(strOut, strError)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_Save10MB)->Unit(benchmark::kMillisecond)->Iterations(5);

// toPlainText + encode + write.
void BM_Save10MB_Baseline(benchmark::State& state) {
    CMainFrame frame;
    QString strError;
    frame.GetDocument()->LoadFile(TenMegabyteFile(), strError);
    const QString strOut = BenchDir().filePath(QStringLiteral("save-baseline.txt"));
    for (auto _ : state) {
        const std::string strUtf8 = frame.GetView()->toPlainText().toStdString();
        std::string strBytes;
        CEncodeError error;
        EncodeShiftJis(strUtf8, strBytes, error);
        QFile file(strOut);
        file.open(QIODevice::WriteOnly);
        file.write(strBytes.data(), static_cast<qint64>(strBytes.size()));
    }
}
BENCHMARK(BM_Save10MB_Baseline)->Unit(benchmark::kMillisecond)->Iterations(5);

// ---- Large and odd logs, opened as File Open does ------------------------------

QString FileOf(const char* pszName, const std::function<std::string()>& make) {
    const QString strFile = BenchDir().filePath(QString::fromLatin1(pszName));
    if (!QFile::exists(strFile)) {
        QFile file(strFile);
        file.open(QIODevice::WriteOnly);
        const std::string bytes = make();
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    return strFile;
}

QString FiftyMegabyteFile() {
    return FileOf("fifty.txt", [] { return MakeShiftJisLog(50 * 1024 * 1024); });
}

// One line of 1 MB without a break or a space (as base64 data would be).
QString OneLongLineFile() {
    return FileOf("one-line.txt", [] {
        std::string strLine;
        std::uint32_t nSeed = 1;
        const char* const pszDigits =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        while (strLine.size() < 1024 * 1024) {
            nSeed = nSeed * 1103515245u + 12345u;
            strLine += pszDigits[(nSeed >> 16) % 64];
        }
        return strLine;
    });
}

// This process's peak resident memory so far.
long PeakRssKb() {
    long nPeakKb = 0;
    if (FILE* pStatus = std::fopen("/proc/self/status", "r")) {
        char szLine[256];
        while (std::fgets(szLine, sizeof szLine, pStatus) != nullptr) {
            if (std::sscanf(szLine, "VmHWM: %ld kB", &nPeakKb) == 1) {
                break;
            }
        }
        std::fclose(pStatus);
    }
    return nPeakKb;
}

// Time from File Open to the log painted in the window; then the time of
// one keystroke at the end of the log, painted.
void BM_OpenInWindow(benchmark::State& state, QString (*pfnFile)()) {
    const QString strPath = pfnFile();
    CMainFrame frame;
    frame.resize(760, 560);
    frame.show();
    double dKeyMs = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        frame.GetDocument()->OnNewDocument();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (!frame.OpenDocumentFile(strPath)) {
            state.SkipWithError("open failed");
            return;
        }
        frame.GetView()->repaint();
        state.PauseTiming();
        frame.GetView()->moveCursor(QTextCursor::End);
        QElapsedTimer key;
        key.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(frame.GetView(), &press);
        QApplication::sendEvent(frame.GetView(), &release);
        frame.GetView()->repaint();
        dKeyMs = std::max(dKeyMs, static_cast<double>(key.nsecsElapsed()) / 1e6);
        frame.GetDocument()->SetModifiedFlag(false);
        state.ResumeTiming();
    }
    state.counters["key_ms"] = dKeyMs;
    state.counters["peak_rss_mb"] = static_cast<double>(PeakRssKb()) / 1024.0;
}
BENCHMARK_CAPTURE(BM_OpenInWindow, fifty_megabytes, &FiftyMegabyteFile)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_OpenInWindow, one_long_line, &OneLongLineFile)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// ---- Start-up, in fresh processes --------------------------------------------

std::int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Child side: brings up one kind of main window, reports the time from the
// parent's spawn to the window being shown and painted, and exits.
int RunStartupChild(const char* pszKind, const char* pszStartNs) {
    const std::int64_t nStart = std::strtoll(pszStartNs, nullptr, 10);
    int argc = 1;
    char szName[] = "vantix";
    char* argv[] = {szName, nullptr};
    QApplication app(argc, argv);
    QWidget* pWindow = nullptr;
    CVantixApp vantix;
    QMainWindow minimal;
    if (std::strcmp(pszKind, "vantix") == 0) {
        vantix.SetUpApplication();
        vantix.InitInstance({});
        pWindow = vantix.GetMainFrame();
    } else {
        minimal.setCentralWidget(new QPlainTextEdit(&minimal));
        minimal.resize(760, 560);
        minimal.show();
        pWindow = &minimal;
    }
    while (pWindow->windowHandle() == nullptr || !pWindow->windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    pWindow->repaint();
    const long long nElapsed = static_cast<long long>(MonotonicNs() - nStart);
    // The peak of this process's own memory (the parent's high-water mark
    // would carry over into a spawned child's rusage).
    std::printf("%lld %ld\n", nElapsed, PeakRssKb());
    std::fflush(stdout);
    return 0;
}

void BM_StartUp(benchmark::State& state, const char* pszKind) {
    long nPeakKb = 0;
    for (auto _ : state) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            state.SkipWithError("pipe");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        const std::string strStart = std::to_string(MonotonicNs());
        char szSelf[] = "/proc/self/exe";
        char szFlag[] = "--startup-child";
        std::string strKind = pszKind;
        std::string strStartArg = strStart;
        char* argv[] = {szSelf, szFlag, strKind.data(), strStartArg.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, szSelf, &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("spawn");
            return;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        char buffer[64] = {};
        const ssize_t nRead = read(pipeFds[0], buffer, sizeof buffer - 1);
        close(pipeFds[0]);
        int nStatus = 0;
        waitpid(pid, &nStatus, 0);
        if (nRead <= 0 || !WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
            state.SkipWithError("child failed");
            return;
        }
        char* pEnd = nullptr;
        state.SetIterationTime(static_cast<double>(std::strtoll(buffer, &pEnd, 10)) / 1e9);
        nPeakKb = std::max(nPeakKb, std::strtol(pEnd, nullptr, 10));
    }
    state.counters["peak_rss_kb"] = static_cast<double>(nPeakKb);
}
BENCHMARK_CAPTURE(BM_StartUp, vantix, "vantix")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartUp, minimal_main_window, "minimal")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--startup-child") == 0) {
        return RunStartupChild(argv[2], argv[3]);
    }
    // Headless by default, and never touching the user's recent-file list.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME", BenchDir().filePath(QStringLiteral("config")).toLocal8Bit(), 1);
    setenv("XDG_DATA_HOME", BenchDir().filePath(QStringLiteral("data")).toLocal8Bit(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// ---- Find in a 50 MB log ---------------------------------------------------

// The time to the first match near the end of a 50 MB log and to the end of
// a search that finds nothing, the search going a slice at a time with the
// events running between slices (what the window does).
void BM_Find50MB(benchmark::State& state) {
    const bool bPresent = state.range(0) != 0;
    CMainFrame frame;
    const QString strPath = FileOf(
        "fifty-needle.txt", [] { return MakeShiftJisLog(50 * 1024 * 1024) + "needle 1234\r\n"; });
    QString strError;
    if (!frame.GetDocument()->LoadFile(strPath, strError)) {
        state.SkipWithError("open failed");
        return;
    }
    CLogSearch search(frame.GetView()->document());
    int nSlices = 0;
    for (auto _ : state) {
        bool bDone = false;
        const QMetaObject::Connection found =
            QObject::connect(&search, &CLogSearch::Found, [&] { bDone = true; });
        const QMetaObject::Connection none =
            QObject::connect(&search, &CLogSearch::NotFound, [&] { bDone = true; });
        search.Start(bPresent ? QStringLiteral("needle 1234") : QStringLiteral("absent 9876"), 0,
                     false, false);
        while (!bDone) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            ++nSlices;
        }
        QObject::disconnect(found);
        QObject::disconnect(none);
    }
    state.counters["event_turns"] = nSlices / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Find50MB)
    ->ArgName("found")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// ---- The recovery copy of a 50 MB log --------------------------------------

// How long the window is held when the recovery copy of a modified 50 MB log
// falls due (the text is taken from the editor; the bytes are written by a
// worker, waited for outside the timing).
void BM_RecoveryCopyDue50MB(benchmark::State& state) {
    qputenv("XDG_DATA_HOME", BenchDir().filePath(QStringLiteral("data")).toLocal8Bit());
    CMainFrame frame;
    const QString strPath = FiftyMegabyteFile();
    QString strError;
    if (!frame.GetDocument()->LoadFile(strPath, strError)) {
        state.SkipWithError("open failed");
        return;
    }
    CRecoveryCopy* pCopy = frame.GetRecovery();
    pCopy->SetDelays(0, 0);
    for (auto _ : state) {
        frame.GetDocument()->AppendReport("r\r\n"); // a change: the copy falls due
        QCoreApplication::processEvents();
        state.PauseTiming();
        while (pCopy->IsWriting() || pCopy->HasPendingChange()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        state.ResumeTiming();
    }
    pCopy->Discard();
}
BENCHMARK(BM_RecoveryCopyDue50MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- Resizing the window over a 50 MB log ------------------------------------

// How long the window is held by one resize of the main window showing a
// 50 MB log (the width changes each time), and how far the resident memory
// grows over the resizes: as the window shows it (unwrapped), and wrapped at
// the window's width.
void BM_Resize50MB(benchmark::State& state) {
    const int nSavedCount = CVantixView::NoWrapLineCount();
    if (state.range(0) != 0) {
        CVantixView::SetNoWrapLineCount(INT_MAX);
    }
    CMainFrame frame;
    const QString strPath = FiftyMegabyteFile();
    QString strError;
    if (!frame.GetDocument()->LoadFile(strPath, strError)) {
        state.SkipWithError("open failed");
        return;
    }
    frame.resize(900, 600);
    frame.show();
    QCoreApplication::processEvents();
    const long nResidentBefore = ResidentKilobytes();
    int nWidth = 900;
    for (auto _ : state) {
        nWidth = nWidth == 900 ? 700 : 900;
        frame.resize(nWidth, 600);
        QCoreApplication::processEvents();
        frame.GetView()->viewport()->repaint();
    }
    state.counters["rss_growth_mb"] = (ResidentKilobytes() - nResidentBefore) / 1024.0;
    state.counters["blocks"] = frame.GetView()->document()->blockCount();
    CVantixView::SetNoWrapLineCount(nSavedCount);
}
BENCHMARK(BM_Resize50MB)
    ->ArgName("wrapped")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6);
