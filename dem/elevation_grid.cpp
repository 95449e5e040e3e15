#include "dem/elevation_grid.h"

#include "dem/dem_error.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace tarsel::dem {

namespace {

// Positions this close to a post (in post spacings) are on it: a site given on
// a tile's edge stays within the tile despite the rounding of the geotransform.
constexpr double PostSnap = 1e-9;

double snapped(double position) {
    const double post = std::round(position);
    return std::abs(position - post) <= PostSnap ? post : position;
}

} // namespace

Geotransform::Geotransform(const std::array<double, 6>& t) : t_(t) {
    const double det = t[1] * t[5] - t[2] * t[4];
    bool finite = std::isfinite(det) && det != 0.0;
    for (double c : t) {
        finite = finite && std::isfinite(c);
    }
    if (!finite || !std::isfinite(1.0 / det)) {
        throw DemError("its geotransform places no two pixels apart");
    }
    inverse_ = {t[5] / det, -t[2] / det, -t[4] / det, t[1] / det};
}

PostPosition Geotransform::postAt(double x, double y) const {
    const double dx = x - t_[0];
    const double dy = y - t_[3];
    return {inverse_[0] * dx + inverse_[1] * dy - 0.5, inverse_[2] * dx + inverse_[3] * dy - 0.5};
}

void Geotransform::coordinatesOf(double col, double row, double& x, double& y) const {
    const double px = col + 0.5;
    const double py = row + 0.5;
    x = t_[0] + px * t_[1] + py * t_[2];
    y = t_[3] + px * t_[4] + py * t_[5];
}

ElevationGrid::ElevationGrid(std::string name, int cols, int rows, const Geotransform& transform,
                             std::optional<double> noData)
    : name_(std::move(name)), cols_(cols), rows_(rows), transform_(transform), noData_(noData) {
    if (cols < 2 || rows < 2) {
        throw DemError(name_ + ": fewer than 2 x 2 posts");
    }
}

bool ElevationGrid::isVoid(double value) const {
    return !std::isfinite(value) || (noData_ && value == static_cast<float>(*noData_));
}

std::optional<PostPosition> ElevationGrid::locate(const GeoPoint& point) const {
    double x = 0.0;
    double y = 0.0;
    if (!toGridCoordinates(point, x, y)) {
        return std::nullopt;
    }
    PostPosition post = transform_.postAt(x, y);
    if (frame().empty() && !withinArea(post)) {
        // Longitudes of a geographic grid may run 0..360 or past the antimeridian.
        for (const double turn : {360.0, -360.0}) {
            const PostPosition turned = transform_.postAt(x + turn, y);
            if (withinArea(turned)) {
                post = turned;
                break;
            }
        }
    }
    if (!std::isfinite(post.col) || !std::isfinite(post.row)) {
        return std::nullopt;
    }
    return PostPosition{snapped(post.col), snapped(post.row)};
}

bool ElevationGrid::withinArea(const PostPosition& p) const {
    return p.col >= -0.5 && p.col <= cols_ - 0.5 && p.row >= -0.5 && p.row <= rows_ - 0.5;
}

const std::string& ElevationGrid::frame() const {
    static const std::string wgs84Geographic;
    return wgs84Geographic;
}

bool ElevationGrid::toGridCoordinates(const GeoPoint& point, double& x, double& y) const {
    x = point.lonDeg;
    y = point.latDeg;
    return true;
}

MemoryGrid::MemoryGrid(std::string name, int cols, int rows, const Geotransform& transform,
                       std::optional<double> noData, std::vector<float> heights)
    : ElevationGrid(std::move(name), cols, rows, transform, noData), heights_(std::move(heights)) {
    if (heights_.size() != static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows)) {
        throw DemError(this->name() + ": the heights do not fill the grid");
    }
}

void MemoryGrid::readWindow(int col0, int row0, int cols, int rows, float* out) {
    for (int r = 0; r < rows; ++r) {
        const std::size_t from = static_cast<std::size_t>(row0 + r) * this->cols() + col0;
        std::memcpy(out + static_cast<std::size_t>(r) * cols, heights_.data() + from,
                    static_cast<std::size_t>(cols) * sizeof(float));
    }
}

} // namespace tarsel::dem
