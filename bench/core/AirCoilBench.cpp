// Cost of one Nagaoka coefficient on each side of the integration switch:
// the trapezoid (200 square roots and sines) for ordinary coils, the
// arithmetic-geometric mean for flat ones.
#include "calc/air_coil/AirCoil.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NagaokaTrapezoid(benchmark::State& state) {
    double x = 0.55;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NagaokaCoefficient(x));
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_NagaokaTrapezoid);

void BM_NagaokaAgm(benchmark::State& state) {
    double x = 1000.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NagaokaCoefficient(x));
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_NagaokaAgm);

} // namespace
