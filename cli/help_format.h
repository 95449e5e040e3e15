#pragma once
// The layout of tarsel-report's --help: the usage forms and the description
// first, option arguments named by what they take, descriptions wrapped to
// the help's width, and no CLI11 "Needs" or "Excludes" notes (the usage forms
// show the alternatives). help2man reads it into the man page.

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace tarsel::cli {

class HelpFormatter : public CLI::Formatter {
public:
    std::string make_description(const CLI::App*) const override { return {}; }
    std::string make_usage(const CLI::App* app, std::string) const override;
    std::string make_group(std::string group, bool positional,
                           std::vector<const CLI::Option*> options) const override;
    std::string make_option_name(const CLI::Option* option, bool positional) const override;
    std::string make_option_opts(const CLI::Option* option) const override;
    std::string make_option_desc(const CLI::Option* option) const override;
};

} // namespace tarsel::cli
