// tarsel-report: the link's report or its results as JSON, without a window.

#include "cli/diagnostics.h"
#include "cli/file_checks.h"
#include "cli/help_format.h"
#include "cli/help_text.h"
#include "cli/json_output.h"
#include "cli/output.h"
#include "cli/param_assign.h"
#include "cli/sweep_command.h"
#include "cli/terrain_command.h"
#include "cli/terrain_request.h"
#include "engine/recalculate.h"
#include "report/report.h"
#include "settings/settings.h"
#include "settings/settings_path.h"
#include "tarsel/version.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <memory>
#include <string>
#include <vector>

namespace tarsel::cli {

namespace {

struct Options {
    FileNames files; // -o, --write-settings and the settings file read
    bool defaults = false;
    std::string settingsFile;
    std::vector<std::string> assignments;
    bool json = false;
    bool report = false;
    tarsel::SweepRequest sweep;
    TerrainRequest terrain;
};

// Load warnings go to standard error, one line each, naming the file and the
// key; the run goes on with the key's default.
class LoadWarnings : public WarningSink {
public:
    explicit LoadWarnings(std::string file) : file_(std::move(file)) {}
    void warn(const Warning& warning) override { printError(warning.text, file_, warning.key); }

private:
    std::string file_;
};

// Save failures are printed and remembered for the exit status.
class SaveWarnings : public WarningSink {
public:
    void warn(const Warning& warning) override {
        printError(warning.text);
        failed = true;
    }
    bool failed = false;
};

std::string settingsRead(const Options& options) {
    if (options.defaults) {
        return {};
    }
    return options.settingsFile.empty() ? defaultSettingsPath() : options.settingsFile;
}

void loadParams(const Options& options, LinkParams& params) {
    if (options.defaults) {
        return;
    }
    const std::string& path = options.files.settingsRead;
    FontRecords fonts;
    LoadWarnings warnings(path);
    LoadSettings(path, params, fonts, warnings);
}

int applyAssignments(const Options& options, LinkParams& params) {
    for (const std::string& assignment : options.assignments) {
        const AssignOutcome outcome = assignSetting(params, assignment);
        switch (outcome.status) {
        case AssignStatus::Stored:
            break;
        case AssignStatus::Rejected:
            printError(outcome.message, outcome.key);
            return ExitUsage;
        case AssignStatus::UnknownKey:
        case AssignStatus::Malformed:
            printUsageError(outcome.message, "--set");
            return ExitUsage;
        }
    }
    return ExitOk;
}

int writeSettings(const std::string& path, const LinkParams& params) {
    if (const std::string missing = missingFolder(path); !missing.empty()) {
        printError(missing);
        return ExitWriteFailed;
    }
    SaveWarnings warnings;
    SaveSettings(path, 0, params, nullptr, "", warnings);
    return warnings.failed ? ExitWriteFailed : ExitOk;
}

int run(const Options& options) {
    if (const int status = checkFileNames(options.files); status != ExitOk) {
        return status;
    }
    LinkParams params;
    loadParams(options, params);
    if (const int status = applyAssignments(options, params); status != ExitOk) {
        return status;
    }
    // A terrain path is read and worked through before anything is written.
    TerrainCommand terrain;
    tarsel::SweepRequest sweep = options.sweep;
    if (options.terrain.wanted()) {
        if (const int status = terrain.prepare(options.terrain, params); status != ExitOk) {
            return status;
        }
        sweep.extension = &terrain;
    }
    if (!sweep.sweeps.empty()) {
        if (const int status = tarsel::checkSweepCommand(params, sweep); status != ExitOk) {
            return status;
        }
    }
    const bool writesSettings = !options.files.writeSettingsFile.empty();
    if (writesSettings) {
        if (const int status = writeSettings(options.files.writeSettingsFile, params);
            status != ExitOk) {
            return status;
        }
    }
    if (!sweep.sweeps.empty()) {
        return tarsel::runSweepCommand(params, sweep);
    }
    // Writing the settings is a task of its own; the report comes when asked.
    const bool wantsOutput = !writesSettings || options.json || options.report ||
                             options.terrain.table || !options.files.outputFile.empty();
    if (!wantsOutput) {
        return ExitOk;
    }
    std::string text;
    if (options.terrain.wanted()) {
        text = terrain.text(options.json            ? TerrainOutput::Json
                            : options.terrain.table ? TerrainOutput::ProfileTable
                                                    : TerrainOutput::Report);
    } else {
        const LinkResults results = recalculate(params);
        text = options.json ? resultsJson(params, results) : reportText(params, results);
    }
    return writeOutput(options.files.outputFile.empty() ? std::string(StandardOutput)
                                                        : options.files.outputFile,
                       text);
}

// The options of a sweep, listed after the others.
constexpr const char* SweepOptions = "Sweep options";

void defineOptions(CLI::App& app, Options& options) {
    app.formatter(std::make_shared<HelpFormatter>());
    app.footer(helpFooter());
    auto* defaults =
        app.add_flag("--defaults", options.defaults, "start from the default parameters");
    app.add_option("--settings", options.settingsFile,
                   "read the parameters from FILE instead of the user's Tarsel.ini")
        ->type_name("FILE")
        ->excludes(defaults);
    app.add_option("--set", options.assignments,
                   "set a parameter (repeatable, applied in order); keys below")
        ->type_name("KEY=VALUE")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    auto* json = app.add_flag("--json", options.json,
                              "print parameters, results and their units as JSON (format 1)");
    app.add_flag("--report", options.report,
                 "print the text report (the default unless --write-settings is given)")
        ->excludes(json);
    app.add_option("-o,--output", options.files.outputFile,
                   "write the report or JSON to FILE, replaced atomically; - is standard output")
        ->type_name("FILE");
    app.add_option("--write-settings", options.files.writeSettingsFile,
                   "write all parameters to the settings file FILE (its folder must exist)")
        ->type_name("FILE");
    auto* sweep = app.add_option("--sweep", options.sweep.sweeps,
                                 "write a table of the link at N values of the input KEY, from "
                                 "FROM to TO (N from 2 to 10000000)")
                      ->type_name("KEY=FROM:TO:N")
                      ->group(SweepOptions)
                      ->expected(1)
                      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                      ->excludes(json);
    app.add_flag("--log", options.sweep.log, "space the sweep's values logarithmically")
        ->group(SweepOptions)
        ->needs(sweep);
    app.add_option("--columns", options.sweep.columns,
                   "the sweep's columns: settings keys and result names, comma-separated, or all")
        ->type_name("LIST")
        ->group(SweepOptions)
        ->needs(sweep);
    app.add_option("--format", options.sweep.format, "the sweep's table format (default csv)")
        ->type_name("csv|jsonl")
        ->group(SweepOptions)
        ->needs(sweep);
    defineTerrainOptions(app, options.terrain);
    app.get_option("--profile-table")->excludes(sweep);
    app.set_version_flag("--version", std::string("tarsel-report ") + tarsel::Version,
                         "print the version and exit");
    app.set_help_flag("-h,--help", "print this help and exit");
}

} // namespace

} // namespace tarsel::cli

int main(int argc, char** argv) {
    using namespace tarsel::cli;
    CLI::App app{HelpDescription, std::string(ProgramName)};
    Options options;
    defineOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        printUsageError(e.what());
        return ExitUsage;
    }
    // An option given with an empty value is an error, not its default.
    for (const char* name : {"--settings", "--columns", "--format", "--spacing"}) {
        const CLI::Option* option = app.get_option(name);
        if (option->count() > 0 && option->as<std::string>().empty()) {
            printUsageError("no value given", name);
            return ExitUsage;
        }
    }
    if (!terrainSourceGiven(app, options.terrain)) {
        return ExitUsage;
    }
    options.files.outputGiven = app.get_option("--output")->count() > 0;
    options.files.writeSettingsGiven = app.get_option("--write-settings")->count() > 0;
    options.files.settingsRead = settingsRead(options);
    // A file size limit makes a write fail with a message, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    options.sweep.output = options.files.outputFile;
    return run(options);
}
