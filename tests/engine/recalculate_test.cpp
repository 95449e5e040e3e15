#include "engine/recalculate.h"

#include "sig6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace tarsel {
namespace {

using test::sig6;

struct FigureRow {
    const char* name;
    double value;
    const char* expected;
};

void expectFigures(const FigureRow* begin, const FigureRow* end) {
    for (const FigureRow* r = begin; r != end; ++r) {
        EXPECT_EQ(sig6(r->value), r->expected) << r->name;
    }
}

TEST(Recalculate, Defaults) {
    const LinkResults r = recalculate(LinkParams{});
    // clang-format off
    const FigureRow rows[] = {
        {"knifeEdgeV",          r.knifeEdgeV,              "1.61712"},
        {"knifeEdgeDb",         r.knifeEdgeDb,             "-0.00560548"},
        {"smoothHillExcessDb",  r.smoothHillExcessDb,      "0"},
        {"roughHillExcessDb",   r.roughHillExcessDb,       "0"},
        {"none margin",         r.noDiffraction.marginDb,  "17.7463"},
        {"none maxRange",       r.noDiffraction.maxRange,  "771.467"},
        {"smooth margin",       r.smoothHill.marginDb,     "17.7407"},
        {"smooth maxRange",     r.smoothHill.maxRange,     "770.969"},
        {"rough margin",        r.roughHill.marginDb,      "17.7407"},
        {"rough maxRange",      r.roughHill.maxRange,      "770.969"},
        {"v2ipOneMicrovolt",    r.v2ipOneMicrovolt,        "55.995"},
        {"v3ipOneMicrovolt",    r.v3ipOneMicrovolt,        "74.66"},
        {"v4ipOneMicrovolt",    r.v4ipOneMicrovolt,        "83.9925"},
        {"v2ipMinRx",           r.v2ipMinRx,               "63.4886"},
        {"v3ipMinRx",           r.v3ipMinRx,               "84.6515"},
        {"v4ipMinRx",           r.v4ipMinRx,               "95.2329"},
        {"vb2",                 r.vb2,                     "80.9925"},
        {"vb3",                 r.vb3,                     "88.825"},
        {"vb4",                 r.vb4,                     "91.9913"},
        {"sfdrMinRxDb",         r.sfdrMinRxDb,             "131.091"},
        {"sfdrNoiseFloorDb",    r.sfdrNoiseFloorDb,        "139.758"},
        {"wavelength",          r.wavelength,              "0.122367"},
        {"thermalNoiseW",       r.thermalNoiseW,           "4.002e-15"},
        {"minRxPowerW",         r.minRxPowerW,             "6.34274e-13"},
        {"minRxPowerDensity",   r.minRxPowerDensity,       "1.33708e-10"},
        {"minRxField",          r.minRxField,              "0.000224514"},
        {"knifeEdgeD1",         r.knifeEdgeD1,             "50"},
        {"knifeEdgeH",          r.knifeEdgeH,              "-2"},
        {"knifeEdgeD2",         r.knifeEdgeD2,             "50"},
        {"diffractionAngle",    r.diffractionAngle,        "-0.08"},
    }; // reference tables for the defaults
    // clang-format on
    expectFigures(std::begin(rows), std::end(rows));
}

TEST(Recalculate, HillAtFiveMetres) {
    LinkParams p;
    p.y02s.value = 5;
    const LinkResults r = recalculate(p);
    // clang-format off
    const FigureRow rows[] = {
        {"knifeEdgeH",          r.knifeEdgeH,              "3"},
        {"knifeEdgeV",          r.knifeEdgeV,              "-2.42568"},
        {"knifeEdgeDb",         r.knifeEdgeDb,             "-20.7083"},
        {"diffractionAngle",    r.diffractionAngle,        "0.12"},
        {"smoothHillExcessDb",  r.smoothHillExcessDb,      "-1.59072"},
        {"roughHillExcessDb",   r.roughHillExcessDb,       "-1.01969"},
        {"none margin",         r.noDiffraction.marginDb,  "17.7463"},
        {"smooth margin",       r.smoothHill.marginDb,     "-4.55268"},
        {"rough margin",        r.roughHill.marginDb,      "-3.98165"},
        {"none maxRange",       r.noDiffraction.maxRange,  "771.467"},
        {"smooth maxRange",     r.smoothHill.maxRange,     "59.2061"},
        {"rough maxRange",      r.roughHill.maxRange,      "63.2292"},
    }; // reference table, defaults with y02s = 5
    // clang-format on
    expectFigures(std::begin(rows), std::end(rows));
}

bool sameBits(const LinkResults& a, const LinkResults& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(Recalculate, SwitchesAndColumnWidthDoNotChangeResults) {
    LinkParams p;
    p.y02s.value = 5;
    const LinkResults base = recalculate(p);
    p.nHillType = 7;
    p.bDiffract = 1;
    p.XColWid.value = 40;
    EXPECT_TRUE(sameBits(recalculate(p), base));
}

TEST(Recalculate, GeometryUsesDistancesBudgetsUseRange) {
    LinkParams p;
    p.Range.value = 200; // settings file out of step with X12s + X23s = 100
    const LinkResults r = recalculate(p);
    EXPECT_EQ(sig6(r.knifeEdgeD1), "50");
    EXPECT_EQ(sig6(r.knifeEdgeD2), "50");
    EXPECT_EQ(sig6(r.knifeEdgeV), "1.61712");
    // Free space at twice the range: 6.02 dB less margin.
    EXPECT_EQ(sig6(r.noDiffraction.marginDb), "11.7257");
    EXPECT_EQ(sig6(r.noDiffraction.maxRange), "771.467");
}

TEST(Recalculate, TopBelowLineOnlyKnifeEdgeDiffers) {
    LinkParams p;
    p.y02s.value = 1.5;
    const LinkResults r = recalculate(p);
    EXPECT_EQ(r.smoothHill.rxPowerW, r.roughHill.rxPowerW);
    EXPECT_EQ(r.smoothHill.marginDb, r.roughHill.marginDb);
    EXPECT_EQ(r.smoothHill.maxRange, r.roughHill.maxRange);
    EXPECT_NEAR(r.smoothHill.marginDb, r.noDiffraction.marginDb + r.knifeEdgeDb, 1e-12);
}

TEST(Recalculate, ZeroBandwidthSparesTheIntermodulationLevels) {
    LinkParams p;
    p.Bw.value = 0;
    const LinkResults r = recalculate(p);
    EXPECT_EQ(r.minRxPowerW, 0.0);
    for (double x : {r.v2ipMinRx, r.v3ipMinRx, r.v4ipMinRx, r.sfdrMinRxDb, r.sfdrNoiseFloorDb}) {
        EXPECT_FALSE(std::isfinite(x));
    }
    // clang-format off
    const FigureRow rows[] = {
        {"v2ipOneMicrovolt",  r.v2ipOneMicrovolt,  "55.995"},
        {"v3ipOneMicrovolt",  r.v3ipOneMicrovolt,  "74.66"},
        {"v4ipOneMicrovolt",  r.v4ipOneMicrovolt,  "83.9925"},
        {"vb2",               r.vb2,               "80.9925"},
        {"vb3",               r.vb3,               "88.825"},
        {"vb4",               r.vb4,               "91.9913"},
    }; // unaffected: same as the defaults
    // clang-format on
    expectFigures(std::begin(rows), std::end(rows));
}

TEST(Recalculate, DegenerateGeometryStaysLocal) {
    LinkParams p;
    p.X12s.value = 0;
    p.X23s.value = 0; // Rx on top of Tx
    const LinkResults r = recalculate(p);
    EXPECT_FALSE(std::isfinite(r.knifeEdgeDb));
    EXPECT_FALSE(std::isfinite(r.smoothHill.marginDb));
    EXPECT_EQ(sig6(r.noDiffraction.marginDb), "17.7463");
    EXPECT_EQ(sig6(r.sfdrMinRxDb), "131.091");
}

// Obstruction far above the line (v = -1000): the knife-edge loss keeps
// growing instead of folding back as a coarse quadrature would.
TEST(Recalculate, TowerBetweenTheAntennas) {
    LinkParams p;
    // v = -h sqrt(2 (d1 + d2) / (lambda d1 d2)) = -1000 for h = 1000/sqrt(4/(50 lambda))
    const double lambda = 2.998e8 / 2.45e9;
    p.y02s.value = 2 + 1000 / std::sqrt(4 / (50 * lambda));
    const LinkResults r = recalculate(p);
    EXPECT_EQ(sig6(r.knifeEdgeV), "-1000");
    EXPECT_EQ(sig6(r.knifeEdgeDb), "-72.9533"); // mpmath: -72.9532974105
}

} // namespace
} // namespace tarsel
