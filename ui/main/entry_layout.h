#pragma once
// Where the 19 entry fields and their labels stand on the diagram: the table
// of box positions in diagram pixels, the label placement codes and the
// scaling of a diagram position onto a pane of any size.

#include <QFontMetrics>
#include <QPoint>
#include <QSize>
#include <array>
#include <string_view>

namespace tarsel {

// Entry boxes are always this wide, whatever the pane size.
inline constexpr int EntryBoxWidth = 100;
// The edit boxes take at most this many characters.
inline constexpr int EntryMaxLength = 128;
// Only this many characters of a box are read back.
inline constexpr int EntryReadLength = 19;

// Where a label stands relative to its box.
enum class LabelPlacement : int {
    LeftCentred = 0,  // left of the box, centred vertically
    AboveCentred = 1, // above the box, centred
    RightCentred = 2, // right of the box, centred vertically
    BelowCentred = 3, // below the box, centred
    AboveLeft = 4,    // above the box, left-aligned
    AboveRight = 5,   // above the box, right-aligned
    AtPoint = 6,      // no box: the label's top-left is the point itself
};

struct DiagramRow {
    std::string_view label;
    int x; // top-left of the box in diagram pixels
    int y;
    LabelPlacement placement;
};

// Rows 0..18 follow FieldIndex; row 19 is the "Heights baseline" label.
inline constexpr int DiagramRowCount = 20;
const std::array<DiagramRow, DiagramRowCount>& diagramRows();

// A diagram position on a pane of size pane, for artwork of size base:
// multiply first, then truncate the quotient. An empty base scales as the
// diagram's own 632 x 378.
QPoint scaledPosition(int x, int y, QSize pane, QSize base);

// Top-left corner of a label of size label for a box whose top-left is box
// and whose height is boxHeight; halves truncate toward zero.
QPoint labelTopLeft(LabelPlacement placement, QPoint box, QSize label, int boxHeight);

// Height of an edit box: character height plus external leading of its font.
int EditTextHeight(const QFontMetrics& metrics);

} // namespace tarsel
