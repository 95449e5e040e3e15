#include "terrain/diffraction_methods.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

namespace {

using tarsel::terrain::PathInputs;
using tarsel::terrain::Polarization;
using tarsel::terrain::Profile;

// 50 km of rolling hills with a random roughness, one point every 5 m.
Profile rollingHills(int points) {
    Profile p;
    std::uint32_t state = 12345;
    for (int i = 0; i < points; ++i) {
        state = state * 1664525u + 1013904223u; // a fixed linear congruential walk
        const double x = 50e3 * i / (points - 1);
        p.distanceM.push_back(x);
        p.heightM.push_back(300.0 + 120.0 * std::sin(x / 7e3) + 40.0 * std::sin(x / 1.3e3) +
                            static_cast<double>(state >> 24) / 16.0);
    }
    return p;
}

constexpr PathInputs Link{330.0, 350.0, 4.0 / 3.0 * 6371e3, 2.4e9, Polarization::Horizontal, 0.0};

template <class Method> void onProfile(benchmark::State& state, Method method) {
    const Profile profile = rollingHills(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(method(profile, Link));
    }
}

void deltaBullington(benchmark::State& state) {
    onProfile(state, tarsel::terrain::deltaBullington);
}
void bullington(benchmark::State& state) {
    onProfile(state, tarsel::terrain::bullingtonLossDb);
}
void deygout(benchmark::State& state) {
    onProfile(state, tarsel::terrain::deygoutLossDb);
}
void epsteinPeterson(benchmark::State& state) {
    onProfile(state, tarsel::terrain::epsteinPetersonLossDb);
}

} // namespace

// Goal: delta-Bullington on 10,000 points within 100 us.
BENCHMARK(deltaBullington)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(bullington)->Arg(10'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(deygout)->Arg(10'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(epsteinPeterson)->Arg(10'000)->Unit(benchmark::kMicrosecond);
