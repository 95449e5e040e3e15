#pragma once
// tarsel-report --dem: the terrain profile sampled from elevation rasters
// between two sites, in place of a profile file.

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

    bool wanted() const { return !rasters.empty(); }
};

// Adds --dem, --from, --to, --spacing and --fill-voids to app, in group,
// after --profile.
void defineDemOptions(CLI::App& app, DemOptions& options, const char* group);

// The profile the options ask for. A bad option or a fault in the data is
// printed (naming the option, the file or the point) and gives nullopt; voids
// filled are said on standard error.
std::optional<terrain::Profile> demProfile(const DemOptions& options);

} // namespace tarsel::cli
