// The path's main obstacle as the link's single hill.

#include "terrain/main_obstacle.h"

#include "engine/param_table.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "terrain/path_geometry.h"

#include <cmath>

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

MainObstacle mainObstacle(const Profile& profile, const PathInputs& in) {
    std::size_t best = 1;
    double bestNu = edgeNu(profile, in, 1);
    for (std::size_t i = 2; i + 1 < profile.size(); ++i) {
        const double nu = edgeNu(profile, in, i);
        if (nu > bestNu) {
            bestNu = nu;
            best = i;
        }
    }
    MainObstacle o;
    o.index = best;
    o.distanceM = profile.distanceM[best];
    o.heightAmslM = profile.heightM[best];
    o.bulgeM = earthBulgeM(o.distanceM, profile.lengthM() - o.distanceM, in.effectiveEarthRadiusM);
    o.nu = bestNu;
    return o;
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
