#pragma once
// What tarsel-report writes for a terrain path: the JSON document with its
// "terrain" object, the report's Terrain section and the profile table.

#include "terrain/path_analysis.h"
#include "terrain/profile.h"

#include <string>

namespace tarsel::cli {

// resultsJson of the derived inputs, with a "terrain" object after "results"
// and its units in units.terrain.
std::string terrainJson(const terrain::Profile& profile, const terrain::PathAnalysis& path);

// The report of the derived inputs followed by the Terrain section.
std::string terrainReport(const terrain::Profile& profile, const terrain::PathAnalysis& path);

// One CSV line a profile point: distance, ground, bulge, line of sight, first
// Fresnel radius, clearance and clearance fraction, under a header with units.
std::string profileTable(const terrain::Profile& profile, const terrain::PathInputs& in);

} // namespace tarsel::cli
