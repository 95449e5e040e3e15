#pragma once
// Reference figures are quoted to six significant digits; compare in the
// same form so a row reads exactly like its source.

#include <cstdio>
#include <string>

namespace tarsel::test {

inline std::string sig6(double x) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.6g", x);
    return buf;
}

} // namespace tarsel::test
