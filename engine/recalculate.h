#pragma once
// Parameters in, every result out.

#include "engine/link_params.h"
#include "engine/link_results.h"

namespace tarsel {

// Geometry, diffraction, the three link budgets and the intermodulation
// figures. Pure: reads only params; never fails (undefined inputs give
// non-finite values in the affected fields).
LinkResults recalculate(const LinkParams& params);

} // namespace tarsel
