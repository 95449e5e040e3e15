// Voids, a path that leaves the data, and rasters that cannot serve: each an
// error that names the point or the file, or, for voids when asked, filled
// from their neighbours and counted.

#include "raster_files.h"

#include "dem/dem_error.h"
#include "dem/dem_profile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using demtest::RasterSpec;
using tarsel::dem::DemError;
using tarsel::dem::DemRequest;
using tarsel::dem::profileFromDem;
using tarsel::dem::SampledProfile;

constexpr int Size = 1201;
double plane(int col, int row) {
    return 100.0 + col + 2.0 * row;
}

// N47E008 with a void at post (600, 600): latitude 47.5, longitude 8.5.
std::string tileWithVoid(const std::string& folder) {
    const std::string path = folder + "/N47E008.hgt";
    demtest::writeHgt(path, Size,
                      [](int c, int r) { return c == 600 && r == 600 ? -32768.0 : plane(c, r); });
    return path;
}

std::string errorOf(const DemRequest& request) {
    try {
        profileFromDem(request);
    } catch (const DemError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(BadData, AVoidIsRefusedOrFilled) {
    const std::string tile = tileWithVoid(demtest::tempFolder());
    DemRequest request{{tile}, {47.4, 8.5}, {47.6, 8.5}, 100.0, false};
    EXPECT_THAT(errorOf(request), testing::MatchesRegex("at 1[0-9]{4}\\.[0-9] m along the path "
                                                        "\\(47\\.49[0-9]+,8\\.500000\\): a void "
                                                        "\\(no-data post\\) in .*N47E008.hgt"));

    request.fillVoids = true;
    const SampledProfile out = profileFromDem(request);
    EXPECT_EQ(out.filledVoids, 1u);
    for (std::size_t i = 0; i < out.points.size(); ++i) {
        // The mean of the ring around a post of a plane is the plane there.
        const double expected = 100.0 + (out.points[i].lonDeg - 8.0) * (Size - 1) +
                                2.0 * (48.0 - out.points[i].latDeg) * (Size - 1);
        ASSERT_NEAR(out.profile.heightM[i], expected, 1e-6) << "point " << i;
    }
}

TEST(BadData, ErrorsNameThePointOrTheFile) {
    const std::string folder = demtest::tempFolder();
    const std::string tile = tileWithVoid(folder);
    const std::string empty = folder + "/empty";
    std::filesystem::create_directory(empty);
    std::ofstream(empty + "/notes.txt") << "no raster here\n";
    const std::string local = folder + "/local.tif";
    demtest::writeGeoTiff(local,
                          RasterSpec{4,
                                     4,
                                     {0.0, 1.0, 0.0, 4.0, 0.0, -1.0},
                                     R"(LOCAL_CS["site grid",UNIT["metre",1]])",
                                     std::nullopt},
                          plane);
    const std::string unplaced = folder + "/unplaced.tif";
    demtest::writeGeoTiff(unplaced, RasterSpec{4, 4, {5e5, 30.0, 0.0, 5e6, 0.0, -30.0}, "", {}},
                          plane);

    const struct {
        std::vector<std::string> rasters;
        double toLat;
        const char* message; // regular expression
    } cases[] = {
        {{tile},
         48.5,
         "at [0-9]+\\.[0-9] m along the path \\(48\\.00[0-9]+,8\\.700000\\): no "
         "elevation data"},
        {{folder + "/missing.hgt"}, 47.6, ".*/missing.hgt: no such file or folder"},
        {{empty}, 47.6, ".*/empty: no georeferenced raster in the folder"},
        {{local}, 47.6, ".*/local.tif: its coordinate system cannot be reached from WGS84.*"},
        {{unplaced},
         47.6,
         ".*/unplaced.tif: names no coordinate system and its extent is not in "
         "degrees"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_THAT(errorOf({c.rasters, {47.4, 8.7}, {c.toLat, 8.7}, 100.0, false}),
                    testing::MatchesRegex(c.message));
    }
}

} // namespace
