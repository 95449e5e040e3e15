// delta-Bullington: Bullington over the real profile, corrected by how much
// the spherical-earth loss exceeds Bullington over the smooth earth.

#include "terrain/bullington.h"
#include "terrain/diffraction_methods.h"
#include "terrain/path_geometry.h"
#include "terrain/smooth_earth.h"
#include "terrain/spherical_earth.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel::terrain {

DeltaBullington deltaBullington(const Profile& profile, const PathInputs& in) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    if (!pathInputsValid(profile, in)) {
        return {NaN, NaN, NaN, NaN, NaN, NaN};
    }
    const double lambda = wavelengthM(in.frequencyHz);
    DeltaBullington r;
    r.bullingtonDb =
        bullingtonLossDb(BullingtonPath{profile.distanceM, profile.heightM, in.txHeightAmslM,
                                        in.rxHeightAmslM, in.effectiveEarthRadiusM, lambda});

    // Antenna heights above the smooth surface, then Bullington over that
    // surface (a profile of zero heights) and the spherical earth's own loss.
    const SmoothEarth smooth = smoothEarth(profile, in.txHeightAmslM, in.rxHeightAmslM);
    r.txEffectiveHeightM = in.txHeightAmslM - smooth.txDiffractionM;
    r.rxEffectiveHeightM = in.rxHeightAmslM - smooth.rxDiffractionM;
    r.smoothBullingtonDb = bullingtonLossDb(BullingtonPath{profile.distanceM,
                                                           {},
                                                           r.txEffectiveHeightM,
                                                           r.rxEffectiveHeightM,
                                                           in.effectiveEarthRadiusM,
                                                           lambda});
    r.sphericalEarthDb = sphericalEarthLossDb(SphericalEarthPath{
        profile.lengthM() - profile.distanceM[0], r.txEffectiveHeightM, r.rxEffectiveHeightM,
        in.effectiveEarthRadiusM, in.frequencyHz, lambda, in.polarization, in.seaFraction});

    r.lossDb = r.bullingtonDb + std::max(r.sphericalEarthDb - r.smoothBullingtonDb, 0.0);
    for (double* v : {&r.lossDb, &r.bullingtonDb, &r.smoothBullingtonDb, &r.sphericalEarthDb,
                      &r.txEffectiveHeightM, &r.rxEffectiveHeightM}) {
        if (!std::isfinite(*v)) {
            *v = NaN;
        }
    }
    return r;
}

} // namespace tarsel::terrain
