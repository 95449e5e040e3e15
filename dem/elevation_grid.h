#pragma once
// A grid of elevation posts: one raster band, placed by an affine geotransform
// in its own coordinate system, read a window at a time. The sampling knows
// grids only through this interface; GDAL's rasters are one implementation,
// grids held in memory another.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarsel::dem {

// A point on the WGS84 ellipsoid [degrees].
struct GeoPoint {
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// Post (column, row) in fractional units: post (c, r) sits at the centre of
// pixel (c, r), so pixel corner (0, 0) is post (-0.5, -0.5). GDAL's
// geotransforms describe pixel corners (a raster whose values are points is
// given a geotransform shifted by half a pixel), which places SRTM's posts on
// whole degrees.
struct PostPosition {
    double col = 0.0;
    double row = 0.0;
};

// x = t[0] + px t[1] + py t[2], y = t[3] + px t[4] + py t[5] for pixel
// coordinates (px, py) from the top-left corner.
class Geotransform {
public:
    // Throws DemError when the transform cannot be inverted.
    explicit Geotransform(const std::array<double, 6>& t);

    const std::array<double, 6>& coefficients() const { return t_; }
    PostPosition postAt(double x, double y) const;
    void coordinatesOf(double col, double row, double& x, double& y) const;

private:
    std::array<double, 6> t_;
    std::array<double, 4> inverse_; // of the 2 x 2 linear part
};

class ElevationGrid {
public:
    ElevationGrid(std::string name, int cols, int rows, const Geotransform& transform,
                  std::optional<double> noData);
    virtual ~ElevationGrid() = default;
    ElevationGrid(const ElevationGrid&) = delete;
    ElevationGrid& operator=(const ElevationGrid&) = delete;

    const std::string& name() const { return name_; }
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    const Geotransform& transform() const { return transform_; }
    std::optional<double> noData() const { return noData_; }

    // True when a value is a void: the no-data value, or not finite.
    bool isVoid(double value) const;

    // The point's position among the posts; nullopt when the point cannot be
    // expressed in the grid's coordinate system. A geographic grid takes the
    // longitude turned by 360 degrees when that places the point on it.
    std::optional<PostPosition> locate(const GeoPoint& point) const;

    // Within the grid's pixels, though perhaps outside the square of its posts.
    bool withinArea(const PostPosition& p) const;

    // Grids whose frames are equal share a coordinate system: a post of one
    // may stand in for the missing neighbour of the other. The empty frame is
    // geographic WGS84 (longitude, latitude).
    virtual const std::string& frame() const;

    // Heights of posts [col0, col0 + cols) x [row0, row0 + rows), row by row,
    // into out (cols x rows values). The window lies inside the grid. Throws
    // DemError when the data cannot be read.
    virtual void readWindow(int col0, int row0, int cols, int rows, float* out) = 0;

protected:
    // The point in the grid's coordinate system (longitude, latitude for a
    // geographic WGS84 grid); false when it has no place there.
    virtual bool toGridCoordinates(const GeoPoint& point, double& x, double& y) const;

private:
    std::string name_;
    int cols_;
    int rows_;
    Geotransform transform_;
    std::optional<double> noData_;
};

// A grid held in memory, row by row: for tests and fuzzing.
class MemoryGrid final : public ElevationGrid {
public:
    MemoryGrid(std::string name, int cols, int rows, const Geotransform& transform,
               std::optional<double> noData, std::vector<float> heights);
    void readWindow(int col0, int row0, int cols, int rows, float* out) override;

private:
    std::vector<float> heights_;
};

} // namespace tarsel::dem
