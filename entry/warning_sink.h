#pragma once
// Where the core reports a user-facing warning. The GUI beeps and shows a
// modal box; the command-line tool prints a line; tests record.

#include <string>

namespace tarsel {

enum class WarningIcon { Warning, Information, Error };

struct Warning {
    std::string text;
    std::string title; // "Error" where the platform's default title is meant
    WarningIcon icon = WarningIcon::Warning;
};

class WarningSink {
public:
    virtual ~WarningSink() = default;
    virtual void warn(const Warning& warning) = 0;
};

// The warning box of a rejected number: default title, warning icon.
inline Warning entryWarning(std::string text) {
    return Warning{std::move(text), "Error", WarningIcon::Warning};
}

} // namespace tarsel
