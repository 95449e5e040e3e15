#include "sweep/sweep.h"

#include <benchmark/benchmark.h>

#include <thread>

namespace {

// The engine alone, into a sink that only looks at each point, on one thread
// and on every core. Items per second is points per second.
void sweepDefaults(benchmark::State& state, const tarsel::SweepPlan& plan) {
    tarsel::SweepOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        double sum = 0;
        tarsel::runSweep(
            tarsel::LinkParams{}, plan,
            [&](const tarsel::SweepPoint& p) {
                sum += p.results.smoothHill.marginDb;
                return true;
            },
            options);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * plan.points);
}

// The range from 1 m to 100 km: most points past the quadrature's reach.
void BM_SweepRangeDefaults(benchmark::State& state) {
    sweepDefaults(state, {"Range", 1, 100000, 200000, false});
}

// The transmit power: every point costs the full quadrature of the defaults.
void BM_SweepPtDefaults(benchmark::State& state) {
    sweepDefaults(state, {"Pt", -10, 10, 200000, false});
}

} // namespace

const int Cores = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
BENCHMARK(BM_SweepRangeDefaults)
    ->Arg(1)
    ->Arg(Cores)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SweepPtDefaults)
    ->Arg(1)
    ->Arg(Cores)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
