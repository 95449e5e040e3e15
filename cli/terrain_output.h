#pragma once
// What tarsel-report writes for a terrain path: the JSON document with its
// "terrain" object, the report's Terrain section and the profile table.

#include "cli/dem_options.h"
#include "terrain/path_analysis.h"
#include "terrain/profile.h"

#include <string>

namespace tarsel::cli {

// resultsJson of the derived inputs, with a "terrain" object after "results"
// and its units in units.terrain; dem, when given, adds how the profile was
// sampled from elevation data.
std::string terrainJson(const terrain::Profile& profile, const terrain::PathAnalysis& path,
                        const DemPath* dem = nullptr);

// The report of the derived inputs followed by the Terrain section.
std::string terrainReport(const terrain::Profile& profile, const terrain::PathAnalysis& path);

// One CSV line a profile point: distance, ground, bulge, line of sight, first
// Fresnel radius, clearance and clearance fraction, under a header with units.
std::string profileTable(const terrain::Profile& profile, const terrain::PathInputs& in);

} // namespace tarsel::cli
