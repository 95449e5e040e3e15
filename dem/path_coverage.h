#pragma once
// Whether a path crosses a grid at all: a folder of many tiles keeps open only
// those the path meets.

#include "dem/elevation_grid.h"
#include "dem/geodesic_path.h"

#include <vector>

namespace tarsel::dem {

// How far apart the outline's points are at most [m], and how many it has at most.
inline constexpr double OutlineStepM = 1000.0;
inline constexpr std::size_t MaxOutlinePoints = 4097;

// Points along the path close enough that the straight segments between them
// stay within a fraction of a post of the geodesic on any grid.
std::vector<GeoPoint> pathOutline(const GeodesicPath& path);

// True when a segment of the outline passes within two posts of the grid's
// area, or leaves the grid's coordinate system (kept rather than missed).
bool outlineMeetsGrid(const std::vector<GeoPoint>& outline, const ElevationGrid& grid);

} // namespace tarsel::dem
