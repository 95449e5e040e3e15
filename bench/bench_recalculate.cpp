#include "engine/recalculate.h"

#include "params_for_v.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using tarsel::LinkParams;

using tarsel::bench::paramsForV;

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
