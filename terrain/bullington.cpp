// Bullington's construction with its empirical correction, in the units the
// method is written in: distances in km, heights in m, slopes in m/km.

#include "terrain/bullington.h"

#include "terrain/diffraction_methods.h"
#include "terrain/path_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel::terrain {

namespace {

constexpr double NoSlope = -std::numeric_limits<double>::infinity();

// The path in the method's units: distances in km from the transmitter, the
// effective curvature Ce = 1/ae [1/km].
struct PathKm {
    const BullingtonPath& path;
    double d;  // path length [km]
    double ce; // curvature [1/km]
    double di(std::size_t i) const { return (path.distanceM[i] - path.distanceM[0]) * 1e-3; }
    // Ground plus earth bulge hi + 500 Ce di (d - di) [m].
    double bulgedHeightM(std::size_t i, double di) const {
        const double h = path.heightM.empty() ? 0.0 : path.heightM[i];
        return h + 500.0 * ce * di * (d - di);
    }
};

// What the construction needs from the intermediate points: the steepest
// slopes from the transmitter (Stim) and from the receiver (Srim) [m/km],
// and for a line-of-sight path the point of largest nu against the ray,
// kept as q = h |h| / (di (d - di)), which grows with nu = h sqrt(0.002 d /
// (lambda di (d - di))) and needs no root.
struct Extremes {
    double fromTx = NoSlope;
    double fromRx = NoSlope;
    double rayQ = -std::numeric_limits<double>::infinity();
};

// What the construction takes from point i, one division a point. The
// search over every point and the shortcuts over zero heights both use it, so
// that a point gives them the same numbers to the last bit (a path near
// grazing turns a last-bit difference into a visible one).
struct PointTerms {
    double di;      // from the transmitter [km]
    double ri;      // from the receiver [km]
    double perBoth; // 1 / (di ri)
    double g;       // ground plus bulge [m]

    PointTerms(const PathKm& p, std::size_t i)
        : di(p.di(i)), ri(p.d - di), perBoth(1.0 / (di * ri)), g(p.bulgedHeightM(i, di)) {}
    double slopeFromTx(const PathKm& p) const { return (g - p.path.txAmslM) * ri * perBoth; }
    double slopeFromRx(const PathKm& p) const { return (g - p.path.rxAmslM) * di * perBoth; }
    double rayQ(const PathKm& p) const {
        // Height above the ray from antenna to antenna [m].
        const double h = g - (p.path.txAmslM * (p.d - di) + p.path.rxAmslM * di) / p.d;
        return h * std::fabs(h) * perBoth;
    }
};

double rayQ(const PathKm& p, std::size_t i) {
    return PointTerms(p, i).rayQ(p);
}

// One pass over the real heights.
Extremes extremesOverProfile(const PathKm& p) {
    Extremes e;
    const std::size_t n = p.path.distanceM.size();
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const PointTerms t(p, i);
        e.fromTx = std::max(e.fromTx, t.slopeFromTx(p));
        e.fromRx = std::max(e.fromRx, t.slopeFromRx(p));
        e.rayQ = std::max(e.rayQ, t.rayQ(p));
    }
    return e;
}

// Over zero heights the slope from an end at distance r [km] from it is
// 500 Ce (d - r) - h / r, h that end's height: concave in r when h > 0,
// falling otherwise, so its largest value over the points is next to the
// top of the curve, r = sqrt(h / (500 Ce)), or at an end of the points.
double steepestZeroHeightSlope(const PathKm& p, double h, bool fromRx) {
    const std::span<const double> x = p.path.distanceM;
    const std::size_t n = x.size();
    const auto slope = [&](std::size_t i) {
        const PointTerms t(p, i);
        return fromRx ? t.slopeFromRx(p) : t.slopeFromTx(p);
    };
    double best = std::max(slope(1), slope(n - 2));
    if (h > 0.0 && p.ce > 0.0) {
        const double top = std::sqrt(h / (500.0 * p.ce)) * 1000.0; // [m] from that end
        const double at = fromRx ? x[n - 1] - top : x[0] + top;
        const std::size_t k = static_cast<std::size_t>(
            std::lower_bound(x.begin() + 1, x.begin() + (n - 1), at) - x.begin());
        for (std::size_t i : {k - 1, k}) {
            if (i >= 1 && i <= n - 2) {
                best = std::max(best, slope(i));
            }
        }
    }
    return best;
}

// Over zero heights below a ray between two antennas above the surface, nu
// rises to one top and falls after it: halve the points towards the top.
// Otherwise look at every point.
double largestZeroHeightRayQ(const PathKm& p) {
    std::size_t lo = 1;
    std::size_t hi = p.path.distanceM.size() - 2;
    if (!(p.path.txAmslM > 0.0 && p.path.rxAmslM > 0.0)) {
        double best = rayQ(p, lo);
        for (std::size_t i = lo + 1; i <= hi; ++i) {
            best = std::max(best, rayQ(p, i));
        }
        return best;
    }
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (rayQ(p, mid) < rayQ(p, mid + 1)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return rayQ(p, lo);
}

Extremes extremesOverZeroHeights(const PathKm& p) {
    Extremes e{steepestZeroHeightSlope(p, p.path.txAmslM, false),
               steepestZeroHeightSlope(p, p.path.rxAmslM, true)};
    if (e.fromTx < (p.path.rxAmslM - p.path.txAmslM) / p.d) {
        e.rayQ = largestZeroHeightRayQ(p);
    }
    return e;
}

} // namespace

double bullingtonLossDb(const BullingtonPath& path) {
    const std::size_t n = path.distanceM.size();
    const PathKm p{path, (path.distanceM[n - 1] - path.distanceM[0]) / 1000.0,
                   1000.0 / path.effectiveEarthRadiusM};
    const double d = p.d;
    const double hts = path.txAmslM;
    const double hrs = path.rxAmslM;
    const Extremes s = path.heightM.empty() ? extremesOverZeroHeights(p) : extremesOverProfile(p);

    // Trans-horizon when no intermediate point is below the line of sight's
    // slope Str: the Bullington point is where the steepest lines from the
    // two ends cross, dbp from the transmitter.
    double nu = -std::numeric_limits<double>::infinity();
    const double str = (hrs - hts) / d;
    bool transHorizon = !(s.fromTx < str);
    if (transHorizon) {
        const double dbp = (hrs - hts + s.fromRx * d) / (s.fromTx + s.fromRx);
        // A grazing path puts the crossing nowhere (0/0): take it as line of sight.
        transHorizon = dbp > 0.0 && dbp < d;
        if (transHorizon) {
            const double h = hts + s.fromTx * dbp - (hts * (d - dbp) + hrs * dbp) / d;
            nu = h * std::sqrt(0.002 * d / (path.wavelengthM * dbp * (d - dbp)));
        }
    }
    if (!transHorizon) {
        const double q = path.heightM.empty() && std::isinf(s.rayQ)
                             ? largestZeroHeightRayQ(p) // grazing: not looked for yet
                             : s.rayQ;
        nu = std::copysign(std::sqrt(std::fabs(q) * 0.002 * d / path.wavelengthM), q);
    }
    const double luc = knifeEdgeLossDb(nu);
    return luc + (1.0 - std::exp(-luc / 6.0)) * (10.0 + 0.02 * d);
}

double bullingtonLossDb(const Profile& profile, const PathInputs& in) {
    if (!pathInputsValid(profile, in)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double loss = bullingtonLossDb(
        BullingtonPath{profile.distanceM, profile.heightM, in.txHeightAmslM, in.rxHeightAmslM,
                       in.effectiveEarthRadiusM, wavelengthM(in.frequencyHz)});
    return std::isfinite(loss) ? loss : std::numeric_limits<double>::quiet_NaN();
}

} // namespace tarsel::terrain
