#pragma once
// How far a long sampling has come, for whoever shows progress: the rasters
// opened of those named (a folder's files one by one), then the points
// sampled of the path's.

#include <algorithm>
#include <cstddef>
#include <functional>

namespace tarsel::dem {

enum class DemStage { OpeningRasters, SamplingPath };

// done of total steps of stage are finished.
using DemProgress = std::function<void(DemStage stage, std::size_t done, std::size_t total)>;

// Counts the steps of one stage and tells report at the first, after about
// every hundredth and at the last, so a million points make about a hundred
// reports.
class ProgressSteps {
public:
    ProgressSteps(const DemProgress& report, DemStage stage, std::size_t total)
        : report_(report), stage_(stage), total_(total),
          every_(std::max<std::size_t>(1, total / 100)) {
        if (report_) {
            report_(stage_, 0, total_);
        }
    }

    void advance() {
        ++done_;
        if (report_ && (done_ % every_ == 0 || done_ == total_)) {
            report_(stage_, done_, total_);
        }
    }

private:
    const DemProgress& report_;
    DemStage stage_;
    std::size_t total_;
    std::size_t every_;
    std::size_t done_ = 0;
};

} // namespace tarsel::dem
