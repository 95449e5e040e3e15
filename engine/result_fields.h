#pragma once
// Every result of a recalculation, one row each: its name in the JSON output
// (dotted for the three diffraction cases, "noDiffraction.marginDb"), a short
// label, its unit and how to read it. The JSON output, sweep tables and the
// plot window's result lists all list results from here.

#include "engine/link_params.h"
#include "engine/link_results.h"

#include <span>
#include <string_view>

namespace tarsel {

struct ResultField {
    std::string_view name;  // JSON name, e.g. "noDiffraction.marginDb"
    std::string_view label; // e.g. "Margin at nominal range, no diffraction"
    std::string_view unit;  // e.g. "dB", "rad"; empty for a pure number
    double (*value)(const LinkParams& params, const LinkResults& results);
};

// In the order of the JSON output.
std::span<const ResultField> resultFields();

// The row named name (exact spelling), or nullptr.
const ResultField* findResultField(std::string_view name);

} // namespace tarsel
