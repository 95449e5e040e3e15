// tarsel-report's terrain options.

#include "cli/terrain_request.h"

#include "cli/diagnostics.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "terrain/path_geometry.h"

#include <CLI/CLI.hpp>
#include <cmath>

namespace tarsel::cli {

namespace {

bool refuse(std::string_view option, std::string_view expected, std::string_view given) {
    printUsageError(std::string("expected ") + std::string(expected) + ", got '" +
                        std::string(given) + "'",
                    option);
    return false;
}

// text as a number within lo..hi (inclusive), into value.
bool readNumber(std::string_view option, const std::string& text, double lo, double hi,
                std::string_view expected, double& value) {
    const std::optional<double> v =
        text.find_first_not_of(' ') == std::string::npos ? std::nullopt : parseDoubleText(text);
    if (!v || !std::isfinite(*v) || *v < lo || *v > hi) {
        return refuse(option, expected, text);
    }
    value = *v;
    return true;
}

bool readOptional(std::string_view option, const std::string& text, double lo, double hi,
                  std::string_view expected, std::optional<double>& value) {
    if (text.empty()) {
        return true;
    }
    double v = 0.0;
    if (!readNumber(option, text, lo, hi, expected, v)) {
        return false;
    }
    value = v;
    return true;
}

} // namespace

// The options about the path, whatever its source.
constexpr const char* PathOptions[] = {"--tx-height",    "--rx-height",    "--k-factor",
                                       "--earth-radius", "--polarization", "--sea-fraction",
                                       "--method",       "--profile-table"};

void defineTerrainOptions(CLI::App& app, TerrainRequest& request) {
    constexpr const char* Group = "Terrain options";
    auto* profile =
        app.add_option("--profile", request.profileFile,
                       "work the link over the terrain profile in the CSV file FILE (- for "
                       "standard input): distance and ground height above sea level in the "
                       "first two columns")
            ->type_name("FILE")
            ->group(Group);
    defineDemOptions(app, request.dem, Group);
    const auto option = [&](const char* name, std::string& target, const char* type,
                            const char* help) {
        return app.add_option(name, target, help)->type_name(type)->group(Group);
    };
    option("--distance-unit", request.distanceUnit, "km|m",
           "the profile's distance unit (default: km when the header names km, else m)")
        ->needs(profile);
    option("--tx-height", request.txHeight, "M",
           "Tx antenna height above the ground at the path's start (default y01s)");
    option("--rx-height", request.rxHeight, "M",
           "Rx antenna height above the ground at the path's end (default y03s)");
    auto* k = option("--k-factor", request.kFactor, "K",
                     "effective earth radius factor, 0.01 to 1000 (default 4/3)");
    option("--earth-radius", request.earthRadius, "KM",
           "effective earth radius in km, 63.71 to 6371000, in place of k x 6371 km")
        ->excludes(k);
    option("--polarization", request.polarization, "horizontal|vertical",
           "polarization for the spherical-earth loss (default horizontal)");
    option("--sea-fraction", request.seaFraction, "F",
           "fraction of the path over sea, 0 to 1 (default 0)");
    option("--method", request.method, "NAME",
           "terrain loss method: delta-bullington (default), bullington, deygout or "
           "epstein-peterson");
    app.add_flag("--profile-table", request.table,
                 "write every profile point as CSV: distance, ground, bulge, line of sight, "
                 "first Fresnel radius, clearance and clearance fraction")
        ->group(Group)
        ->excludes("--json")
        ->excludes("--report");
}

bool terrainSourceGiven(const CLI::App& app, const TerrainRequest& request) {
    if (request.wanted()) {
        return true;
    }
    for (const char* name : PathOptions) {
        if (app.get_option(name)->count() > 0) {
            printUsageError(std::string(name) + " requires --profile or --dem");
            return false;
        }
    }
    return true;
}

std::optional<terrain::Profile> readTerrainProfile(const TerrainRequest& request,
                                                   terrain::DistanceUnit unit,
                                                   std::optional<DemPath>& dem) {
    if (request.dem.wanted()) {
        return demProfile(request.dem, dem.emplace());
    }
    terrain::ProfileReadResult read = terrain::readProfileCsv(request.profileFile, unit);
    if (!read.ok) {
        printError(read.error.text());
        return std::nullopt;
    }
    return std::move(read.profile);
}

bool terrainSetup(const TerrainRequest& request, terrain::PathSetup& setup,
                  terrain::DistanceUnit& unit) {
    using terrain::DistanceUnit;
    if (request.distanceUnit.empty()) {
        unit = DistanceUnit::FromHeader;
    } else if (request.distanceUnit == "km" || request.distanceUnit == "m") {
        unit = request.distanceUnit == "km" ? DistanceUnit::Kilometres : DistanceUnit::Metres;
    } else {
        return refuse("--distance-unit", "km or m", request.distanceUnit);
    }
    const std::string anyHeight = "a height in metres";
    if (!readOptional("--tx-height", request.txHeight, -DblMax, DblMax, anyHeight,
                      setup.txHeightM) ||
        !readOptional("--rx-height", request.rxHeight, -DblMax, DblMax, anyHeight,
                      setup.rxHeightM)) {
        return false;
    }
    if (!request.kFactor.empty() &&
        !readNumber("--k-factor", request.kFactor, MinKFactor, MaxKFactor,
                    "a factor from " + formatPlain(MinKFactor) + " to " + formatPlain(MaxKFactor),
                    setup.kFactor)) {
        return false;
    }
    // The radii the factor's bounds give.
    const double minKm = MinKFactor * terrain::EarthRadiusM / 1000.0;
    const double maxKm = MaxKFactor * terrain::EarthRadiusM / 1000.0;
    std::optional<double> radiusKm;
    if (!readOptional("--earth-radius", request.earthRadius, minKm, maxKm,
                      "a radius from " + formatPlain(minKm) + " to " + formatPlain(maxKm) + " km",
                      radiusKm)) {
        return false;
    }
    if (radiusKm) {
        setup.earthRadiusM = *radiusKm * 1000.0;
    }
    if (request.polarization == "vertical" || request.polarization == "horizontal") {
        setup.polarization = request.polarization == "vertical" ? terrain::Polarization::Vertical
                                                                : terrain::Polarization::Horizontal;
    } else if (!request.polarization.empty()) {
        return refuse("--polarization", "horizontal or vertical", request.polarization);
    }
    if (!request.seaFraction.empty() && !readNumber("--sea-fraction", request.seaFraction, 0.0, 1.0,
                                                    "a fraction from 0 to 1", setup.seaFraction)) {
        return false;
    }
    if (!request.method.empty()) {
        const std::optional<terrain::Method> method = terrain::methodNamed(request.method);
        if (!method) {
            return refuse("--method", "delta-bullington, bullington, deygout or epstein-peterson",
                          request.method);
        }
        setup.method = *method;
    }
    return true;
}

} // namespace tarsel::cli
