#include "dem/path_coverage.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarsel::dem {

namespace {

constexpr double MarginPosts = 2.0;

// Liang-Barsky: does the segment a-b touch the rectangle [lo, hi] in both axes?
bool segmentMeetsBox(const PostPosition& a, const PostPosition& b, const PostPosition& lo,
                     const PostPosition& hi) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double d[2] = {b.col - a.col, b.row - a.row};
    const double start[2] = {a.col, a.row};
    const double low[2] = {lo.col, lo.row};
    const double high[2] = {hi.col, hi.row};
    for (int axis = 0; axis < 2; ++axis) {
        for (const auto& [p, q] : {std::pair{-d[axis], start[axis] - low[axis]},
                                   std::pair{d[axis], high[axis] - start[axis]}}) {
            if (p == 0.0) {
                if (q < 0.0) {
                    return false; // parallel and outside
                }
                continue;
            }
            const double t = q / p;
            if (p < 0.0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
            if (t0 > t1) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::vector<GeoPoint> pathOutline(const GeodesicPath& path) {
    const double steps = std::clamp(std::ceil(path.lengthM() / OutlineStepM), 1.0,
                                    static_cast<double>(MaxOutlinePoints - 1));
    std::vector<GeoPoint> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (double i = 0.0; i <= steps; ++i) {
        points.push_back(path.at(path.lengthM() * i / steps));
    }
    return points;
}

bool outlineMeetsGrid(const std::vector<GeoPoint>& outline, const ElevationGrid& grid) {
    const PostPosition lo{-0.5 - MarginPosts, -0.5 - MarginPosts};
    const PostPosition hi{grid.cols() - 0.5 + MarginPosts, grid.rows() - 0.5 + MarginPosts};
    std::optional<PostPosition> previous;
    for (const GeoPoint& point : outline) {
        const std::optional<PostPosition> here = grid.locate(point);
        if (!here) {
            return true;
        }
        if (segmentMeetsBox(previous.value_or(*here), *here, lo, hi)) {
            return true;
        }
        previous = here;
    }
    return false;
}

} // namespace tarsel::dem
