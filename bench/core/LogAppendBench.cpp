// What vantix-calc --append's work costs: on a 1 MB CP932 log with the
// writers' lock (AppendReportToLogFile) and without it (the same work for a
// caller already holding it), and on logs of 1 KB, 10 MB and 50 MB, whose
// appends should cost about the same. The log is put back between
// iterations, outside the timing, so every append meets the same log.
#include "calc/pi_attenuator/PiAttenuator.h"
#include "text/LogFile.h"
#include "text/LogLock.h"
#include "text/ShiftJis.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr std::size_t kLogBytes = 1024 * 1024;

// The report vantix-calc pi --impedance 50 --attenuation 10 appends.
const std::string& PiReport() {
    static const std::string strReport =
        ComputePiAttenuator(50.0, 10.0, CLocalTime{2026, 12, 8, 9, 5}).strReport;
    return strReport;
}

std::string LogOfSize(std::size_t nBytes) {
    std::string strReport;
    CEncodeError error;
    if (!EncodeShiftJis(PiReport(), strReport, error)) {
        std::abort();
    }
    std::string strLog;
    while (strLog.size() < nBytes) {
        strLog += strReport;
    }
    return strLog;
}

std::string MegabyteLog() {
    return LogOfSize(kLogBytes);
}

// A fresh folder for the benchmark's log, removed with it at the end.
class CBenchFolder {
public:
    CBenchFolder() {
        std::string strTemplate =
            (std::filesystem::temp_directory_path() / "vantix-bench-XXXXXX").string();
        if (::mkdtemp(strTemplate.data()) != nullptr) {
            m_strPath = strTemplate;
        }
    }
    ~CBenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_strPath, ignored);
    }
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    bool IsMade() const { return !m_strPath.empty(); }
    std::string Log() const { return m_strPath + "/log.txt"; }

private:
    std::string m_strPath;
};

void BM_AppendToMegabyteLog(benchmark::State& state) {
    const bool bLocked = state.range(0) != 0;
    const CBenchFolder folder;
    if (!folder.IsMade()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string strLog = folder.Log();
    const std::string strOld = MegabyteLog();
    std::string strError;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(strLog, std::ios::binary | std::ios::trunc) << strOld;
        state.ResumeTiming();
        const bool bDone = bLocked ? AppendReportToLogFile(strLog, PiReport(), strError)
                                   : AppendReportToLockedLogFile(strLog, PiReport(), strError);
        if (!bDone) {
            state.SkipWithError(strError.c_str());
            break;
        }
    }
}
BENCHMARK(BM_AppendToMegabyteLog)
    ->ArgName("locked")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_AppendToLogOfSize(benchmark::State& state) {
    const CBenchFolder folder;
    if (!folder.IsMade()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string strLog = folder.Log();
    const std::string strOld = LogOfSize(static_cast<std::size_t>(state.range(0)));
    std::ofstream(strLog, std::ios::binary | std::ios::trunc) << strOld;
    std::string strError;
    for (auto _ : state) {
        if (!AppendReportToLogFile(strLog, PiReport(), strError)) {
            state.SkipWithError(strError.c_str());
            break;
        }
        state.PauseTiming();
        std::filesystem::resize_file(strLog, strOld.size()); // the report taken off again
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AppendToLogOfSize)
    ->ArgName("bytes")
    ->Arg(1024)
    ->Arg(10 << 20)
    ->Arg(50 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The lock alone, taken and released on the same 1 MB log with nobody else
// waiting: what the locked append pays on top of the unlocked one.
void BM_LogLockAcquireRelease(benchmark::State& state) {
    const CBenchFolder folder;
    if (!folder.IsMade()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string strLog = folder.Log();
    std::ofstream(strLog, std::ios::binary) << MegabyteLog();
    std::string strError;
    for (auto _ : state) {
        CLogLock lock;
        if (!lock.Acquire(strLog, kLogLockTimeoutMs, strError)) {
            state.SkipWithError(strError.c_str());
            break;
        }
    }
}
BENCHMARK(BM_LogLockAcquireRelease)->Unit(benchmark::kMicrosecond);

} // namespace
