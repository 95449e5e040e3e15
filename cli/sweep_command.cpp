#include "cli/sweep_command.h"

#include "cli/output.h"
#include "settings/atomic_write.h"
#include "sweep/sweep.h"
#include "sweep/sweep_table.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <string_view>
#include <unistd.h>

namespace tarsel {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitWriteFailed = 1;
constexpr int ExitUsage = 2;
constexpr std::size_t FlushSize = 1 << 20;

int usageError(std::string_view message) {
    std::cerr << "tarsel-report: " << message << '\n';
    return ExitUsage;
}

// Standard output, or a file put in place whole once complete (by the rules
// of every file the tool writes), so a failed run leaves no partial file.
class TableOutput {
public:
    // Returns "" or the reason the file cannot be written.
    std::string open(const std::string& path) {
        if (path.empty() || path == cli::StandardOutput) {
            return {};
        }
        toFile_ = true;
        if (std::string error = cli::missingFolder(path); !error.empty()) {
            return error;
        }
        return file_.open(path);
    }

    bool write(std::string_view data) {
        if (toFile_) {
            return file_.write(data);
        }
        if (!writeAll(STDOUT_FILENO, data)) {
            error_ = std::string("standard output: ") + std::strerror(errno);
            return false;
        }
        return true;
    }

    // Returns "" or the reason the output failed.
    std::string finish() { return toFile_ ? file_.commit() : error_; }

private:
    bool toFile_ = false;
    AtomicFile file_;
    std::string error_;
};

// "tarsel-report: sweep 45% (450000 of 1000000 points)", rewritten in place on
// a terminal once the run has lasted a second, at most ten times a second.
class ProgressLine {
public:
    ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1) {}

    ~ProgressLine() {
        if (shown_) {
            std::cerr << "\r\033[K" << std::flush;
        }
    }

    void update(std::int64_t done, std::int64_t total) {
        if (!terminal_) {
            return;
        }
        const auto now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) ||
            (shown_ && now - last_ < std::chrono::milliseconds(100))) {
            return;
        }
        last_ = now;
        shown_ = true;
        std::cerr << "\rtarsel-report: sweep " << (100 * done / total) << "% (" << done << " of "
                  << total << " points)" << std::flush;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool terminal_;
    bool shown_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_;
};

} // namespace

namespace {

struct PreparedSweep {
    SweepPlan plan;
    SweepFormat format = SweepFormat::Csv;
    std::vector<SweepColumn> columns;
};

// Reads and checks the request; on a fault prints it and returns false.
bool prepare(const LinkParams& base, const SweepRequest& request, PreparedSweep& sweep) {
    if (request.sweeps.size() > 1) {
        usageError("--sweep given " + std::to_string(request.sweeps.size()) +
                   " times; a run sweeps one input");
        return false;
    }
    if (request.format == "jsonl") {
        sweep.format = SweepFormat::JsonLines;
    } else if (!request.format.empty() && request.format != "csv") {
        usageError("--format: expected csv or jsonl, got '" + request.format + "'");
        return false;
    }
    SweepExtension* extension = request.extension;
    SweepCheck check = parseSweepArgument(request.sweeps.front(), request.log, sweep.plan,
                                          extension != nullptr ? extension->keys()
                                                               : std::span<const ExtraSweepKey>());
    if (check && sweepField(sweep.plan) >= 0) {
        check = checkSweepFrom(base, sweep.plan);
    }
    if (!check) {
        usageError("--sweep: " + check.message);
        return false;
    }
    const std::string error = chooseSweepColumns(
        request.columns, sweep.format, sweep.plan.key, sweep.columns,
        extension != nullptr ? extension->columns() : std::span<const SweepColumn>());
    if (!error.empty()) {
        usageError("--columns: " + error);
        return false;
    }
    if (extension != nullptr) {
        if (const std::string problem = extension->prepare(sweep.plan, sweep.columns);
            !problem.empty()) {
            usageError("--sweep: " + problem);
            return false;
        }
    }
    return true;
}

} // namespace

int checkSweepCommand(const LinkParams& base, const SweepRequest& request) {
    PreparedSweep sweep;
    return prepare(base, request, sweep) ? ExitOk : ExitUsage;
}

int runSweepCommand(const LinkParams& base, const SweepRequest& request) {
    PreparedSweep sweep;
    if (!prepare(base, request, sweep)) {
        return ExitUsage;
    }
    const SweepPlan& plan = sweep.plan;
    const SweepTable table(sweep.format, std::move(sweep.columns));

    TableOutput output;
    if (const std::string error = output.open(request.output); !error.empty()) {
        std::cerr << "tarsel-report: cannot write " << error << '\n';
        return ExitWriteFailed;
    }
    std::string buffer;
    buffer.reserve(FlushSize + 4096);
    table.appendHeader(buffer);
    bool writeFailed = false;
    {
        ProgressLine progress;
        SweepOptions options;
        options.progress = [&](std::int64_t done, std::int64_t total) {
            progress.update(done, total);
        };
        if (request.extension != nullptr) {
            options.evaluate = [extension = request.extension](SweepPoint& point) {
                extension->evaluate(point);
            };
        }
        runSweep(
            base, plan,
            [&](const SweepPoint& point) {
                table.appendRow(point, buffer);
                if (buffer.size() >= FlushSize) {
                    writeFailed = !output.write(buffer);
                    buffer.clear();
                }
                return !writeFailed;
            },
            options);
    }
    if (!writeFailed) {
        output.write(buffer);
    }
    if (const std::string error = output.finish(); !error.empty()) {
        std::cerr << "tarsel-report: cannot write " << error << '\n';
        return ExitWriteFailed;
    }
    return ExitOk;
}

} // namespace tarsel
