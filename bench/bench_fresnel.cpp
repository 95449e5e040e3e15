#include "engine/fresnel_simpson.h"
#include "engine/recalculate.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>

namespace {

using tarsel::FresnelPair;

constexpr float Step = 0.00390625f; // the engine's widest Simpson sub-interval

// Knife-edge parameter of the default link (n = 414 sub-intervals), and the
// largest argument the Simpson rule still takes (n = 4096).
double defaultsV() {
    return std::fabs(tarsel::recalculate(tarsel::LinkParams{}).knifeEdgeV);
}
constexpr double EdgeV = 16.0;

FresnelPair direct(double a) {
    return {tarsel::fresnelSimpsonDirect(a, 1, Step, 1.0),
            tarsel::fresnelSimpsonDirect(a, 0, Step, 1.0)};
}

FresnelPair fast(double a) {
    return tarsel::fresnelSimpson(a, Step, 1.0);
}

template <FresnelPair (*Pair)(double)> void pairAt(benchmark::State& state, double a) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(Pair(a));
    }
}

// Processor time of this thread [s]: unlike the wall clock, it does not run
// on while other programs have the processor.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

template <FresnelPair (*Pair)(double)> double batchSeconds(double a) {
    constexpr int Batch = 32;
    const double start = threadSeconds();
    for (int i = 0; i < Batch; ++i) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(Pair(a));
    }
    return threadSeconds() - start;
}

// Both evaluations in alternating batches within one run, so that a load
// shared with other programs slows both alike; the counter is the ratio of
// their processor times for the pair of integrals C and S.
void speedUpAt(benchmark::State& state, double a) {
    double directTime = 0.0;
    double fastTime = 0.0;
    for (auto _ : state) {
        directTime += batchSeconds<direct>(a);
        fastTime += batchSeconds<fast>(a);
    }
    state.counters["speedup"] = directTime / fastTime;
}

void BM_FresnelPairDirectDefaults(benchmark::State& s) {
    pairAt<direct>(s, defaultsV());
}
void BM_FresnelPairFastDefaults(benchmark::State& s) {
    pairAt<fast>(s, defaultsV());
}
void BM_FresnelPairDirectV16(benchmark::State& s) {
    pairAt<direct>(s, EdgeV);
}
void BM_FresnelPairFastV16(benchmark::State& s) {
    pairAt<fast>(s, EdgeV);
}
void BM_FresnelSpeedUpDefaults(benchmark::State& s) {
    speedUpAt(s, defaultsV());
}
void BM_FresnelSpeedUpV16(benchmark::State& s) {
    speedUpAt(s, EdgeV);
}

} // namespace

BENCHMARK(BM_FresnelPairDirectDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FresnelPairFastDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FresnelPairDirectV16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FresnelPairFastV16)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FresnelSpeedUpDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FresnelSpeedUpV16)->Unit(benchmark::kMicrosecond);
