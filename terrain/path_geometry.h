#pragma once
// Geometry of a path over a curved earth: the bulge, the line of sight, the
// first Fresnel zone and the diffraction parameter nu of one profile point.

#include "terrain/diffraction_methods.h"
#include "terrain/profile.h"

#include <cstddef>

namespace tarsel::terrain {

inline constexpr double SpeedOfLightApprox = 2.998e8; // as the Recommendations use it [m/s]
inline constexpr double EarthRadiusM = 6371.0e3;      // mean earth radius [m]

// Wavelength 2.998e8 / f [m].
double wavelengthM(double frequencyHz);

// Earth bulge d1 d2 / (2 ae) at a point d1 from one end and d2 from the other
// [m]; 0 for an infinite radius.
double earthBulgeM(double d1M, double d2M, double effectiveEarthRadiusM);

// Height of the straight line from (0, txAmsl) to (lengthM, rxAmsl) at distance x [m].
double lineOfSightM(double x, double lengthM, double txAmslM, double rxAmslM);

// First Fresnel zone radius sqrt(lambda d1 d2 / (d1 + d2)) [m]; 0 at either end.
double firstFresnelRadiusM(double d1M, double d2M, double wavelength);

// nu of an edge h metres above the line between two points d1 and d2 metres
// away: h sqrt(2 (d1 + d2) / (lambda d1 d2)).
double knifeEdgeNu(double heightAboveLineM, double d1M, double d2M, double wavelength);

// nu of profile point i (ground plus bulge) against the line from antenna to
// antenna: h sqrt(2 d / (lambda d1 d2)), h the point's height above the line,
// positive when it obstructs. 0 at the two ends.
double edgeNu(const Profile& profile, const PathInputs& in, std::size_t i);

} // namespace tarsel::terrain
