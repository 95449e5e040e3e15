#pragma once
// Median (50 % of time) diffraction loss over a terrain profile by the
// multiple-obstacle methods of ITU-R P.526 and P.452: Bullington,
// delta-Bullington (the default), Deygout with up to three edges and
// Epstein-Peterson. Losses are positive dB.
//
// Every method returns NaN when its inputs are not a path (see
// pathInputsValid) or when the arithmetic leaves the range of a double
// (heights of 1e300 m); otherwise the loss is finite. No input makes one loop.

#include "terrain/profile.h"

namespace tarsel::terrain {

enum class Polarization { Horizontal, Vertical };

// What every method needs besides the profile.
struct PathInputs {
    double txHeightAmslM = 0.0;         // transmitting antenna top above sea level [m]
    double rxHeightAmslM = 0.0;         // receiving antenna top above sea level [m]
    double effectiveEarthRadiusM = 0.0; // ae = k x 6371 km [m]; infinite for a flat earth
    double frequencyHz = 0.0;           // carrier frequency [Hz]; wavelength 2.998e8 / f
    Polarization polarization = Polarization::Horizontal;
    double seaFraction = 0.0; // 0 all land (er 22, s 0.003 S/m) .. 1 all sea (er 80, s 5 S/m)
};

// A profile the methods accept (3 or more points, finite, distances strictly
// increasing, as many heights as distances) and inputs that make a path:
// finite antenna heights, a finite positive frequency, an earth radius
// positive (infinite for a flat earth), a sea fraction in 0..1.
bool pathInputsValid(const Profile& profile, const PathInputs& in);

// Knife-edge loss J(nu) [dB]: 6.9 + 20 log10(sqrt((nu-0.1)^2+1) + nu - 0.1)
// for nu > -0.78, else 0. nu is positive when the edge obstructs the path.
double knifeEdgeLossDb(double nu);

// Bullington's loss with its empirical correction [dB].
double bullingtonLossDb(const Profile& profile, const PathInputs& in);

// The parts of the delta-Bullington loss.
struct DeltaBullington {
    double lossDb = 0.0;             // L = Lba + max(Lsph - Lbs, 0)
    double bullingtonDb = 0.0;       // Lba: Bullington over the real profile
    double smoothBullingtonDb = 0.0; // Lbs: Bullington over a zero-height profile
    double sphericalEarthDb = 0.0;   // Lsph: spherical-earth diffraction loss
    double txEffectiveHeightM = 0.0; // effective antenna heights above the
    double rxEffectiveHeightM = 0.0; // smooth-earth surface [m]
};
DeltaBullington deltaBullington(const Profile& profile, const PathInputs& in);

// Deygout: the main edge, then the largest edge on each side of it; the sum
// of their J(nu), no empirical correction [dB].
double deygoutLossDb(const Profile& profile, const PathInputs& in);

// Epstein-Peterson over the edges of the string stretched over the terrain
// from antenna to antenna [dB].
double epsteinPetersonLossDb(const Profile& profile, const PathInputs& in);

} // namespace tarsel::terrain
