#include "settings/settings_path.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace tarsel {
namespace {

// Sets or clears an environment variable for the length of a test.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value == nullptr) {
            ::unsetenv(name);
        } else {
            ::setenv(name, value, 1);
        }
    }
    ~EnvironmentOverride() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct PathCase {
    const char* xdgConfigHome; // nullptr: unset
    const char* home;
    const char* expected;
};

// clang-format off
const PathCase pathCases[] = {
    // XDG_CONFIG_HOME      HOME          expected
    {"/cfg",               "/home/u",    "/cfg/Tarsel.ini"},            // configuration folder set
    {nullptr,              "/home/u",    "/home/u/.config/Tarsel.ini"}, // unset: under home
    {"",                   "/home/u",    "/home/u/.config/Tarsel.ini"}, // empty: under home
    {"relative/cfg",       "/home/u",    "/home/u/.config/Tarsel.ini"}, // relative: ignored
};
// clang-format on

TEST(SettingsPath, FromEnvironment) {
    for (const PathCase& c : pathCases) {
        EnvironmentOverride xdg("XDG_CONFIG_HOME", c.xdgConfigHome);
        EnvironmentOverride home("HOME", c.home);
        EXPECT_EQ(defaultSettingsPath(), c.expected)
            << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)");
    }
}

TEST(SettingsPath, CreatesNothing) {
    test::TempFolder folder;
    const std::string config = folder.file("not-yet");
    EnvironmentOverride xdg("XDG_CONFIG_HOME", config.c_str());
    EXPECT_EQ(defaultSettingsPath(), config + "/Tarsel.ini");
    EXPECT_FALSE(std::filesystem::exists(config));
}

} // namespace
} // namespace tarsel
