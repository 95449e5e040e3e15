#pragma once
// The fuzz targets' own assertion: a broken property prints what failed and
// aborts, which libFuzzer records as a finding and the seed replay as a
// failed test.

#include <cstdio>
#include <cstdlib>

namespace tarsel::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* condition, const char* what) {
    std::fprintf(stderr, "%s:%d: %s: %s\n", file, line, what, condition);
    std::abort();
}

} // namespace tarsel::fuzz

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::tarsel::fuzz::fail(__FILE__, __LINE__, #condition, what);                            \
        }                                                                                          \
    } while (0)
