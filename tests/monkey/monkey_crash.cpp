#include "monkey_crash.h"

#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <unistd.h>

namespace tarsel::testing {

namespace {

constexpr int FatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

const std::deque<std::string>* watched = nullptr;
const char* phase = "starting";

void say(const char* text) {
    const ssize_t written = write(STDERR_FILENO, text, std::strlen(text));
    static_cast<void>(written);
}

void report(int signal) {
    // Reading the list of actions is not safe in a handler in general; the
    // program is lost anyway, and the list is only read.
    say("\nmonkey: fatal signal ");
    say(strsignal(signal));
    say(" while ");
    say(phase);
    say("; the last actions, oldest first:\n");
    if (watched != nullptr) {
        for (const std::string& action : *watched) {
            say("  ");
            say(action.c_str());
            say("\n");
        }
    }
    say("backtrace:\n");
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

CrashReport::CrashReport(const std::deque<std::string>& recent) {
    watched = &recent;
#if !defined(__SANITIZE_ADDRESS__)
    // (AddressSanitizer's own report says more.)
    for (const int signal : FatalSignals) {
        std::signal(signal, report);
    }
#endif
}

CrashReport::~CrashReport() {
    for (const int signal : FatalSignals) {
        std::signal(signal, SIG_DFL);
    }
    watched = nullptr;
}

void CrashReport::setPhase(const char* now) {
    phase = now;
}

} // namespace tarsel::testing
