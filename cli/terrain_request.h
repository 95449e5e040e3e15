#pragma once
// tarsel-report's terrain options as typed, and the path setup they make.

#include "terrain/path_analysis.h"
#include "terrain/profile_csv.h"

#include <string>

namespace CLI {
class App;
}

namespace tarsel::cli {

struct TerrainRequest {
    std::string profileFile;  // --profile FILE ("-": standard input), empty for none
    std::string distanceUnit; // --distance-unit km|m, empty to go by the header
    std::string txHeight;     // --tx-height M
    std::string rxHeight;     // --rx-height M
    std::string kFactor;      // --k-factor K
    std::string earthRadius;  // --earth-radius KM
    std::string polarization; // --polarization horizontal|vertical
    std::string seaFraction;  // --sea-fraction F
    std::string method;       // --method NAME
    bool table = false;       // --profile-table

    bool wanted() const { return !profileFile.empty(); }
};

// Effective-earth factor bounds, for --k-factor and a sweep of kFactor.
inline constexpr double MinKFactor = 0.01;
inline constexpr double MaxKFactor = 1000.0;

// Adds the terrain options to app.
void defineTerrainOptions(CLI::App& app, TerrainRequest& request);

// The setup and distance unit the options ask for. On a bad value prints the
// option and what it takes and returns false.
bool terrainSetup(const TerrainRequest& request, terrain::PathSetup& setup,
                  terrain::DistanceUnit& unit);

} // namespace tarsel::cli
