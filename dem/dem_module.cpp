// The entry point of tarsel-dem.so; everything else in it stays hidden.

#include "dem/dem_module.h"

extern "C" __attribute__((visibility("default"))) tarsel::dem::ProfileFromDemFunction
tarsel_dem_profile_function() {
    return &tarsel::dem::profileFromDem;
}
