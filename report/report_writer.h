#pragma once
// The report line writer: puts one text item at a row and column, either into
// a text stream (newlines and filler spaces) or onto a drawing surface.

#include "report/draw_surface.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace tarsel {

// Output modes: 1 writes a file; every other value draws on the screen.
inline constexpr int ReportToScreen = 0;
inline constexpr int ReportToFile = 1;

// Position just behind the last item placed.
struct ReportCursor {
    std::int32_t row = 0;
    std::int32_t column = 0;
};

// Scroll position and font metrics of the text window.
struct ScreenView {
    std::int32_t hScrollPos = 0;   // first visible column
    std::int32_t vScrollPos = 0;   // first visible row
    std::int32_t charWidth = 8;    // pixels per column
    std::int32_t lineHeight = 16;  // pixels per row
    std::int32_t lineStep = 16;    // row height plus external leading
    std::int32_t bandHeight = 100; // height of the band rows are drawn in
};

// The program's report state: the one cursor, the text window's view, the
// last report row and the hook that applies the text window's scroll ranges.
struct ReportState {
    ReportCursor cursor;
    ScreenView view;
    std::int32_t reportLastRow = 48;
    std::function<void()> applyScrollRanges; // may be empty
};

// Places one item; every value it uses is a parameter. Returns 0.
int placeItem(DrawSurface* surface, std::ostream* stream, int mode, int column, int row,
              std::string_view text, ReportCursor& cursor, std::int32_t hScrollPos,
              std::int32_t vScrollPos, std::int32_t charWidth, std::int32_t lineHeight,
              std::int32_t bandHeight, std::int32_t lineStep);

// placeItem with the state's cursor and view. Returns 0.
int writeReportItem(ReportState& state, DrawSurface* surface, std::ostream* stream, int mode,
                    int column, int row, std::string_view text);

} // namespace tarsel
