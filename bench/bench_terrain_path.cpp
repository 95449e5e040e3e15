// A terrain path worked through: the CSV reader on 200,000 points, and the
// parts of one sweep point over a 10,000-point path (the main obstacle's
// search, the chosen method, the whole point without and with every method).

#include "engine/link_params.h"
#include "terrain/main_obstacle.h"
#include "terrain/path_analysis.h"
#include "terrain/profile_csv.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

using namespace tarsel::terrain;

// Rolling ground with one ridge, as a planning tool exports it.
std::string profileText(int points, double stepM) {
    std::string text = "Distance (m),Height (m)\n";
    for (int i = 0; i < points; ++i) {
        const double d = i * stepM;
        const double ridge = (d - 0.4 * points * stepM) / 3000.0;
        const double h = 200.0 + 80.0 * std::sin(d / 7000.0) + 150.0 * std::exp(-ridge * ridge) +
                         (i * 7919 % 13) * 0.37;
        char line[64];
        std::snprintf(line, sizeof line, "%.1f,%.2f\n", d, h);
        text += line;
    }
    return text;
}

const Profile& path10k() {
    static const Profile profile = parseProfileCsv(profileText(10'000, 10.0), "bench").profile;
    return profile;
}

tarsel::LinkParams link() {
    tarsel::LinkParams params;
    params.fcent.value = 900e6;
    params.y01s.value = 30.0;
    params.y03s.value = 20.0;
    return params;
}

void BM_ProfileCsv200k(benchmark::State& state) {
    const std::string text = profileText(200'000, 0.5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseProfileCsv(text, "bench").profile.size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ProfileCsv200k)->Unit(benchmark::kMillisecond);

void BM_MainObstacle10k(benchmark::State& state) {
    const PathInputs in = pathInputs(path10k(), PathSetup{}, link());
    for (auto _ : state) {
        benchmark::DoNotOptimize(mainObstacle(path10k(), in).index);
    }
}
BENCHMARK(BM_MainObstacle10k)->Unit(benchmark::kMicrosecond);

// One sweep point: the chosen method only (the default columns), or all.
void BM_SweepPoint10k(benchmark::State& state) {
    const AnalysisParts parts{state.range(0) != 0, state.range(0) != 0};
    const tarsel::LinkParams params = link();
    PathAnalysis path;
    for (auto _ : state) {
        analysePath(path10k(), PathSetup{}, params, path, parts);
        benchmark::DoNotOptimize(path.terrain.marginDb);
    }
}
BENCHMARK(BM_SweepPoint10k)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
