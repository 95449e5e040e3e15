#pragma once
// Scrolling arithmetic of the text window, in report rows or columns. No
// window system here: the window turns the results into moved pixels.

namespace tarsel {

enum class ScrollRequest {
    LineUp,        // one row up / one column left
    LineDown,      // one row down / one column right
    PageUp,        // a tenth of the range back
    PageDown,      // a tenth of the range forward
    ThumbPosition, // thumb released at a position
    ThumbTrack,    // thumb dragged to a position
    Top,           // to the first row / column
    Bottom,        // to the last row / column
    EndScroll,     // end of a scroll action: no move
};

// The step a request asks for, before clamping. thumb is used by the two
// thumb requests only.
int requestedScrollDelta(ScrollRequest request, int pos, int min, int max, int thumb = 0);

// The delta clamped so that pos + delta stays within min..max.
int clampScrollDelta(int delta, int pos, int min, int max);

// Both steps: the delta by which the position actually moves (0: no move).
int scrollDelta(ScrollRequest request, int pos, int min, int max, int thumb = 0);

// Height of the band in which report rows are drawn: the client height
// rounded down to whole rows, plus one row. A row height below 1 counts as 1.
int bandHeightFor(int clientHeight, int lineHeight);

// A position brought into min..max (upper bound first).
int clampScrollPos(int pos, int min, int max);

} // namespace tarsel
