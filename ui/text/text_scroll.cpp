#include "ui/text/text_scroll.h"

#include <algorithm>

namespace tarsel {

int requestedScrollDelta(ScrollRequest request, int pos, int min, int max, int thumb) {
    switch (request) {
    case ScrollRequest::LineUp:
        return -1;
    case ScrollRequest::LineDown:
        return 1;
    // A page is a tenth of the range, truncated toward zero.
    case ScrollRequest::PageUp:
        return -((max - min) / 10);
    case ScrollRequest::PageDown:
        return (max - min) / 10;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ThumbTrack:
        return thumb - pos;
    case ScrollRequest::Top:
        return min - pos;
    case ScrollRequest::Bottom:
        return max - pos;
    case ScrollRequest::EndScroll:
        return 0;
    }
    return 0;
}

int clampScrollDelta(int delta, int pos, int min, int max) {
    if (min - pos > std::min(delta, max - pos)) {
        return min - pos;
    }
    if (delta >= max - pos) {
        return max - pos;
    }
    return delta;
}

int scrollDelta(ScrollRequest request, int pos, int min, int max, int thumb) {
    return clampScrollDelta(requestedScrollDelta(request, pos, min, max, thumb), pos, min, max);
}

int bandHeightFor(int clientHeight, int lineHeight) {
    const int row = std::max(1, lineHeight);
    return (clientHeight / row + 1) * row;
}

int clampScrollPos(int pos, int min, int max) {
    if (pos > max) {
        pos = max;
    }
    if (pos < min) {
        pos = min;
    }
    return pos;
}

} // namespace tarsel
