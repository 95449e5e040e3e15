#pragma once
// The terrain the window works on: where it comes from, its profile and the
// last analysis of the path, and the user's own hill, which comes back when
// the terrain is cleared and is what the settings file keeps meanwhile.

#include "engine/link_params.h"
#include "settings/terrain_settings.h"
#include "terrain/path_analysis.h"
#include "terrain/profile.h"
#include "ui/common/elevation_load.h"

#include <QPointer>
#include <QString>
#include <memory>
#include <string>

namespace tarsel {

struct AppState;

// The inputs a terrain derives: both distances, the range and the three heights.
struct HillGeometry {
    RangedValue X12s, X23s, Range, y01s, y02s, y03s;

    static HillGeometry of(const LinkParams& params);
    void applyTo(LinkParams& params) const;
    bool sameValues(const HillGeometry& other) const;
};

// What the slow part of a path's analysis (each method's loss, the clearance,
// the main obstacle) depends on: the profile, the source's path settings and
// the frequency. Any other input only moves the link over it.
struct TerrainAnalysisKey {
    const terrain::Profile* profile = nullptr;
    double txHeightM = 0.0, rxHeightM = 0.0, kFactor = 0.0, seaFraction = 0.0;
    std::string method, polarization;
    double frequencyHz = 0.0;

    bool operator==(const TerrainAnalysisKey& other) const;
};

struct TerrainState {
    TerrainSource source; // as [Terrain] keeps it; its kind is None without a terrain
    std::shared_ptr<const terrain::Profile> profile; // empty: the single hill
    QString name;                                    // what the main window's note names
    terrain::PathAnalysis analysis;                  // of the last recalculation
    TerrainAnalysisKey analysedKey;                  // what analysis was worked out for
    std::string reportSection;                       // the report's Terrain section for it
    HillGeometry userGeometry;         // the user's own hill while a terrain is in use
    QPointer<ElevationLoad> restoring; // the kept elevation source, loading after start-up

    bool inUse() const { return profile != nullptr; }
};

// The key of the state's terrain and inputs as they are now.
TerrainAnalysisKey analysisKeyOf(const AppState& state);

// How the source asks the path to be taken.
terrain::PathSetup pathSetup(const TerrainSource& source);

// Keeps the state's terrain source in the settings file; a failure warns.
void saveTerrainSourceOf(AppState& state);

// The same source with new path settings (heights, k, method) on the profile
// in use: checks that the path can be worked through (its hill within the
// inputs' bounds), keeps the source and queues a recalculation, which works
// it through. Returns "" (also without a terrain) or why it cannot be,
// changing nothing.
std::string retakeTerrain(AppState& state, const TerrainSource& source);

} // namespace tarsel
