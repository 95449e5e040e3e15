#pragma once
// Where the window's terrain comes from, kept in the [Terrain] section of
// Tarsel.ini beside the parameters: a profile file, or elevation rasters with
// the two sites; the antenna heights above ground, the k-factor and the
// method. The [Tarsel] section is never touched by it.

#include "entry/warning_sink.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

class ProfileFile;

inline constexpr const char* TerrainSection = "Terrain";

enum class TerrainKind { None, ProfileFile, ElevationData };

// A site in WGS84 degrees.
struct GeoSite {
    double latitude = 0.0;  // [deg], north positive
    double longitude = 0.0; // [deg], east positive
    bool operator==(const GeoSite&) const = default;
};

struct TerrainSource {
    TerrainKind kind = TerrainKind::None;

    // Profile file: a CSV of distance and height; its distance unit "km" or
    // "m", or empty to take it from the header.
    std::string profilePath;
    std::string distanceUnit;

    // Elevation data: raster files or folders, the two sites, the largest
    // spacing of the samples (0: the data's own) and whether voids are filled.
    std::vector<std::string> rasterPaths;
    GeoSite tx;
    GeoSite rx;
    double spacingM = 0.0;
    bool fillVoids = false;

    // The path over either: antenna heights above the ground at the ends [m],
    // the effective earth's k (infinite for a flat earth), the method and
    // polarisation by their command-line names, the share of sea.
    double txHeightM = 2.0;
    double rxHeightM = 2.0;
    double kFactor = 4.0 / 3.0;
    std::string method = "delta-bullington";
    std::string polarization = "horizontal";
    double seaFraction = 0.0;

    bool operator==(const TerrainSource&) const = default;
};

// The stored source. A missing section or key gives its default silently; a
// value that does not read (a number, a site "lat,lon" in range, a known
// name) warns with its key and keeps the default.
TerrainSource loadTerrainSource(const ProfileFile& file, WarningSink& warnings);

// Writes every key of the source into [Terrain]; other sections stay as they
// are. Raster paths go to Raster1, Raster2, ... after their count, and a
// shorter list than before leaves no stale path that would read back.
void storeTerrainSource(ProfileFile& file, const TerrainSource& source);

// One locked update of the file at path; a failure warns once, naming the file.
void saveTerrainSource(const std::string& path, const TerrainSource& source, WarningSink& warnings);

// "lat,lon" as typed or stored; false when it is not two numbers within
// -90..90 and -180..180.
bool parseGeoSite(std::string_view text, GeoSite& site);
std::string formatGeoSite(const GeoSite& site);

} // namespace tarsel
