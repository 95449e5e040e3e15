#pragma once
// A sweep: the link evaluated at many values of one input, computed in
// parallel on worker threads and handed back in order, in bounded memory.

#include "engine/link_params.h"
#include "engine/link_results.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

inline constexpr std::int64_t MinSweepPoints = 2;
inline constexpr std::int64_t MaxSweepPoints = 10'000'000;

struct SweepPlan {
    std::string key;         // settings key of one of the 19 numeric fields, any letter case
    double from = 0.0;       // value of the first point, exactly
    double to = 0.0;         // value of the last point, exactly
    std::int64_t points = 0; // MinSweepPoints..MaxSweepPoints
    bool log = false;        // logarithmic spacing: from and to nonzero and of one sign
};

// What is wrong with a sweep, so that a form can point at the culprit.
enum class SweepProblem { None, Malformed, UnknownKey, NotSweepable, From, To, Points, LogRange };

struct SweepCheck {
    SweepProblem problem = SweepProblem::None;
    std::string message; // empty when problem is None
    explicit operator bool() const { return problem == SweepProblem::None; }
};

// Checks everything before any work. Bounds are those of typing the value in
// its box, with the same message ("Number ... out of range:[...]").
SweepCheck checkSweep(const SweepPlan& plan);

// checkSweep, and that sweeping a distance from base keeps the range it makes
// (the sum of the distances) within the range's bounds, as a typed distance
// must. runSweep checks this before any work.
SweepCheck checkSweepFrom(const LinkParams& base, const SweepPlan& plan);

// An input beside the settings keys that a caller sweeps itself (through
// SweepOptions::evaluate), with its inclusive bounds.
struct ExtraSweepKey {
    std::string_view key; // matched in any letter case
    double lo = 0.0;
    double hi = 0.0;
};

// "KEY=FROM:TO:N" as on the command line; FROM and TO are read and checked as
// typed text, so messages quote them as written. The plan is set when sound.
// KEY is a numeric settings key or one of extras (the plan then spells it as
// the table does).
SweepCheck parseSweepArgument(std::string_view text, bool log, SweepPlan& plan,
                              std::span<const ExtraSweepKey> extras = {});

// FieldIndex of plan.key, or -1 when it names none of the 19 numeric fields.
int sweepField(const SweepPlan& plan);

// From, To and spacing to offer when an input is chosen for a sweep, around
// value (its present value) and within its bounds: a decade either side,
// logarithmic, for frequencies, bandwidths and distances; a span in the
// input's unit either side (10 dB, 100 K, 1 for the law, 10 m or the height
// itself for heights) for the others. A zero distance or frequency gets 0 to
// ten times the input's default, linear.
struct SweepRange {
    double from = 0.0;
    double to = 0.0;
    bool log = false;
};
SweepRange proposeSweepRange(int field, double value);

// Value of point index (0..points-1): from at 0 and to at points-1 exactly,
// evenly spaced in value (linear) or in its logarithm (log) between.
double sweepValue(const SweepPlan& plan, std::int64_t index);

// The swept field set to value as an accepted typed entry sets it, with the
// coupling of range and distances. value must be within the field's bounds.
void applySweepValue(LinkParams& params, int field, double value);

struct SweepPoint {
    std::int64_t index = 0;
    double value = 0.0;
    LinkParams params;
    LinkResults results;
    std::vector<double> extra; // what SweepOptions::evaluate adds, for extra columns
};

// Shared between the thread running the sweep and others (a window's thread):
// cancel() from anywhere; done()/total() read the progress from anywhere.
class SweepControl {
public:
    void cancel() noexcept { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const noexcept { return cancelled_.load(std::memory_order_relaxed); }
    std::int64_t done() const noexcept { return done_.load(std::memory_order_relaxed); }
    std::int64_t total() const noexcept { return total_.load(std::memory_order_relaxed); }

private:
    friend class SweepRun;
    std::atomic<bool> cancelled_{false};
    std::atomic<std::int64_t> done_{0};
    std::atomic<std::int64_t> total_{0};
};

struct SweepOptions {
    unsigned threads = 0;            // worker threads; 0: one per core
    SweepControl* control = nullptr; // optional cancellation and progress
    // Called on the running thread after each block of delivered points.
    std::function<void(std::int64_t done, std::int64_t total)> progress;
    // When set, computes each point in place of taking its value into the
    // swept field and recalculating: it gets the point with index and value
    // set and params holding base. Called on worker threads at once. The plan
    // of a key outside the settings is then the caller's to check.
    std::function<void(SweepPoint& point)> evaluate;
};

enum class SweepEnd { Completed, Cancelled, Stopped, Invalid };

struct SweepOutcome {
    SweepEnd end = SweepEnd::Completed;
    std::int64_t delivered = 0; // points handed to the sink
    std::string message;        // what is wrong when end is Invalid
};

// Returns false to stop the sweep after this point.
using SweepSink = std::function<bool(const SweepPoint&)>;

// Runs the sweep from base: every point starts from base, takes its value as
// a typed entry would, and is recalculated. Points reach sink in index order,
// on the calling thread; a few blocks are in flight at any time, whatever the
// number of points. An exception thrown by sink stops the workers and
// propagates.
SweepOutcome runSweep(const LinkParams& base, const SweepPlan& plan, const SweepSink& sink,
                      const SweepOptions& options = {});

} // namespace tarsel
