#pragma once
// Where the core reports a user-facing warning. The GUI beeps and shows a
// modal box; the command-line tool prints a line; tests record.

#include <string>
#include <utility>

namespace tarsel {

enum class WarningIcon { Warning, Information, Error };

struct Warning {
    Warning() = default;
    Warning(std::string text_, std::string title_, WarningIcon icon_ = WarningIcon::Warning,
            std::string key_ = {})
        : text(std::move(text_)), title(std::move(title_)), icon(icon_), key(std::move(key_)) {}

    std::string text;
    std::string title; // "Error" where the platform's default title is meant
    WarningIcon icon = WarningIcon::Warning;
    std::string key; // the settings key concerned, when there is one (not shown in a box)
    // Where the warning comes from, shown under the text when set (the
    // settings file and key of a stored value that was refused).
    std::string detail;
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
