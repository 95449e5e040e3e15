#include "cli/diagnostics.h"

#include "cli/help_text.h"

#include <iostream>
#include <string>

namespace tarsel::cli {

void printError(std::string_view message, std::string_view subject, std::string_view detail) {
    std::string prefix(ProgramName);
    for (std::string_view part : {subject, detail}) {
        if (!part.empty()) {
            prefix += ": ";
            prefix += part;
        }
    }
    prefix += ": ";
    // A message of several lines keeps the prefix on each, so every line of
    // standard error says where it comes from.
    std::size_t start = 0;
    while (start <= message.size()) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        std::cerr << prefix << message.substr(start, end - start) << '\n';
        start = end + 1;
    }
    std::cerr << std::flush;
}

void printUsageError(std::string_view message, std::string_view subject) {
    printError(message, subject);
    std::cerr << UsageLine << '\n';
}

} // namespace tarsel::cli
