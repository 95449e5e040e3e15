#pragma once
// The least-squares smooth-earth surface under a profile and the antenna
// heights above it that the delta-Bullington method uses.

#include "terrain/profile.h"

namespace tarsel::terrain {

struct SmoothEarth {
    double txSurfaceM = 0.0;     // hst, hsr: the least-squares straight line at the
    double rxSurfaceM = 0.0;     // transmitter and at the receiver [m above sea level]
    double txDiffractionM = 0.0; // hstd, hsrd: the same lowered under the obstacles
    double rxDiffractionM = 0.0; // and never above the ground at the ends [m]
};

// The smooth surface under a valid profile (see pathInputsValid) for antenna
// tops txAmslM and rxAmslM above sea level.
SmoothEarth smoothEarth(const Profile& profile, double txAmslM, double rxAmslM);

} // namespace tarsel::terrain
