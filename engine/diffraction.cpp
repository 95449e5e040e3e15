#include "engine/diffraction.h"

#include "engine/constants.h"
#include "engine/fresnel_asymptotic.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tarsel {

namespace {

constexpr double OneThird = 0.3333333333333333;
constexpr float FresnelStep = 0.00390625f; // widest Simpson sub-interval, 1/256

// Beyond this |x| the 1/256 step no longer follows the integrand's phase
// (pi x dt per step); the asymptotic form takes over.
constexpr double SimpsonLimit = 16.0;

// Largest half count of sub-intervals whose double fits a 32-bit integer.
constexpr double MaxHalfCells = 1073741823.0;

// Smooth and rough hill: dB of excess loss per radian of diffraction angle,
// scaled by sqrt(pi R / lambda).
constexpr double SmoothHillDbPerRad = 11.7;
constexpr double RoughHillDbPerRad = 7.5;

// Composite Simpson's rule for the Fresnel integral of |x| = a, kind 0 or 1.
// The sign of x is applied at the end, after the sum.
double fresnelSimpson(double a, int kind, float step, double sign) {
    const double cells = std::ceil(a * 0.5 / step);
    if (!(cells <= MaxHalfCells)) {
        return std::numeric_limits<double>::quiet_NaN(); // no countable step
    }
    std::int32_t n = 2 * static_cast<std::int32_t>(cells);
    if (n < 2) {
        n = 2;
    }
    const double h = a / n;
    const double h2 = h * h;
    auto g = [kind, h2](std::int32_t i) {
        const double di = static_cast<double>(i);
        const double arg = di * di * h2 * HalfPi;
        return kind == FresnelSine ? std::sin(arg) : std::cos(arg);
    };
    double sum = 0.0;
    for (std::int32_t i = 1; i < n; i += 2) {
        sum += 4.0 * g(i);
    }
    for (std::int32_t i = 2; i < n; i += 2) {
        sum += 2.0 * g(i);
    }
    sum += kind == FresnelSine ? std::sin(0.0) : std::cos(0.0);
    const double total = g(n) + sum;
    return h * total * sign * OneThird;
}

} // namespace

// Integral from 0 to x of sin (kind 0) or cos (kind 1) of pi t^2 / 2; odd in
// x. Up to |x| = 16 by Simpson's rule on sub-intervals no wider than step;
// beyond by the asymptotic expansion, which stays exact where a fixed step
// would alias the ever faster oscillation.
double fresnelIntegral(double x, int kind, float step) {
    if (!std::isfinite(x)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const double a = std::fabs(x);
    if (kind != FresnelSine && kind != FresnelCosine) {
        return 0.0 * sign; // no integral of that kind
    }
    if (a <= SimpsonLimit) {
        return fresnelSimpson(a, kind, step, sign);
    }
    const FresnelPair cs = fresnelAsymptotic(a);
    return (kind == FresnelSine ? cs.s : cs.c) * sign;
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
    const double C = fresnelIntegral(r.knifeEdgeV, FresnelCosine, FresnelStep);
    const double S = fresnelIntegral(r.knifeEdgeV, FresnelSine, FresnelStep);
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
