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

} // namespace

std::string helpFooter() {
    return keyLines() +
           "\n"
           "Exit status:\n"
           "  0  success\n"
           "  1  a file or standard output could not be written\n"
           "  2  a rejected value, an unknown key, a bad option, or a terrain profile\n"
           "     that is missing, unreadable or bad (FILE:LINE:COLUMN names the fault)\n"
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
