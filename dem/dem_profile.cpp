#include "dem/dem_profile.h"

#include "dem/raster_set.h"

namespace tarsel::dem {

SampledProfile profileFromDem(const DemRequest& request) {
    const GeodesicPath path(request.from,
                            request.to); // the sites first: no file opened for nothing
    ElevationSampler sampler(openRasters(request.rasters), request.fillVoids);
    return samplePath(sampler, path, request.spacingM);
}

} // namespace tarsel::dem
