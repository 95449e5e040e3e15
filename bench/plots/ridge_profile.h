#pragma once
// The plot benchmarks' terrain: a ridge between two valleys with some
// roughness, 100 km long, of the given number of points.

#include "terrain/profile.h"

#include <cmath>

namespace tarsel::bench {

inline terrain::Profile ridgeProfile(int points = 3300) {
    terrain::Profile profile;
    for (int i = 0; i < points; ++i) {
        const double d = 100000.0 * i / (points - 1);
        const double ridge = (d - 55000.0) / 9000.0;
        profile.distanceM.push_back(d);
        profile.heightM.push_back(150.0 + 260.0 * std::exp(-ridge * ridge) +
                                  8.0 * std::sin(d / 310.0));
    }
    return profile;
}

} // namespace tarsel::bench
