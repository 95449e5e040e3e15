// Clearance of the line of sight over a terrain profile.

#include "terrain/clearance.h"

#include "terrain/path_geometry.h"

#include <cmath>
#include <limits>

namespace tarsel::terrain {

std::string_view verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Clear:
        return "clear";
    case Verdict::Marginal:
        return "marginal";
    case Verdict::Obstructed:
        break;
    }
    return "obstructed";
}

ClearancePoint clearanceAt(const Profile& profile, const PathInputs& in, std::size_t i) {
    const double length = profile.lengthM();
    ClearancePoint p;
    p.distanceM = profile.distanceM[i];
    p.groundM = profile.heightM[i];
    const double d2 = length - p.distanceM;
    p.bulgeM = earthBulgeM(p.distanceM, d2, in.effectiveEarthRadiusM);
    p.lineOfSightM = lineOfSightM(p.distanceM, length, in.txHeightAmslM, in.rxHeightAmslM);
    p.fresnelRadiusM = firstFresnelRadiusM(p.distanceM, d2, wavelengthM(in.frequencyHz));
    p.clearanceM = p.lineOfSightM - (p.groundM + p.bulgeM);
    p.fresnelFraction = p.fresnelRadiusM > 0.0 ? p.clearanceM / p.fresnelRadiusM
                                               : std::numeric_limits<double>::quiet_NaN();
    return p;
}

PathClearance pathClearance(const Profile& profile, const PathInputs& in) {
    PathClearance c;
    c.worstIndex = 1;
    c.worst = clearanceAt(profile, in, 1);
    for (std::size_t i = 2; i + 1 < profile.size(); ++i) {
        const ClearancePoint p = clearanceAt(profile, in, i);
        if (p.fresnelFraction < c.worst.fresnelFraction) {
            c.worst = p;
            c.worstIndex = i;
        }
    }
    // In metres against the zone, as the path profile tab judges, so that
    // ground above the line is obstructed even where the zone has no size.
    const double metres = c.worst.clearanceM;
    c.verdict = metres >= ClearFresnelFraction * c.worst.fresnelRadiusM ? Verdict::Clear
                : metres >= 0.0                                         ? Verdict::Marginal
                                                                        : Verdict::Obstructed;
    return c;
}

} // namespace tarsel::terrain
