#pragma once
// Where tarsel-report writes: standard output ("-") or a file, replaced
// atomically.

#include <string>
#include <string_view>

namespace tarsel::cli {

// Marks standard output in -o.
inline constexpr std::string_view StandardOutput = "-";

// "" when the folder that is to hold path exists, else "<path>: <reason>".
// The tool creates no folders for the files it is told to write.
std::string missingFolder(const std::string& path);

// Writes text to target ("-": standard output). On failure prints the reason
// and returns ExitWriteFailed, else ExitOk.
int writeOutput(const std::string& target, std::string_view text);

} // namespace tarsel::cli
