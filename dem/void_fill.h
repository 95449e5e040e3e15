#pragma once
// Voids filled from their neighbours: the mean of the valid posts on the
// nearest square ring around the void that holds any.

#include <functional>
#include <optional>

namespace tarsel::dem {

// How far a void is looked around for valid posts [posts].
inline constexpr int MaxFillRadius = 64;

// A valid post's height, or nullopt for a void or a post outside the data.
using PostReader = std::function<std::optional<double>(long col, long row)>;

// The filled height of the void at (col, row); nullopt when no valid post lies
// within MaxFillRadius.
std::optional<double> fillVoid(long col, long row, const PostReader& validPost);

} // namespace tarsel::dem
