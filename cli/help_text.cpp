#include "cli/help_text.h"

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

std::string keyLines() {
    std::string text = "Settings keys (KEY of --set, any letter case; bounds inclusive):\n";
    text += std::string("  ").append(padded("KEY", 11)) + padded("MEANING", 44) +
            padded("UNIT", 12) + padded("BOUNDS", 20) + "DEFAULT\n";
    for (const SettingsKey& key : settingsKeys()) {
        const KeyInfo info = keyInfo(key);
        const std::string def =
            info.halfRangeDefault ? std::string("Range/2") : formatPlain(info.defaultValue);
        text += std::string("  ").append(padded(std::string(info.key), 11)) +
                padded(std::string(info.label), 44) +
                padded(info.unit.empty() ? std::string("-") : std::string(info.unit), 12) +
                padded(bounds(info), 20) + def + "\n";
    }
    text += "  Setting Range rescales X12s and X23s in proportion; setting X12s or X23s\n"
            "  makes Range their sum.\n";
    return text;
}

} // namespace

std::string helpFooter() {
    return keyLines() +
           "\n"
           "Exit status:\n"
           "  0  success\n"
           "  1  a file or standard output could not be written\n"
           "  2  a rejected value, an unknown key or a bad option\n"
           "\n"
           "Files:\n"
           "  $XDG_CONFIG_HOME/Tarsel.ini, or ~/.config/Tarsel.ini when XDG_CONFIG_HOME is\n"
           "  unset: the settings read unless --defaults or --settings is given. Bad\n"
           "  stored values are reported on standard error and replaced by their defaults.\n";
}

} // namespace tarsel::cli
