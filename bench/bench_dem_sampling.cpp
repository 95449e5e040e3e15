// A 100 km path sampled every 30 m (3,360 points) across two SRTM 1" tiles:
// with the tiles open (their chunks cached from the run before, or read
// again), and opened cold, every raster opened and read anew.

#include "dem/dem_profile.h"
#include "dem/raster_set.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tarsel::dem;

constexpr int TileSize = 3601; // 1" posts
const GeoPoint From{47.1, 8.4};
const GeoPoint To{47.78, 9.28};
constexpr double SpacingM = 30.0;

// Rolling hills, big-endian 16-bit, written once per run.
std::string writeTile(const std::filesystem::path& folder, int lonDeg) {
    const std::filesystem::path path = folder / ("N47E00" + std::to_string(lonDeg) + ".hgt");
    std::vector<char> bytes(static_cast<std::size_t>(TileSize) * TileSize * 2);
    for (int r = 0; r < TileSize; ++r) {
        for (int c = 0; c < TileSize; ++c) {
            const double x = lonDeg + c / 3600.0;
            const double y = 48.0 - r / 3600.0;
            const auto h =
                static_cast<std::int16_t>(800.0 + 300.0 * std::sin(40.0 * x) * std::cos(55.0 * y));
            const std::size_t at = (static_cast<std::size_t>(r) * TileSize + c) * 2;
            bytes[at] = static_cast<char>(static_cast<std::uint16_t>(h) >> 8);
            bytes[at + 1] = static_cast<char>(h & 0xff);
        }
    }
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    return path.string();
}

const std::vector<std::string>& tiles() {
    static const std::vector<std::string> paths = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "tarsel-bench-srtm";
        std::filesystem::create_directories(folder);
        std::atexit([] {
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                        "tarsel-bench-srtm");
        });
        return std::vector{writeTile(folder, 8), writeTile(folder, 9)};
    }();
    return paths;
}

void BM_DemPathTilesOpenChunksCached(benchmark::State& state) {
    const GeodesicPath path(From, To);
    ElevationSampler sampler(openRasters(tiles()), false);
    samplePath(sampler, path, SpacingM);
    for (auto _ : state) {
        benchmark::DoNotOptimize(samplePath(sampler, path, SpacingM));
    }
}

void BM_DemPathTilesOpen(benchmark::State& state) {
    const GeodesicPath path(From, To);
    ElevationSampler sampler(openRasters(tiles()), false);
    std::size_t points = 0;
    for (auto _ : state) {
        sampler.dropChunks();
        points = samplePath(sampler, path, SpacingM).profile.size();
    }
    state.counters["points"] = static_cast<double>(points);
}

void BM_DemPathTilesCold(benchmark::State& state) {
    tiles();
    for (auto _ : state) {
        benchmark::DoNotOptimize(profileFromDem({tiles(), From, To, SpacingM, false}));
    }
}

} // namespace

BENCHMARK(BM_DemPathTilesOpenChunksCached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemPathTilesOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemPathTilesCold)->Unit(benchmark::kMillisecond);
