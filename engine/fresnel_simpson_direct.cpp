#include "engine/constants.h"
#include "engine/diffraction.h"
#include "engine/fresnel_simpson.h"

#include <cmath>
#include <limits>

namespace tarsel {

// One sin or cos per node, odd nodes first, then even ones, then node 0 and
// node n.
double fresnelSimpsonDirect(double a, int kind, float step, double sign) {
    const std::int32_t n = simpsonIntervals(a, step);
    if (n == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double h = a / n;
    const double h2 = h * h;
    auto g = [kind, h2](std::int32_t i) {
        const double di = static_cast<double>(i);
        const double arg = di * di * h2 * HalfPi;
        return kind == FresnelSine ? std::sin(arg) : std::cos(arg);
    };
    double sum = 0.0;
    for (std::int32_t i = 1; i < n; i += 2) {
        sum += 4.0 * g(i);
    }
    for (std::int32_t i = 2; i < n; i += 2) {
        sum += 2.0 * g(i);
    }
    sum += kind == FresnelSine ? std::sin(0.0) : std::cos(0.0);
    const double total = g(n) + sum;
    return h * total * sign * OneThird;
}

} // namespace tarsel
