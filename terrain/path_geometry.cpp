// Geometry of a path over a curved earth.

#include "terrain/path_geometry.h"

#include <cmath>

namespace tarsel::terrain {

double wavelengthM(double frequencyHz) {
    return SpeedOfLightApprox / frequencyHz;
}

double earthBulgeM(double d1M, double d2M, double effectiveEarthRadiusM) {
    if (std::isinf(effectiveEarthRadiusM)) {
        return 0.0;
    }
    return d1M * d2M / (2.0 * effectiveEarthRadiusM);
}

double lineOfSightM(double x, double lengthM, double txAmslM, double rxAmslM) {
    return (txAmslM * (lengthM - x) + rxAmslM * x) / lengthM;
}

double firstFresnelRadiusM(double d1M, double d2M, double wavelength) {
    if (d1M <= 0.0 || d2M <= 0.0) {
        return 0.0;
    }
    return std::sqrt(wavelength * d1M * d2M / (d1M + d2M));
}

double knifeEdgeNu(double heightAboveLineM, double d1M, double d2M, double wavelength) {
    return heightAboveLineM * std::sqrt(2.0 * (d1M + d2M) / (wavelength * d1M * d2M));
}

double edgeNu(const Profile& profile, const PathInputs& in, std::size_t i) {
    const double d = profile.lengthM();
    const double d1 = profile.distanceM[i];
    const double d2 = d - d1;
    if (d1 <= 0.0 || d2 <= 0.0) {
        return 0.0;
    }
    const double ground = profile.heightM[i] + earthBulgeM(d1, d2, in.effectiveEarthRadiusM);
    const double h = ground - lineOfSightM(d1, d, in.txHeightAmslM, in.rxHeightAmslM);
    return knifeEdgeNu(h, d1, d2, wavelengthM(in.frequencyHz));
}

} // namespace tarsel::terrain
