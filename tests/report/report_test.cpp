// The whole report: the saved text for the defaults against a layout worked
// out by hand, the column spacing, the long note, non-finite values and the
// screen against the file.

#include "engine/recalculate.h"
#include "report/report.h"
#include "tests/report/recording_surface.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace tarsel {
namespace {

using test::DrawCall;
using test::RecordingSurface;

std::vector<std::string> splitRows(const std::string& text) {
    std::vector<std::string> rows;
    std::string row;
    std::istringstream in(text);
    while (std::getline(in, row)) {
        rows.push_back(row);
    }
    if (!text.empty() && text.back() == '\n') {
        rows.push_back("");
    }
    return rows;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

LinkParams withColWidth(int w) {
    LinkParams p;
    p.XColWid.value = w;
    return p;
}

std::vector<std::string> savedRows(const LinkParams& p) {
    return splitRows(reportText(p, recalculate(p)));
}

// A screen view where one pixel is one column or row and every row is in
// the band, so the recorded calls give the cells directly.
ReportState cellView() {
    ReportState state;
    state.view = ScreenView{0, 0, 1, 1, 1, 1000};
    return state;
}

std::vector<DrawCall> screenCalls(const LinkParams& p, ReportState state = cellView()) {
    RecordingSurface surface;
    generateReport(state, p, recalculate(p), &surface, nullptr, ReportToScreen);
    return surface.calls;
}

std::vector<DrawCall> callsInRow(const std::vector<DrawCall>& calls, int row) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls) {
        if (c.y == row) {
            out.push_back(c);
        }
    }
    return out;
}

TEST(Report, DefaultsMatchTheWorkedOutFile) {
    const LinkParams p;
    const std::string expected = readFile(TARSEL_TEST_DATA_DIR "/defaults.txt");
    ASSERT_FALSE(expected.empty());
    const std::string actual = reportText(p, recalculate(p));
    const auto want = splitRows(expected);
    const auto got = splitRows(actual);
    ASSERT_EQ(got.size(), 121u); // rows 0 to 120
    ASSERT_EQ(want.size(), got.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i], want[i]) << "row " << i;
    }
    EXPECT_EQ(actual.back(), ']'); // last character of row 120, no line break
}

// Header rows: with W = 13 every header sits in its own column; with W = 10
// each 11-character header runs one into the next, and the file writes the
// next header directly behind it.
struct ColumnRowCase {
    int w;
    int row;
    const char* saved;
};

// clang-format off
const ColumnRowCase columnRowCases[] = {
    {13, 34, "   Height s   Knife Edge        Angle   SmoothHill   Rough Hill"},      // headers at 0, 13, 26, 39, 52
    {13, 37, "          0   -0.00560548    -4.58366            0            0"},      // one filler before the height
    {13, 84, "                              [W/m^2]        [V/m]         [dB]"},      // 2W blanks, then the header
    {13, 94, "                          "},                                           // 2W blanks only
    {10, 35, "        [m] -Loss [dB]  [degrees]-Excess[dB]-Excess[dB]"},              // each header shifted by one
    {10, 37, "          0-0.00560548  -4.58366         0         0"},                 // a wide number shifts the rest
    {10, 84, "                        [W/m^2]      [V/m]       [dB]"},                // 2W blanks
    {10, 86, "       None       N/A7.95775e-0090.00173205   17.7463"},                // cells run together
    {10, 94, "                    "},                                                 // 2W blanks only
};
// clang-format on

TEST(Report, ColumnSpacingInTheSavedFile) {
    for (const ColumnRowCase& c : columnRowCases) {
        const auto rows = savedRows(withColWidth(c.w));
        ASSERT_EQ(rows.size(), 121u);
        EXPECT_EQ(rows[c.row], c.saved) << "W " << c.w << ", row " << c.row;
    }
}

TEST(Report, ColumnSpacingOnTheScreen) {
    // On the screen each header is drawn at its own column, over the last
    // character of the one before when W = 10.
    const std::vector<DrawCall> w10 = {
        {0, 34, "   Height s"},  {10, 34, " Knife Edge"}, {20, 34, "      Angle"},
        {30, 34, " SmoothHill"}, {40, 34, " Rough Hill"},
    };
    EXPECT_EQ(callsInRow(screenCalls(withColWidth(10)), 34), w10);
    const std::vector<DrawCall> w13row84 = {
        {26, 84, "    [W/m^2]"}, {39, 84, "      [V/m]"}, {52, 84, "       [dB]"}};
    const auto calls13 = screenCalls(withColWidth(13));
    EXPECT_EQ(callsInRow(calls13, 84), w13row84);
    EXPECT_TRUE(callsInRow(calls13, 94).empty()); // three blank items show nothing
    const std::vector<DrawCall> w13row97 = {
        {1, 97, "    Smooth"}, {14, 97, "         0"}, {27, 97, "   770.969"}};
    EXPECT_EQ(callsInRow(calls13, 97), w13row97);
}

// The spacing from the settings file is limited to 0..1000: the column of the
// last diffraction header is 4W.
struct ColWidthCase {
    int stored;
    int used;
};

// clang-format off
const ColWidthCase colWidthCases[] = {
    {-5,          0},     // damaged file: negative
    {-1,          0},     // just outside
    {0,           0},     // at the lower limit
    {1,           1},     // just inside
    {40,          40},    // outside the typed bounds, used as is
    {999,         999},   // just inside
    {1000,        1000},  // at the upper limit
    {1001,        1000},  // just outside
    {100000,      1000},  // damaged file: huge
    {std::numeric_limits<std::int32_t>::max(), 1000}, // 4W would overflow
};
// clang-format on

TEST(Report, ColumnSpacingIsLimited) {
    for (const ColWidthCase& c : colWidthCases) {
        const auto row34 = callsInRow(screenCalls(withColWidth(c.stored)), 34);
        ASSERT_EQ(row34.size(), 5u) << "stored " << c.stored;
        EXPECT_EQ(row34[4].x, 4 * c.used) << "stored " << c.stored;
        EXPECT_EQ(row34[4].text, " Rough Hill");
    }
    // The saved file stays bounded: row 94 is 2W blanks at most.
    const auto rows = savedRows(withColWidth(100000));
    EXPECT_EQ(rows[94], std::string(2000, ' '));
    EXPECT_EQ(rows[37].size(), 4001u + 10u);
    const auto zero = savedRows(withColWidth(-5));
    EXPECT_EQ(zero[34], "   Height s Knife Edge      Angle SmoothHill Rough Hill");
    EXPECT_EQ(zero[94], "");
}

TEST(Report, LongNoteIsNeverCut) {
    LinkParams p;
    p.Mf.value = 1.23457e+100;
    p.Bl.value = 1.5e-100;
    p.PropLaw.value = -1.23457e+100;
    const std::string note = "NB: The following results are for a fading margin of 1.23457e+100 "
                             "dB, building loss of 1.5e-100 dB, and range law of -1.23457e+100.";
    const auto rows = splitRows(reportText(p, LinkResults{}));
    EXPECT_EQ(rows[57], note);
    EXPECT_EQ(rows[57].size(), 131u);
    RecordingSurface surface;
    ReportState state = cellView();
    generateReport(state, p, LinkResults{}, &surface, nullptr, ReportToScreen);
    EXPECT_EQ(callsInRow(surface.calls, 57), (std::vector<DrawCall>{{0, 57, note}}));
}

// Zero bandwidth: no noise, so the logarithms of the noise and of the minimum
// signal are minus infinity and the figures built on them are not finite.
struct NonFiniteCase {
    int row;
    const char* saved;
};

// clang-format off
const NonFiniteCase zeroBandwidthCases[] = {
    {9,   "Receive Bandwidth             = 0           [Hz]"},
    {42,  "Thermal noise at Rx i/p       = 0           [W]"},
    {43,  "Thermal noise at Rx i/p       = -inf        [dBW]"},
    {45,  "Thermal noise & Rx noise      = -inf        [dBW]"},
    {46,  "Rx G/T figure of merit        = -24.624     [dB]"},       // does not depend on Bw
    {52,  "Receiver power (Min.)         = -inf        [dBm]"},
    {55,  "Rx pwr / noise density (Min)  = nan         [dB-Hz]"},    // 0 / 0
    {64,  "Margin at spec. range         = inf         [dB]"},
    {96,  "       None          N/A          inf"},
    {104, "V2ip                          = 55.995      [dBuV], -50.995     [dBm]"},
    {109, "V2ip                          = inf         [dBuV], inf         [dBm]"},
    {119, "3rd order (MDS = min. Rx sig.)     = inf         [dB]"},
};
// clang-format on

TEST(Report, NonFiniteValuesArePrintedNotTrapped) {
    LinkParams p;
    p.Bw.value = 0;
    const auto rows = savedRows(p);
    ASSERT_EQ(rows.size(), 121u);
    for (const NonFiniteCase& c : zeroBandwidthCases) {
        EXPECT_EQ(rows[c.row], c.saved) << "row " << c.row;
    }
}

TEST(Report, BeforeTheFirstRecalculation) {
    // All results 0: divisions by zero give non-finite figures, still 121 rows.
    const auto rows = splitRows(reportText(LinkParams{}, LinkResults{}));
    ASSERT_EQ(rows.size(), 121u);
    EXPECT_EQ(rows[32], "Fresnel zone clearance        = -0          [m]");
    EXPECT_EQ(rows[47], "Path loss at nom. range       = inf         [dB]");
}

// The screen gets the same items as the file: every item drawn appears in the
// saved file at its row and column, and both leave the cursor at row 120.
TEST(Report, ScreenAndFileCarryTheSameItems) {
    const LinkParams p;
    const LinkResults r = recalculate(p);
    const auto rows = splitRows(reportText(p, r));
    ReportState state = cellView();
    RecordingSurface surface;
    generateReport(state, p, r, &surface, nullptr, ReportToScreen);
    EXPECT_EQ(state.reportLastRow, 120);
    EXPECT_EQ(state.cursor.row, 120);
    std::size_t nonBlankCells = 0;
    for (const DrawCall& c : surface.calls) {
        ASSERT_GE(c.y, 0);
        ASSERT_LT(c.y, 121);
        EXPECT_EQ(rows[c.y].substr(c.x, c.text.size()), c.text) << "row " << c.y;
        nonBlankCells += c.text.size();
    }
    std::size_t savedNonBlank = 0;
    for (const std::string& row : rows) {
        savedNonBlank += row.size();
    }
    // Only filler blanks of the file are not drawn.
    EXPECT_LE(nonBlankCells, savedNonBlank);
    EXPECT_EQ(surface.calls.size(), 137u); // every non-blank item of the report
}

TEST(Report, ScreenDrawsOnlyTheVisibleBand) {
    const LinkParams p;
    ReportState state;
    state.view = ScreenView{0, 50, 8, 16, 16, 320}; // rows 50 to 71 in the band
    int scrollUpdates = 0;
    state.applyScrollRanges = [&] { ++scrollUpdates; };
    RecordingSurface surface;
    generateReport(state, p, recalculate(p), &surface, nullptr, ReportToScreen);
    ASSERT_FALSE(surface.calls.empty());
    EXPECT_EQ(surface.calls.front(), (DrawCall{0, 16,
                                               "Receiver power (Min.)         = "
                                               "6.34274e-013  [W]"})); // row 51
    EXPECT_EQ(surface.calls.back().y, (71 - 50) * 16); // row 71, the smooth-hill margin
    EXPECT_EQ(state.cursor.row, 120);
    EXPECT_EQ(state.reportLastRow, 120);
    EXPECT_EQ(scrollUpdates, 1);
}

TEST(Report, PublishesTheLastRowInFileModeToo) {
    ReportState state;
    state.reportLastRow = 0;
    state.cursor = ReportCursor{500, 7}; // left over from an earlier report
    int scrollUpdates = 0;
    state.applyScrollRanges = [&] { ++scrollUpdates; };
    // File mode without a stream: nothing written, the cursor still runs.
    EXPECT_EQ(generateReport(state, LinkParams{}, LinkResults{}, nullptr, nullptr, ReportToFile),
              0);
    EXPECT_EQ(state.reportLastRow, 120);
    EXPECT_EQ(scrollUpdates, 1);
    ReportState noHook; // no text window: nothing to call
    generateReport(noHook, LinkParams{}, LinkResults{}, nullptr, nullptr, ReportToFile);
    EXPECT_EQ(noHook.reportLastRow, 120);
}

TEST(Report, SwitchesDoNotChangeTheReport) {
    LinkParams p;
    const std::string plain = reportText(p, recalculate(p));
    p.nHillType = 1;
    p.bDiffract = 1;
    EXPECT_EQ(reportText(p, recalculate(p)), plain);
}

} // namespace
} // namespace tarsel

namespace tarsel {
namespace {

TEST(ReportAppendix, FollowsTheLastRowOnScreenAndInTheFileAlike) {
    const LinkParams p;
    const LinkResults r = recalculate(p);
    const std::string appendix = "\n\nTERRAIN:\nPath length    = 5000  [m]\n\nLast= 1";
    EXPECT_EQ(reportText(p, r, appendix), reportText(p, r) + appendix);

    ReportState state = cellView();
    RecordingSurface surface;
    generateReport(state, p, r, &surface, nullptr, ReportToScreen, appendix);
    EXPECT_EQ(state.reportLastRow, 125); // the text window scrolls to it
    ASSERT_GE(surface.calls.size(), 3u);
    const std::vector<DrawCall> tail(surface.calls.end() - 3, surface.calls.end());
    EXPECT_EQ(tail, (std::vector<DrawCall>{{0, 122, "TERRAIN:"},
                                           {0, 123, "Path length    = 5000  [m]"},
                                           {0, 125, "Last= 1"}}));
}

} // namespace
} // namespace tarsel
