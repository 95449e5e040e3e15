#include "settings/terrain_settings.h"

#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "settings/profile_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tarsel {

namespace {

// A stored path or name is read up to this length.
constexpr std::size_t ValueSize = 4096;
// A damaged count must not make a start-up read a million keys.
constexpr int MaxRasterPaths = 1000;

constexpr std::array<std::string_view, 3> KindNames{"none", "profile", "elevation"};
constexpr std::array<std::string_view, 4> MethodNames{"delta-bullington", "bullington", "deygout",
                                                      "epstein-peterson"};
constexpr std::array<std::string_view, 2> PolarizationNames{"horizontal", "vertical"};
constexpr std::array<std::string_view, 3> UnitNames{"", "km", "m"};

// What a stored number may be.
enum class Allowed { Any, NonNegative, Positive, Fraction };

class Reader {
public:
    Reader(const ProfileFile& file, WarningSink& warnings) : file_(file), warnings_(warnings) {}

    bool has(std::string_view key) const { return file_.contains(TerrainSection, key); }

    std::string text(std::string_view key, std::string_view def) const {
        return file_.getString(TerrainSection, key, def, ValueSize);
    }

    void number(std::string_view key, double& target, Allowed allowed) const {
        if (!has(key)) {
            return;
        }
        const std::string stored = text(key, "");
        std::optional<double> value = parseDoubleText(stored);
        if (!value && (stored == "inf" || stored == "infinity")) {
            value = std::numeric_limits<double>::infinity(); // a flat earth's k
        }
        if (value && acceptable(*value, allowed, key)) {
            target = *value;
            return;
        }
        bad(key, stored);
    }

    template <std::size_t N>
    void name(std::string_view key, std::string& target,
              const std::array<std::string_view, N>& names) const {
        if (!has(key)) {
            return;
        }
        const std::string stored = text(key, "");
        if (std::find(names.begin(), names.end(), stored) != names.end()) {
            target = stored;
            return;
        }
        bad(key, stored);
    }

    void site(std::string_view key, GeoSite& target) const {
        if (!has(key)) {
            return;
        }
        const std::string stored = text(key, "");
        if (!parseGeoSite(stored, target)) {
            bad(key, stored);
        }
    }

    void bad(std::string_view key, std::string_view stored) const {
        Warning warning{"Terrain setting " + std::string(key) + "=" + std::string(stored) +
                            " is not valid; its default is used.",
                        "Warning", WarningIcon::Information, std::string(key)};
        warnings_.warn(warning);
    }

private:
    static bool acceptable(double value, Allowed allowed, std::string_view key) {
        // Only k may be infinite.
        if (std::isnan(value) || (std::isinf(value) && key != "KFactor")) {
            return false;
        }
        switch (allowed) {
        case Allowed::NonNegative:
            return value >= 0.0;
        case Allowed::Positive:
            return value > 0.0;
        case Allowed::Fraction:
            return value >= 0.0 && value <= 1.0;
        case Allowed::Any:
            break;
        }
        return true;
    }

    const ProfileFile& file_;
    WarningSink& warnings_;
};

std::string numberText(double value) {
    return formatShortest(value);
}

} // namespace

bool parseGeoSite(std::string_view text, GeoSite& site) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return false;
    }
    // One coordinate: a number within limit; the number grammar allows blanks
    // before it and only blanks after it.
    const auto coordinate = [](std::string_view part, double limit, double& out) {
        std::string number(part);
        number.erase(number.find_last_not_of(" \t") + 1);
        const std::optional<double> value = number.empty() ? std::nullopt : parseDoubleText(number);
        out = value.value_or(0.0);
        return value.has_value() && std::abs(out) <= limit;
    };
    GeoSite read;
    if (!coordinate(text.substr(0, comma), 90.0, read.latitude) ||
        !coordinate(text.substr(comma + 1), 180.0, read.longitude)) {
        return false;
    }
    site = read;
    return true;
}

std::string formatGeoSite(const GeoSite& site) {
    return numberText(site.latitude) + "," + numberText(site.longitude);
}

TerrainSource loadTerrainSource(const ProfileFile& file, WarningSink& warnings) {
    TerrainSource source;
    const Reader read(file, warnings);

    std::string kind = std::string(KindNames[0]);
    read.name("Source", kind, KindNames);
    const auto kindAt = std::find(KindNames.begin(), KindNames.end(), kind) - KindNames.begin();
    source.kind = static_cast<TerrainKind>(kindAt);

    source.profilePath = read.text("Profile", "");
    read.name("DistanceUnit", source.distanceUnit, UnitNames);

    double count = 0.0;
    read.number("Rasters", count, Allowed::NonNegative);
    const int rasters = static_cast<int>(std::min<double>(count, MaxRasterPaths));
    for (int i = 1; i <= rasters; ++i) {
        const std::string path = read.text("Raster" + std::to_string(i), "");
        if (!path.empty()) {
            source.rasterPaths.push_back(path);
        }
    }
    read.site("From", source.tx);
    read.site("To", source.rx);
    read.number("Spacing", source.spacingM, Allowed::NonNegative);
    double fill = source.fillVoids ? 1.0 : 0.0;
    read.number("FillVoids", fill, Allowed::Fraction);
    source.fillVoids = fill != 0.0;

    read.number("TxHeight", source.txHeightM, Allowed::NonNegative);
    read.number("RxHeight", source.rxHeightM, Allowed::NonNegative);
    read.number("KFactor", source.kFactor, Allowed::Positive);
    read.name("Method", source.method, MethodNames);
    read.name("Polarization", source.polarization, PolarizationNames);
    read.number("SeaFraction", source.seaFraction, Allowed::Fraction);
    return source;
}

void storeTerrainSource(ProfileFile& file, const TerrainSource& source) {
    const auto set = [&file](std::string_view key, std::string_view value) {
        file.setString(TerrainSection, key, value);
    };
    set("Source", KindNames[static_cast<std::size_t>(source.kind)]);
    set("Profile", source.profilePath);
    set("DistanceUnit", source.distanceUnit);

    const std::int32_t before =
        std::clamp<std::int32_t>(file.getInt(TerrainSection, "Rasters", 0), 0, MaxRasterPaths);
    const auto count = static_cast<std::int32_t>(source.rasterPaths.size());
    set("Rasters", formatInt(count));
    for (std::int32_t i = 0; i < std::max(count, before); ++i) {
        const std::string key = "Raster" + std::to_string(i + 1);
        set(key, i < count ? source.rasterPaths[static_cast<std::size_t>(i)] : std::string());
    }
    set("From", formatGeoSite(source.tx));
    set("To", formatGeoSite(source.rx));
    set("Spacing", numberText(source.spacingM));
    set("FillVoids", source.fillVoids ? "1" : "0");
    set("TxHeight", numberText(source.txHeightM));
    set("RxHeight", numberText(source.rxHeightM));
    set("KFactor", numberText(source.kFactor));
    set("Method", source.method);
    set("Polarization", source.polarization);
    set("SeaFraction", numberText(source.seaFraction));
}

void saveTerrainSource(const std::string& path, const TerrainSource& source,
                       WarningSink& warnings) {
    const std::string error =
        updateProfile(path, [&](ProfileFile& file) { storeTerrainSource(file, source); });
    if (!error.empty()) {
        warnings.warn(Warning{"Error saving the terrain to the user .INI file\n" + error, "Warning",
                              WarningIcon::Information});
    }
}

} // namespace tarsel
