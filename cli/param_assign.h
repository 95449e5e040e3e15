#pragma once
// Assigning one parameter from a KEY=VALUE text, with the same checks as a
// typed entry and the range/distance coupling of the entry paths.

#include "engine/link_params.h"

#include <string>
#include <string_view>

namespace tarsel {

enum class AssignStatus { Stored, UnknownKey, Rejected, Malformed };

struct AssignOutcome {
    AssignStatus status = AssignStatus::Stored;
    std::string message; // the warning text when rejected
    std::string key;     // the settings key as the table spells it, once known
};

// "KEY=VALUE": KEY is a settings key, matched without regard to case. The
// value is read in full; an empty or all-blank value is rejected. Setting Range rescales the
// distances; setting X12s or X23s makes Range their sum.
AssignOutcome assignSetting(LinkParams& params, std::string_view assignment);

} // namespace tarsel
