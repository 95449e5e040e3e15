#pragma once
// The elevation-data module: profileFromDem and everything it needs (GDAL
// and the dozens of libraries GDAL pulls in) in a shared library of its own,
// tarsel-dem.so, which tarsel-report loads only when a run samples rasters.
// Built by the same compiler against the same libstdc++ as the program, so a
// C++ function pointer crosses, and a DemError thrown inside is caught outside.

#include "dem/dem_profile.h"

namespace tarsel::dem {

using ProfileFromDemFunction = SampledProfile (*)(const DemRequest& request,
                                                  const DemProgress& progress);

inline constexpr const char* ModuleFileName = "tarsel-dem.so";
// The one symbol the module exports: it returns profileFromDem.
inline constexpr const char* ModuleEntryPoint = "tarsel_dem_profile_function";

} // namespace tarsel::dem

extern "C" tarsel::dem::ProfileFromDemFunction tarsel_dem_profile_function();
