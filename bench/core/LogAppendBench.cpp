// What the writers' lock costs an append: vantix-calc --append's work on a
// 1 MB CP932 log with the lock (AppendReportToLogFile) and without it (the
// same work for a caller already holding it). The log is put back between
// iterations, outside the timing, so every append meets the same 1 MB.
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

std::string MegabyteLog() {
    std::string strReport;
    CEncodeError error;
    if (!EncodeShiftJis(PiReport(), strReport, error)) {
        std::abort();
    }
    std::string strLog;
    while (strLog.size() < kLogBytes) {
        strLog += strReport;
    }
    return strLog;
}

void BM_AppendToMegabyteLog(benchmark::State& state) {
    const bool bLocked = state.range(0) != 0;
    std::string strFolder =
        (std::filesystem::temp_directory_path() / "vantix-bench-XXXXXX").string();
    if (::mkdtemp(strFolder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string strLog = strFolder + "/log.txt";
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
    std::filesystem::remove_all(strFolder);
}
BENCHMARK(BM_AppendToMegabyteLog)
    ->ArgName("locked")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The lock alone, taken and released on the same 1 MB log with nobody else
// waiting: what the locked append pays on top of the unlocked one.
void BM_LogLockAcquireRelease(benchmark::State& state) {
    std::string strFolder =
        (std::filesystem::temp_directory_path() / "vantix-bench-XXXXXX").string();
    if (::mkdtemp(strFolder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string strLog = strFolder + "/log.txt";
    std::ofstream(strLog, std::ios::binary) << MegabyteLog();
    std::string strError;
    for (auto _ : state) {
        CLogLock lock;
        if (!lock.Acquire(strLog, kLogLockTimeoutMs, strError)) {
            state.SkipWithError(strError.c_str());
            break;
        }
    }
    std::filesystem::remove_all(strFolder);
}
BENCHMARK(BM_LogLockAcquireRelease)->Unit(benchmark::kMicrosecond);

} // namespace
