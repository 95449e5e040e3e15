#pragma once
// tarsel-report --dem: the terrain profile sampled from elevation rasters
// between two sites, in place of a profile file.

#include "dem/elevation_grid.h"
#include "terrain/profile.h"

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tarsel::cli {

struct DemOptions {
    std::vector<std::string> rasters; // --dem PATH... (files, zip archives, folders)
    std::string from;                 // --from LAT,LON
    std::string to;                   // --to LAT,LON
    std::string spacing;              // --spacing M
    bool fillVoids = false;           // --fill-voids
    bool progress = false;            // --progress

    bool wanted() const { return !rasters.empty(); }
};

// Adds --dem, --from, --to, --spacing, --fill-voids and --progress to app,
// in group, after --profile.
void defineDemOptions(CLI::App& app, DemOptions& options, const char* group);

// How a profile was sampled, for --json.
struct DemPath {
    dem::GeoPoint from;
    dem::GeoPoint to;
    double bearingDeg = 0.0;     // at the first site, from north
    double spacingM = 0.0;       // between the profile's points at most
    std::size_t filledVoids = 0; // void posts filled from their neighbours
};

// The profile the options ask for, and into path how it was sampled. A bad
// option or a fault in the data is printed (naming the option, the file or
// the point) and gives nullopt; voids filled are said on standard error.
std::optional<terrain::Profile> demProfile(const DemOptions& options, DemPath& path);

} // namespace tarsel::cli
