#pragma once
// A terrain profile sampled from elevation grids along the geodesic between
// two sites.

#include "dem/dem_progress.h"
#include "dem/elevation_sampler.h"
#include "dem/geodesic_path.h"
#include "terrain/profile.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tarsel::dem {

struct SampledProfile {
    terrain::Profile profile;     // distances from the first site [m], heights amsl [m]
    std::vector<GeoPoint> points; // where each height was taken
    double spacingM = 0.0;        // the spacing asked for, or the data's own [m]
    double bearingDeg = 0.0;      // forward azimuth at the first site [degrees from north]
    std::size_t filledVoids = 0;  // distinct void posts filled from their neighbours
};

// The distance along the path that moves one post spacing through the grid
// at the path's middle (or, outside the data there, at either site) [m];
// nullopt when none of these points lies in the data.
std::optional<double> postSpacingAlongM(const ElevationSampler& sampler, const GeodesicPath& path);

// Samples at most spacingM apart (the data's own spacing when not given).
// Throws DemError naming the point (its distance and coordinates) when it
// lies outside the data or on a void that is not or cannot be filled.
// progress, when given, hears of the points sampled.
SampledProfile samplePath(ElevationSampler& sampler, const GeodesicPath& path,
                          std::optional<double> spacingM, const DemProgress& progress = {});

} // namespace tarsel::dem
