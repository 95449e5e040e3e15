// Deygout's construction with up to three edges.

#include "terrain/diffraction_methods.h"
#include "terrain/edge_frame.h"

#include <cmath>
#include <limits>

namespace tarsel::terrain {

double deygoutLossDb(const Profile& profile, const PathInputs& in) {
    if (!pathInputsValid(profile, in)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const EdgeFrame frame = edgeFrame(profile, in);
    const std::size_t last = profile.size() - 1;
    // The main edge over the whole path; when it costs nothing, nothing
    // lower does either.
    const Edge main = highestEdge(frame, 0, last);
    double loss = knifeEdgeLossDb(main.nu);
    if (loss > 0.0) {
        // The largest edge on each side, against the line from that side's
        // antenna to the main edge's top.
        loss += knifeEdgeLossDb(highestEdge(frame, 0, main.index).nu);
        loss += knifeEdgeLossDb(highestEdge(frame, main.index, last).nu);
    }
    return std::isfinite(loss) ? loss : std::numeric_limits<double>::quiet_NaN();
}

} // namespace tarsel::terrain
