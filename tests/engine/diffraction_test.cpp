#include "engine/diffraction.h"

#include "sig6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tarsel {
namespace {

using test::sig6;

struct GeometryRow {
    PathPoint tx, rx, top;
    const char* d1;
    const char* h;
    const char* d2;
};

TEST(ObstructionGeometry, ReferenceProfiles) {
    // clang-format off
    const GeometryRow rows[] = {
        // tx      rx          top        d1         h           d2
        {{0, 10},  {100, 30},  {40, 25},  "42.165",  "6.86406",  "59.8154"}, // sloped line
        {{0, 2},   {100, 2},   {50, 0},   "50",      "-2",       "50"},      // defaults
        {{0, 2},   {100, 2},   {50, 5},   "50",      "3",        "50"},      // defaults, hill at 5 m
        {{0, 2},   {100, 2},   {50, 2},   "50",      "0",        "50"},      // top on the line
    };
    // clang-format on
    for (const auto& r : rows) {
        const ObstructionGeometry g = obstructionGeometry(r.tx, r.rx, r.top);
        EXPECT_EQ(sig6(g.knifeEdgeD1), r.d1) << "top " << r.top.x << "," << r.top.y;
        EXPECT_EQ(sig6(g.knifeEdgeH), r.h) << "top " << r.top.x << "," << r.top.y;
        EXPECT_EQ(sig6(g.knifeEdgeD2), r.d2) << "top " << r.top.x << "," << r.top.y;
    }
}

TEST(ObstructionGeometry, DegenerateProfilesAreNotFinite) {
    // Rx above Tx at zero distance: no line to drop a perpendicular on.
    const ObstructionGeometry g = obstructionGeometry({0, 2}, {0, 2}, {0, 0});
    EXPECT_FALSE(std::isfinite(g.knifeEdgeH));
    EXPECT_FALSE(std::isfinite(g.knifeEdgeD1));
}

struct LossRow {
    double h, f, d1, d2, R;
    const char* v;
    const char* knifeDb;
    const char* angle;
    const char* smooth;
    const char* rough;
};

TEST(DiffractionLosses, ReferenceCases) {
    // clang-format off
    const LossRow rows[] = {
        // h  f        d1   d2   R      v            knife-edge      angle     smooth       rough
        {-2,  2.45e9,  50,  50,  0.05,  "1.61712",   "-0.00560548",  "-0.08",  "0",         "0"},        // defaults
        {3,   2.45e9,  50,  50,  0.05,  "-2.42568",  "-20.7083",     "0.12",   "-1.59072",  "-1.01969"}, // hill at 5 m
        {0,   2.45e9,  50,  50,  0.05,  "-0",        "-6.0206",      "0",      "-0",        "-0"},       // top on line
        {3,   2.45e9,  50,  50,  0,     "-2.42568",  "-20.7083",     "0.12",   "-0",        "-0"},       // sharp edge
    };
    // clang-format on
    for (const auto& r : rows) {
        const DiffractionResult d = diffractionLosses(r.h, r.f, r.d1, r.d2, r.R);
        EXPECT_EQ(sig6(d.knifeEdgeV), r.v) << "h = " << r.h;
        EXPECT_EQ(sig6(d.knifeEdgeDb), r.knifeDb) << "h = " << r.h;
        EXPECT_EQ(sig6(d.diffractionAngle), r.angle) << "h = " << r.h;
        EXPECT_EQ(sig6(d.smoothHillExcessDb), r.smooth) << "h = " << r.h;
        EXPECT_EQ(sig6(d.roughHillExcessDb), r.rough) << "h = " << r.h;
    }
}

// Below the line the hill terms are exactly zero; at or above it they are
// losses (negative figures) growing with the angle.
TEST(DiffractionLosses, HillTermsOnlyWhenTopReachesTheLine) {
    const double hs[] = {-1e-9, -0.5, -100};
    for (double h : hs) {
        const DiffractionResult d = diffractionLosses(h, 2.45e9, 50, 50, 10);
        EXPECT_EQ(d.smoothHillExcessDb, 0.0) << h;
        EXPECT_EQ(d.roughHillExcessDb, 0.0) << h;
        EXPECT_TRUE(std::isfinite(d.knifeEdgeDb)) << h;
    }
    const DiffractionResult up = diffractionLosses(1e-9, 2.45e9, 50, 50, 10);
    EXPECT_LT(up.smoothHillExcessDb, 0.0);
    EXPECT_LT(up.smoothHillExcessDb, up.roughHillExcessDb); // smooth hill loses more
}

TEST(DiffractionLosses, DegenerateGeometryIsNotFinite) {
    const DiffractionResult zeroD1 = diffractionLosses(0, 2.45e9, 0, 100, 0.05);
    EXPECT_FALSE(std::isfinite(zeroD1.knifeEdgeV));
    EXPECT_FALSE(std::isfinite(zeroD1.knifeEdgeDb));
    const DiffractionResult negative = diffractionLosses(1, 2.45e9, -10, 110, 0.05);
    EXPECT_FALSE(std::isfinite(negative.knifeEdgeV));
    EXPECT_FALSE(std::isfinite(negative.knifeEdgeDb));
}

struct DegreeRow {
    double rad;
    const char* deg;
};

TEST(RadiansToDegrees, Conversion) {
    // clang-format off
    const DegreeRow rows[] = {
        {0.12,          "6.87549"},  // hill at 5 m: 0.12 rad
        {-0.08,         "-4.58366"}, // defaults: -0.08 rad
        {3.1415926536,  "180"},      // the system's pi
        {0,             "0"},        // no angle
    };
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(sig6(radiansToDegrees(r.rad)), r.deg) << r.rad;
    }
}

} // namespace
} // namespace tarsel
