// Sampling heights from grids of posts, without GDAL: up to three grids held
// in memory with geotransforms, sizes, heights and voids from the input, then
// points on posts, between them and anywhere, and a path between two of them.
// Checked: nothing crashes; a height found lies within the heights of the
// valid posts (bilinear weights and filled voids average them); a point on a
// valid post of a lone grid gives that post's height; voids filled are
// counted once each and never more than there are; a path's profile starts
// at 0, increases and has a height at every point.

#include "fuzz_check.h"

#include "dem/dem_error.h"
#include "dem/elevation_sampler.h"
#include "dem/path_sampling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

using namespace tarsel::dem;

// The input read front to back; zeros once it runs out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    double raw() { // any double, NaN and infinities included
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = bits << 8 | byte();
        }
        double d = 0.0;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // Mostly a tame number in -range..range, sometimes any double.
    double number(double range) {
        const std::uint8_t kind = byte();
        if (kind >= 250) {
            return raw();
        }
        const auto v = static_cast<std::int16_t>(byte() << 8 | byte());
        return range * v / 32768.0;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::unique_ptr<ElevationGrid> makeGrid(Bytes& in, int index, float& low, float& high,
                                        std::size_t& voids) {
    const int cols = 2 + in.byte() % 23;
    const int rows = 2 + in.byte() % 23;
    const double step = in.number(0.1);
    std::array<double, 6> t = {in.number(10.0), step, in.number(0.01) * (in.byte() % 4 == 0),
                               in.number(10.0), 0.0,  -step};
    if (in.byte() % 4 == 0) {
        t[4] = in.number(0.01);
    }
    if (in.byte() % 3 == 0) {
        t[5] = in.number(0.1);
    }
    const std::uint8_t voidEvery = in.byte();
    const bool nanVoids = in.byte() % 2 == 0;
    constexpr float NoData = -32768.0f;
    std::vector<float> heights(static_cast<std::size_t>(cols) * rows);
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const std::uint8_t b = in.byte();
        if (voidEvery != 0 && b % voidEvery == 0) {
            heights[i] = nanVoids ? std::numeric_limits<float>::quiet_NaN() : NoData;
            ++voids;
        } else {
            heights[i] = static_cast<float>(b * 10 - 1000);
            low = std::min(low, heights[i]);
            high = std::max(high, heights[i]);
        }
    }
    try {
        return std::make_unique<MemoryGrid>("grid " + std::to_string(index), cols, rows,
                                            Geotransform(t), std::optional<double>(NoData),
                                            std::move(heights));
    } catch (const DemError&) {
        return nullptr; // a transform that cannot be inverted
    }
}

// A point near post (col, row) of grid g, or anywhere.
GeoPoint pointFrom(Bytes& in, const std::vector<const ElevationGrid*>& grids) {
    const std::uint8_t kind = in.byte();
    if (kind % 3 == 0 || grids.empty()) {
        return {in.number(90.0), in.number(180.0)};
    }
    const ElevationGrid& g = *grids[kind % grids.size()];
    const double col = in.byte() % (g.cols() + 2) - 1 + (kind % 3 == 1 ? 0.0 : in.byte() / 256.0);
    const double row = in.byte() % (g.rows() + 2) - 1 + (kind % 3 == 1 ? 0.0 : in.byte() / 256.0);
    GeoPoint p;
    g.transform().coordinatesOf(col, row, p.lonDeg, p.latDeg);
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const bool fill = in.byte() % 2 == 0;
    const int count = 1 + in.byte() % 3;
    float low = std::numeric_limits<float>::infinity();
    float high = -low;
    std::size_t voids = 0;
    std::vector<std::unique_ptr<ElevationGrid>> owned;
    for (int i = 0; i < count; ++i) {
        if (auto grid = makeGrid(in, i, low, high, voids)) {
            owned.push_back(std::move(grid));
        }
    }
    std::vector<const ElevationGrid*> grids;
    for (const auto& g : owned) {
        grids.push_back(g.get());
    }
    const bool lone = owned.size() == 1;
    ElevationSampler sampler(std::move(owned), fill);

    const int points = in.byte() % 16;
    for (int i = 0; i < points; ++i) {
        const std::uint8_t kind = in.byte();
        const GeoPoint p = pointFrom(in, grids);
        const Sample s = sampler.heightAt(p);
        if (s.status != SampleStatus::Ok) {
            continue;
        }
        FUZZ_CHECK(std::isfinite(s.heightM), "a height found is finite");
        const double slack = 1e-6 * (1.0 + std::max(std::abs(low), std::abs(high)));
        FUZZ_CHECK(s.heightM >= low - slack && s.heightM <= high + slack,
                   "a height lies within the valid posts' heights");
        if (lone && kind % 2 == 0) {
            // The same place as a post: its height, whatever its neighbours.
            const ElevationGrid& g = *grids[0];
            PostPosition at;
            if (sampler.gridAt(p, &at) == &g && at.col == std::round(at.col) &&
                at.row == std::round(at.row)) {
                float post = 0.0f;
                const_cast<ElevationGrid&>(g).readWindow(static_cast<int>(at.col),
                                                         static_cast<int>(at.row), 1, 1, &post);
                if (!g.isVoid(post)) {
                    FUZZ_CHECK(std::abs(s.heightM - post) <= slack, "a post's own height");
                }
            }
        }
    }
    FUZZ_CHECK(sampler.filledPosts() <= voids, "each void filled once");

    if (in.byte() % 2 == 0) {
        try {
            const GeodesicPath path(pointFrom(in, grids), pointFrom(in, grids));
            const double spacing = path.lengthM() / (2 + in.byte() % 64);
            const SampledProfile out = samplePath(sampler, path, spacing * 1.000001);
            FUZZ_CHECK(out.profile.size() == out.points.size() && out.profile.size() >= 3,
                       "a height at every point");
            FUZZ_CHECK(out.profile.distanceM.front() == 0.0, "the profile starts at 0");
            for (std::size_t i = 1; i < out.profile.size(); ++i) {
                FUZZ_CHECK(out.profile.distanceM[i] > out.profile.distanceM[i - 1],
                           "distances increase");
            }
        } catch (const DemError&) {
            // sites off the earth, the same site, or a point outside the data
        }
    }
    return 0;
}
