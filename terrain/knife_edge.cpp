// Single knife edge as the multiple-obstacle methods use it.

#include "terrain/diffraction_methods.h"

#include <cmath>

namespace tarsel::terrain {

double knifeEdgeLossDb(double nu) {
    if (!(nu > -0.78)) {
        return 0.0;
    }
    const double t = nu - 0.1;
    return 6.9 + 20.0 * std::log10(std::sqrt(t * t + 1.0) + t);
}

} // namespace tarsel::terrain
