#pragma once
// The WGS84 geodesic between two sites, and points evenly spaced along it.

#include "dem/elevation_grid.h"

#include <memory>
#include <string>
#include <vector>

namespace GeographicLib {
class GeodesicLine;
}

namespace tarsel::dem {

// "47.123456,8.123456": latitude and longitude to about 0.1 m, locale-free.
std::string formatPoint(const GeoPoint& point);

class GeodesicPath {
public:
    // Throws DemError for a latitude outside -90..90, a longitude outside
    // -180..180, or sites less than a millimetre apart.
    GeodesicPath(const GeoPoint& from, const GeoPoint& to);
    ~GeodesicPath();
    GeodesicPath(GeodesicPath&&) noexcept;
    GeodesicPath& operator=(GeodesicPath&&) noexcept;

    const GeoPoint& from() const { return from_; }
    const GeoPoint& to() const { return to_; }
    double lengthM() const { return lengthM_; }
    // Forward azimuth at the first site, clockwise from north [degrees].
    double bearingDeg() const { return bearingDeg_; }

    // The point distanceM along the path; the sites themselves at 0 and lengthM.
    GeoPoint at(double distanceM) const;

    // Distances of the fewest evenly spaced points, at least 3, no more than
    // maxSpacingM apart, from 0 to lengthM. Throws DemError for a spacing that
    // is not a positive number or that needs more points than a profile holds.
    std::vector<double> evenDistances(double maxSpacingM) const;

private:
    GeoPoint from_;
    GeoPoint to_;
    double lengthM_ = 0.0;
    double bearingDeg_ = 0.0;
    std::unique_ptr<GeographicLib::GeodesicLine> line_;
};

} // namespace tarsel::dem
