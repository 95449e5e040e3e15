// tarsel-report: the link's report or its results as JSON, without a window.

#include "cli/json_output.h"
#include "cli/param_assign.h"
#include "engine/recalculate.h"
#include "report/report.h"
#include "settings/atomic_write.h"
#include "settings/settings.h"
#include "settings/settings_path.h"
#include "tarsel/version.h"

#include <CLI/CLI.hpp>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitWriteFailed = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage: tarsel-report [--defaults | --settings FILE] [--set KEY=VALUE]... [--json] "
    "[-o FILE] [--write-settings FILE]";

// Load warnings go to standard error, one line each; the run goes on.
class StderrWarnings : public tarsel::WarningSink {
public:
    void warn(const tarsel::Warning& warning) override { std::cerr << warning.text << '\n'; }
};

struct Options {
    bool outputGiven = false;        // -o, even with an empty name
    bool writeSettingsGiven = false; // --write-settings, even with an empty name
    bool defaults = false;
    std::string settingsFile;
    std::vector<std::string> assignments;
    bool json = false;
    std::string outputFile;
    std::string writeSettingsFile;
};

void loadParams(const Options& options, tarsel::LinkParams& params) {
    if (options.defaults) {
        return;
    }
    const std::string path =
        options.settingsFile.empty() ? tarsel::defaultSettingsPath() : options.settingsFile;
    tarsel::FontRecords fonts;
    StderrWarnings warnings;
    tarsel::LoadSettings(path, params, fonts, warnings);
}

int applyAssignments(const Options& options, tarsel::LinkParams& params) {
    for (const std::string& assignment : options.assignments) {
        const tarsel::AssignOutcome outcome = tarsel::assignSetting(params, assignment);
        switch (outcome.status) {
        case tarsel::AssignStatus::Stored:
            break;
        case tarsel::AssignStatus::Rejected:
            std::cerr << outcome.message << '\n';
            return ExitUsage;
        case tarsel::AssignStatus::UnknownKey:
        case tarsel::AssignStatus::Malformed:
            std::cerr << "tarsel-report: --set: " << outcome.message << '\n' << Usage << '\n';
            return ExitUsage;
        }
    }
    return ExitOk;
}

int writeSettings(const std::string& path, const tarsel::LinkParams& params) {
    // A failed save is reported through the sink; count it to set the status.
    class Recorder : public tarsel::WarningSink {
    public:
        void warn(const tarsel::Warning& warning) override {
            std::cerr << "tarsel-report: " << warning.text << '\n';
            failed = true;
        }
        bool failed = false;
    } recorder;
    tarsel::SaveSettings(path, 0, params, nullptr, "", recorder);
    return recorder.failed ? ExitWriteFailed : ExitOk;
}

// True when a and b name the same regular file, or the same new file.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return S_ISREG(sa.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    std::error_code ea;
    std::error_code eb;
    const auto ca = std::filesystem::weakly_canonical(a, ea);
    return !ea && ca == std::filesystem::weakly_canonical(b, eb) && !eb;
}

// The file names checked before anything is read or written: an empty name,
// and a report that would replace the settings file read or written.
int checkFileNames(const Options& options) {
    const char* empty = options.outputGiven && options.outputFile.empty() ? "-o"
                        : options.writeSettingsGiven && options.writeSettingsFile.empty()
                            ? "--write-settings"
                            : nullptr;
    if (empty != nullptr) {
        std::cerr << "tarsel-report: " << empty << ": no file name given\n" << Usage << '\n';
        return ExitUsage;
    }
    if (options.outputFile.empty()) {
        return ExitOk;
    }
    std::vector<std::string> settings;
    if (!options.defaults) {
        settings.push_back(options.settingsFile.empty() ? tarsel::defaultSettingsPath()
                                                        : options.settingsFile);
    }
    if (!options.writeSettingsFile.empty()) {
        settings.push_back(options.writeSettingsFile);
    }
    for (const std::string& path : settings) {
        if (sameFile(options.outputFile, path)) {
            std::cerr << "tarsel-report: -o " << options.outputFile
                      << ": would overwrite the settings file\n";
            return ExitUsage;
        }
    }
    return ExitOk;
}

int run(const Options& options) {
    if (const int status = checkFileNames(options); status != ExitOk) {
        return status;
    }
    tarsel::LinkParams params;
    loadParams(options, params);
    if (const int status = applyAssignments(options, params); status != ExitOk) {
        return status;
    }
    if (!options.writeSettingsFile.empty()) {
        if (const int status = writeSettings(options.writeSettingsFile, params); status != ExitOk) {
            return status;
        }
    }
    const tarsel::LinkResults results = tarsel::recalculate(params);
    const std::string text =
        options.json ? tarsel::resultsJson(params, results) : tarsel::reportText(params, results);
    if (options.outputFile.empty()) {
        std::cout << text << std::flush;
        return std::cout ? ExitOk : ExitWriteFailed;
    }
    const std::string error = tarsel::writeFileAtomically(options.outputFile, text);
    if (!error.empty()) {
        std::cerr << "tarsel-report: cannot write " << error << '\n';
        return ExitWriteFailed;
    }
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Tarsel link calculator: the results report, or the results as JSON.",
                 "tarsel-report"};
    Options options;
    auto* defaults =
        app.add_flag("--defaults", options.defaults, "start from the default parameters");
    app.add_option("--settings", options.settingsFile,
                   "read the parameters from FILE instead of the user's Tarsel.ini")
        ->excludes(defaults);
    app.add_option("--set", options.assignments,
                   "set a parameter, KEY=VALUE with KEY a settings key (repeatable, in order)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_flag("--json", options.json, "print parameters and results as JSON");
    auto* output = app.add_option("-o,--output", options.outputFile,
                                  "write to FILE instead of standard output");
    auto* writeSettings = app.add_option("--write-settings", options.writeSettingsFile,
                                         "write all parameters to the settings file FILE");
    app.set_version_flag("--version", std::string("tarsel-report ") + tarsel::Version);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "tarsel-report: " << e.what() << '\n' << Usage << '\n';
        return ExitUsage;
    }
    options.outputGiven = output->count() > 0;
    options.writeSettingsGiven = writeSettings->count() > 0;
    // A file size limit makes a write fail with a message, as a full disk does.
    std::signal(SIGXFSZ, SIG_IGN);
    return run(options);
}
