#pragma once
// Elevation rasters written by the tests themselves, through GDAL or byte by
// byte, into a temporary folder.

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace demtest {

// The height of post (col, row).
using PostHeights = std::function<double(int col, int row)>;

struct RasterSpec {
    int cols = 0;
    int rows = 0;
    std::array<double, 6> geotransform{}; // GDAL's: pixel corners
    std::string srs;                      // "EPSG:4326", a WKT, or "" for none
    std::optional<double> noData;
};

// A Float32 GeoTIFF at path.
void writeGeoTiff(const std::string& path, const RasterSpec& spec, const PostHeights& heights);

// An SRTM tile named like N47E008.hgt (posts on whole degrees, size x size,
// big-endian 16-bit), written byte by byte. path may be a /vsizip/ name.
void writeHgt(const std::string& path, int size, const PostHeights& heights);

// A fresh temporary folder, removed at exit of the test process.
std::string tempFolder();

} // namespace demtest
