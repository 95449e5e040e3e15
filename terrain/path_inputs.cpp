// What the diffraction methods accept as a path.

#include "terrain/diffraction_methods.h"

#include <cmath>
#include <limits>

namespace tarsel::terrain {

namespace {

constexpr double Largest = std::numeric_limits<double>::max();

} // namespace

bool pathInputsValid(const Profile& profile, const PathInputs& in) {
    const std::size_t n = profile.size();
    if (n < MinProfilePoints || profile.heightM.size() != n) {
        return false;
    }
    // Flags gathered without an early exit, so that the pass vectorises.
    const std::vector<double>& x = profile.distanceM;
    const std::vector<double>& h = profile.heightM;
    bool finite = std::isfinite(x[0]) && std::isfinite(h[0]);
    bool increasing = true;
    for (std::size_t i = 1; i < n; ++i) {
        finite &= std::fabs(x[i]) <= Largest && std::fabs(h[i]) <= Largest;
        increasing &= x[i] > x[i - 1];
    }
    if (!finite || !increasing) {
        return false;
    }
    return in.frequencyHz > 0.0 && std::isfinite(in.frequencyHz) &&
           std::isfinite(in.txHeightAmslM) && std::isfinite(in.rxHeightAmslM) &&
           in.effectiveEarthRadiusM > 0.0 && in.seaFraction >= 0.0 && in.seaFraction <= 1.0;
}

} // namespace tarsel::terrain
