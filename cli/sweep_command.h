#pragma once
// tarsel-report --sweep: the link at many values of one input, as a table.

#include "engine/link_params.h"
#include "sweep/sweep.h"
#include "sweep/sweep_table.h"

#include <span>
#include <string>
#include <vector>

namespace tarsel {

// More inputs to sweep and more results to show than the settings keys and the
// result table, computed by the extension itself (a terrain path's).
class SweepExtension {
public:
    virtual ~SweepExtension() = default;
    virtual std::span<const ExtraSweepKey> keys() const = 0;
    // Their extra index numbers SweepPoint::extra.
    virtual std::span<const SweepColumn> columns() const = 0;
    // The plan and columns chosen, before any point: "" or why the sweep
    // cannot be run.
    virtual std::string prepare(const SweepPlan& plan, const std::vector<SweepColumn>& columns) = 0;
    // Computes one point as SweepOptions::evaluate; on several threads at once.
    virtual void evaluate(SweepPoint& point) const = 0;
};

struct SweepRequest {
    std::vector<std::string> sweeps; // the --sweep arguments, KEY=FROM:TO:N
    bool log = false;
    std::string columns;                 // the --columns list, empty for the defaults
    std::string format;                  // csv (also when empty) or jsonl
    std::string output;                  // file, or empty or "-" for standard output
    SweepExtension* extension = nullptr; // optional
};

// Everything is checked before any output; messages go to standard error
// prefixed with the program's name. A progress line is kept on standard error
// when it is a terminal and the run lasts over a second. A file is put in
// place whole when complete, as writeFileAtomically does (a device is written
// through, a read-only file refused). Returns the exit status:
// 0 done, 1 output failed, 2 bad input.
int runSweepCommand(const LinkParams& base, const SweepRequest& request);

// Only the checks of runSweepCommand, with its messages: 0 or 2.
int checkSweepCommand(const LinkParams& base, const SweepRequest& request);

} // namespace tarsel
