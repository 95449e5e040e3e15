#pragma once
// A profile seen as knife edges: each point's ground plus earth bulge, the
// antenna tops at the two ends, all measured from the straight chord, so that
// the earth's curvature between any two points comes out of straight lines.

#include "terrain/diffraction_methods.h"
#include "terrain/profile.h"

#include <cstddef>
#include <vector>

namespace tarsel::terrain {

struct EdgeFrame {
    const std::vector<double>* distanceM = nullptr; // the profile's distances [m]
    std::vector<double> topM; // antenna top at 0 and n-1, ground + bulge between [m]
    double wavelengthM = 0.0;
};

EdgeFrame edgeFrame(const Profile& profile, const PathInputs& in);

struct Edge {
    std::size_t index = 0;
    double nu = 0.0; // -infinity when there is no point between the two ends
};

// nu of point i against the line from point a to point b (a < i < b).
double edgeNuBetween(const EdgeFrame& frame, std::size_t i, std::size_t a, std::size_t b);

// The point strictly between a and b of largest nu against the line a-b.
Edge highestEdge(const EdgeFrame& frame, std::size_t a, std::size_t b);

} // namespace tarsel::terrain
