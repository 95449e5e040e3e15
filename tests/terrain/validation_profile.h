#pragma once
// Validation profiles kept under data/: "distance [km], height [m]" lines
// after a header and # comments.

#include "terrain/profile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace tarsel::terrain::test {

inline Profile validationProfile(const std::string& name) {
    std::ifstream file(std::string(TARSEL_TEST_DATA_DIR) + "/data/" + name);
    if (!file) {
        throw std::runtime_error("no validation profile " + name);
    }
    Profile profile;
    std::string line;
    while (std::getline(file, line)) {
        double km = 0.0;
        double m = 0.0;
        char comma = 0;
        std::istringstream fields(line);
        if (line.empty() || line[0] == '#' || !(fields >> km >> comma >> m)) {
            continue;
        }
        profile.distanceM.push_back(km * 1000.0);
        profile.heightM.push_back(m);
    }
    return profile;
}

} // namespace tarsel::terrain::test
