// The report line writer: one code path for a saved text file (newlines and
// filler spaces) and for the text window (items drawn at pixel positions).

#include "report/report_writer.h"

#include "entry/number_format.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>

namespace tarsel {

namespace {

// Pixel coordinates are formed in 64 bits so that no scroll position or font
// metric can overflow them; the value handed to the surface is clamped to int
// (the surface clips anything that far off anyway).
int clampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

int placeItem(DrawSurface* surface, std::ostream* stream, int mode, int column, int row,
              std::string_view text, ReportCursor& cursor, std::int32_t hScrollPos,
              std::int32_t vScrollPos, std::int32_t charWidth, std::int32_t lineHeight,
              std::int32_t bandHeight, std::int32_t lineStep) {
    const bool toFile = mode == ReportToFile;
    std::ostream* out = toFile ? stream : nullptr;

    // Trailing blanks are never written or drawn; leading and inner ones are.
    const int n = TrimmedLength(text);

    // Row advance: a row break only when a later row is addressed.
    while (cursor.row < row) {
        if (out != nullptr) {
            out->put('\n');
        }
        ++cursor.row;
        cursor.column = 0;
    }

    // Column fill: the writer only moves forward, so an item never overwrites
    // an earlier one on the same row.
    while (cursor.column < column) {
        if (out != nullptr) {
            out->put(' ');
        }
        ++cursor.column;
    }

    if (toFile) {
        if (out != nullptr && n > 0) {
            out->write(text.data(), n);
        }
    } else {
        // Placement on the screen is absolute: requested row and column.
        const std::int64_t y =
            static_cast<std::int64_t>(lineHeight) * (static_cast<std::int64_t>(row) - vScrollPos);
        const bool inBand = y > -static_cast<std::int64_t>(lineStep) &&
                            y <= static_cast<std::int64_t>(bandHeight) + lineStep;
        if (inBand && surface != nullptr && n > 0) {
            const std::int64_t x = static_cast<std::int64_t>(charWidth) *
                                   (static_cast<std::int64_t>(column) - hScrollPos);
            surface->drawText(clampToInt(x), clampToInt(y), text.substr(0, n));
        }
    }

    cursor.column += n;
    return 0;
}

int writeReportItem(ReportState& state, DrawSurface* surface, std::ostream* stream, int mode,
                    int column, int row, std::string_view text) {
    const ScreenView& v = state.view;
    return placeItem(surface, stream, mode, column, row, text, state.cursor, v.hScrollPos,
                     v.vScrollPos, v.charWidth, v.lineHeight, v.bandHeight, v.lineStep);
}

} // namespace tarsel
