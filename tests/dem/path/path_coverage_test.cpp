// Of a folder's tiles only those the path meets stay open: a path that
// crosses a tile between two outline points, or passes within two posts of
// it, meets it; one further off does not.

#include "dem/path_coverage.h"

#include <gtest/gtest.h>

namespace {

using tarsel::dem::GeodesicPath;
using tarsel::dem::GeoPoint;
using tarsel::dem::Geotransform;
using tarsel::dem::MemoryGrid;

// 3 x 3 posts, 0.001 degrees apart (about 110 m north-south): far smaller
// than the outline's step.
MemoryGrid smallTile(double westLon, double northLat) {
    return MemoryGrid("tile", 3, 3, Geotransform({westLon, 0.001, 0.0, northLat, 0.0, -0.001}),
                      std::nullopt, std::vector<float>(9, 100.0f));
}

TEST(PathCoverage, KeepsTheTilesThePathMeets) {
    const struct {
        const char* name;
        GeoPoint from, to;
        double tileWest, tileNorth;
        bool meets;
    } cases[] = {
        {"crossed between outline points", {47.0, 8.0}, {48.0, 8.0}, 7.9985, 47.5015, true},
        {"passed within two posts", {47.0, 8.0}, {48.0, 8.0}, 8.0005, 47.5015, true},
        {"passed three posts off its edge", {47.0, 8.0}, {48.0, 8.0}, 8.0030, 47.5015, false},
        {"beyond the path's end", {47.0, 8.0}, {47.4, 8.0}, 7.9985, 47.5015, false},
        {"across the antimeridian", {10.0, 179.9}, {10.0, -179.9}, 179.9995, 10.0015, true},
        {"in longitudes 0 to 360", {10.0, -0.5}, {10.0, 0.5}, 359.9995, 10.0015, true},
    };
    for (const auto& c : cases) {
        const std::vector<GeoPoint> outline = tarsel::dem::pathOutline(GeodesicPath(c.from, c.to));
        EXPECT_EQ(tarsel::dem::outlineMeetsGrid(outline, smallTile(c.tileWest, c.tileNorth)),
                  c.meets)
            << c.name;
    }
}

} // namespace
