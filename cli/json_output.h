#pragma once
// Parameters and results as one JSON object.

#include "engine/link_params.h"
#include "engine/link_results.h"

#include <nlohmann/json.hpp>
#include <string>

namespace tarsel {

// Version of the JSON layout below; raised when a name changes meaning.
inline constexpr int JsonFormat = 1;

// {"format": 1, "params": {the 22 settings keys}, "results": {every row of
// the result table, the three diffraction cases as nested objects},
// "units": {"params": {...}, "results": {...}}}, the units object holding the
// unit text of every number at the same place ("" for a pure number).
// Numbers in shortest round-trip form; non-finite ones as "inf", "-inf", "nan".
std::string resultsJson(const LinkParams& params, const LinkResults& results);

// The same as a document, for callers that add members before writing it.
nlohmann::ordered_json resultsJsonObject(const LinkParams& params, const LinkResults& results);

// A number, or the text of one JSON has no number for ("inf", "-inf", "nan").
nlohmann::ordered_json jsonNumber(double v);

} // namespace tarsel
