// The line writer: placing single items in a file and on the screen, and the
// rules that follow for a sequence of items.

#include "report/report_writer.h"
#include "tests/report/recording_surface.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace tarsel {
namespace {

using test::DrawCall;
using test::RecordingSurface;

struct FileCase {
    ReportCursor start;
    int column;
    int row;
    const char* text;
    const char* written;
    ReportCursor end;
};

// clang-format off
const FileCase fileCases[] = {
    // start    col row text              written             end
    {{0, 0},    4,  2,  "x",              "\n\n    x",          {2, 5}},   // worked example: two newlines, four spaces
    {{2, 11},   10, 2,  " Knife Edge",    " Knife Edge",       {2, 22}},  // cursor past the column: no filler
    {{2, 10},   10, 2,  " Knife Edge",    " Knife Edge",       {2, 21}},  // cursor at the column
    {{2, 9},    10, 2,  " Knife Edge",    "  Knife Edge",      {2, 21}},  // one short of the column: one filler
    {{0, 0},    0,  0,  "   Height s",    "   Height s",       {0, 11}},  // leading blanks are written
    {{0, 0},    0,  0,  "abc   ",         "abc",               {0, 3}},   // trailing blanks are not, cursor +3
    {{0, 0},    0,  0,  "a b  c ",        "a b  c",            {0, 6}},   // inner blanks stay
    {{0, 0},    3,  0,  "           ",    "   ",               {0, 3}},   // blank item: filler up to its column
    {{0, 0},    0,  0,  "",               "",                  {0, 0}},   // empty item
    {{3, 5},    2,  1,  "ab",             "ab",                {3, 7}},   // row before the cursor: cursor's row
    {{1, 8},    0,  2,  "z",              "\nz",               {2, 1}},   // new row resets the column
    {{0, 0},    0,  0,  "a\tb",           "a\tb",              {0, 3}},   // only 0x20 counts as blank
};
// clang-format on

TEST(PlaceItemFile, WritesFillerAndTextAndAdvancesCursor) {
    for (const FileCase& c : fileCases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' at column " + std::to_string(c.column) +
                     ", row " + std::to_string(c.row));
        std::ostringstream out;
        ReportCursor cursor = c.start;
        EXPECT_EQ(placeItem(nullptr, &out, ReportToFile, c.column, c.row, c.text, cursor, 0, 0, 8,
                            16, 320, 16),
                  0);
        EXPECT_EQ(out.str(), c.written);
        EXPECT_EQ(cursor.row, c.end.row);
        EXPECT_EQ(cursor.column, c.end.column);
    }
}

TEST(PlaceItemFile, WithoutStreamOnlyTheCursorMoves) {
    RecordingSurface surface;
    ReportCursor cursor{0, 0};
    placeItem(&surface, nullptr, ReportToFile, 4, 2, "x  ", cursor, 0, 0, 8, 16, 320, 16);
    EXPECT_EQ(cursor.row, 2);
    EXPECT_EQ(cursor.column, 5);
    EXPECT_TRUE(surface.calls.empty()); // the surface belongs to the screen only
}

struct ScreenCase {
    ScreenView view;
    int column;
    int row;
    const char* text;
    std::optional<DrawCall> drawn;
};

// ScreenView fields: hScrollPos, vScrollPos, charWidth, lineHeight, lineStep, bandHeight.
// clang-format off
const ScreenCase screenCases[] = {
    // h  v  cw lh  ls  band   col row text     drawn
    {{0, 5, 8, 16, 16, 320},  0,  5,  "a",     DrawCall{0, 0, "a"}},       // first visible row at y = 0
    {{0, 5, 8, 16, 16, 320},  0,  4,  "a",     std::nullopt},              // y = -16 is not > -16
    {{0, 5, 8, 16, 18, 320},  0,  4,  "a",     DrawCall{0, -16, "a"}},     // 2 px leading widen the band
    {{0, 5, 8, 16, 16, 320},  0,  3,  "a",     std::nullopt},              // far above
    {{0, 0, 8, 16, 16, 320},  0,  21, "a",     DrawCall{0, 336, "a"}},     // y = band + step: drawn
    {{0, 0, 8, 16, 16, 320},  0,  22, "a",     std::nullopt},              // y = 352: past the band
    {{0, 0, 8, 16, 16, 321},  0,  22, "a",     std::nullopt},              // y = 352 > 337
    {{3, 0, 8, 16, 16, 320},  0,  0,  "a",     DrawCall{-24, 0, "a"}},     // no horizontal test
    {{0, 0, 8, 16, 16, 320},  500, 0, "a",     DrawCall{4000, 0, "a"}},    // beyond the right edge too
    {{0, 0, 7, 15, 17, 300},  2,  3,  "  ab  ", DrawCall{14, 45, "  ab"}}, // leading blanks drawn, trailing not
    {{0, 0, 8, 16, 16, 320},  0,  0,  "      ", std::nullopt},             // blank item draws nothing
};
// clang-format on

TEST(PlaceItemScreen, DrawsInsideTheBandAtTheRequestedCell) {
    for (const ScreenCase& c : screenCases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' at column " + std::to_string(c.column) +
                     ", row " + std::to_string(c.row));
        RecordingSurface surface;
        std::ostringstream out;
        ReportCursor cursor{0, 0};
        const ScreenView& v = c.view;
        EXPECT_EQ(placeItem(&surface, &out, ReportToScreen, c.column, c.row, c.text, cursor,
                            v.hScrollPos, v.vScrollPos, v.charWidth, v.lineHeight, v.bandHeight,
                            v.lineStep),
                  0);
        if (c.drawn) {
            ASSERT_EQ(surface.calls.size(), 1u);
            EXPECT_EQ(surface.calls[0], *c.drawn);
        } else {
            EXPECT_TRUE(surface.calls.empty());
        }
        EXPECT_EQ(out.str(), ""); // the stream belongs to the file only
    }
}

// Any mode other than 1 draws on the screen; the cursor advances as in a file.
TEST(PlaceItemScreen, CursorAdvancesAsInAFileWhateverIsDrawn) {
    for (int mode : {0, 2, -1}) {
        RecordingSurface surface;
        ReportCursor cursor{2, 11};
        placeItem(&surface, nullptr, mode, 10, 2, " Knife Edge  ", cursor, 0, 0, 8, 16, 320, 16);
        ASSERT_EQ(surface.calls.size(), 1u) << "mode " << mode;
        // Placement is absolute: column 10, not the cursor's column 11.
        EXPECT_EQ(surface.calls[0], (DrawCall{80, 32, " Knife Edge"}));
        EXPECT_EQ(cursor.row, 2);
        EXPECT_EQ(cursor.column, 22);
    }
    ReportCursor cursor{0, 0};
    placeItem(nullptr, nullptr, ReportToScreen, 4, 200, "xy", cursor, 0, 0, 8, 16, 320, 16);
    EXPECT_EQ(cursor.row, 200); // no surface, far outside the band: cursor still moves
    EXPECT_EQ(cursor.column, 6);
}

TEST(WriteReportItem, UsesTheStateCursorAndView) {
    ReportState state;
    state.view = ScreenView{2, 1, 10, 20, 20, 400};
    RecordingSurface surface;
    writeReportItem(state, &surface, nullptr, ReportToScreen, 5, 3, "abc ");
    ASSERT_EQ(surface.calls.size(), 1u);
    EXPECT_EQ(surface.calls[0], (DrawCall{30, 40, "abc"}));
    EXPECT_EQ(state.cursor.row, 3);
    EXPECT_EQ(state.cursor.column, 8);
}

// A sequence of items in a file: rows only break when a later row is
// addressed, items never overwrite each other, no newline at the end.
TEST(WriteReportItem, SequenceInAFile) {
    ReportState state;
    std::ostringstream out;
    auto item = [&](int column, int row, const char* text) {
        writeReportItem(state, nullptr, &out, ReportToFile, column, row, text);
    };
    item(0, 0, "Title");
    item(0, 2, "   Height s");
    item(10, 2, " Knife Edge"); // header one character too long for its column
    item(1, 4, "         0");
    item(0, 5, "           "); // a row of blank items is made of spaces
    item(10, 5, "           ");
    item(20, 5, "    [W/m^2]");
    item(0, 6, "           ");
    item(10, 6, "           ");
    item(0, 3, "late"); // row before the cursor: lands on the cursor's row
    item(0, 8, "end   ");
    EXPECT_EQ(out.str(), "Title\n"
                         "\n"
                         "   Height s Knife Edge\n"
                         "\n"
                         "          0\n"
                         "                        [W/m^2]\n"
                         "          late\n"
                         "\n"
                         "end");
    EXPECT_EQ(state.cursor.row, 8);
    EXPECT_EQ(state.cursor.column, 3);
}

} // namespace
} // namespace tarsel
