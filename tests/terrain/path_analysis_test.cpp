// A terrain path worked through: clearance, verdict, the main obstacle as the
// link's hill and the terrain case's margin.

#include "engine/recalculate.h"
#include "terrain/path_analysis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace tarsel;
using namespace tarsel::terrain;

namespace {

constexpr double Flat = std::numeric_limits<double>::infinity();

Profile profile(std::vector<double> d, std::vector<double> h) {
    return Profile{std::move(d), std::move(h)};
}

PathInputs inputs(double tx, double rx, double ae, double f = 9e8) {
    PathInputs in;
    in.txHeightAmslM = tx;
    in.rxHeightAmslM = rx;
    in.effectiveEarthRadiusM = ae;
    in.frequencyHz = f;
    return in;
}

} // namespace

TEST(TerrainClearance, MidPathPointWorkedByHand) {
    // 10 km at 900 MHz, k = 4/3: bulge 5000 x 5000 / (2 x 8494666.67 m),
    // line of sight 125 m, F1 sqrt(0.333111 x 2500).
    const Profile p = profile({0, 5000, 10000}, {100, 120, 100});
    const ClearancePoint c =
        clearanceAt(p, inputs(130, 120, effectiveEarthRadiusM(DefaultKFactor)), 1);
    EXPECT_DOUBLE_EQ(c.bulgeM, 1.4715115366504474);
    EXPECT_DOUBLE_EQ(c.lineOfSightM, 125.0);
    EXPECT_DOUBLE_EQ(c.clearanceM, 3.5284884633495466);
    EXPECT_DOUBLE_EQ(c.fresnelRadiusM, 28.85788935070924);
    EXPECT_DOUBLE_EQ(c.fresnelFraction, 0.12227118970718581);
    EXPECT_TRUE(std::isnan(clearanceAt(p, inputs(130, 120, Flat), 0).fresnelFraction));
}

TEST(TerrainClearance, VerdictByTheWorstFresnelFraction) {
    // Flat earth, antennas at 100 m, F1 at mid-path 28.858 m: the middle
    // point's height sets the fraction.
    struct Row {
        double middle;
        Verdict verdict;
    };
    const Row rows[] = {
        {0.0, Verdict::Clear},          // 100 m below the line
        {100.0 - 17.4, Verdict::Clear}, // 0.603 of the zone
        {100.0 - 17.2, Verdict::Marginal},
        {100.0, Verdict::Marginal}, // grazing: 0 clearance
        {100.5, Verdict::Obstructed},
    };
    for (const Row& row : rows) {
        const Profile p = profile({0, 2500, 5000, 7500, 10000}, {0, 0, row.middle, 0, 0});
        const PathClearance c = pathClearance(p, inputs(100, 100, Flat));
        EXPECT_EQ(c.verdict, row.verdict) << row.middle;
        EXPECT_EQ(c.worstIndex, 2U) << row.middle;
    }
}

TEST(TerrainClearance, WorstPointIsTheLeastFractionNotTheLeastMetres) {
    // 5 m clear where the zone is 12.6 m (0.40), 10 m where it is 28.9 m (0.35).
    const Profile p = profile({0, 500, 5000, 10000}, {0, 95, 90, 0});
    const PathClearance c = pathClearance(p, inputs(100, 100, Flat));
    EXPECT_EQ(c.worstIndex, 2U);
    EXPECT_DOUBLE_EQ(c.worst.clearanceM, 10.0);
    // Ground above the line is obstructed even at no frequency (no zone).
    const Profile ridge = profile({0, 5000, 10000}, {0, 101, 0});
    EXPECT_EQ(pathClearance(ridge, inputs(100, 100, Flat, 0.0)).verdict, Verdict::Obstructed);
}

TEST(TerrainHill, SingleEdgeGivesTheEnginesKnifeEdge) {
    // One edge on a flat earth and on a curved one: the derived hill's
    // knife-edge v is the edge's nu (the engine counts v negative when
    // obstructed; it uses the exact speed of light and the perpendicular).
    for (const double ae : {Flat, effectiveEarthRadiusM(DefaultKFactor)}) {
        const Profile p = profile({0, 1000, 4000, 7000, 10000}, {0, 5, 60, 5, 0});
        LinkParams params;
        params.Rhill.value = 7.0;
        PathSetup setup;
        setup.txHeightM = 30.0;
        setup.rxHeightM = 20.0;
        setup.earthRadiusM = ae;
        PathAnalysis path;
        ASSERT_EQ(analysePath(p, setup, params, path), "");
        EXPECT_EQ(path.obstacle.index, 2U);
        const double bulge = std::isinf(ae) ? 0.0 : 4000.0 * 6000.0 / (2.0 * ae);
        EXPECT_EQ(path.params.X12s.value, 4000.0);
        EXPECT_EQ(path.params.X23s.value, 6000.0);
        EXPECT_EQ(path.params.Range.value, 10000.0);
        EXPECT_EQ(path.params.y01s.value, 30.0);
        EXPECT_DOUBLE_EQ(path.params.y02s.value, 60.0 + bulge);
        EXPECT_EQ(path.params.y03s.value, 20.0);
        EXPECT_EQ(path.params.Rhill.value, 7.0);
        EXPECT_NEAR(-path.results.knifeEdgeV, path.obstacle.nu, 1e-4 * path.obstacle.nu);
        EXPECT_GT(path.obstacle.nu, 1.0);
        // The terrain case: the no-diffraction link less the terrain loss.
        EXPECT_NEAR(path.terrain.marginDb, path.results.noDiffraction.marginDb - path.lossDb, 1e-9);
    }
}

TEST(TerrainHill, DerivedInputOutOfBoundsIsAnErrorNotACrash) {
    const Profile p = profile({0, 1, 2}, {1e308, 0, 1e308});
    PathSetup setup;
    setup.txHeightM = 1e308;
    PathAnalysis path;
    EXPECT_EQ(analysePath(p, setup, LinkParams(), path),
              "the path's main obstacle gives y01s = inf, outside its bounds "
              "-1.7976931348623157e+308 .. 1.7976931348623157e+308");
}
