#include "engine/recalculate.h"
#include "sweep/sweep.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tarsel {

// One run: workers claim blocks of consecutive points in order and fill the
// ring slot of their block; the running thread hands the blocks to the sink in
// order and frees their slots. A worker never runs more than the ring's
// length ahead of the sink, which bounds memory whatever the number of points.
class SweepRun {
public:
    SweepRun(const LinkParams& base, const SweepPlan& plan, const SweepOptions& options)
        : base_(base), plan_(plan), field_(sweepField(plan)), options_(options) {
        unsigned threads = options.threads;
        if (threads == 0) {
            threads = std::max(1U, std::thread::hardware_concurrency());
        }
        // Blocks small enough to share the work out and report progress often,
        // big enough that the hand-over costs nothing next to the computing.
        const std::int64_t perThread = plan.points / (4 * static_cast<std::int64_t>(threads));
        blockSize_ = std::clamp<std::int64_t>(perThread, 1, 512);
        blocks_ = (plan.points + blockSize_ - 1) / blockSize_;
        threads = static_cast<unsigned>(std::min<std::int64_t>(threads, blocks_));
        slots_.resize(std::min<std::int64_t>(2 * threads + 1, blocks_));
        for (Slot& slot : slots_) {
            slot.points.resize(static_cast<std::size_t>(blockSize_));
        }
        if (options.control != nullptr) {
            options.control->total_.store(plan.points, std::memory_order_relaxed);
            options.control->done_.store(0, std::memory_order_relaxed);
        }
        workers_.reserve(threads);
        for (unsigned i = 0; i < threads; ++i) {
            workers_.emplace_back([this] { work(); });
        }
    }

    ~SweepRun() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        spaceFreed_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
    }

    SweepRun(const SweepRun&) = delete;
    SweepRun& operator=(const SweepRun&) = delete;

    SweepOutcome deliver(const SweepSink& sink) {
        SweepOutcome outcome;
        for (std::int64_t block = 0; block < blocks_; ++block) {
            Slot& slot = slotOf(block);
            {
                std::unique_lock lock(mutex_);
                blockReady_.wait(lock, [&] { return slot.ready; });
            }
            const std::int64_t count = pointsIn(block);
            for (std::int64_t i = 0; i < count; ++i) {
                if (cancelled()) {
                    outcome.end = SweepEnd::Cancelled;
                    return outcome;
                }
                const bool more = sink(slot.points[static_cast<std::size_t>(i)]);
                ++outcome.delivered;
                if (!more) {
                    outcome.end = SweepEnd::Stopped;
                    return outcome;
                }
            }
            {
                const std::lock_guard lock(mutex_);
                slot.ready = false;
                ++consumed_;
            }
            spaceFreed_.notify_all();
            reportProgress(outcome.delivered);
        }
        return outcome;
    }

private:
    struct Slot {
        std::vector<SweepPoint> points;
        bool ready = false;
    };

    // The last block may be short.
    std::int64_t pointsIn(std::int64_t block) const {
        return std::min(blockSize_, plan_.points - block * blockSize_);
    }

    Slot& slotOf(std::int64_t block) {
        return slots_[static_cast<std::size_t>(block % static_cast<std::int64_t>(slots_.size()))];
    }

    bool cancelled() const { return options_.control != nullptr && options_.control->cancelled(); }

    void reportProgress(std::int64_t delivered) {
        if (options_.control != nullptr) {
            options_.control->done_.store(delivered, std::memory_order_relaxed);
        }
        if (options_.progress) {
            options_.progress(delivered, plan_.points);
        }
    }

    void work() {
        const auto window = static_cast<std::int64_t>(slots_.size());
        for (;;) {
            std::int64_t block = 0;
            {
                std::unique_lock lock(mutex_);
                spaceFreed_.wait(
                    lock, [&] { return stop_ || next_ >= blocks_ || next_ < consumed_ + window; });
                if (stop_ || next_ >= blocks_) {
                    return;
                }
                block = next_++;
            }
            Slot& slot = slotOf(block);
            compute(block, slot);
            {
                const std::lock_guard lock(mutex_);
                slot.ready = true;
            }
            blockReady_.notify_one();
        }
    }

    void compute(std::int64_t block, Slot& slot) const {
        const std::int64_t first = block * blockSize_;
        const std::int64_t count = pointsIn(block);
        for (std::int64_t i = 0; i < count && !cancelled(); ++i) {
            SweepPoint& point = slot.points[static_cast<std::size_t>(i)];
            point.index = first + i;
            point.value = sweepValue(plan_, point.index);
            point.params = base_;
            if (options_.evaluate) {
                options_.evaluate(point);
                continue;
            }
            applySweepValue(point.params, field_, point.value);
            point.results = recalculate(point.params);
        }
    }

    const LinkParams& base_;
    const SweepPlan& plan_;
    const int field_;
    const SweepOptions& options_;
    std::int64_t blockSize_ = 1;
    std::int64_t blocks_ = 0;
    std::vector<Slot> slots_;
    std::vector<std::thread> workers_;

    std::mutex mutex_;
    std::condition_variable blockReady_; // a slot was filled
    std::condition_variable spaceFreed_; // a slot was emptied, or stop
    std::int64_t next_ = 0;              // first block no worker has claimed
    std::int64_t consumed_ = 0;          // blocks handed to the sink
    bool stop_ = false;
};

SweepOutcome runSweep(const LinkParams& base, const SweepPlan& plan, const SweepSink& sink,
                      const SweepOptions& options) {
    const bool callersKey = options.evaluate && sweepField(plan) < 0;
    if (SweepCheck check = callersKey ? SweepCheck{} : checkSweepFrom(base, plan); !check) {
        return SweepOutcome{SweepEnd::Invalid, 0, std::move(check.message)};
    }
    SweepRun run(base, plan, options);
    return run.deliver(sink);
}

} // namespace tarsel
