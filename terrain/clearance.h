#pragma once
// Clearance of the line of sight over a terrain profile: at every point the
// ground raised by the earth bulge, the first Fresnel zone radius and the
// room left between the two; over the whole path the worst point and the
// verdict by the path profile's thresholds.

#include "terrain/diffraction_methods.h"
#include "terrain/profile.h"

#include <cstddef>
#include <string_view>

namespace tarsel::terrain {

// Clear when every point keeps this fraction of the first Fresnel zone free.
inline constexpr double ClearFresnelFraction = 0.6;

enum class Verdict { Clear, Marginal, Obstructed };

// "clear", "marginal", "obstructed".
std::string_view verdictName(Verdict verdict);

struct ClearancePoint {
    double distanceM = 0.0;       // from the transmitter [m]
    double groundM = 0.0;         // ground above sea level [m]
    double bulgeM = 0.0;          // earth bulge d1 d2 / (2 ae) [m]
    double lineOfSightM = 0.0;    // line of sight above sea level [m]
    double fresnelRadiusM = 0.0;  // first Fresnel zone radius [m]
    double clearanceM = 0.0;      // line of sight over ground plus bulge [m]
    double fresnelFraction = 0.0; // clearance / Fresnel radius; NaN at the two ends
};

ClearancePoint clearanceAt(const Profile& profile, const PathInputs& in, std::size_t i);

struct PathClearance {
    std::size_t worstIndex = 0; // the point of least Fresnel fraction, ends excepted
    ClearancePoint worst;
    Verdict verdict = Verdict::Clear; // worst clearance >= 0.6 radius: clear, >= 0: marginal
};

// Over the points between the two ends (a profile has at least one).
PathClearance pathClearance(const Profile& profile, const PathInputs& in);

} // namespace tarsel::terrain
