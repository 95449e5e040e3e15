// Knife edges of a profile over a curved earth.

#include "terrain/edge_frame.h"

#include "terrain/path_geometry.h"

#include <cmath>
#include <limits>

namespace tarsel::terrain {

EdgeFrame edgeFrame(const Profile& profile, const PathInputs& in) {
    const std::vector<double>& x = profile.distanceM;
    const std::size_t n = profile.size();
    EdgeFrame frame{&x, std::vector<double>(n), wavelengthM(in.frequencyHz)};
    // Earth bulge d1 d2 / (2 ae), 0 on a flat earth.
    const double perDiameter = 0.5 / in.effectiveEarthRadiusM;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        frame.topM[i] = profile.heightM[i] + (x[i] - x[0]) * (x[n - 1] - x[i]) * perDiameter;
    }
    frame.topM[0] = in.txHeightAmslM;
    frame.topM[n - 1] = in.rxHeightAmslM;
    return frame;
}

double edgeNuBetween(const EdgeFrame& frame, std::size_t i, std::size_t a, std::size_t b) {
    const std::vector<double>& x = *frame.distanceM;
    const std::vector<double>& z = frame.topM;
    const double d1 = x[i] - x[a];
    const double d2 = x[b] - x[i];
    const double line = (z[a] * d2 + z[b] * d1) / (d1 + d2);
    return knifeEdgeNu(z[i] - line, d1, d2, frame.wavelengthM);
}

// Points are compared by q = h |h| / (d1 d2), which grows with nu = h
// sqrt(2 (d1 + d2) / (lambda d1 d2)) on a given stretch: one division a
// point and no root.
Edge highestEdge(const EdgeFrame& frame, std::size_t a, std::size_t b) {
    const std::vector<double>& x = *frame.distanceM;
    const std::vector<double>& z = frame.topM;
    const double span = x[b] - x[a];
    const double rise = (z[b] - z[a]) / span;
    std::size_t best = a;
    double bestQ = -std::numeric_limits<double>::infinity();
    for (std::size_t i = a + 1; i < b; ++i) {
        const double d1 = x[i] - x[a];
        const double h = z[i] - (z[a] + rise * d1);
        const double q = h * std::fabs(h) / (d1 * (x[b] - x[i]));
        if (q > bestQ) {
            bestQ = q;
            best = i;
        }
    }
    if (best == a) {
        return {a, -std::numeric_limits<double>::infinity()};
    }
    return {best, edgeNuBetween(frame, best, a, b)};
}

} // namespace tarsel::terrain
