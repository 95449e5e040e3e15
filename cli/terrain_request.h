#pragma once
// tarsel-report's terrain options as typed, and the path setup they make.

#include "cli/dem_options.h"
#include "terrain/path_analysis.h"
#include "terrain/profile_csv.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace tarsel::cli {

using terrain::MaxKFactor;
using terrain::MinKFactor;

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
    DemOptions dem;           // --dem PATH... --from --to: the profile from elevation data

    bool wanted() const { return !profileFile.empty() || dem.wanted(); }
    // Where the profile comes from, for messages: the file or --dem.
    std::string source() const { return dem.wanted() ? "--dem" : profileFile; }
};

// Adds the terrain options to app.
void defineTerrainOptions(CLI::App& app, TerrainRequest& request);

// After parsing: an option about the path given without --profile or --dem is
// printed as a usage error and gives false.
bool terrainSourceGiven(const CLI::App& app, const TerrainRequest& request);

// The profile from the file or from elevation data (then how it was sampled
// into dem); on a fault prints it and gives nullopt.
std::optional<terrain::Profile> readTerrainProfile(const TerrainRequest& request,
                                                   terrain::DistanceUnit unit,
                                                   std::optional<DemPath>& dem);

// The setup and distance unit the options ask for. On a bad value prints the
// option and what it takes and returns false.
bool terrainSetup(const TerrainRequest& request, terrain::PathSetup& setup,
                  terrain::DistanceUnit& unit);

} // namespace tarsel::cli
