// Smooth-earth surface: the straight line of least squares through the
// profile, then lowered so that it passes under the path's obstacles.

#include "terrain/smooth_earth.h"

#include <algorithm>
#include <limits>

namespace tarsel::terrain {

SmoothEarth smoothEarth(const Profile& profile, double txAmslM, double rxAmslM) {
    const std::vector<double>& x = profile.distanceM;
    const std::vector<double>& h = profile.heightM;
    const std::size_t n = profile.size();
    const double x0 = x[0];
    const double d = x[n - 1] - x0;

    // The line's integrals over the profile, taken as straight segments:
    // v1 = sum (di - di-1)(hi + hi-1) [m2],
    // v2 = sum (di - di-1)(hi (2 di + di-1) + hi-1 (di + 2 di-1)) [m3];
    // and, in the same pass, the highest obstacle above the line between the
    // antennas (hobs) and the steepest elevations of obstacles seen from each
    // end (alpha_obt, alpha_obr).
    double v1 = 0.0;
    double v2 = 0.0;
    double hobs = -std::numeric_limits<double>::infinity();
    double alphaT = -std::numeric_limits<double>::infinity();
    double alphaR = -std::numeric_limits<double>::infinity();
    const double perLength = 1.0 / d;
    for (std::size_t i = 1; i < n; ++i) {
        const double di = x[i] - x0;
        const double dp = x[i - 1] - x0;
        v1 += (di - dp) * (h[i] + h[i - 1]);
        v2 += (di - dp) * (h[i] * (2.0 * di + dp) + h[i - 1] * (di + 2.0 * dp));
        if (i + 1 < n) {
            const double ri = d - di;
            const double above = h[i] - (txAmslM * ri + rxAmslM * di) * perLength;
            const double perBoth = above / (di * ri);
            hobs = std::max(hobs, above);
            alphaT = std::max(alphaT, perBoth * ri);
            alphaR = std::max(alphaR, perBoth * di);
        }
    }
    SmoothEarth s;
    s.txSurfaceM = (2.0 * v1 * d - v2) / (d * d);
    s.rxSurfaceM = (v2 - v1 * d) / (d * d);
    double tx = s.txSurfaceM;
    double rx = s.rxSurfaceM;
    if (hobs > 0.0) {
        // Lower each end by the obstacle's share seen from that end.
        tx -= hobs * alphaT / (alphaT + alphaR);
        rx -= hobs * alphaR / (alphaT + alphaR);
    }
    s.txDiffractionM = std::min(tx, h[0]);
    s.rxDiffractionM = std::min(rx, h[n - 1]);
    return s;
}

} // namespace tarsel::terrain
