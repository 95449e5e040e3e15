#pragma once
// Bullington's construction over any set of heights, for the real profile and
// for the zero-height profile of the delta-Bullington method.

#include <cstddef>
#include <span>

namespace tarsel::terrain {

struct BullingtonPath {
    std::span<const double> distanceM; // profile distances [m], strictly increasing
    std::span<const double> heightM;   // ground heights [m]; empty: every height is 0
    double txAmslM = 0.0;              // antenna tops above the heights' datum [m]
    double rxAmslM = 0.0;
    double effectiveEarthRadiusM = 0.0; // infinite for a flat earth
    double wavelengthM = 0.0;
};

// Lb = Luc + (1 - exp(-Luc/6)) (10 + 0.02 d[km]) [dB], Luc the knife-edge loss
// of the Bullington point (or of the highest edge on a line-of-sight path).
double bullingtonLossDb(const BullingtonPath& path);

} // namespace tarsel::terrain
