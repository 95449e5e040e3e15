#include "sweep/sweep.h"

#include "engine/param_table.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tarsel {
namespace {

struct ArgumentRow {
    const char* text;
    bool log;
    SweepProblem problem;
    const char* message; // exact, or empty to check only the problem
};

TEST(SweepPlan, ArgumentsAreCheckedAsTypedEntries) {
    // clang-format off
    const ArgumentRow rows[] = {
        {"Range=1:1e5:1000",     false, SweepProblem::None,         ""},
        {"range=1:1e5:2",        false, SweepProblem::None,         ""},
        {"Pt=-10:10:10000000",   false, SweepProblem::None,         ""},
        {"fcent=1e6:1e10:50",    true,  SweepProblem::None,         ""},
        {"y02s=-1:-100:5",       true,  SweepProblem::None,         ""},
        {"Range",                false, SweepProblem::Malformed,    "expected KEY=FROM:TO:N, got 'Range'"},
        {"Range=1:2",            false, SweepProblem::Malformed,    ""},
        {"Range=1:2:3:4",        false, SweepProblem::Malformed,    ""},
        {"Rang=1:2:3",           false, SweepProblem::UnknownKey,   "unknown key 'Rang'"},
        {"nhilltype=0:1:2",      false, SweepProblem::NotSweepable, "'nHillType' is not a numeric field and cannot be swept"},
        {"Pt=abc:1:2",           false, SweepProblem::From,         "FROM: Invalid number format: abc"},
        {"Pt=:1:2",              false, SweepProblem::From,         "FROM is empty"},
        {"Pt=-301:1:2",          false, SweepProblem::From,         "FROM: Number -301 out of range:[                -300,                 120]"},
        {"Pt=1:120.5:2",         false, SweepProblem::To,           "TO: Number 120.5 out of range:[                -300,                 120]"},
        {"Range=1:1e999:2",      false, SweepProblem::To,           ""},
        {"Pt=1:2:1",             false, SweepProblem::Points,       "N must be a whole number from 2 to 10000000, got '1'"},
        {"Pt=1:2:10000001",      false, SweepProblem::Points,       ""},
        {"Pt=1:2:99999999999999999999", false, SweepProblem::Points, ""},
        {"Pt=1:2:3.5",           false, SweepProblem::Points,       ""},
        {"Pt=1:2:",              false, SweepProblem::Points,       ""},
        {"Pt=-1:1:3",            true,  SweepProblem::LogRange,     "a logarithmic sweep needs FROM and TO both above 0 or both below 0; -1:1 touches or crosses 0"},
        {"Range=0:10:3",         true,  SweepProblem::LogRange,     ""},
        {"Pt=-10:0:3",           true,  SweepProblem::LogRange,     ""},
    };
    // clang-format on
    for (const ArgumentRow& row : rows) {
        SweepPlan plan;
        const SweepCheck check = parseSweepArgument(row.text, row.log, plan);
        EXPECT_EQ(check.problem, row.problem) << row.text << ": " << check.message;
        if (*row.message != '\0') {
            EXPECT_EQ(check.message, row.message) << row.text;
        }
        EXPECT_EQ(check.problem == SweepProblem::None, plan.points != 0) << row.text;
        EXPECT_EQ(bool(checkSweep(plan)), check.problem == SweepProblem::None) << row.text;
    }
}

TEST(SweepPlan, ParsedSpecUsesTheStoredKeySpelling) {
    SweepPlan plan;
    ASSERT_TRUE(parseSweepArgument("x12S=1:2.5:7", false, plan));
    EXPECT_EQ(plan.key, "X12s");
    EXPECT_EQ(plan.from, 1.0);
    EXPECT_EQ(plan.to, 2.5);
    EXPECT_EQ(plan.points, 7);
    EXPECT_EQ(sweepField(plan), FieldX12s);
}

TEST(SweepPlan, SpecBuiltInCodeIsCheckedToo) {
    EXPECT_EQ(checkSweep({"Bw", 0, 1e13, 5, false}).message,
              "TO: Number 1e+13 out of range:[                   0,              1e+012]");
    EXPECT_EQ(checkSweep({"Bl", 0, 1, 5, false}).problem, SweepProblem::None);
    EXPECT_EQ(checkSweep({"Bl", 0, 1, 5, true}).problem, SweepProblem::LogRange);
    EXPECT_EQ(checkSweep({"XColWid", 10, 20, 5, false}).problem, SweepProblem::NotSweepable);
}

struct ValueRow {
    SweepPlan plan;
    double middle; // value at points / 2
};

TEST(SweepPlan, PointsRunFromFromToToExactly) {
    // clang-format off
    const ValueRow rows[] = {
        {{"Range", 1, 100000, 1000000, false}, 1 + 99999 * (500000.0 / 999999)},
        {{"Range", 0.1, 0.3, 3, false},        0.2},
        {{"Pt", 10, -10, 5, false},            0},
        {{"y02s", -DblMax, DblMax, 3, false},  0},
        {{"fcent", 1e6, 1e10, 5, true},        1e8},
        {{"y02s", -1e-300, -1e300, 3, true},   -1},
        {{"Range", 3, 3, 4, true},             3},
        {{"Range", 1, 1 + 0x1p-40, 1000, false}, 1 + 0x1p-41},   // exact sums, ends close
        {{"Range", 1, 1 + 0x1p-50, 1000, false}, 1 + 0x1p-51},   // beyond exact sums
        {{"y02s", -DblMax, -DblMax / 4, 5, false}, -DblMax * 0.625}, // products overflow
    };
    // clang-format on
    for (const ValueRow& row : rows) {
        const SweepPlan& s = row.plan;
        EXPECT_EQ(sweepValue(s, 0), s.from) << s.key;
        EXPECT_EQ(sweepValue(s, s.points - 1), s.to) << s.key;
        EXPECT_NEAR(sweepValue(s, s.points / 2), row.middle, 1e-9 * std::abs(row.middle) + 1e-12)
            << s.key;
        // Strictly on one side of the previous point, never beyond the ends.
        const double step = s.to > s.from ? 1 : -1;
        double previous = s.from;
        for (std::int64_t i = 1; i < std::min<std::int64_t>(s.points, 1000); ++i) {
            const double v = sweepValue(s, i);
            EXPECT_GE((v - previous) * step, 0) << s.key << " " << i;
            previous = v;
        }
    }
}

struct GridRow {
    const char* key;
    double from, to;
    bool log;
    std::vector<double> values; // every point, as a user types them
};

TEST(SweepPlan, GridsOfRepresentableValuesComeOutExact) {
    // clang-format off
    const GridRow rows[] = {
        {"Pt",    -40,  20,    false, {-40, -30, -20, -10, 0, 10, 20}},
        {"Range", 0.5,  1.5,   false, {0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.1, 1.2, 1.3, 1.4, 1.5}},
        {"Pt",    10,   -10,   false, {10, 5, 0, -5, -10}},
        {"fcent", 1e6,  1e10,  true,  {1e6, 1e7, 1e8, 1e9, 1e10}},
        {"fcent", 1e20, 1e25,  true,  {1e20, 1e21, 1e22, 1e23, 1e24, 1e25}},
        {"y02s",  -1e3, -1e-3, true,  {-1e3, -1e2, -1e1, -1, -1e-1, -1e-2, -1e-3}},
    };
    // clang-format on
    for (const GridRow& row : rows) {
        const auto points = static_cast<std::int64_t>(row.values.size());
        const SweepPlan plan{row.key, row.from, row.to, points, row.log};
        for (std::int64_t i = 0; i < points; ++i) {
            EXPECT_EQ(sweepValue(plan, i), row.values[static_cast<std::size_t>(i)])
                << row.key << " point " << i;
        }
    }
}

TEST(SweepPlan, ProposedRangesAroundAnyValueAreSweepsTheCheckTakes) {
    // At each bound, at zero, the smallest positive double and the default:
    // never out of bounds, never a logarithmic sweep through or from zero.
    for (int field = 0; field < FieldCount; ++field) {
        const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
        for (const double value : {info.lo, info.hi, 0.0, 5e-324, info.defaultValue}) {
            if (value < info.lo || value > info.hi) {
                continue;
            }
            const SweepRange r = proposeSweepRange(field, value);
            const SweepCheck check = checkSweep({std::string(info.key), r.from, r.to, 201, r.log});
            EXPECT_TRUE(check) << info.key << " at " << value << ": " << check.message;
            EXPECT_NE(r.from, r.to) << info.key << " at " << value;
        }
    }
    const SweepRange f = proposeSweepRange(FieldFcent, 2.45e9);
    EXPECT_EQ((std::tuple{f.from, f.to, f.log}), (std::tuple{2.45e8, 2.45e10, true}));
    const SweepRange nf = proposeSweepRange(FieldNf, 3.0);
    EXPECT_EQ((std::tuple{nf.from, nf.to, nf.log}), (std::tuple{0.0, 13.0, false}));
}

} // namespace
} // namespace tarsel
