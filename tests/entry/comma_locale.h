#pragma once
// Switches the process to a locale whose decimal point is a comma, for as long
// as the guard lives, when one is installed.

#include <clocale>
#include <string>

namespace tarsel::test {

class CommaLocale {
public:
    CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
        const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                    "de_DE",       "fr_FR",      "nl_NL.UTF-8", "ru_RU.UTF-8"};
        for (const char* name : candidates) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                std::localeconv()->decimal_point[0] == ',') {
                name_ = name;
                return;
            }
        }
        std::setlocale(LC_ALL, saved_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return !name_.empty(); }
    const std::string& name() const { return name_; }

private:
    std::string saved_;
    std::string name_;
};

} // namespace tarsel::test
