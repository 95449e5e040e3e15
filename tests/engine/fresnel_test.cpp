#include "engine/diffraction.h"

#include "sig6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tarsel {
namespace {

using test::sig6;

constexpr float Step = 0.00390625f;

double knifeEdgeDbAt(double v) {
    const double C = fresnelIntegral(v, FresnelCosine, Step);
    const double S = fresnelIntegral(v, FresnelSine, Step);
    const double a = -0.5 - S;
    const double b = -0.5 - C;
    return 20.0 * std::log10(std::sqrt(0.5 * (a * a + b * b)));
}

// Integrals near the origin, from the quadrature with its stated step.
struct SmallArgRow {
    double x;
    const char* c;
    const char* s;
};

TEST(FresnelIntegral, ReferenceValuesBySimpsonRule) {
    // clang-format off
    const SmallArgRow rows[] = {
        {-1.0,  "-0.779893",  "-0.438259"}, // reference table, v = -1
        {1.0,   "0.779893",   "0.438259"},  // odd symmetry of the same row
        {0.0,   "0",          "0"},         // n = 2, h = 0
    };
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(sig6(fresnelIntegral(r.x, FresnelCosine, Step)), r.c) << "x = " << r.x;
        EXPECT_EQ(sig6(fresnelIntegral(r.x, FresnelSine, Step)), r.s) << "x = " << r.x;
    }
}

TEST(FresnelIntegral, OddInXExactly) {
    const double xs[] = {1e-9, 0.3, 1.0, 2.5, 15.999, 16.0, 16.000001, 37.2, 1000.0, 1e9};
    for (double x : xs) {
        for (int kind : {0, 1}) {
            EXPECT_EQ(fresnelIntegral(-x, kind, Step), -fresnelIntegral(x, kind, Step))
                << "x = " << x << " kind " << kind;
        }
    }
}

TEST(FresnelIntegral, OtherKindGivesZero) {
    const double xs[] = {0.0, 1.0, -2.0, 16.0, 16.5, -1000.0};
    for (double x : xs) {
        EXPECT_EQ(fresnelIntegral(x, 2, Step), 0.0) << "x = " << x;
        EXPECT_EQ(fresnelIntegral(x, -1, Step), 0.0) << "x = " << x;
    }
}

TEST(FresnelIntegral, NonFiniteArgumentGivesNaN) {
    const double inf = std::numeric_limits<double>::infinity();
    const double xs[] = {inf, -inf, std::numeric_limits<double>::quiet_NaN()};
    for (double x : xs) {
        EXPECT_TRUE(std::isnan(fresnelIntegral(x, FresnelCosine, Step))) << x;
        EXPECT_TRUE(std::isnan(fresnelIntegral(x, FresnelSine, Step))) << x;
        EXPECT_TRUE(std::isnan(knifeEdgeDbAt(x))) << x;
    }
}

// True Fresnel integrals (pi t^2 / 2 under the integral) from mpmath at 40
// digits: mpmath.fresnelc(x), mpmath.fresnels(x).
struct TrueValueRow {
    double x;
    double c;
    double s;
    double tol;
};

TEST(FresnelIntegral, LargeArgumentsMatchTrueIntegrals) {
    // clang-format off
    const TrueValueRow rows[] = {
        // x          C(x)                   S(x)                   tol
        {16.0,        0.499975263956500419,  0.480105724380901025,  2e-7},  // last Simpson point
        {16.0000001,  0.499975363956500419,  0.480105724381152352,  1e-12}, // first asymptotic
        {16.5,        0.50736167237605391,   0.482168412102374495,  1e-12}, // mpmath
        {20.0,        0.499987334972344388,  0.484084535925953893,  1e-12}, // mpmath
        {100.0,       0.499999898678817898,  0.496816901147837553,  1e-12}, // mpmath
        {1000.0,      0.499999999898678816,  0.499681690113816306,  1e-12}, // mpmath
        {5000.0,      0.499999999999189431,  0.499936338022763242,  1e-12}, // mpmath
        {12345.678,   0.500023334695268516,  0.500010966329906806,  1e-12}, // mpmath, phase off round values
        {1e6,         0.5,                   0.499999681690113816,  1e-12}, // mpmath
        {1e12,        0.5,                   0.49999999999968169,   1e-12}, // mpmath
        {1e200,       0.5,                   0.5,                   0.0},   // x^2 overflows
    };
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_NEAR(fresnelIntegral(r.x, FresnelCosine, Step), r.c, r.tol) << "x = " << r.x;
        EXPECT_NEAR(fresnelIntegral(r.x, FresnelSine, Step), r.s, r.tol) << "x = " << r.x;
        EXPECT_NEAR(fresnelIntegral(-r.x, FresnelCosine, Step), -r.c, r.tol) << "x = " << -r.x;
    }
}

// The two methods meet at |x| = 16: the step across the boundary is no larger
// than the change of the integral itself over a hair of x plus the quadrature
// error of the 1/256 step there.
TEST(FresnelIntegral, ContinuousAcrossMethodBoundary) {
    const double at = 16.0;
    const double above = std::nextafter(16.0, 20.0);
    for (int kind : {0, 1}) {
        const double jump = fresnelIntegral(above, kind, Step) - fresnelIntegral(at, kind, Step);
        EXPECT_LT(std::fabs(jump), 2e-7) << "kind " << kind;
        EXPECT_LT(std::fabs(fresnelIntegral(-above, kind, Step) - fresnelIntegral(-at, kind, Step)),
                  2e-7)
            << "kind " << kind;
    }
    EXPECT_NEAR(knifeEdgeDbAt(-16.0), knifeEdgeDbAt(std::nextafter(-16.0, -20.0)), 1e-4);
    EXPECT_NEAR(knifeEdgeDbAt(16.0), knifeEdgeDbAt(std::nextafter(16.0, 20.0)), 1e-6);
}

// Knife-edge figure 20 log10 F from the integrals.
struct KnifeEdgeRow {
    double v;
    const char* db;
};

TEST(FresnelIntegral, KnifeEdgeFigureReferenceValues) {
    // clang-format off
    const KnifeEdgeRow rows[] = {
        {-1.0,     "-13.8641"},    // reference table
        {1.0,      "1.00105"},     // reference table
        {2.0,      "-0.736589"},   // reference table
        {-3.0,     "-22.5218"},    // reference table
        {0.5,      "-1.85862"},    // obstruction just below the line
        {0.0,      "-6.0206"},     // top on the line: F = 0.5
        {-16.5,    "-37.303"},     // mpmath: -37.3030059771
        {16.5,     "-0.0448934"},  // mpmath: -0.0448933664462
        {-100.0,   "-52.9533"},    // mpmath: -52.9532974325
        {-1000.0,  "-72.9533"},    // mpmath: -72.9532974105
        {5000.0,   "-0.00027648"}, // mpmath: -0.000276480457543
        {-1e6,     "-132.953"},    // mpmath: -132.953297411
    };
    // clang-format on
    for (const auto& r : rows) {
        EXPECT_EQ(sig6(knifeEdgeDbAt(r.v)), r.db) << "v = " << r.v;
    }
    EXPECT_DOUBLE_EQ(knifeEdgeDbAt(0.0), -6.020599913279624); // F = 0.5 exactly
}

// Line clearing the top: the figure ripples about 0 with its largest gain of
// about +1.37 dB near v = 1.22.
TEST(FresnelIntegral, KnifeEdgeRipplePeak) {
    double bestV = 0.0;
    double bestDb = -1e9;
    for (int i = 0; i <= 400; ++i) {
        const double v = i * 0.01;
        const double db = knifeEdgeDbAt(v);
        if (db > bestDb) {
            bestDb = db;
            bestV = v;
        }
    }
    EXPECT_NEAR(bestDb, 1.37, 0.01);
    EXPECT_NEAR(bestV, 1.22, 0.02);
}

} // namespace
} // namespace tarsel
