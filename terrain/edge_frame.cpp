// Knife edges of a profile over a curved earth.

#include "terrain/edge_frame.h"

#include "terrain/path_geometry.h"

#include <limits>

namespace tarsel::terrain {

EdgeFrame edgeFrame(const Profile& profile, const PathInputs& in) {
    const std::vector<double>& x = profile.distanceM;
    const std::size_t n = profile.size();
    EdgeFrame frame{&x, std::vector<double>(n), wavelengthM(in.frequencyHz)};
    for (std::size_t i = 1; i + 1 < n; ++i) {
        frame.topM[i] = profile.heightM[i] +
                        earthBulgeM(x[i] - x[0], x[n - 1] - x[i], in.effectiveEarthRadiusM);
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

Edge highestEdge(const EdgeFrame& frame, std::size_t a, std::size_t b) {
    Edge best{a, -std::numeric_limits<double>::infinity()};
    for (std::size_t i = a + 1; i < b; ++i) {
        const double nu = edgeNuBetween(frame, i, a, b);
        if (nu > best.nu) {
            best = {i, nu};
        }
    }
    return best;
}

} // namespace tarsel::terrain
