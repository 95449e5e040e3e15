#include "dem/void_fill.h"

namespace tarsel::dem {

std::optional<double> fillVoid(long col, long row, const PostReader& validPost) {
    for (long radius = 1; radius <= MaxFillRadius; ++radius) {
        double sum = 0.0;
        int count = 0;
        const auto take = [&](long c, long r) {
            if (const std::optional<double> h = validPost(c, r)) {
                sum += *h;
                ++count;
            }
        };
        for (long d = -radius; d <= radius; ++d) {
            take(col + d, row - radius); // top and bottom edges, corners included
            take(col + d, row + radius);
        }
        for (long d = -radius + 1; d <= radius - 1; ++d) {
            take(col - radius, row + d); // left and right edges
            take(col + radius, row + d);
        }
        if (count > 0) {
            return sum / count;
        }
    }
    return std::nullopt;
}

} // namespace tarsel::dem
