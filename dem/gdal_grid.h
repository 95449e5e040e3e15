#pragma once
// Elevation grids read through GDAL: band 1 of a raster, its posts placed by
// its geotransform, reprojected from WGS84 when its coordinate system is
// another one.

#include "dem/elevation_grid.h"

#include <memory>
#include <string>

namespace tarsel::dem {

enum class OpenMode {
    Required, // any fault is an error
    IfRaster  // a file that is not a georeferenced raster gives nullptr
};

// Opens the raster at path (a GDAL name: a file, or /vsizip/... inside an
// archive), named displayName in messages. siblings, when given, names the
// files of its folder (a null-terminated list), so that GDAL need not list
// the folder again for each of many tiles. siblings, when given, names the
// files of its folder (a null-terminated list), so that GDAL need not list
// the folder again for each of many tiles. Throws DemError when it cannot be
// read, has no place on the earth, or its coordinate system cannot be reached
// from WGS84.
std::unique_ptr<ElevationGrid> openGdalGrid(const std::string& path, const std::string& displayName,
                                            OpenMode mode, char** siblings = nullptr);

} // namespace tarsel::dem
