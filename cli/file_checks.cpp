#include "cli/file_checks.h"

#include "cli/diagnostics.h"

#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace tarsel::cli {

namespace {

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

} // namespace

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
        if (!path.empty() && sameFile(names.outputFile, path)) {
            printError("would overwrite the settings file", "-o " + names.outputFile);
            return ExitUsage;
        }
    }
    return ExitOk;
}

} // namespace tarsel::cli
