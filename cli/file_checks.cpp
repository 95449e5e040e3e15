#include "cli/file_checks.h"

#include "cli/diagnostics.h"
#include "settings/settings_path.h"

#include <vector>

namespace tarsel::cli {

int checkFileNames(const FileNames& names) {
    const char* empty = names.outputGiven && names.outputFile.empty() ? "-o"
                        : names.writeSettingsGiven && names.writeSettingsFile.empty()
                            ? "--write-settings"
                            : nullptr;
    if (empty != nullptr) {
        printUsageError("no file name given", empty);
        return ExitUsage;
    }
    if (names.outputFile.empty()) {
        return ExitOk;
    }
    for (const std::string& path : {names.settingsRead, names.writeSettingsFile}) {
        if (!path.empty() && namesSameFile(names.outputFile, path)) {
            printError("would overwrite the settings file", "-o " + names.outputFile);
            return ExitUsage;
        }
    }
    return ExitOk;
}

} // namespace tarsel::cli
