#pragma once
// A terrain profile between two sites from elevation rasters.

#include "dem/dem_progress.h"
#include "dem/path_sampling.h"

#include <optional>
#include <string>
#include <vector>

namespace tarsel::dem {

struct DemRequest {
    std::vector<std::string> rasters; // files, zip archives or folders
    GeoPoint from;                    // first site (distance 0)
    GeoPoint to;                      // second site
    std::optional<double> spacingM;   // at most this far apart; the data's own when not given
    bool fillVoids = false;           // voids from their neighbours instead of an error
};

// Throws DemError with a message for the user. progress, when given, hears
// of the rasters opened and the points sampled.
SampledProfile profileFromDem(const DemRequest& request, const DemProgress& progress = {});

} // namespace tarsel::dem
