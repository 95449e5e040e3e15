// Epstein-Peterson over the edges that hold up a string stretched from
// antenna to antenna over the terrain.

#include "terrain/diffraction_methods.h"
#include "terrain/edge_frame.h"

#include <cmath>
#include <limits>
#include <vector>

namespace tarsel::terrain {

namespace {

// Points that may hold the string up: the antennas, and the points above
// both the line between the antennas and the line between their two
// neighbours (any other lies inside the string's hull). Gathered without a
// branch, so that rough terrain costs no mispredicted jumps.
std::vector<std::size_t> stringCandidates(const EdgeFrame& frame) {
    const std::vector<double>& x = *frame.distanceM;
    const std::vector<double>& z = frame.topM;
    const std::size_t n = z.size();
    const double chordRise = (z[n - 1] - z[0]) / (x[n - 1] - x[0]);
    std::vector<std::size_t> candidates(n);
    std::size_t m = 1;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double aboveChord = z[i] - (z[0] + chordRise * (x[i] - x[0]));
        const double aboveNeighbours =
            (z[i] - z[i - 1]) * (x[i + 1] - x[i - 1]) - (z[i + 1] - z[i - 1]) * (x[i] - x[i - 1]);
        candidates[m] = i;
        m += static_cast<std::size_t>(aboveChord > 0.0 && aboveNeighbours > 0.0);
    }
    candidates[m++] = n - 1;
    candidates.resize(m);
    return candidates;
}

// The string's vertices, antennas included: the upper convex hull of the
// edge tops, built left to right. Points on a straight stretch of the string
// hold nothing up and are left out.
std::vector<std::size_t> stringVertices(const EdgeFrame& frame) {
    const std::vector<double>& x = *frame.distanceM;
    const std::vector<double>& z = frame.topM;
    std::vector<std::size_t> hull;
    for (std::size_t i : stringCandidates(frame)) {
        while (hull.size() >= 2) {
            const std::size_t a = hull[hull.size() - 2];
            const std::size_t b = hull.back();
            // Keep b only if the string turns down (clockwise) at it.
            const double turn = (x[b] - x[a]) * (z[i] - z[a]) - (z[b] - z[a]) * (x[i] - x[a]);
            if (turn < 0.0) {
                break;
            }
            hull.pop_back();
        }
        hull.push_back(i);
    }
    return hull;
}

} // namespace

double epsteinPetersonLossDb(const Profile& profile, const PathInputs& in) {
    if (!pathInputsValid(profile, in)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const EdgeFrame frame = edgeFrame(profile, in);
    const std::vector<std::size_t> hull = stringVertices(frame);
    double loss = 0.0;
    if (hull.size() == 2) {
        // The string runs straight from antenna to antenna: the path's
        // highest edge alone, as for a single knife edge below the ray.
        loss = knifeEdgeLossDb(highestEdge(frame, 0, profile.size() - 1).nu);
    }
    for (std::size_t k = 1; k + 1 < hull.size(); ++k) {
        loss += knifeEdgeLossDb(edgeNuBetween(frame, hull[k], hull[k - 1], hull[k + 1]));
    }
    return std::isfinite(loss) ? loss : std::numeric_limits<double>::quiet_NaN();
}

} // namespace tarsel::terrain
