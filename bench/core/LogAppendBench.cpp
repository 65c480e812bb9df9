// What the writers' lock costs an append: vantix-calc --append's work on a
// 1 MB CP932 log with the lock (AppendReportToLogFile) and without it (the
// same work for a caller already holding it). The log is put back between
// iterations, outside the timing, so every append meets the same 1 MB.
#include "text/LogFile.h"
#include "text/ShiftJis.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr std::size_t kLogBytes = 1024 * 1024;

const char* const kReport = "　　　　　***** π型アッテネータの計算 *****\r\n"
                            "　　　　　2026-12-8  9:05\r\n"
                            "　　　　　インピーダンス  50.0Ω\r\n"
                            "　　　　　減衰量  10.0db\r\n"
                            "　　　　　R1= 71.15Ω（１本）\r\n"
                            "　　　　　R2= 96.24Ω（２本）\r\n"
                            "\r\n";

std::string MegabyteLog() {
    std::string strReport;
    CEncodeError error;
    if (!EncodeShiftJis(kReport, strReport, error)) {
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
        const bool bDone = bLocked ? AppendReportToLogFile(strLog, kReport, strError)
                                   : AppendReportToLockedLogFile(strLog, kReport, strError);
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

} // namespace
