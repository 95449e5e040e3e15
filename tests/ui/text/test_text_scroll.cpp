// Scrolling arithmetic of the text window: requests, clamping, band height.

#include "ui/text/text_scroll.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using R = ScrollRequest;

TEST(TextScroll, DeltaByRequestWithClamping) {
    struct Row {
        R request;
        int pos, min, max, thumb;
        int delta;
    };
    // clang-format off
    const Row rows[] = {
        // request      pos  min max  thumb delta
        {R::Bottom,        0,   0, 120, 0,   120}, // End: last row at the top
        {R::PageDown,      120, 0, 120, 0,   0},   // a further Page Down does nothing
        {R::PageDown,      115, 0, 120, 0,   5},   // page of 12 clamped to the end
        {R::PageDown,      108, 0, 120, 0,   12},  // exactly a page left
        {R::PageDown,      109, 0, 120, 0,   11},  // just inside the last page
        {R::PageUp,        5,   0, 120, 0,   -5},  // Page Up from row 5 to row 0
        {R::PageUp,        12,  0, 120, 0,   -12}, // exactly one page
        {R::PageUp,        13,  0, 120, 0,   -12}, // just outside the first page
        {R::Top,           77,  0, 120, 0,   -77}, // Home, vertical
        {R::Top,           40,  0, 132, 0,   -40}, // Home, horizontal
        {R::PageDown,      130, 0, 132, 0,   2},   // Right from column 130 to 132
        {R::PageDown,      119, 0, 132, 0,   13},  // a horizontal page is 13 columns
        {R::PageUp,        10,  0, 132, 0,   -10}, // Left from column 10 to 0
        {R::LineUp,        0,   0, 120, 0,   0},   // already at the top
        {R::LineUp,        1,   0, 120, 0,   -1},  // one row up
        {R::LineDown,      119, 0, 120, 0,   1},   // one row down, to the end
        {R::LineDown,      120, 0, 120, 0,   0},   // already at the end
        {R::ThumbTrack,    10,  0, 120, 60,  50},  // dragged thumb
        {R::ThumbPosition, 60,  0, 120, 10,  -50}, // released thumb
        {R::ThumbTrack,    10,  0, 120, 500, 110}, // thumb beyond the range
        {R::ThumbTrack,    10,  0, 120, -5,  -10}, // and before it
        {R::EndScroll,     50,  0, 120, 0,   0},   // end of an action: no move
        {R::PageDown,      0,   0, 9,   0,   0},   // range under ten: no page
        {R::PageDown,      0,   0, 48,  0,   4},   // range before the first report
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(scrollDelta(row.request, row.pos, row.min, row.max, row.thumb), row.delta)
            << static_cast<int>(row.request) << " from " << row.pos << " in " << row.min << ".."
            << row.max;
    }
}

TEST(TextScroll, ClampKeepsThePositionInRange) {
    struct Row {
        int delta, pos, min, max;
        int clamped;
    };
    // clang-format off
    const Row rows[] = {
        // delta pos min max  clamped
        {-3,    2,  0,  10,  -2}, // below min
        {-2,    2,  0,  10,  -2}, // to min exactly
        {-1,    2,  0,  10,  -1}, // just inside min
        {7,     2,  0,  10,   7}, // just inside max
        {8,     2,  0,  10,   8}, // to max exactly
        {9,     2,  0,  10,   8}, // beyond max
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(clampScrollDelta(row.delta, row.pos, row.min, row.max), row.clamped)
            << row.delta << " from " << row.pos;
    }
}

TEST(TextScroll, BandHeight) {
    struct Row {
        int clientHeight, lineHeight, band;
    };
    // clang-format off
    const Row rows[] = {
        // client  line  band
        {250,      16,   256}, // 15 whole rows plus one
        {256,      16,   272}, // exactly 16 rows, plus one
        {255,      16,   256}, // just under 16 rows
        {15,       16,   16},  // less than a row
        {0,        16,   16},  // no height at all
        {100,      0,    101}, // no row height: one pixel per row
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(bandHeightFor(row.clientHeight, row.lineHeight), row.band)
            << row.clientHeight << "/" << row.lineHeight;
    }
}

TEST(TextScroll, PositionClamp) {
    EXPECT_EQ(clampScrollPos(130, 0, 120), 120);
    EXPECT_EQ(clampScrollPos(-1, 0, 120), 0);
    EXPECT_EQ(clampScrollPos(60, 0, 120), 60);
    EXPECT_EQ(clampScrollPos(5, 0, -1), 0); // empty range: the lower bound wins
}

} // namespace
} // namespace tarsel
