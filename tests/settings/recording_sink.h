#pragma once
// A warning sink that keeps what it is given.

#include "entry/warning_sink.h"

#include <string>
#include <vector>

namespace tarsel::test {

class RecordingSink : public WarningSink {
public:
    void warn(const Warning& warning) override { warnings.push_back(warning); }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Warning& w : warnings) {
            out.push_back(w.text);
        }
        return out;
    }

    std::vector<Warning> warnings;
};

} // namespace tarsel::test
