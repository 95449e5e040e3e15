// The path's main obstacle as the link's single hill.

#include "terrain/main_obstacle.h"

#include "engine/param_table.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "terrain/path_geometry.h"

#include <cmath>
#include <limits>

namespace tarsel::terrain {

namespace {

// "" or why value cannot go into the field.
std::string outOfBounds(int field, double value) {
    const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
    if (std::isfinite(value) && value >= info.lo && value <= info.hi) {
        return {};
    }
    return "the path's main obstacle gives " + std::string(info.key) + " = " +
           formatShortest(value) + ", outside its bounds " + formatShortest(info.lo) + " .. " +
           formatShortest(info.hi);
}

} // namespace

std::size_t mainObstacleIndex(const Profile& profile, const PathInputs& in) {
    // nu = h sqrt(2 d / (lambda d1 d2)) grows with h |h| / (d1 d2), which
    // needs neither the root nor the wavelength.
    const double length = profile.lengthM();
    const double ae = in.effectiveEarthRadiusM;
    const double slope = (in.rxHeightAmslM - in.txHeightAmslM) / length;
    const double invTwoAe = std::isinf(ae) ? 0.0 : 1.0 / (2.0 * ae);
    std::size_t best = 1;
    double bestKey = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i + 1 < profile.size(); ++i) {
        const double d1 = profile.distanceM[i];
        const double d2 = length - d1;
        const double h = profile.heightM[i] + d1 * d2 * invTwoAe - (in.txHeightAmslM + slope * d1);
        const double key = h * std::fabs(h) / (d1 * d2);
        if (key > bestKey) {
            bestKey = key;
            best = i;
        }
    }
    return best;
}

MainObstacle mainObstacleAt(const Profile& profile, const PathInputs& in, std::size_t index) {
    MainObstacle o;
    o.index = index;
    o.distanceM = profile.distanceM[index];
    o.heightAmslM = profile.heightM[index];
    o.bulgeM = earthBulgeM(o.distanceM, profile.lengthM() - o.distanceM, in.effectiveEarthRadiusM);
    o.nu = edgeNu(profile, in, index);
    return o;
}

MainObstacle mainObstacle(const Profile& profile, const PathInputs& in) {
    return mainObstacleAt(profile, in, mainObstacleIndex(profile, in));
}

std::string applyMainObstacle(LinkParams& params, const Profile& profile, const PathInputs& in,
                              const MainObstacle& obstacle) {
    const double x12 = obstacle.distanceM;
    const double x23 = profile.lengthM() - obstacle.distanceM;
    const double y02 = obstacle.heightAmslM + obstacle.bulgeM;
    const std::pair<int, double> values[] = {{FieldX12s, x12},
                                             {FieldX23s, x23},
                                             {FieldY01s, in.txHeightAmslM},
                                             {FieldY02s, y02},
                                             {FieldY03s, in.rxHeightAmslM}};
    for (const auto& [field, value] : values) {
        if (std::string error = outOfBounds(field, value); !error.empty()) {
            return error;
        }
    }
    if (const EntryOutcome range = CheckDerivedRange(x12, x23, params.Range); !range.stored) {
        return "the path's length gives a range out of bounds: " + range.message;
    }
    params.X12s.value = x12;
    params.X23s.value = x23;
    rangeFromDistances(params);
    params.y01s.value = in.txHeightAmslM;
    params.y02s.value = y02;
    params.y03s.value = in.rxHeightAmslM;
    return {};
}

} // namespace tarsel::terrain
