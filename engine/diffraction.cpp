#include "engine/diffraction.h"

#include "engine/constants.h"
#include "engine/fresnel_asymptotic.h"
#include "engine/fresnel_simpson.h"

#include <cmath>
#include <limits>

namespace tarsel {

namespace {

constexpr float FresnelStep = 0.00390625f; // widest Simpson sub-interval, 1/256

// Beyond this |x| the 1/256 step no longer follows the integrand's phase
// (pi x dt per step); the asymptotic form takes over.
constexpr double SimpsonLimit = 16.0;

// Smooth and rough hill: dB of excess loss per radian of diffraction angle,
// scaled by sqrt(pi R / lambda).
constexpr double SmoothHillDbPerRad = 11.7;
constexpr double RoughHillDbPerRad = 7.5;

} // namespace

// Integrals from 0 to x of cos and sin of pi t^2 / 2; odd in x. Up to
// |x| = 16 by Simpson's rule on sub-intervals no wider than step; beyond by
// the asymptotic expansion, which stays exact where a fixed step would alias
// the ever faster oscillation.
FresnelPair fresnelIntegrals(double x, float step) {
    if (!std::isfinite(x)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const double a = std::fabs(x);
    if (a <= SimpsonLimit) {
        return fresnelSimpson(a, step, sign);
    }
    const FresnelPair cs = fresnelAsymptotic(a);
    return {cs.c * sign, cs.s * sign};
}

double fresnelIntegral(double x, int kind, float step) {
    if (kind != FresnelSine && kind != FresnelCosine) {
        if (!std::isfinite(x)) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        return 0.0 * (x < 0.0 ? -1.0 : 1.0); // no integral of that kind
    }
    const FresnelPair cs = fresnelIntegrals(x, step);
    return kind == FresnelSine ? cs.s : cs.c;
}

// Perpendicular from the obstruction top onto the line from the Tx antenna
// top to the Rx antenna top.
ObstructionGeometry obstructionGeometry(PathPoint tx, PathPoint rx, PathPoint obstacle) {
    const double dx = rx.x - tx.x;
    const double dy = rx.y - tx.y;
    const double slope = dy / dx;
    // Slant length of the Tx-Rx line [m].
    const double L = std::sqrt(dx * dx + dy * dy);
    // Vertical height of the obstruction top above the line [m].
    const double dh = obstacle.y - (tx.y + (obstacle.x - tx.x) * slope);
    ObstructionGeometry g;
    g.knifeEdgeH = dh * (dx / L);
    g.knifeEdgeD1 = L * ((obstacle.x - tx.x) / dx) + dh * (dy / L);
    g.knifeEdgeD2 = L - g.knifeEdgeD1;
    return g;
}

DiffractionResult diffractionLosses(double h, double f, double d1, double d2, double R) {
    DiffractionResult r;
    const double lambda = SpeedOfLight / f; // wavelength [m]
    // Knife-edge parameter: negative when the top stands above the line.
    r.knifeEdgeV = -h * std::sqrt(2.0 * (d1 + d2) / (lambda * d1 * d2));
    const FresnelPair integrals = fresnelIntegrals(r.knifeEdgeV, FresnelStep);
    const double C = integrals.c;
    const double S = integrals.s;
    // Diffracted field over free-space field.
    const double cs = -0.5 - S;
    const double cc = -0.5 - C;
    const double F = std::sqrt(0.5 * (cs * cs + cc * cc));
    r.knifeEdgeDb = 20.0 * std::log10(F);
    r.diffractionAngle = h * (d1 + d2) / (d1 * d2); // [rad]
    // A top below the line adds no hill loss; an undefined angle stays undefined.
    if (!(r.diffractionAngle < 0.0)) {
        const double k = std::sqrt(R * Pi / lambda);
        r.smoothHillExcessDb = -(k * (r.diffractionAngle * SmoothHillDbPerRad));
        r.roughHillExcessDb = -(k * (r.diffractionAngle * RoughHillDbPerRad));
    }
    return r;
}

double radiansToDegrees(double x) {
    return x * 360.0 * InvTwoPi;
}

} // namespace tarsel
