#include "dem/path_sampling.h"

#include "dem/dem_error.h"
#include "dem/void_fill.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarsel::dem {

namespace {

// The step of the finite difference that measures post spacing [m].
constexpr double ProbeStepM = 1.0;

std::string pointName(double distanceM, const GeoPoint& point) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, distanceM, std::chars_format::fixed, 1).ptr;
    return "at " + std::string(text, end) + " m along the path (" + formatPoint(point) + ")";
}

std::string failure(const Sample& sample) {
    switch (sample.status) {
    case SampleStatus::Void:
        return "a void (no-data post) in " + sample.grid->name();
    case SampleStatus::VoidTooLarge:
        return "a void in " + sample.grid->name() + " with no valid post within " +
               std::to_string(MaxFillRadius) + " posts to fill it from";
    default:
        return "no elevation data";
    }
}

} // namespace

std::optional<double> postSpacingAlongM(const ElevationSampler& sampler, const GeodesicPath& path) {
    const double length = path.lengthM();
    const double step = std::min(ProbeStepM, length / 2.0);
    for (const double d : {length / 2.0, step / 2.0, length - step / 2.0}) {
        PostPosition a;
        PostPosition b;
        const ElevationGrid* grid = sampler.gridAt(path.at(d - step / 2.0), &a);
        if (grid == nullptr || sampler.gridAt(path.at(d + step / 2.0), &b) != grid) {
            continue;
        }
        const double posts = std::hypot(b.col - a.col, b.row - a.row);
        if (posts > 0.0 && std::isfinite(step / posts)) {
            return step / posts;
        }
    }
    return std::nullopt;
}

SampledProfile samplePath(ElevationSampler& sampler, const GeodesicPath& path,
                          std::optional<double> spacingM, const DemProgress& progress) {
    SampledProfile out;
    // Outside the data everywhere probed: the first point then names the fault.
    out.bearingDeg = path.bearingDeg();
    out.spacingM =
        spacingM ? *spacingM : postSpacingAlongM(sampler, path).value_or(path.lengthM() / 2.0);
    const std::vector<double> distances = path.evenDistances(out.spacingM);
    out.profile.distanceM = distances;
    out.profile.heightM.reserve(distances.size());
    out.points.reserve(distances.size());
    const std::size_t filledBefore = sampler.filledPosts();
    ProgressSteps steps(progress, DemStage::SamplingPath, distances.size());
    for (const double d : distances) {
        const GeoPoint point = path.at(d);
        Sample sample;
        try {
            sample = sampler.heightAt(point);
        } catch (const DemError& e) {
            throw DemError(pointName(d, point) + ": " + e.what());
        }
        if (sample.status != SampleStatus::Ok) {
            throw DemError(pointName(d, point) + ": " + failure(sample),
                           sample.status == SampleStatus::Void ? DemError::Kind::Void
                                                               : DemError::Kind::Other);
        }
        out.profile.heightM.push_back(sample.heightM);
        out.points.push_back(point);
        steps.advance();
    }
    out.filledVoids = sampler.filledPosts() - filledBefore;
    return out;
}

} // namespace tarsel::dem
