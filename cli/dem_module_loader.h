#pragma once
// tarsel-report's way to the elevation-data module (dem/dem_module.h): looked
// for beside the program, where the build tree puts it, then where it is
// installed relative to the program, so a moved installed tree still finds
// it; loaded once, on first use.

#include "dem/dem_module.h"

#include <string>
#include <vector>

namespace tarsel::cli {

// Where the module is looked for, in order, for a program in executableDir.
std::vector<std::string> demModuleCandidates(const std::string& executableDir);

// profileFromDem from the module, loaded on the first call; nullptr, with the
// reason for the user in reason, when it cannot be found or loaded.
dem::ProfileFromDemFunction loadDemModule(std::string& reason);

} // namespace tarsel::cli
