#pragma once
// tarsel-report --sweep: the link at many values of one input, as a table.

#include "engine/link_params.h"

#include <string>
#include <vector>

namespace tarsel {

struct SweepRequest {
    std::vector<std::string> sweeps; // the --sweep arguments, KEY=FROM:TO:N
    bool log = false;
    std::string columns; // the --columns list, empty for the defaults
    std::string format;  // csv (also when empty) or jsonl
    std::string output;  // file, or empty or "-" for standard output
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
