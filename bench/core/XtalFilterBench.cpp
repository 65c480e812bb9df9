// What the crystal filter workbench costs on every recompute: one design with
// its response figures, and the chart's sweep over the same design.
#include "calc/xtal_filter/XtalFilter.h"

#include <benchmark/benchmark.h>

namespace {

const CLocalTime kTime{2026, 12, 8, 9, 5};

CXtalFilterInputs Inputs(int nCrystals, double dQu) {
    CXtalFilterInputs inputs;
    inputs.m_nCrystals = nCrystals;
    inputs.m_dQu = dQu;
    return inputs;
}

// Design, figures, texts and report: what the dialog's Compute runs.
void BM_XtalDesignAndFigures(benchmark::State& state) {
    const CXtalFilterInputs inputs = Inputs(static_cast<int>(state.range(0)), 100000.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeXtalFilter(inputs, kTime));
    }
}
BENCHMARK(BM_XtalDesignAndFigures)->Arg(2)->Arg(6)->Arg(8)->Unit(benchmark::kMillisecond);

// The chart's redraw: a sweep of 1000 points.
void BM_XtalChartSweep(benchmark::State& state) {
    const CXtalFilterResult result = ComputeXtalFilter(Inputs(8, 100000.0), kTime);
    for (auto _ : state) {
        benchmark::DoNotOptimize(XtalChartSweep(result, 1000));
    }
}
BENCHMARK(BM_XtalChartSweep)->Unit(benchmark::kMillisecond);

// Everything one keystroke's recompute costs the workbench.
void BM_XtalRecompute(benchmark::State& state) {
    const CXtalFilterInputs inputs = Inputs(6, 100000.0);
    for (auto _ : state) {
        const CXtalFilterResult result = ComputeXtalFilter(inputs, kTime);
        benchmark::DoNotOptimize(XtalChartSweep(result, 1000));
    }
}
BENCHMARK(BM_XtalRecompute)->Unit(benchmark::kMillisecond);

} // namespace
