#pragma once
// Copying data to the clipboard without taking all memory: above a ceiling
// the user is told and offered to save the data to a file, which streams.

#include "ui/common/write_file.h"

#include <cstddef>
#include <functional>

class QWidget;

namespace tarsel {

class UiServices;

// What Copy Data puts on the clipboard at most.
inline constexpr std::size_t ClipboardLimit = std::size_t{16} << 20;

// Puts the text produce makes, piece by piece, on the clipboard, when it
// stays within limit bytes; produce is stopped (its writer returns false) as
// soon as it goes beyond. Then nothing is copied: a box says so and offers
// saveInstead, which runs when the user takes it. True when copied.
bool copyWithinLimit(UiServices& services, QWidget* owner, std::size_t limit,
                     const std::function<bool(const PieceWriter&)>& produce,
                     const std::function<void()>& saveInstead);

} // namespace tarsel
