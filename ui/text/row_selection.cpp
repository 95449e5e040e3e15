#include "ui/text/row_selection.h"

#include <algorithm>

namespace tarsel {

void RowSelection::extendTo(int row) {
    if (empty()) {
        start(row);
        return;
    }
    end_ = row;
}

void RowSelection::selectAll(int lastRow) {
    anchor_ = 0;
    end_ = std::max(0, lastRow);
}

int RowSelection::first() const {
    return empty() ? -1 : std::min(anchor_, end_);
}

int RowSelection::last() const {
    return empty() ? -1 : std::max(anchor_, end_);
}

std::string textRows(std::string_view text, int first, int last) {
    std::size_t begin = 0;
    for (int row = 0; row < first && begin != std::string_view::npos; ++row) {
        begin = text.find('\n', begin);
        begin = begin == std::string_view::npos ? begin : begin + 1;
    }
    if (begin == std::string_view::npos || first > last) {
        return {};
    }
    std::size_t end = begin;
    for (int row = first; row <= last; ++row) {
        end = text.find('\n', end);
        if (end == std::string_view::npos) {
            break;
        }
        if (row < last) {
            ++end;
        }
    }
    return std::string(text.substr(begin, end == std::string_view::npos ? end : end - begin));
}

} // namespace tarsel
