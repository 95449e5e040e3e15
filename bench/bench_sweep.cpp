#include "sweep/sweep.h"

#include <benchmark/benchmark.h>

#include <thread>

namespace {

// The engine alone: a sweep of the range at the defaults into a sink that
// only looks at each point, on one thread and on every core. Items per second
// is points per second.
void BM_SweepRangeDefaults(benchmark::State& state) {
    const tarsel::SweepSpec spec{"Range", 1, 100000, 200000, false};
    tarsel::SweepOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        double sum = 0;
        tarsel::runSweep(
            tarsel::LinkParams{}, spec,
            [&](const tarsel::SweepPoint& p) {
                sum += p.results.smoothHill.marginDb;
                return true;
            },
            options);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * spec.points);
}

} // namespace

BENCHMARK(BM_SweepRangeDefaults)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1U, std::thread::hardware_concurrency())))
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
