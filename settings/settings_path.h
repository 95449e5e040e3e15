#pragma once
// Where the settings file lives: the user's configuration folder.

#include <string>

namespace tarsel {

// $XDG_CONFIG_HOME/Tarsel.ini when that variable holds an absolute path,
// otherwise $HOME/.config/Tarsel.ini (the home folder from the user database
// when HOME is unset or empty; Tarsel.ini in the working folder when there is
// none). Creates nothing; the save creates the folder when it is missing.
std::string defaultSettingsPath();

// True when a and b name the same regular file (through any links or
// spelling), or, while neither exists, the same new file.
bool namesSameFile(const std::string& a, const std::string& b);

} // namespace tarsel
