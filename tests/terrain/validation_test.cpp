// The methods against ITU-R Study Group 3's published validation results for
// P.452-18 and P.1812, on two of its profiles kept under data/.

#include "validation_profile.h"

#include "terrain/diffraction_methods.h"
#include "terrain/smooth_earth.h"

#include <gtest/gtest.h>

namespace tarsel::terrain {
namespace {

struct MedianCase {
    const char* profile;
    double txAmslM, rxAmslM, earthRadiusKm, frequencyGHz, seaFraction;
    Polarization polarization;
    double sphericalEarthDb, lossDb; // Ldsph, Ld50
};

// clang-format off
constexpr Polarization H = Polarization::Horizontal;
constexpr Polarization V = Polarization::Vertical;

constexpr MedianCase MedianCases[] = {
    // profile          tx     rx     ae [km]      f [GHz]      sea      pol Ldsph         Ld50
    {"rburg_96km.csv",  407,   515,   8401.694267, 0.1,         0.0,     H,  47.83694683,  61.32569211},  // P.452-18 rburg_rural_no_clutter
    {"rburg_96km.csv",  407,   515,   8401.694267, 0.25,        0.0,     H,  50.27846848,  64.36040205},  // same
    {"rburg_96km.csv",  407,   515,   8401.694267, 6.0,         0.0,     H,  96.90743345,  111.02417345}, // same
    {"rburg_96km.csv",  407,   515,   8401.694267, 50.0,        0.0,     H,  184.27972959, 198.29649885}, // same
    {"mixed_109km.csv", 50,    193,   9617.759615, 0.1,         43/109., H,  32.182197,    39.424675},    // P.452-18 mixed_109km
    {"mixed_109km.csv", 50,    193,   9617.759615, 0.2,         43/109., H,  32.522670,    40.803891},    // same
    {"mixed_109km.csv", 50,    193,   9617.759615, 2.562890625, 43/109., H,  47.047550,    56.688312},    // same
    {"mixed_109km.csv", 50,    193,   9617.759615, 50.0,        43/109., H,  106.195798,   115.703574},   // same
    {"sea_235km.csv",   814.4, 118.3, 8648.087375, 0.1,         0.91,    V,  42.57378304,  42.49573911},  // P.452-18 b2iseac_eqdist_no_clutter
    {"sea_235km.csv",   814.4, 118.3, 8648.087375, 0.25,        0.91,    V,  52.34069841,  52.26053143},  // same
    {"sea_235km.csv",   814.4, 118.3, 8648.087375, 1.0,         0.91,    V,  75.58872785,  75.50899989},  // same
    {"sea_235km.csv",   814.4, 118.3, 8648.087375, 10.0,        0.91,    V,  150.87918731, 150.80088676}, // same
    {"sea_235km.csv",   814.4, 118.3, 8648.087375, 50.0,        0.91,    V,  251.00731075, 250.92944775}, // same
    {"flat_5km.csv",    10,    10,    9617.759615, 0.1,         0.0,     V,  19.997201,    19.997201},    // P.452-18 flat_land_5km
    {"flat_5km.csv",    10,    10,    9617.759615, 0.3375,      0.0,     V,  10.324146,    10.324146},    // same
    {"flat_5km.csv",    10,    10,    9617.759615, 1.1390625,   0.0,     V,  0.591527,     0.591527},     // same
    {"flat_5km.csv",    10,    10,    9617.759615, 1.70859375,  0.0,     V,  0.0,          0.0},          // same
};
// clang-format on

class MedianLoss : public testing::TestWithParam<MedianCase> {};

TEST_P(MedianLoss, MatchesPublishedLd50AndSphericalEarthPart) {
    const MedianCase& c = GetParam();
    const Profile profile = test::validationProfile(c.profile);
    const PathInputs in{c.txAmslM,      c.rxAmslM,    c.earthRadiusKm * 1e3, c.frequencyGHz * 1e9,
                        c.polarization, c.seaFraction};
    const DeltaBullington r = deltaBullington(profile, in);
    EXPECT_NEAR(r.sphericalEarthDb, c.sphericalEarthDb, 0.001);
    EXPECT_NEAR(r.lossDb, c.lossDb, 0.001);
}

INSTANTIATE_TEST_SUITE_P(Sg3Validation, MedianLoss, testing::ValuesIn(MedianCases));

// P.1812's 96.2 km rural path at 98.2 MHz: every part of the method.
TEST(DeltaBullington, MatchesP1812RuralExampleInEveryPart) {
    const Profile profile = test::validationProfile("rburg_96km.csv");
    const DeltaBullington r =
        deltaBullington(profile, {407, 515, 8930.776786e3, 98.2e6, Polarization::Horizontal, 0});
    EXPECT_NEAR(r.bullingtonDb, 35.86385024, 0.01);
    EXPECT_NEAR(r.smoothBullingtonDb, 22.040605, 0.01);
    EXPECT_NEAR(r.sphericalEarthDb, 46.71595924, 0.01);
    EXPECT_NEAR(r.lossDb, 60.53920448, 0.01);
    EXPECT_NEAR(r.txEffectiveHeightM, 407 - 362.5381701, 1e-6); // hts - hstd
    EXPECT_NEAR(r.rxEffectiveHeightM, 515 - 495.9202499, 1e-6); // hrs - hsrd
}

// The smooth surface before and after the obstacle correction (hst, hsr,
// hstd, hsrd of the published logs).
TEST(SmoothEarth, MatchesPublishedSurfaceHeights) {
    const SmoothEarth rural = smoothEarth(test::validationProfile("rburg_96km.csv"), 407, 515);
    EXPECT_NEAR(rural.txSurfaceM, 408.6449283, 1e-6);
    EXPECT_NEAR(rural.rxSurfaceM, 496.8550717, 1e-6);
    EXPECT_NEAR(rural.txDiffractionM, 362.538170, 1e-6);
    EXPECT_NEAR(rural.rxDiffractionM, 495.920250, 1e-6);
    const SmoothEarth mixed = smoothEarth(test::validationProfile("mixed_109km.csv"), 50, 193);
    EXPECT_NEAR(mixed.txDiffractionM, 4.868950, 1e-6);
    EXPECT_NEAR(mixed.rxDiffractionM, 66.222793, 1e-6);
    const SmoothEarth sea = smoothEarth(test::validationProfile("sea_235km.csv"), 814.4, 118.3);
    EXPECT_NEAR(sea.txDiffractionM, 79.862993, 1e-6);
    EXPECT_NEAR(sea.rxDiffractionM, -36.496243, 1e-6);
}

} // namespace
} // namespace tarsel::terrain
