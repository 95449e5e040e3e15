#include "engine/recalculate.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using tarsel::LinkParams;

// Defaults with the obstruction height that gives knife-edge parameter v
// (antennas at 2 m, obstruction halfway along 100 m: v = -(y02s - 2) k).
LinkParams paramsForV(double v) {
    LinkParams p;
    const double lambda = 2.998e8 / p.fcent.value;
    const double k = std::sqrt(2.0 * 100.0 / (lambda * 50.0 * 50.0));
    p.y02s.value = 2.0 - v / k;
    return p;
}

void run(benchmark::State& state, const LinkParams& p) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarsel::recalculate(p));
    }
}

void BM_RecalculateDefaults(benchmark::State& state) {
    run(state, LinkParams{});
}

// The costliest quadrature: |v| just inside the Simpson range.
void BM_RecalculateV16(benchmark::State& state) {
    run(state, paramsForV(-15.999999));
}

void BM_RecalculateV1000(benchmark::State& state) {
    run(state, paramsForV(-1000.0));
}

} // namespace

BENCHMARK(BM_RecalculateDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecalculateV16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecalculateV1000)->Unit(benchmark::kMicrosecond);
