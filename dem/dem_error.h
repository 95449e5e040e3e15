#pragma once
// The one failure of elevation work: a message for the user that names the
// file, the site or the point along the path it is about.

#include <stdexcept>
#include <string>

namespace tarsel::dem {

class DemError : public std::runtime_error {
public:
    explicit DemError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tarsel::dem
