#pragma once
// The parts of tarsel-report's --help after the options: the settings keys
// with their units, bounds and defaults, the exit statuses and the files.

#include <string>

namespace tarsel::cli {

inline constexpr const char* UsageLine =
    "usage: tarsel-report [--defaults | --settings FILE] [--set KEY=VALUE]...\n"
    "                     [--report] [--json] [-o FILE] [--write-settings FILE]";

std::string helpFooter();

} // namespace tarsel::cli
