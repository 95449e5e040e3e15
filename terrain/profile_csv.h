#pragma once
// Reading a terrain profile from CSV text: distance and ground height in the
// first two columns, other columns ignored. Separators are commas or
// semicolons (one kind a line), else runs of blanks and tabs; '#' starts a comment; CRLF
// line ends are accepted. A first line that does not read as numbers is a
// header; it sets the distance unit to km when it names km, metres otherwise,
// unless the unit is forced.

#include "terrain/profile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel::terrain {

// Files larger than this are refused before they are read [bytes].
inline constexpr std::uintmax_t MaxProfileFileBytes = 64ULL << 20;

enum class DistanceUnit { FromHeader, Metres, Kilometres };

// Where and why a profile was refused. line and column count from 1; 0 when
// the fault is not at one place (a file that cannot be read).
struct ProfileError {
    std::string file;
    std::size_t line = 0;
    std::size_t column = 0;
    std::string message;

    // "FILE:LINE:COLUMN: message", leaving out what is 0.
    std::string text() const;
};

struct ProfileReadResult {
    Profile profile; // empty unless ok
    bool ok = false;
    ProfileError error; // set unless ok
};

// Parses text as the profile file named file (the name only goes into errors).
ProfileReadResult parseProfileCsv(std::string_view text, std::string_view file,
                                  DistanceUnit unit = DistanceUnit::FromHeader);

// Reads and parses the file at path; "-" reads standard input.
ProfileReadResult readProfileCsv(const std::string& path,
                                 DistanceUnit unit = DistanceUnit::FromHeader);

} // namespace tarsel::terrain
