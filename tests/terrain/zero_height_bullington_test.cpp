// Bullington over the smooth surface finds its steepest slopes and its
// largest nu without visiting every point; it must agree with the full
// search over a profile of explicit zeros.

#include "terrain/bullington.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tarsel::terrain {
namespace {

struct ZeroHeightCase {
    const char* what;
    double txM, rxM, earthRadiusM;
};

// clang-format off
constexpr ZeroHeightCase Cases[] = {
    {"beyond the horizon",        10.0,  30.0,  8495e3},
    {"line of sight, near ray",   60.0,  40.0,  8495e3},
    {"line of sight, well clear", 900.0, 500.0, 8495e3},
    {"one end at the surface",    0.0,   80.0,  8495e3},
    {"one end below it",          -20.0, 80.0,  8495e3},
    {"both below it",             -5.0,  -9.0,  8495e3},
    {"flat earth",                10.0,  30.0,  std::numeric_limits<double>::infinity()},
    {"tiny earth",                10.0,  30.0,  1e3},
};
// clang-format on

TEST(ZeroHeightBullington, AgreesWithTheFullSearch) {
    // 40 km, points crowding towards the transmitter.
    std::vector<double> x;
    for (int i = 0; i <= 200; ++i) {
        x.push_back(40e3 * std::pow(i / 200.0, 1.5));
    }
    const std::vector<double> zeros(x.size(), 0.0);
    for (const ZeroHeightCase& c : Cases) {
        for (double wavelength : {0.01, 1.0, 300.0}) {
            const BullingtonPath fast{x, {}, c.txM, c.rxM, c.earthRadiusM, wavelength};
            BullingtonPath full = fast;
            full.heightM = zeros;
            EXPECT_NEAR(bullingtonLossDb(fast), bullingtonLossDb(full), 1e-9)
                << c.what << ", wavelength " << wavelength;
        }
    }
}

} // namespace
} // namespace tarsel::terrain
