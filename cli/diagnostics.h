#pragma once
// Messages of tarsel-report on standard error: the program's name first, then
// the file or key concerned when there is one, then the message itself.

#include <string_view>

namespace tarsel::cli {

inline constexpr std::string_view ProgramName = "tarsel-report";

// Exit statuses, as --help lists them.
inline constexpr int ExitOk = 0;
inline constexpr int ExitWriteFailed = 1;
inline constexpr int ExitUsage = 2;

// "tarsel-report: <subjects>: <message>", one line per line of message;
// empty subjects are left out.
void printError(std::string_view message, std::string_view subject = {},
                std::string_view detail = {});

// printError, then the usage line: for a command line that cannot be run.
void printUsageError(std::string_view message, std::string_view subject = {});

} // namespace tarsel::cli
