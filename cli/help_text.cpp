#include "cli/help_text.h"

#include "cli/terrain_command.h"
#include "engine/link_params.h"
#include "engine/param_table.h"
#include "entry/number_format.h"

#include <algorithm>
#include <limits>

namespace tarsel::cli {

namespace {

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

std::string bounds(const KeyInfo& info) {
    if (info.integer && info.lo == std::numeric_limits<std::int32_t>::min()) {
        return "any integer";
    }
    if (info.lo == -DblMax && info.hi == DblMax) {
        return "any";
    }
    if (info.hi == DblMax) {
        return std::string(">= ").append(formatPlain(info.lo));
    }
    return formatPlain(info.lo) + " .. " + formatPlain(info.hi);
}

// One key a line: key, meaning, unit, bounds and default, as an indented list
// that reads the same in the man page.
std::string keyLines() {
    std::string text = "Settings keys (KEY of --set, any letter case; bounds inclusive):\n";
    for (const SettingsKey& key : settingsKeys()) {
        const KeyInfo info = keyInfo(key);
        const std::string def =
            info.halfRangeDefault ? std::string("Range/2") : formatPlain(info.defaultValue);
        std::string meaning(info.label);
        if (!info.unit.empty()) {
            meaning.append(", ").append(info.unit);
        }
        text += std::string("  ").append(padded(std::string(info.key), 11)) + meaning + "; " +
                bounds(info) + "; default " + def + "\n";
    }
    text += "  Setting Range rescales X12s and X23s in proportion; setting X12s or X23s\n"
            "  makes Range their sum.\n";
    return text;
}

// What --profile and --dem do, and what a sweep over a path adds; wrapped at 78.
std::string terrainLines() {
    std::string text = "Terrain profiles (--profile, or --dem):\n"
                       "  --dem samples the profile along the WGS84 geodesic between the sites,\n"
                       "  its heights bilinear in the four posts around each point, read through\n"
                       "  GDAL: SRTM .hgt (also in .zip archives), GeoTIFF or any raster GDAL\n"
                       "  reads, reprojected from WGS84 when in another coordinate system. In a\n"
                       "  folder, rasters are found by the area their geotransform covers. A\n"
                       "  point off the data, or on a void without --fill-voids, stops with its\n"
                       "  distance and coordinates; voids filled are counted on standard error.\n"
                       "  --profile-table writes a profile that --profile reads back.\n"
                       "  The profile's main obstacle (the point of largest nu) becomes the hill:\n"
                       "  X12s, X23s and Range from the path, y01s and y03s the antenna tops and\n"
                       "  y02s the obstacle's top plus the earth bulge, above sea level; Rhill\n"
                       "  stays. The report gains a TERRAIN section, --json a \"terrain\" object.\n"
                       "  --sweep also takes";
    std::size_t column = text.size() - text.rfind('\n') - 1;
    const auto add = [&](std::string_view word) {
        if (column + 1 + word.size() > 78) {
            text += "\n ";
            column = 1;
        }
        text += ' ';
        text.append(word);
        column += 1 + word.size();
    };
    for (const ExtraSweepKey& key : terrainSweepKeys()) {
        add(key.key);
    }
    add("and the columns");
    for (const SweepColumn& column : terrainSweepColumns()) {
        if (!column.extraInput) {
            add(column.name);
        }
    }
    text += ".\n";
    return text;
}

} // namespace

std::string helpFooter() {
    std::string text = keyLines();
    text += '\n';
    text += terrainLines();
    return text +
           "\n"
           "Exit status:\n"
           "  0  success\n"
           "  1  a file or standard output could not be written, or another process\n"
           "     kept the settings file locked for over 5 seconds\n"
           "  2  a rejected value, an unknown key or a bad option\n"
           "     (also a --profile file that is missing, unreadable or bad; the message\n"
           "     names FILE:LINE:COLUMN of the fault; or --dem data that is missing,\n"
           "     unreadable or does not cover the path; the message names the file or\n"
           "     the point; or --dem when elevation data support, tarsel-dem.so, cannot\n"
           "     be loaded)\n"
           "\n"
           "Files:\n"
           "  $XDG_CONFIG_HOME/Tarsel.ini, or ~/.config/Tarsel.ini when XDG_CONFIG_HOME is\n"
           "  unset: the settings read unless --defaults or --settings is given. Bad\n"
           "  stored values are reported on standard error and replaced by their defaults.\n";
}

std::string wrapText(const std::string& text, std::size_t width) {
    std::string wrapped;
    std::size_t lineStart = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \n", start), text.size());
        const std::size_t length = end - start;
        if (wrapped.size() > lineStart) {
            if (wrapped.size() - lineStart + 1 + length > width) {
                wrapped += '\n';
                lineStart = wrapped.size();
            } else {
                wrapped += ' ';
            }
        }
        wrapped.append(text, start, length);
        if (end < text.size() && text[end] == '\n') {
            wrapped += '\n';
            lineStart = wrapped.size();
        }
        start = end + 1;
    }
    return wrapped;
}

} // namespace tarsel::cli
