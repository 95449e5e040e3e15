#pragma once
// The elevation rasters named on the command line: files, zip archives and
// folders. A folder gives every georeferenced raster in it (and in the
// archives in it), whatever the files are called: their coverage comes from
// their geotransforms.

#include "dem/dem_progress.h"
#include "dem/elevation_grid.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarsel::dem {

// Which rasters of a folder or archive to keep open (all when empty).
using GridFilter = std::function<bool(const ElevationGrid&)>;

// Each raster opened once, in the order named (a folder's files by name);
// those in a folder or archive that keep refuses are closed again. Throws
// DemError naming the path that is missing, unreadable, or a folder or
// archive without a raster. progress, when given, hears of each file opened
// (an archive counts as one).
std::vector<std::unique_ptr<ElevationGrid>> openRasters(const std::vector<std::string>& paths,
                                                        const GridFilter& keep = {},
                                                        const DemProgress& progress = {});

} // namespace tarsel::dem
