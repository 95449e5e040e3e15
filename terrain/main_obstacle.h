#pragma once
// The path's main obstacle, the point of largest diffraction parameter nu,
// taken as the single hill of the link's own figures.

#include "engine/link_params.h"
#include "terrain/diffraction_methods.h"
#include "terrain/profile.h"

#include <cstddef>
#include <string>

namespace tarsel::terrain {

struct MainObstacle {
    std::size_t index = 0;    // profile point
    double distanceM = 0.0;   // from the transmitter [m]
    double heightAmslM = 0.0; // ground above sea level [m]
    double bulgeM = 0.0;      // earth bulge there [m]
    double nu = 0.0;          // positive when it stands above the line of sight
};

// Over the points between the two ends (a profile has at least one).
MainObstacle mainObstacle(const Profile& profile, const PathInputs& in);

// Only where it is: the same for any frequency, so a sweep that moves
// neither the earth nor the antennas finds it once.
std::size_t mainObstacleIndex(const Profile& profile, const PathInputs& in);

// The obstacle at a known point.
MainObstacle mainObstacleAt(const Profile& profile, const PathInputs& in, std::size_t index);

// The obstacle as the link's hill: X12s its distance and X23s the rest, so
// Range is the path length; y01s and y03s the antenna tops and y02s the
// obstacle's top plus its bulge, all above sea level; Rhill stays. Returns ""
// or, leaving params as they were, why a value would be out of its bounds.
std::string applyMainObstacle(LinkParams& params, const Profile& profile, const PathInputs& in,
                              const MainObstacle& obstacle);

} // namespace tarsel::terrain
