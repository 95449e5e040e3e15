#pragma once
// A drawing surface that remembers every run of characters drawn on it.

#include "report/draw_surface.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::test {

struct DrawCall {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const DrawCall&) const = default;
};

inline void PrintTo(const DrawCall& c, std::ostream* os) {
    *os << "(" << c.x << ", " << c.y << ", \"" << c.text << "\")";
}

class RecordingSurface : public DrawSurface {
public:
    void drawText(int x, int y, std::string_view text) override {
        calls.push_back({x, y, std::string(text)});
    }
    std::vector<DrawCall> calls;
};

} // namespace tarsel::test
