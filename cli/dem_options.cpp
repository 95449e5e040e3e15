// tarsel-report --dem.

#include "cli/dem_options.h"

#include "cli/dem_module_loader.h"
#include "cli/diagnostics.h"
#include "dem/dem_error.h"
#include "entry/number_parse.h"

#include <CLI/CLI.hpp>
#include <cmath>

namespace tarsel::cli {

namespace {

// "LAT,LON" in degrees.
std::optional<dem::GeoPoint> readSite(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
        return std::nullopt;
    }
    const std::optional<double> lat = parseDoubleText(std::string_view(text).substr(0, comma));
    const std::optional<double> lon = parseDoubleText(std::string_view(text).substr(comma + 1));
    if (!lat || !lon || !(std::abs(*lat) <= 90.0) || !(std::abs(*lon) <= 180.0)) {
        return std::nullopt;
    }
    return dem::GeoPoint{*lat, *lon};
}

bool refuse(std::string_view option, std::string_view expected, const std::string& given) {
    printUsageError("expected " + std::string(expected) + ", got '" + given + "'", option);
    return false;
}

} // namespace

void defineDemOptions(CLI::App& app, DemOptions& options, const char* group) {
    auto* dem = app.add_option("--dem", options.rasters,
                               "sample the profile from elevation rasters along the WGS84 "
                               "geodesic from --from to --to: SRTM .hgt files (zipped or not), "
                               "GeoTIFF or any raster GDAL reads, or folders of them")
                    ->type_name("PATH...")
                    ->group(group)
                    ->excludes("--profile");
    auto* from = app.add_option("--from", options.from,
                                "the Tx site (distance 0): latitude and longitude in degrees")
                     ->type_name("LAT,LON")
                     ->group(group)
                     ->needs(dem);
    auto* to = app.add_option("--to", options.to, "the Rx site: latitude and longitude in degrees")
                   ->type_name("LAT,LON")
                   ->group(group)
                   ->needs(dem);
    dem->needs(from)->needs(to);
    app.add_option("--spacing", options.spacing,
                   "profile points at most M metres apart (default: the data's post spacing "
                   "along the path)")
        ->type_name("M")
        ->group(group)
        ->needs(dem);
    app.add_flag("--fill-voids", options.fillVoids,
                 "fill voids (no-data posts) from their neighbours instead of refusing them")
        ->group(group)
        ->needs(dem);
    app.add_flag("--progress", options.progress,
                 "while sampling, write lines 'tarsel-report: progress: STAGE DONE/TOTAL' to "
                 "standard error, STAGE being opening (raster files) or sampling (profile "
                 "points), about a hundred a stage")
        ->group(group)
        ->needs(dem);
}

std::optional<terrain::Profile> demProfile(const DemOptions& options, DemPath& path) {
    constexpr std::string_view Site =
        "LAT,LON in degrees (latitude -90 to 90, longitude -180 to 180)";
    dem::DemRequest request;
    request.rasters = options.rasters;
    request.fillVoids = options.fillVoids;
    const std::optional<dem::GeoPoint> from = readSite(options.from);
    const std::optional<dem::GeoPoint> to = readSite(options.to);
    if (!from) {
        refuse("--from", Site, options.from);
        return std::nullopt;
    }
    if (!to) {
        refuse("--to", Site, options.to);
        return std::nullopt;
    }
    request.from = *from;
    request.to = *to;
    if (!options.spacing.empty()) {
        const std::optional<double> spacing = parseDoubleText(options.spacing);
        if (!spacing || !(*spacing > 0.0) || !std::isfinite(*spacing)) {
            refuse("--spacing", "a spacing in metres above 0", options.spacing);
            return std::nullopt;
        }
        request.spacingM = *spacing;
    }
    dem::DemProgress progress;
    if (options.progress) {
        progress = [](dem::DemStage stage, std::size_t done, std::size_t total) {
            printError(
                std::string(stage == dem::DemStage::OpeningRasters ? "opening " : "sampling ") +
                    std::to_string(done) + "/" + std::to_string(total),
                "progress");
        };
    }
    std::string reason;
    const dem::ProfileFromDemFunction profileFromDem = loadDemModule(reason);
    if (profileFromDem == nullptr) {
        printError("elevation data support is not available: " + reason);
        return std::nullopt;
    }
    try {
        dem::SampledProfile sampled = profileFromDem(request, progress);
        if (sampled.filledVoids > 0) {
            printError("filled " + std::to_string(sampled.filledVoids) +
                           (sampled.filledVoids == 1 ? " void post" : " void posts") +
                           " from their neighbours",
                       "--dem");
        }
        path = {sampled.points.front(), sampled.points.back(), sampled.bearingDeg, sampled.spacingM,
                sampled.filledVoids};
        return std::move(sampled.profile);
    } catch (const dem::DemError& e) {
        printError(std::string(e.what()) +
                       (e.kind() == dem::DemError::Kind::Void
                            ? " (--fill-voids fills voids from their neighbours)"
                            : ""),
                   "--dem");
        return std::nullopt;
    }
}

} // namespace tarsel::cli
