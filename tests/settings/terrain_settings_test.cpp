#include "settings/profile_file.h"
#include "settings/terrain_settings.h"
#include "tests/settings/recording_sink.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tarsel {
namespace {

using test::RecordingSink;

TerrainSource everyKeySet() {
    TerrainSource source;
    source.kind = TerrainKind::ElevationData;
    source.profilePath = " lead blank/prof;ile.csv"; // quoted on write
    source.distanceUnit = "km";
    source.rasterPaths = {"/data/N46E007.hgt", "/data/tiles dir"};
    source.tx = GeoSite{46.5, 7.25};
    source.rx = GeoSite{-46.125, -179.5};
    source.spacingM = 30.0;
    source.fillVoids = true;
    source.txHeightM = 0.1;
    source.rxHeightM = 25.0;
    source.kFactor = std::numeric_limits<double>::infinity();
    source.method = "epstein-peterson";
    source.polarization = "vertical";
    source.seaFraction = 0.25;
    return source;
}

TEST(TerrainSettings, RoundTripsEveryKeyAndLeavesOtherSectionsByteForByte) {
    const std::string tarsel = "[Tarsel]\r\nfcent=2.45e+009        \r\n; note\r\nX12s=50\r\n";
    ProfileFile file(tarsel);
    storeTerrainSource(file, everyKeySet());
    EXPECT_EQ(file.text().substr(0, tarsel.size()), tarsel);

    RecordingSink sink;
    EXPECT_EQ(loadTerrainSource(ProfileFile(file.text()), sink), everyKeySet());
    EXPECT_TRUE(sink.warnings.empty());
}

TEST(TerrainSettings, AShorterRasterListLeavesNoStalePath) {
    ProfileFile file;
    storeTerrainSource(file, everyKeySet());
    TerrainSource fewer = everyKeySet();
    fewer.rasterPaths = {"/other.tif"};
    storeTerrainSource(file, fewer);
    RecordingSink sink;
    EXPECT_EQ(loadTerrainSource(file, sink).rasterPaths, fewer.rasterPaths);
    EXPECT_EQ(file.getString(TerrainSection, "Raster2", "?", 100), "");
}

TEST(TerrainSettings, ABadValueWarnsWithItsKeyAndKeepsTheDefault) {
    struct Row {
        const char* line;
        const char* key;
    };
    const Row rows[] = {
        {"Source=dem", "Source"},                  // not a kind
        {"KFactor=0", "KFactor"},                  // k must be positive
        {"KFactor=abc", "KFactor"},                //
        {"TxHeight=-1", "TxHeight"},               // below the ground
        {"RxHeight=inf", "RxHeight"},              // only k may be infinite
        {"SeaFraction=1.5", "SeaFraction"},        // a share
        {"Method=knife", "Method"},                // not a method
        {"Polarization=circular", "Polarization"}, //
        {"From=47.1", "From"},                     // one number
        {"To=91,8", "To"},                         // latitude beyond the pole
        {"DistanceUnit=mi", "DistanceUnit"},       //
        {"Rasters=-3", "Rasters"},                 //
    };
    const TerrainSource defaults;
    for (const Row& row : rows) {
        RecordingSink sink;
        const TerrainSource read =
            loadTerrainSource(ProfileFile(std::string("[Terrain]\n") + row.line + "\n"), sink);
        ASSERT_EQ(sink.warnings.size(), 1u) << row.line;
        EXPECT_EQ(sink.warnings[0].key, row.key);
        EXPECT_NE(sink.warnings[0].text.find(row.line), std::string::npos) << row.line;
        EXPECT_EQ(read, defaults) << row.line;
    }
}

TEST(TerrainSettings, NoSectionIsTheSingleHillSilently) {
    RecordingSink sink;
    EXPECT_EQ(loadTerrainSource(ProfileFile("[Tarsel]\nRange=100\n"), sink), TerrainSource{});
    EXPECT_TRUE(sink.warnings.empty());
}

} // namespace
} // namespace tarsel
