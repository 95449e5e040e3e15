#pragma once
// The one failure of elevation work: a message for the user that names the
// file, the site or the point along the path it is about.

#include <stdexcept>
#include <string>

namespace tarsel::dem {

class DemError : public std::runtime_error {
public:
    enum class Kind {
        Other,
        Void // a void that was not asked to be filled
    };
    explicit DemError(const std::string& message, Kind kind = Kind::Other)
        : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace tarsel::dem
