// What the methods make of inputs that are not a path, and of odd paths that
// still are one: NaN for the first, a finite loss for the second.

#include "terrain/diffraction_methods.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace tarsel::terrain {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

Profile hill() {
    return {{0.0, 5000.0, 10000.0}, {100.0, 180.0, 120.0}};
}
constexpr PathInputs Path{130.0, 150.0, 8500e3, 1e9, Polarization::Horizontal, 0.0};

// Every method's loss, delta-Bullington's parts included.
std::vector<double> allLosses(const Profile& p, const PathInputs& in) {
    const DeltaBullington db = deltaBullington(p, in);
    return {bullingtonLossDb(p, in),
            deygoutLossDb(p, in),
            epsteinPetersonLossDb(p, in),
            db.lossDb,
            db.bullingtonDb,
            db.smoothBullingtonDb,
            db.sphericalEarthDb,
            db.txEffectiveHeightM,
            db.rxEffectiveHeightM};
}

struct Broken {
    const char* what;
    std::function<void(Profile&, PathInputs&)> spoil;
};

const Broken BrokenInputs[] = {
    {"two points",
     [](Profile& p, PathInputs&) {
         p = {{0, 1}, {0, 0}};
     }},
    {"fewer heights than distances", [](Profile& p, PathInputs&) { p.heightM.pop_back(); }},
    {"distance repeated", [](Profile& p, PathInputs&) { p.distanceM[1] = 0.0; }},
    {"distance going back", [](Profile& p, PathInputs&) { p.distanceM[2] = 4000.0; }},
    {"height NaN", [](Profile& p, PathInputs&) { p.heightM[1] = NaN; }},
    {"distance infinite", [](Profile& p, PathInputs&) { p.distanceM[2] = Inf; }},
    {"frequency 0", [](Profile&, PathInputs& in) { in.frequencyHz = 0.0; }},
    {"frequency negative", [](Profile&, PathInputs& in) { in.frequencyHz = -1e9; }},
    {"frequency infinite", [](Profile&, PathInputs& in) { in.frequencyHz = Inf; }},
    {"earth radius 0", [](Profile&, PathInputs& in) { in.effectiveEarthRadiusM = 0.0; }},
    {"earth radius negative", [](Profile&, PathInputs& in) { in.effectiveEarthRadiusM = -1.0; }},
    {"earth radius NaN", [](Profile&, PathInputs& in) { in.effectiveEarthRadiusM = NaN; }},
    {"antenna NaN", [](Profile&, PathInputs& in) { in.rxHeightAmslM = NaN; }},
    {"sea fraction above 1", [](Profile&, PathInputs& in) { in.seaFraction = 1.01; }},
    {"sea fraction NaN", [](Profile&, PathInputs& in) { in.seaFraction = NaN; }},
};

TEST(MethodInputs, WhatIsNotAPathGivesNaN) {
    for (const Broken& b : BrokenInputs) {
        Profile p = hill();
        PathInputs in = Path;
        b.spoil(p, in);
        EXPECT_FALSE(pathInputsValid(p, in)) << b.what;
        for (double loss : allLosses(p, in)) {
            EXPECT_TRUE(std::isnan(loss)) << b.what;
        }
    }
}

const Broken OddPaths[] = {
    {"as it is", [](Profile&, PathInputs&) {}},
    {"flat earth", [](Profile&, PathInputs& in) { in.effectiveEarthRadiusM = Inf; }},
    {"antennas buried",
     [](Profile&, PathInputs& in) { in.txHeightAmslM = in.rxHeightAmslM = -1e3; }},
    {"antennas at the ground",
     [](Profile& p, PathInputs& in) {
         in.txHeightAmslM = p.heightM[0];
         in.rxHeightAmslM = p.heightM[2];
     }},
    {"all sea, vertical",
     [](Profile&, PathInputs& in) {
         in.seaFraction = 1.0;
         in.polarization = Polarization::Vertical;
     }},
    {"millimetre path",
     [](Profile& p, PathInputs&) {
         p.distanceM = {0, 1e-3, 2e-3};
     }},
    {"nanometre step",
     [](Profile& p, PathInputs&) {
         p.distanceM = {0, 1e-9, 1e4};
     }},
    {"edge on the ray",
     [](Profile& p, PathInputs& in) { p.heightM[1] = in.txHeightAmslM = in.rxHeightAmslM; }},
    {"10,000 km",
     [](Profile& p, PathInputs&) {
         p.distanceM = {0, 5e6, 1e7};
     }},
    {"1 Hz", [](Profile&, PathInputs& in) { in.frequencyHz = 1.0; }},
    {"1 THz", [](Profile&, PathInputs& in) { in.frequencyHz = 1e12; }},
    {"1 m earth", [](Profile&, PathInputs& in) { in.effectiveEarthRadiusM = 1.0; }},
    {"one antenna below a rising slope",
     [](Profile& p, PathInputs& in) {
         p = {{0, 500, 1000, 1500, 2000, 2500}, {100, 120, 140, 160, 180, 200}};
         in = {130, 150, 4.0 / 3.0 * 6371e3, 1e9, Polarization::Horizontal, 0.0};
     }},
};

TEST(MethodInputs, OddPathsGiveFiniteLosses) {
    for (const Broken& b : OddPaths) {
        Profile p = hill();
        PathInputs in = Path;
        b.spoil(p, in);
        for (double loss : allLosses(p, in)) {
            EXPECT_TRUE(std::isfinite(loss)) << b.what;
        }
    }
}

} // namespace
} // namespace tarsel::terrain
