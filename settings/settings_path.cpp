#include "settings/settings_path.h"

#include "settings/settings.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {

namespace {

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string homeFolder() {
    std::string home = fromEnvironment("HOME");
    if (!home.empty()) {
        return home;
    }
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return {};
}

} // namespace

std::string defaultSettingsPath() {
    const std::string fileName = std::string(ShortName) + ".ini";
    // Relative values are to be ignored, as the base directory rules say.
    const std::string config = fromEnvironment("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/') {
        return config + "/" + fileName;
    }
    const std::string home = homeFolder();
    if (!home.empty()) {
        return home + "/.config/" + fileName;
    }
    return fileName;
}

bool namesSameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return S_ISREG(sa.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    std::error_code ea;
    std::error_code eb;
    const auto ca = std::filesystem::weakly_canonical(a, ea);
    return !ea && ca == std::filesystem::weakly_canonical(b, eb) && !eb;
}

} // namespace tarsel
