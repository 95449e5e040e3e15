#pragma once
// File names tarsel-report refuses before it reads or writes anything.

#include <string>

namespace tarsel::cli {

struct FileNames {
    bool outputGiven = false;        // -o, even with an empty name
    bool writeSettingsGiven = false; // --write-settings, even with an empty name
    std::string outputFile;
    std::string writeSettingsFile;
    std::string settingsRead; // the settings file read, empty with --defaults
};

// An empty name, and a report that would replace the settings file read or
// written: prints the reason and returns ExitUsage; otherwise ExitOk.
int checkFileNames(const FileNames& names);

} // namespace tarsel::cli
