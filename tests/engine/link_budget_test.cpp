#include "engine/link_budget.h"

#include "sig6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tarsel {
namespace {

using test::sig6;

// The link budget's inputs at their defaults; rows change one or two.
struct Inputs {
    double fcent = 2.45e9, Pt = -10, Gt = 0, Gr = 6, Nf = 6, Bw = 1e6, Mf = 20, extra = 0,
           Temp = 290, Sn = 16, Range = 100, PropLaw = 2, Bl = 0;
    LinkBudgetResult run() const {
        return linkBudget(fcent, Pt, Gt, Gr, Nf, Bw, Mf, extra, Temp, Sn, Range, PropLaw, Bl);
    }
};

TEST(LinkBudget, DefaultsWithoutExtraLoss) {
    const LinkBudgetResult r = Inputs{}.run();
    EXPECT_EQ(sig6(r.wavelength), "0.122367");
    EXPECT_EQ(sig6(r.thermalNoiseW), "4.002e-15");
    EXPECT_EQ(sig6(r.minRxPowerW), "6.34274e-13");
    EXPECT_EQ(sig6(r.minRxPowerDensity), "1.33708e-10");
    EXPECT_EQ(sig6(r.minRxField), "0.000224514");
    EXPECT_EQ(sig6(r.path.rxPowerW), "3.77495e-11");
    EXPECT_EQ(sig6(r.path.rxPowerDensity), "7.95775e-09");
    EXPECT_EQ(sig6(r.path.rxField), "0.00173205");
    EXPECT_EQ(sig6(r.path.marginDb), "17.7463");
    EXPECT_EQ(sig6(r.path.maxRange), "771.467");
}

struct LawRow {
    double law;
    const char* rxPower;
    const char* margin;
    const char* maxRange;
};

TEST(LinkBudget, RangeLaws) {
    // clang-format off
    const LawRow rows[] = {
        // law                    rxPowerW        margin       maxRange
        {2,                       "3.77495e-11",  "17.7463",   "771.467"},      // reference
        {3,                       "3.77495e-13",  "-2.25366",  "84.1159"},      // reference
        {0,                       "3.77495e-07",  "57.7463",   "1.79769e+308"}, // flat: 1 m value
        {2.220446049250313e-16,   "3.77495e-07",  "57.7463",   "1.79769e+308"}, // at the threshold
        {-2.220446049250313e-16,  "3.77495e-07",  "57.7463",   "1.79769e+308"}, // at the threshold
        {-2,                      "0.00377495",   "97.7463",   "0.00129623"},   // 1 m value x 100^2
    };
    // clang-format on
    for (const auto& r : rows) {
        Inputs in;
        in.PropLaw = r.law;
        const LinkBudgetResult b = in.run();
        EXPECT_EQ(sig6(b.path.rxPowerW), r.rxPower) << "law " << r.law;
        EXPECT_EQ(sig6(b.path.marginDb), r.margin) << "law " << r.law;
        EXPECT_EQ(sig6(b.path.maxRange), r.maxRange) << "law " << r.law;
    }
}

// Just outside the zero-law band the range follows the law again: a huge but
// computed range, not the flat-law marker.
TEST(LinkBudget, LawJustOutsideZeroBand) {
    Inputs in;
    in.PropLaw = 4.440892098500626e-16;
    EXPECT_NE(in.run().path.maxRange, 1.7976931348623157e308);
    in.PropLaw = 2.220446049250313e-16;
    EXPECT_EQ(in.run().path.maxRange, 1.7976931348623157e308);
    in.Range = 1e6; // a flat law makes the range irrelevant
    EXPECT_EQ(sig6(in.run().path.rxPowerW), "3.77495e-07");
}

TEST(LinkBudget, ZeroBandwidthOrTemperature) {
    for (int which = 0; which < 2; ++which) {
        Inputs in;
        (which == 0 ? in.Bw : in.Temp) = 0;
        const LinkBudgetResult r = in.run();
        EXPECT_EQ(r.thermalNoiseW, 0.0) << which;
        EXPECT_EQ(r.minRxPowerW, 0.0) << which;
        EXPECT_EQ(r.minRxPowerDensity, 0.0) << which;
        EXPECT_EQ(r.minRxField, 0.0) << which;
        EXPECT_EQ(r.path.marginDb, INFINITY) << which;
        EXPECT_EQ(r.path.maxRange, INFINITY) << which;
        EXPECT_EQ(sig6(r.path.rxPowerW), "3.77495e-11") << which;
        in.PropLaw = -2;
        EXPECT_EQ(in.run().path.maxRange, 0.0) << which;
    }
}

TEST(LinkBudget, NegativeTemperatureGivesNonFiniteFigures) {
    Inputs in;
    in.Temp = -100;
    const LinkBudgetResult r = in.run();
    EXPECT_LT(r.minRxPowerW, 0.0);
    EXPECT_TRUE(std::isnan(r.minRxField));
    EXPECT_TRUE(std::isnan(r.path.marginDb));
    EXPECT_TRUE(std::isnan(r.path.maxRange)); // 1/2 is not a whole number
    EXPECT_TRUE(std::isfinite(r.path.rxPowerW));
    in.PropLaw = 1; // 1/1 is whole: pow of a negative base is defined
    EXPECT_TRUE(std::isfinite(in.run().path.maxRange));
}

TEST(LinkBudget, ZeroRangeGivesInfiniteReceivedPower) {
    Inputs in;
    in.Range = 0;
    const LinkBudgetResult r = in.run();
    EXPECT_EQ(r.path.rxPowerW, INFINITY);
    EXPECT_EQ(r.path.marginDb, INFINITY);
    EXPECT_EQ(sig6(r.path.maxRange), "771.467");
}

TEST(LinkBudget, TenDbMoreLossScalesEveryRangeFigure) {
    const double laws[] = {2, 3, -1.5};
    for (double law : laws) {
        Inputs in;
        in.PropLaw = law;
        const LinkBudgetResult base = in.run();
        in.extra = 10;
        const LinkBudgetResult more = in.run();
        EXPECT_NEAR(more.path.rxPowerW * 10, base.path.rxPowerW, base.path.rxPowerW * 1e-12);
        EXPECT_NEAR(more.path.marginDb, base.path.marginDb - 10, 1e-12);
        EXPECT_NEAR(more.path.maxRange * std::pow(10, 1 / law), base.path.maxRange,
                    base.path.maxRange * 1e-12);
        EXPECT_EQ(more.minRxPowerW, base.minRxPowerW); // independent of the extra loss
    }
}

} // namespace
} // namespace tarsel
