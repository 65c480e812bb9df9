// Shift-JIS codec throughput on a log of about 10 MB, next to memcpy of the
// same bytes, and the per-call cost of the formatter and the number parser.
#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/NumberInput.h"
#include "text/ShiftJis.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kLogBytes = 10 * 1000 * 1000;

// Reports of the kinds the calculators write, with changing numbers, until
// the log holds about 10 MB of UTF-8.
const std::string& Utf8Log() {
    static const std::string strLog = [] {
        std::string strText;
        CReportFormatter formatter;
        std::string strTime;
        std::string strL;
        for (int n = 0; strText.size() < kLogBytes; ++n) {
            formatter.FormatTimestamp(strTime,
                                      CLocalTime{2026, 1 + n % 12, 1 + n % 28, n % 24, n % 60});
            formatter.FormatInductance(strL, 0.1 + n * 0.37);
            strText += "　　　　　***** π型アッテネータの計算 *****\r\n" + strTime;
            strText += FormatC("　　　　　インピーダンス  %.1fΩ\r\n", 50.0 + n % 100);
            strText += FormatC("　　　　　減衰量  %.1fdb\r\n", 0.5 + n % 40);
            strText += FormatC("　　　　　R1= %.2fΩ（１本）\r\n", 58.0 + n * 0.01);
            strText += "　　　　　インダクタンス  " + strL + "\r\n";
            strText += "　　　　　ﾚﾃﾞｨ 周波数～3PF～5PF の値を与えて下さい。\r\n\r\n";
        }
        return strText;
    }();
    return strLog;
}

const std::string& Cp932Log() {
    static const std::string strBytes = [] {
        std::string strOut;
        CEncodeError error;
        if (!EncodeShiftJis(Utf8Log(), strOut, error)) {
            std::abort();
        }
        return strOut;
    }();
    return strBytes;
}

// Bytes per second memcpy reaches on the buffer: the best of a few copies.
double MemcpyRate(const std::string& strSource) {
    std::vector<char> target(strSource.size());
    double dBest = 0.0;
    for (int n = 0; n < 20; ++n) {
        const auto start = std::chrono::steady_clock::now();
        std::memcpy(target.data(), strSource.data(), strSource.size());
        benchmark::ClobberMemory();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        dBest = std::max(dBest, static_cast<double>(strSource.size()) / elapsed.count());
    }
    return dBest;
}

// "memcpy_x": how many times faster memcpy copies the same input (wall
// clock both, so other load on the machine affects both alike).
void SetThroughput(benchmark::State& state, const std::string& strInput,
                   std::chrono::steady_clock::time_point start) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double dBytes = static_cast<double>(state.iterations() * strInput.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(dBytes));
    state.counters["memcpy_x"] = MemcpyRate(strInput) * elapsed.count() / dBytes;
}

void BM_DecodeShiftJis(benchmark::State& state) {
    const std::string& strBytes = Cp932Log();
    std::string strText;
    CDecodeError error;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeShiftJis(strBytes, strText, error));
        benchmark::DoNotOptimize(strText.data());
    }
    SetThroughput(state, strBytes, start);
}
BENCHMARK(BM_DecodeShiftJis)->Unit(benchmark::kMillisecond);

void BM_EncodeShiftJis(benchmark::State& state) {
    const std::string& strText = Utf8Log();
    std::string strBytes;
    CEncodeError error;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeShiftJis(strText, strBytes, error));
        benchmark::DoNotOptimize(strBytes.data());
    }
    SetThroughput(state, strText, start);
}
BENCHMARK(BM_EncodeShiftJis)->Unit(benchmark::kMillisecond);

// The yardstick: copying the CP932 log (decode input) and the UTF-8 log
// (encode input) once.
void BM_Memcpy(benchmark::State& state, const std::string& (*pfnBuffer)()) {
    const std::string& strSource = pfnBuffer();
    std::vector<char> target(strSource.size());
    for (auto _ : state) {
        std::memcpy(target.data(), strSource.data(), strSource.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * strSource.size()));
}
BENCHMARK_CAPTURE(BM_Memcpy, Cp932Log, &Cp932Log)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Memcpy, Utf8Log, &Utf8Log)->Unit(benchmark::kMillisecond);

void BM_FormatGrouped(benchmark::State& state) {
    const double values[] = {0.5, 58.0, 1234.5678, 999.99996, 123456.789, 2500000.0, 1e15};
    const CReportFormatter formatter;
    std::string strOut;
    for (auto _ : state) {
        for (const double dValue : values) {
            formatter.FormatGrouped(strOut, dValue, 2);
            benchmark::DoNotOptimize(strOut.data());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * std::size(values)));
}
BENCHMARK(BM_FormatGrouped);

void BM_ParseNumber(benchmark::State& state) {
    const char* texts[] = {"50", "  293.37 ", "１２．５", "-0", "2.5E-3", "1,000", "nan"};
    double dValue = 0.0;
    for (auto _ : state) {
        for (const char* pszText : texts) {
            benchmark::DoNotOptimize(ParseNumber(pszText, dValue));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * std::size(texts)));
}
BENCHMARK(BM_ParseNumber);

} // namespace
