#pragma once
// Benchmark inputs: the defaults with the obstruction height that gives a
// chosen knife-edge parameter v.

#include "engine/link_params.h"

#include <cmath>

namespace tarsel::bench {

// Antennas at 2 m, obstruction halfway along 100 m: v = -(y02s - 2) k.
inline LinkParams paramsForV(double v) {
    LinkParams p;
    const double lambda = 2.998e8 / p.fcent.value;
    const double k = std::sqrt(2.0 * 100.0 / (lambda * 50.0 * 50.0));
    p.y02s.value = 2.0 - v / k;
    return p;
}

} // namespace tarsel::bench
