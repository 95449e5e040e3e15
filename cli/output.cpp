#include "cli/output.h"

#include "cli/diagnostics.h"
#include "settings/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tarsel::cli {

namespace {

int writeStandardOutput(std::string_view text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written && std::ferror(stdout) == 0) {
        return ExitOk;
    }
    printError(errno != 0 ? std::strerror(errno) : "write error", "standard output");
    return ExitWriteFailed;
}

} // namespace

std::string missingFolder(const std::string& path) {
    namespace fs = std::filesystem;
    // The folder of the file finally written: a symbolic link may name a file
    // in a folder that is not there.
    fs::path target(path);
    if (followSymbolicLinks(target) != 0) {
        return {}; // the write reports it
    }
    std::error_code ec;
    const fs::path folder = fs::absolute(target, ec).parent_path();
    if (ec || fs::is_directory(folder, ec)) {
        return {}; // anything else is the write's to report
    }
    return path + ": " + std::strerror(fs::exists(folder, ec) ? ENOTDIR : ENOENT);
}

int writeOutput(const std::string& target, std::string_view text) {
    if (target == StandardOutput) {
        return writeStandardOutput(text);
    }
    std::string error = missingFolder(target);
    if (error.empty()) {
        error = writeFileAtomically(target, text);
    }
    if (!error.empty()) {
        printError(error);
        return ExitWriteFailed;
    }
    return ExitOk;
}

} // namespace tarsel::cli
