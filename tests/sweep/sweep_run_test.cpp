#include "engine/recalculate.h"
#include "sweep/sweep.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

namespace tarsel {
namespace {

// The obstruction at 30 m of a 100 m path: a ratio a wrong coupling loses.
LinkParams offCentre() {
    LinkParams p;
    p.X12s.value = 30;
    p.X23s.value = 70;
    p.y02s.value = 3;
    return p;
}

std::vector<SweepPoint> collect(const SweepPlan& plan, unsigned threads = 0) {
    std::vector<SweepPoint> points;
    SweepOptions options;
    options.threads = threads;
    const SweepOutcome outcome = runSweep(
        offCentre(), plan,
        [&](const SweepPoint& p) {
            points.push_back(p);
            return true;
        },
        options);
    EXPECT_EQ(outcome.end, SweepEnd::Completed) << outcome.message;
    EXPECT_EQ(outcome.delivered, static_cast<std::int64_t>(points.size()));
    return points;
}

struct CouplingRow {
    SweepPlan plan;
    double range, x12, x23; // at the last point
};

TEST(SweepRun, EachPointIsCoupledAsTypingIt) {
    // clang-format off
    const CouplingRow rows[] = {
        {{"Range", 10, 1000, 5, false}, 1000, 300, 700}, // distances keep 30:70
        {{"X12s", 10, 50, 5, false},    120,  50,  70},  // range follows
        {{"x23s", 10, 50, 5, false},    80,   30,  50},
        {{"Pt", -10, 10, 5, false},     100,  30,  70},  // nothing else moves
    };
    // clang-format on
    for (const CouplingRow& row : rows) {
        const std::vector<SweepPoint> points = collect(row.plan);
        ASSERT_EQ(points.size(), 5U) << row.plan.key;
        const LinkParams& last = points.back().params;
        EXPECT_DOUBLE_EQ(last.Range.value, row.range) << row.plan.key;
        EXPECT_DOUBLE_EQ(last.X12s.value, row.x12) << row.plan.key;
        EXPECT_DOUBLE_EQ(last.X23s.value, row.x23) << row.plan.key;
        // Every point starts from the base, not from the point before.
        const LinkParams& second = points[1].params;
        EXPECT_DOUBLE_EQ(second.Range.value, second.X12s.value + second.X23s.value);
        if (row.plan.key == "Range") {
            EXPECT_DOUBLE_EQ(second.X12s.value / second.Range.value, 0.3);
        }
    }
}

TEST(SweepRun, ResultsAreThoseOfTheRecalculation) {
    const std::vector<SweepPoint> points = collect({"y02s", -5, 5, 11, false});
    for (const SweepPoint& p : points) {
        EXPECT_EQ(p.params.y02s.value, p.value);
        const LinkResults direct = recalculate(p.params);
        EXPECT_EQ(p.results.knifeEdgeDb, direct.knifeEdgeDb) << p.index;
        EXPECT_EQ(p.results.smoothHill.marginDb, direct.smoothHill.marginDb) << p.index;
    }
}

TEST(SweepRun, EveryPointArrivesOnceInOrderWhateverTheThreads) {
    // Point counts that leave a short last block, and more threads than blocks.
    const std::int64_t counts[] = {2, 3, 1001, 10007};
    for (const unsigned threads : {1U, 2U, 3U, 8U}) {
        for (const std::int64_t n : counts) {
            const SweepPlan plan{"Range", 1, 100000, n, false};
            const std::vector<SweepPoint> points = collect(plan, threads);
            ASSERT_EQ(static_cast<std::int64_t>(points.size()), n) << threads;
            for (std::int64_t i = 0; i < n; ++i) {
                ASSERT_EQ(points[static_cast<std::size_t>(i)].index, i) << threads << " " << n;
                ASSERT_EQ(points[static_cast<std::size_t>(i)].value, sweepValue(plan, i));
            }
            EXPECT_EQ(points.back().params.Range.value, 100000) << threads << " " << n;
        }
    }
}

TEST(SweepRun, ProgressEndsAtTheTotal) {
    SweepControl control;
    SweepOptions options;
    options.control = &control;
    std::int64_t lastDone = -1;
    std::int64_t calls = 0;
    options.progress = [&](std::int64_t done, std::int64_t total) {
        EXPECT_GT(done, lastDone);
        EXPECT_EQ(total, 5000);
        lastDone = done;
        ++calls;
    };
    runSweep(
        LinkParams{}, {"Pt", 0, 1, 5000, false}, [](const SweepPoint&) { return true; }, options);
    EXPECT_EQ(lastDone, 5000);
    EXPECT_GT(calls, 1);
    EXPECT_EQ(control.done(), 5000);
    EXPECT_EQ(control.total(), 5000);
}

TEST(SweepRun, CancelStopAndInvalidEndTheRun) {
    const SweepPlan big{"Range", 1, 1e5, MaxSweepPoints, false};
    // Cancelled from another thread while the sink is being fed.
    SweepControl control;
    SweepOptions options;
    options.control = &control;
    std::thread canceller;
    const SweepOutcome cancelled = runSweep(
        LinkParams{}, big,
        [&](const SweepPoint& p) {
            if (p.index == 1000) {
                canceller = std::thread([&] { control.cancel(); });
            }
            return true;
        },
        options);
    canceller.join();
    EXPECT_EQ(cancelled.end, SweepEnd::Cancelled);
    EXPECT_LT(cancelled.delivered, MaxSweepPoints);

    const SweepOutcome stopped =
        runSweep(LinkParams{}, big, [](const SweepPoint& p) { return p.index < 41; });
    EXPECT_EQ(stopped.end, SweepEnd::Stopped);
    EXPECT_EQ(stopped.delivered, 42);

    EXPECT_THROW(runSweep(LinkParams{}, big,
                          [](const SweepPoint& p) -> bool {
                              if (p.index == 7) {
                                  throw std::runtime_error("sink failed");
                              }
                              return true;
                          }),
                 std::runtime_error);

    // A distance that would push the range past its bounds is refused first.
    LinkParams far;
    far.X23s.value = DblMax;
    const SweepOutcome overflow =
        runSweep(far, {"X12s", 0, DblMax, 3, false}, [](const SweepPoint&) { return true; });
    EXPECT_EQ(overflow.end, SweepEnd::Invalid);
    EXPECT_EQ(overflow.message.substr(0, 40), "TO: the range would be out of bounds: Nu");
    EXPECT_EQ(checkSweepFrom(far, {"X12s", 0, 0, 3, false}).problem, SweepProblem::None);

    std::int64_t calls = 0;
    const SweepOutcome invalid = runSweep(LinkParams{}, {"Range", -1, 1, 5, false},
                                          [&](const SweepPoint&) { return ++calls, true; });
    EXPECT_EQ(invalid.end, SweepEnd::Invalid);
    EXPECT_EQ(invalid.message.substr(0, 15), "FROM: Number -1");
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace tarsel
