#pragma once
// Parameters and results as one JSON object.

#include "engine/link_params.h"
#include "engine/link_results.h"

#include <string>

namespace tarsel {

// {"params": {the 22 settings keys}, "results": {every result field}}.
// Numbers in shortest round-trip form; non-finite ones as "inf", "-inf", "nan".
std::string resultsJson(const LinkParams& params, const LinkResults& results);

} // namespace tarsel
