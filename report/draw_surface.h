#pragma once
// The one drawing operation the report needs on a screen.

#include <string_view>

namespace tarsel {

class DrawSurface {
public:
    virtual ~DrawSurface() = default;
    // Draw a run of single-byte characters in the current font, with the
    // top-left corner of the first character cell at (x, y) pixels.
    virtual void drawText(int x, int y, std::string_view text) = 0;
};

} // namespace tarsel
