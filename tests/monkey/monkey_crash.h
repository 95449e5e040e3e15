#pragma once
// A monkey that crashes the program says what it did last: on a fatal
// signal the last actions and a backtrace go to standard error, then the
// signal takes its usual course (a core, the test's failure).
#include <deque>
#include <string>

namespace tarsel::testing {

class CrashReport {
public:
    // recent: the last actions, read when a fatal signal arrives.
    explicit CrashReport(const std::deque<std::string>& recent);
    ~CrashReport();
    CrashReport(const CrashReport&) = delete;
    CrashReport& operator=(const CrashReport&) = delete;

    // What the program is doing, for the report ("acting", "closing").
    void setPhase(const char* phase);
};

} // namespace tarsel::testing
