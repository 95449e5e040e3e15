#pragma once
// Diffraction over a smooth spherical earth of land, sea or a mix of both.

#include "terrain/diffraction_methods.h"

namespace tarsel::terrain {

struct SphericalEarthPath {
    double lengthM = 0.0;               // path length [m]
    double txHeightM = 0.0;             // antenna heights above the smooth
    double rxHeightM = 0.0;             // surface [m]; below it counts as on it
    double effectiveEarthRadiusM = 0.0; // infinite for a flat earth
    double frequencyHz = 0.0;
    double wavelengthM = 0.0;
    Polarization polarization = Polarization::Horizontal;
    double seaFraction = 0.0; // share of the path over sea, 0..1
};

// The first term of the residue series for an earth of radius adftM, mixed
// over land and sea by the sea fraction [dB].
double firstTermLossDb(const SphericalEarthPath& path, double adftM);

// Spherical-earth diffraction loss [dB]: the first term beyond the smooth
// path's line-of-sight distance; inside it, the first term for the radius
// that makes the path just line of sight, scaled down by the clearance over
// the clearance needed for no loss. 0 on a flat earth.
double sphericalEarthLossDb(const SphericalEarthPath& path);

} // namespace tarsel::terrain
