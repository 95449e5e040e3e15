// What the diffraction methods accept as a path.

#include "terrain/diffraction_methods.h"

#include <cmath>

namespace tarsel::terrain {

bool pathInputsValid(const Profile& profile, const PathInputs& in) {
    const std::size_t n = profile.size();
    if (n < MinProfilePoints || profile.heightM.size() != n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(profile.distanceM[i]) || !std::isfinite(profile.heightM[i]) ||
            (i > 0 && !(profile.distanceM[i] > profile.distanceM[i - 1]))) {
            return false;
        }
    }
    return in.frequencyHz > 0.0 && std::isfinite(in.frequencyHz) &&
           std::isfinite(in.txHeightAmslM) && std::isfinite(in.rxHeightAmslM) &&
           in.effectiveEarthRadiusM > 0.0 && in.seaFraction >= 0.0 && in.seaFraction <= 1.0;
}

} // namespace tarsel::terrain
