// Deygout, Epstein-Peterson and the other methods on hand-built paths whose
// losses follow from J(nu) alone.

#include "terrain/diffraction_methods.h"
#include "terrain/path_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarsel::terrain {
namespace {

constexpr double Wavelength = 0.3;                     // [m]
constexpr double Frequency = SpeedOfLightApprox / 0.3; // [Hz]
constexpr double FlatEarth = std::numeric_limits<double>::infinity();

// 4 km over a flat earth, a point every 100 m, ground 50 m below the antennas
// (both at 0 m) except where edges are placed.
Profile valley() {
    Profile p;
    for (int i = 0; i <= 40; ++i) {
        p.distanceM.push_back(100.0 * i);
        p.heightM.push_back(-50.0);
    }
    return p;
}

constexpr PathInputs Antennas{0.0, 0.0, FlatEarth, Frequency, Polarization::Horizontal, 0.0};

struct SingleEdge {
    double nu, lossDb; // J(nu) worked out by hand
};

// clang-format off
constexpr SingleEdge SingleEdges[] = {
    {2.4,  20.5392661297}, // deep in the shadow
    {1.0,  13.9257289350},
    {0.0,  6.0328522086},  // grazing: on the ray, the string holds on nothing
    {-0.5, 1.9592497062},  // below the ray, inside the first Fresnel zone
    {-0.7, 0.5361243867},  // just above -0.78
    {-0.9, 0.0},           // clear
};
// clang-format on

class OneKnifeEdge : public testing::TestWithParam<SingleEdge> {};

// An edge 1 km from the transmitter, set to the given nu.
TEST_P(OneKnifeEdge, DeygoutAndEpsteinPetersonGiveItsJOfNu) {
    Profile p = valley();
    p.heightM[10] = GetParam().nu / std::sqrt(2.0 * 4000.0 / (Wavelength * 1000.0 * 3000.0));
    EXPECT_NEAR(deygoutLossDb(p, Antennas), GetParam().lossDb, 1e-9);
    EXPECT_NEAR(epsteinPetersonLossDb(p, Antennas), GetParam().lossDb, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Edges, OneKnifeEdge, testing::ValuesIn(SingleEdges));

// Two 60 m edges at 1 and 3 km. Deygout: the first (nu sqrt(8/9)) against the
// ray, the second (nu 2/3) against the line from the first's top to the
// receiver. Epstein-Peterson: each against the line from its neighbours on
// the string (nu 2/3 twice).
TEST(TwoKnifeEdges, DeygoutAndEpsteinPetersonSumTheirEdges) {
    Profile p = valley();
    p.heightM[10] = 10.0;
    p.heightM[30] = 10.0;
    EXPECT_NEAR(deygoutLossDb(p, Antennas), 13.5512081003 + 11.5906627465, 1e-9);
    EXPECT_NEAR(epsteinPetersonLossDb(p, Antennas), 2 * 11.5906627465, 1e-9);
}

// Antennas 1 km above flat ground on a curved earth: no method finds a loss.
TEST(ClearPath, EveryMethodGivesNoLoss) {
    Profile p = valley();
    const PathInputs high{1000.0, 1000.0, 8500e3, Frequency, Polarization::Vertical, 0.5};
    EXPECT_EQ(bullingtonLossDb(p, high), 0.0);
    EXPECT_EQ(deltaBullington(p, high).lossDb, 0.0);
    EXPECT_EQ(deygoutLossDb(p, high), 0.0);
    EXPECT_EQ(epsteinPetersonLossDb(p, high), 0.0);
}

// The earth's bulge counts as ground: 40 km of sea-level profile under
// antennas 40 m up is clear on a flat earth; on a 6371 km earth it rises
// d1 d2 / (2 ae) = 31.39 m at the middle, nu = -8.61 sqrt(2 d / (lambda d1 d2)).
TEST(ClearPath, TheEarthBulgeObstructs) {
    Profile p;
    for (int i = 0; i <= 40; ++i) {
        p.distanceM.push_back(1000.0 * i);
        p.heightM.push_back(0.0);
    }
    PathInputs in{40.0, 40.0, FlatEarth, Frequency, Polarization::Horizontal, 0.0};
    EXPECT_EQ(deygoutLossDb(p, in), 0.0);
    EXPECT_EQ(bullingtonLossDb(p, in), 0.0);
    in.effectiveEarthRadiusM = 6371e3;
    const double middleNu = -8.6109 * std::sqrt(2.0 * 40e3 / (Wavelength * 20e3 * 20e3));
    EXPECT_NEAR(edgeNu(p, in, 20), middleNu, 1e-4);
    EXPECT_GE(deygoutLossDb(p, in), knifeEdgeLossDb(middleNu));
    EXPECT_GT(bullingtonLossDb(p, in), knifeEdgeLossDb(middleNu));
}

} // namespace
} // namespace tarsel::terrain
