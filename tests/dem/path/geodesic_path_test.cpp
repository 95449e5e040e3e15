// The path between two sites follows the WGS84 geodesic: its length is
// GeographicLib's inverse solution, and every sampled point lies on it at its
// distance from the first site.

#include "dem/dem_error.h"
#include "dem/geodesic_path.h"

#include <GeographicLib/Geodesic.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using tarsel::dem::DemError;
using tarsel::dem::GeodesicPath;
using tarsel::dem::GeoPoint;

struct PathCase {
    const char* name;
    GeoPoint from;
    GeoPoint to;
    double spacingM;
};

const PathCase Paths[] = {
    {"short north-east", {47.5, 8.5}, {47.51, 8.51}, 30.0},
    {"100 km diagonal", {47.0, 8.0}, {47.65, 8.9}, 30.0},
    {"across the equator", {-0.3, 30.0}, {0.4, 30.2}, 250.0},
    {"across the antimeridian", {-16.8, 179.9}, {-16.5, -179.8}, 100.0},
    {"long, coarse", {51.47, -0.46}, {40.64, -73.78}, 5000.0},
};

TEST(GeodesicPath, FollowsTheWgs84Geodesic) {
    const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
    for (const PathCase& c : Paths) {
        SCOPED_TRACE(c.name);
        const GeodesicPath path(c.from, c.to);
        double s12 = 0.0;
        wgs84.Inverse(c.from.latDeg, c.from.lonDeg, c.to.latDeg, c.to.lonDeg, s12);
        EXPECT_NEAR(path.lengthM(), s12, 1e-6);

        const std::vector<double> d = path.evenDistances(c.spacingM);
        ASSERT_EQ(d.size(), std::max<std::size_t>(3, std::ceil(s12 / c.spacingM) + 1));
        EXPECT_EQ(d.front(), 0.0);
        EXPECT_EQ(d.back(), path.lengthM());
        for (std::size_t i = 1; i < d.size(); ++i) {
            ASSERT_LE(d[i] - d[i - 1], c.spacingM);
            ASSERT_NEAR(d[i] - d[i - 1], d[1], 1e-6) << "evenly spaced";
        }
        for (const std::size_t i : {std::size_t{1}, d.size() / 2, d.size() - 2}) {
            const GeoPoint p = path.at(d[i]);
            double fromStart = 0.0;
            double toEnd = 0.0;
            wgs84.Inverse(c.from.latDeg, c.from.lonDeg, p.latDeg, p.lonDeg, fromStart);
            wgs84.Inverse(p.latDeg, p.lonDeg, c.to.latDeg, c.to.lonDeg, toEnd);
            EXPECT_NEAR(fromStart, d[i], 1e-6) << "point " << i;
            EXPECT_NEAR(toEnd, s12 - d[i], 1e-6) << "on the geodesic, point " << i;
        }
        EXPECT_EQ(path.at(0.0).latDeg, c.from.latDeg);
        EXPECT_EQ(path.at(path.lengthM()).lonDeg, c.to.lonDeg);
    }
}

TEST(GeodesicPath, RefusesBadSitesAndSpacings) {
    const double nan = std::nan("");
    const struct {
        GeoPoint from;
        GeoPoint to;
        double spacingM;
        const char* message;
    } cases[] = {
        {{90.5, 8.0},
         {47.0, 8.0},
         30.0,
         "the first site's latitude 90.500000 lies outside -90..90"},
        {{47.0, 8.0},
         {47.0, 180.5},
         30.0,
         "the second site's longitude 180.500000 lies outside -180..180"},
        {{nan, 8.0}, {47.0, 8.0}, 30.0, "the first site's latitude nan lies outside -90..90"},
        {{47.0, 8.0},
         {47.0, 8.0},
         30.0,
         "the two sites 47.000000,8.000000 and 47.000000,8.000000 are the same place"},
        {{47.0, 8.0}, {47.1, 8.0}, 0.0, "the spacing 0.000 m is not a positive number"},
        {{47.0, 8.0}, {47.1, 8.0}, nan, "the spacing nan m is not a positive number"},
        {{47.0, 8.0}, {48.0, 8.0}, 0.01, "needs more than 1000000 points"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            GeodesicPath(c.from, c.to).evenDistances(c.spacingM);
            ADD_FAILURE() << "accepted";
        } catch (const DemError& e) {
            EXPECT_THAT(e.what(), testing::HasSubstr(c.message));
        }
    }
}

} // namespace
