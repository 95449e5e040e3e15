#pragma once
// The parts of tarsel-report's --help around the options: the usage forms and
// what the program does before them; the settings keys with their units,
// bounds and defaults, the exit statuses and the files after them.

#include <string>

namespace tarsel::cli {

// One line per form of the command, GNU style ("Usage:", then "  or:  "), so
// that help2man makes the man page's synopsis of them. Printed after every
// usage error too.
inline constexpr const char* UsageLine =
    "Usage: tarsel-report [OPTION]... [--report | --json] [-o FILE]\n"
    "  or:  tarsel-report [OPTION]... --write-settings FILE\n"
    "  or:  tarsel-report [OPTION]... --sweep KEY=FROM:TO:N [SWEEP OPTION]...\n"
    "  or:  tarsel-report [OPTION]... --profile FILE [TERRAIN OPTION]...\n"
    "  or:  tarsel-report [OPTION]... --dem PATH... --from LAT,LON --to LAT,LON";

inline constexpr const char* HelpDescription =
    "The Tarsel radio link's report, its results as JSON, or a table of the link\n"
    "at many values of one input, without a window.";

// --help's lines are at most this wide.
inline constexpr std::size_t HelpWidth = 80;

std::string helpFooter();

// text broken between words into lines of at most width characters.
std::string wrapText(const std::string& text, std::size_t width);

} // namespace tarsel::cli
