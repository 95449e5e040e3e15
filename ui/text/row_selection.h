#pragma once
// The rows of the report selected in the text window, and the text that
// copying them gives.

#include <string>
#include <string_view>

namespace tarsel {

// A run of whole rows: from the row where the selection started (the anchor)
// to the row it was extended to, in either direction. Empty until started.
class RowSelection {
public:
    bool empty() const { return anchor_ < 0; }
    void clear() { anchor_ = end_ = -1; }
    // A press on a row: that row alone.
    void start(int row) { anchor_ = end_ = row; }
    // A drag or Shift+click: from the anchor to row (a start when empty).
    void extendTo(int row);
    // Every row from 0 to lastRow.
    void selectAll(int lastRow);

    int first() const; // -1 when empty
    int last() const;  // -1 when empty
    bool contains(int row) const { return !empty() && row >= first() && row <= last(); }
    bool operator==(const RowSelection&) const = default;

private:
    int anchor_ = -1;
    int end_ = -1;
};

// Rows first..last of text (rows separated by '\n') exactly as text holds
// them, '\n' between rows and none after the last; rows beyond the text's
// end are left out.
std::string textRows(std::string_view text, int first, int last);

} // namespace tarsel
