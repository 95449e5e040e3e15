// Smooth spherical-earth diffraction, first term of the residue series, in
// the units the method is written in: distances and radii in km, heights in
// m, frequency in GHz.

#include "terrain/spherical_earth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarsel::terrain {

namespace {

struct Ground {
    double permittivity;  // relative permittivity er
    double conductivityS; // conductivity sigma [S/m]
};
constexpr Ground Land{22.0, 0.003};
constexpr Ground Sea{80.0, 5.0};

// Height-gain term G(Y) [dB] for the normalised height Y, never below
// 2 + 20 log10 K.
double heightGainDb(double beta, double y, double k) {
    const double b = beta * y;
    const double g = b > 2.0 ? 17.6 * std::sqrt(b - 1.1) - 5.0 * std::log10(b - 1.1) - 8.0
                             : 20.0 * std::log10(b + 0.1 * b * b * b);
    return std::max(g, 2.0 + 20.0 * std::log10(k));
}

// First-term loss over one kind of ground [dB]; d and adft in km, f in GHz.
double firstTermDb(Ground ground, Polarization pol, double d, double hte, double hre, double adft,
                   double f) {
    const double er = ground.permittivity;
    const double s = 18.0 * ground.conductivityS / f;
    // Normalised surface admittance K, horizontal then vertical.
    double k = 0.036 / std::cbrt(adft * f) / std::pow((er - 1.0) * (er - 1.0) + s * s, 0.25);
    if (pol == Polarization::Vertical) {
        k *= std::sqrt(er * er + s * s);
    }
    const double k2 = k * k;
    const double k4 = k2 * k2;
    const double beta = (1.0 + 1.6 * k2 + 0.67 * k4) / (1.0 + 4.5 * k2 + 1.53 * k4);
    // Normalised distance and heights.
    const double x = 21.88 * beta * std::cbrt(f / (adft * adft)) * d;
    const double yt = 0.9575 * beta * std::cbrt(f * f / adft) * hte;
    const double yr = 0.9575 * beta * std::cbrt(f * f / adft) * hre;
    // Distance term F(X) [dB].
    const double fx = x >= 1.6 ? 11.0 + 10.0 * std::log10(x) - 17.6 * x
                               : -20.0 * std::log10(x) - 5.6488 * std::pow(x, 1.425);
    return -fx - heightGainDb(beta, yt, k) - heightGainDb(beta, yr, k);
}

} // namespace

double firstTermLossDb(const SphericalEarthPath& path, double adftM) {
    const double d = path.lengthM / 1000.0;
    const double adft = adftM / 1000.0;
    const double f = path.frequencyHz / 1e9;
    const double hte = std::max(path.txHeightM, 0.0);
    const double hre = std::max(path.rxHeightM, 0.0);
    const double w = path.seaFraction;
    const Polarization pol = path.polarization;
    return w * firstTermDb(Sea, pol, d, hte, hre, adft, f) +
           (1.0 - w) * firstTermDb(Land, pol, d, hte, hre, adft, f);
}

double sphericalEarthLossDb(const SphericalEarthPath& path) {
    if (std::isinf(path.effectiveEarthRadiusM)) {
        return 0.0;
    }
    const double d = path.lengthM / 1000.0;
    const double ap = path.effectiveEarthRadiusM / 1000.0;
    const double hte = std::max(path.txHeightM, 0.0);
    const double hre = std::max(path.rxHeightM, 0.0);

    // Line-of-sight distance over the smooth earth [km].
    const double dlos = std::sqrt(2.0 * ap) * (std::sqrt(0.001 * hte) + std::sqrt(0.001 * hre));
    if (d >= dlos) {
        return firstTermLossDb(path, path.effectiveEarthRadiusM);
    }
    // Smallest clearance hse between the ray and the curved earth, at dse1
    // from the transmitter [m].
    const double c = (hte - hre) / (hte + hre);
    const double m = 250.0 * d * d / (ap * (hte + hre));
    const double cosArg =
        std::clamp(1.5 * c * std::sqrt(3.0 * m / std::pow(m + 1.0, 3.0)), -1.0, 1.0);
    const double b = 2.0 * std::sqrt((m + 1.0) / (3.0 * m)) *
                     std::cos(std::numbers::pi / 3.0 + std::acos(cosArg) / 3.0);
    // An antenna on the surface puts the point at that end (b = 1), which
    // rounding may push just past it.
    const double dse1 = std::clamp(d / 2.0 * (1.0 + b), 0.0, d);
    const double dse2 = d - dse1;
    const double hse =
        ((hte - 500.0 * dse1 * dse1 / ap) * dse2 + (hre - 500.0 * dse2 * dse2 / ap) * dse1) / d;
    // Clearance for no diffraction loss [m].
    const double hreq = 17.456 * std::sqrt(dse1 * dse2 * path.wavelengthM / d);
    if (hse > hreq) {
        return 0.0;
    }
    // Radius that makes the path just line of sight [km].
    const double aem = 500.0 * std::pow(d / (std::sqrt(hte) + std::sqrt(hre)), 2.0);
    const double ldft = firstTermLossDb(path, aem * 1000.0);
    // With the smallest clearance at an antenna on the surface, both are 0:
    // the ray leaves the surface there, with no clearance at all.
    const double clearance = hreq > 0.0 ? hse / hreq : 0.0;
    return ldft < 0.0 ? 0.0 : (1.0 - clearance) * ldft;
}

} // namespace tarsel::terrain
