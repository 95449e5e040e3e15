#pragma once
// A terrain path profile: ground heights at distances along the path from the
// transmitter (distance 0) to the receiver (the last distance).

#include <cstddef>
#include <vector>

namespace tarsel::terrain {

inline constexpr std::size_t MinProfilePoints = 3;
inline constexpr std::size_t MaxProfilePoints = 1'000'000;

struct Profile {
    std::vector<double> distanceM; // from the transmitter, 0 first, strictly increasing [m]
    std::vector<double> heightM;   // ground height above sea level [m], one per distance

    std::size_t size() const { return distanceM.size(); }
    double lengthM() const { return distanceM.empty() ? 0.0 : distanceM.back(); }
};

} // namespace tarsel::terrain
