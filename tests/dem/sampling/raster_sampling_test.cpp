// Profiles sampled from rasters the tests write: on planes, where bilinear
// interpolation is exact, every height is known at every point, whatever the
// format, the tiling or the coordinate system.

#include "raster_files.h"

#include "dem/dem_profile.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/UTMUPS.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

using demtest::RasterSpec;
using tarsel::dem::DemRequest;
using tarsel::dem::GeoPoint;
using tarsel::dem::profileFromDem;
using tarsel::dem::SampledProfile;

// Geographic tiles of 100 x 100 posts, 0.01 degrees apart, side by side from
// longitude 8 eastwards (pixel areas touching, so the posts of one tile never
// reach the next), latitude 48 down to 47.
constexpr double TileStepDeg = 0.01;
double planeOnTiles(int col, int row) {
    return 200.0 + 3.0 * col + 2.0 * row;
}

std::string writeTile(const std::string& path, int tileIndex, double westLon = 8.0) {
    const RasterSpec spec{100,
                          100,
                          {westLon + tileIndex, TileStepDeg, 0.0, 48.0, 0.0, -TileStepDeg},
                          "EPSG:4326",
                          std::nullopt};
    demtest::writeGeoTiff(path, spec,
                          [&](int c, int r) { return planeOnTiles(c + 100 * tileIndex, r); });
    return path;
}

// The plane over tiles whose first starts at westLon (longitudes past 180
// given as negative ones).
auto expectedOnTiles(double westLon) {
    return [westLon](const GeoPoint& p) {
        const double lon = p.lonDeg < westLon ? p.lonDeg + 360.0 : p.lonDeg;
        return 200.0 + 3.0 * ((lon - westLon) / TileStepDeg - 0.5) +
               2.0 * ((48.0 - p.latDeg) / TileStepDeg - 0.5);
    };
}

// SRTM 3" tile N47E008: posts on whole degrees, 1201 x 1201.
constexpr int HgtSize = 1201;
double planeOnHgt(int col, int row) {
    return 100.0 + col + 2.0 * row;
}
double expectedOnHgt(const GeoPoint& p) {
    return 100.0 + (p.lonDeg - 8.0) * (HgtSize - 1) + 2.0 * (48.0 - p.latDeg) * (HgtSize - 1);
}
std::string writeHgtTile(const std::string& folder) {
    const std::string path = folder + "/N47E008.hgt";
    demtest::writeHgt(path, HgtSize, planeOnHgt);
    return path;
}

// UTM zone 32N, 30 m posts.
constexpr double UtmEast0 = 450000.0;
constexpr double UtmNorth0 = 5280000.0;
double expectedOnUtm(const GeoPoint& p) {
    int zone = 0;
    bool north = false;
    double x = 0.0;
    double y = 0.0;
    GeographicLib::UTMUPS::Forward(p.latDeg, p.lonDeg, zone, north, x, y, 32);
    return 300.0 + 0.5 * ((x - UtmEast0) / 30.0 - 0.5) + 0.25 * ((UtmNorth0 - y) / 30.0 - 0.5);
}

struct PlaneCase {
    const char* name;
    std::function<std::vector<std::string>(const std::string& folder)> write;
    GeoPoint from;
    GeoPoint to;
    std::function<double(const GeoPoint&)> expected;
};

const PlaneCase Planes[] = {
    {"tilted plane, one GeoTIFF",
     [](const std::string& f) { return std::vector{writeTile(f + "/west.tif", 0)}; },
     {47.31, 8.12},
     {47.83, 8.91},
     expectedOnTiles(8.0)},
    {"across two tiles, both named",
     [](const std::string& f) {
         return std::vector{writeTile(f + "/west.tif", 0), writeTile(f + "/east.tif", 1)};
     },
     {47.3, 8.2},
     {47.7, 9.8},
     expectedOnTiles(8.0)},
    {"across two tiles found in a folder by their coverage",
     [](const std::string& f) {
         writeTile(f + "/a_east.tif", 1);
         writeTile(f + "/z_west.tif", 0);
         std::ofstream(f + "/readme.txt") << "not a raster\n";
         return std::vector{f};
     },
     {47.7, 9.8},
     {47.3, 8.2},
     expectedOnTiles(8.0)},
    {"across the antimeridian, tiles in longitudes to 180 and from -180",
     [](const std::string& f) {
         return std::vector{writeTile(f + "/east.tif", 0, 179.0),
                            writeTile(f + "/west.tif", 1, -181.0)};
     },
     {47.3, 179.2},
     {47.7, -179.2},
     expectedOnTiles(179.0)},
    {"longitudes 0 to 360",
     [](const std::string& f) { return std::vector{writeTile(f + "/wide.tif", 0, 359.5)}; },
     {47.3, -0.4},
     {47.7, 0.4},
     expectedOnTiles(-0.5)},
    {"SRTM .hgt, big-endian, posts on whole degrees",
     [](const std::string& f) { return std::vector{writeHgtTile(f)}; },
     {47.0, 8.0},
     {47.98, 8.77},
     expectedOnHgt},
    {"SRTM .hgt in a zip archive",
     [](const std::string& f) {
         demtest::writeHgt("/vsizip/" + f + "/N47E008.hgt.zip/N47E008.hgt", HgtSize, planeOnHgt);
         return std::vector{f + "/N47E008.hgt.zip"};
     },
     {47.2, 8.9},
     {47.6, 8.1},
     expectedOnHgt},
    {"UTM GeoTIFF, reprojected",
     [](const std::string& f) {
         const RasterSpec spec{
             1000, 1000, {UtmEast0, 30.0, 0.0, UtmNorth0, 0.0, -30.0}, "EPSG:32632", std::nullopt};
         demtest::writeGeoTiff(f + "/utm.tif", spec,
                               [](int c, int r) { return 300.0 + 0.5 * c + 0.25 * r; });
         return std::vector{f + "/utm.tif"};
     },
     {47.45, 8.40},
     {47.62, 8.70},
     expectedOnUtm},
};

TEST(RasterSampling, PlanesAreSampledExactly) {
    for (const PlaneCase& c : Planes) {
        SCOPED_TRACE(c.name);
        const std::string folder = demtest::tempFolder();
        const SampledProfile out = profileFromDem({c.write(folder), c.from, c.to, 250.0, false});
        ASSERT_EQ(out.points.size(), out.profile.size());
        EXPECT_EQ(out.points.front().latDeg, c.from.latDeg);
        EXPECT_EQ(out.points.back().lonDeg, c.to.lonDeg);
        for (std::size_t i = 0; i < out.points.size(); ++i) {
            ASSERT_NEAR(out.profile.heightM[i], c.expected(out.points[i]), 1e-6) << "point " << i;
        }
    }
}

// Without a spacing, points are one post spacing apart along the path.
TEST(RasterSampling, DefaultSpacingIsThePostSpacingAlongThePath) {
    const std::string hgt = writeHgtTile(demtest::tempFolder());
    const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
    const double post = 1.0 / (HgtSize - 1);
    const struct {
        GeoPoint from, to;
    } cases[] = {{{47.2, 8.5}, {47.8, 8.5}}, {{47.5, 8.1}, {47.5, 8.9}}};
    for (const auto& c : cases) {
        const SampledProfile out = profileFromDem({{hgt}, c.from, c.to, std::nullopt, false});
        const GeoPoint mid = out.points[out.points.size() / 2];
        double step = 0.0;
        const bool north = c.from.lonDeg == c.to.lonDeg;
        wgs84.Inverse(mid.latDeg, mid.lonDeg, mid.latDeg + (north ? post : 0.0),
                      mid.lonDeg + (north ? 0.0 : post), step);
        EXPECT_NEAR(out.spacingM, step, 1e-3 * step) << (north ? "north" : "east");
        EXPECT_LE(out.profile.distanceM[1], out.spacingM);
        EXPECT_GT(out.profile.distanceM[1], 0.99 * out.spacingM);
    }
}

} // namespace
