#include "dem/geodesic_path.h"

#include "dem/dem_error.h"
#include "terrain/profile.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>

#include <charconv>
#include <cmath>

namespace tarsel::dem {

namespace {

constexpr double MinSiteSeparationM = 1e-3;

std::string fixed(double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

void checkSite(const GeoPoint& site, const char* which) {
    if (!(std::abs(site.latDeg) <= 90.0)) {
        throw DemError(std::string("the ") + which + " site's latitude " + fixed(site.latDeg, 6) +
                       " lies outside -90..90");
    }
    if (!(std::abs(site.lonDeg) <= 180.0)) {
        throw DemError(std::string("the ") + which + " site's longitude " + fixed(site.lonDeg, 6) +
                       " lies outside -180..180");
    }
}

} // namespace

std::string formatPoint(const GeoPoint& point) {
    return fixed(point.latDeg, 6) + "," + fixed(point.lonDeg, 6);
}

GeodesicPath::GeodesicPath(const GeoPoint& from, const GeoPoint& to) : from_(from), to_(to) {
    checkSite(from, "first");
    checkSite(to, "second");
    line_ =
        std::make_unique<GeographicLib::GeodesicLine>(GeographicLib::Geodesic::WGS84().InverseLine(
            from.latDeg, from.lonDeg, to.latDeg, to.lonDeg));
    lengthM_ = line_->Distance();
    bearingDeg_ = line_->Azimuth();
    if (!(lengthM_ >= MinSiteSeparationM)) {
        throw DemError("the two sites " + formatPoint(from) + " and " + formatPoint(to) +
                       " are the same place");
    }
}

GeodesicPath::~GeodesicPath() = default;
GeodesicPath::GeodesicPath(GeodesicPath&&) noexcept = default;
GeodesicPath& GeodesicPath::operator=(GeodesicPath&&) noexcept = default;

GeoPoint GeodesicPath::at(double distanceM) const {
    if (distanceM <= 0.0) {
        return from_;
    }
    if (distanceM >= lengthM_) {
        return to_;
    }
    GeoPoint p;
    line_->Position(distanceM, p.latDeg, p.lonDeg);
    return p;
}

std::vector<double> GeodesicPath::evenDistances(double maxSpacingM) const {
    if (!(maxSpacingM > 0.0) || !std::isfinite(maxSpacingM)) {
        throw DemError("the spacing " + fixed(maxSpacingM, 3) + " m is not a positive number");
    }
    const double intervals = std::max(2.0, std::ceil(lengthM_ / maxSpacingM));
    if (intervals + 1.0 > static_cast<double>(terrain::MaxProfilePoints)) {
        throw DemError("a spacing of " + fixed(maxSpacingM, 3) + " m over " + fixed(lengthM_, 1) +
                       " m needs more than " + std::to_string(terrain::MaxProfilePoints) +
                       " points");
    }
    const auto n = static_cast<std::size_t>(intervals);
    std::vector<double> distances(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        distances[i] = lengthM_ * static_cast<double>(i) / intervals;
    }
    distances[n] = lengthM_;
    return distances;
}

} // namespace tarsel::dem
