#include "engine/diffraction.h"
#include "engine/fresnel_simpson.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace tarsel {
namespace {

constexpr float Step = 0.00390625f;

// The node-by-node sums: the definition the fast evaluation must reproduce.
FresnelPair directSum(double x, float step) {
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const double a = std::fabs(x);
    return {fresnelSimpsonDirect(a, FresnelCosine, step, sign),
            fresnelSimpsonDirect(a, FresnelSine, step, sign)};
}

double knifeEdgeDb(FresnelPair cs) {
    const double a = -0.5 - cs.s;
    const double b = -0.5 - cs.c;
    return 20.0 * std::log10(std::sqrt(0.5 * (a * a + b * b)));
}

double relativeError(double fast, double direct) {
    return fast == direct ? 0.0 : std::fabs(fast - direct) / std::fabs(direct);
}

// Largest relative error of C and S, and largest knife-edge difference [dB].
struct Drift {
    double rel = 0.0;
    double db = 0.0;
    double worstX = 0.0;

    void add(double x, float step = Step) {
        const FresnelPair fast = fresnelIntegrals(x, step);
        const FresnelPair ref = directSum(x, step);
        const double e = std::max(relativeError(fast.c, ref.c), relativeError(fast.s, ref.s));
        if (!(e <= rel)) {
            rel = e;
            worstX = x;
        }
        db = std::max(db, std::fabs(knifeEdgeDb(fast) - knifeEdgeDb(ref)));
    }
};

// 10^5 arguments in four slices, so that the test runner spreads them.
class FastSimpsonSlice : public testing::TestWithParam<int> {};

TEST_P(FastSimpsonSlice, FollowsDirectSumOverRandomArguments) {
    std::mt19937_64 gen(20261207 + GetParam());
    std::uniform_real_distribution<double> uniform(-16.0, 16.0);
    Drift d;
    for (int i = 0; i < 25000; ++i) {
        d.add(uniform(gen));
    }
    EXPECT_LT(d.rel, 1e-13) << "worst at x = " << d.worstX;
    EXPECT_LT(d.db, 1e-11);
}

INSTANTIATE_TEST_SUITE_P(FresnelSimpson, FastSimpsonSlice, testing::Range(0, 4));

struct EdgeRow {
    double x;
    float step;
    const char* why;
};

TEST(FresnelSimpson, FastSumFollowsDirectSumAtEdges) {
    // clang-format off
    const EdgeRow rows[] = {
        {0.0,                Step,          "n = 2, h = 0"},
        {5e-324,             Step,          "smallest n, h subnormal"},
        {1e-8,               Step,          "S about 5e-25: no leak from C into S"},
        {1.0 / 512,          Step,          "n = 2, h = 1/1024"},
        {1.0 / 256,          Step,          "n = 2"},
        {-1.0 / 256,         Step,          "n = 2, negative"},
        {0.0078125000001,    Step,          "n = 4"},
        {1.0 / 32,           Step,          "n = 8: whole blocks, no partial one"},
        {0.25,               Step,          "n = 64"},
        {1.6,                Step,          "near the defaults"},
        {16.0,               Step,          "n = 4096, last Simpson point"},
        {-16.0,              Step,          "n = 4096, negative"},
        {16.0,               0.0009765625f, "n = 16384: longest blocks"},
    };
    // clang-format on
    for (const auto& r : rows) {
        Drift d;
        d.add(r.x, r.step);
        EXPECT_LE(d.rel, 1e-13) << "x = " << r.x << ": " << r.why;
        EXPECT_LE(d.db, 1e-11) << "x = " << r.x << ": " << r.why;
    }
    Drift small; // S ~ x^3 / 2 falls far below C ~ x near the origin
    for (double x = 1e-6; x < 1.0; x *= 1.01) {
        small.add(x);
    }
    EXPECT_LT(small.rel, 1e-13) << "worst at x = " << small.worstX;
}

TEST(FresnelSimpson, NoCountableStepGivesNaN) {
    const FresnelPair cs = fresnelIntegrals(8.0, 1e-30f);
    EXPECT_TRUE(std::isnan(cs.c));
    EXPECT_TRUE(std::isnan(cs.s));
    EXPECT_TRUE(std::isnan(fresnelSimpsonDirect(8.0, FresnelCosine, 1e-30f, 1.0)));
}

} // namespace
} // namespace tarsel
