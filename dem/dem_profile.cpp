#include "dem/dem_profile.h"

#include "dem/path_coverage.h"
#include "dem/raster_set.h"

namespace tarsel::dem {

SampledProfile profileFromDem(const DemRequest& request, const DemProgress& progress) {
    const GeodesicPath path(request.from,
                            request.to); // the sites first: no file opened for nothing
    // Of a folder's tiles only those the path meets stay open.
    const std::vector<GeoPoint> outline = pathOutline(path);
    ElevationSampler sampler(
        openRasters(
            request.rasters,
            [&](const ElevationGrid& grid) { return outlineMeetsGrid(outline, grid); }, progress),
        request.fillVoids);
    return samplePath(sampler, path, request.spacingM, progress);
}

} // namespace tarsel::dem
