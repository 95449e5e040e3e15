#include "cli/help_format.h"

#include "cli/help_text.h"

namespace tarsel::cli {

std::string HelpFormatter::make_usage(const CLI::App* app, std::string) const {
    return std::string(UsageLine) + "\n" + app->get_description() + "\n\n";
}

// A group's heading and its options, one blank line between groups.
std::string HelpFormatter::make_group(std::string group, bool positional,
                                      std::vector<const CLI::Option*> options) const {
    std::string text = group + ":\n";
    for (const CLI::Option* option : options) {
        text += make_option(option, positional);
    }
    return text;
}

// "-o, --output": the names as GNU tools list them.
std::string HelpFormatter::make_option_name(const CLI::Option* option, bool positional) const {
    std::string names = CLI::Formatter::make_option_name(option, positional);
    for (std::size_t comma = names.find(','); comma != std::string::npos;
         comma = names.find(',', comma + 2)) {
        names.insert(comma + 1, " ");
    }
    return names;
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
    return option->get_type_name().empty() ? std::string()
                                           : std::string(" ").append(option->get_type_name());
}

// Continuation lines start at the description's column, where help2man looks
// for them.
std::string HelpFormatter::make_option_desc(const CLI::Option* option) const {
    return wrapText(option->get_description(), HelpWidth - get_column_width());
}

} // namespace tarsel::cli
