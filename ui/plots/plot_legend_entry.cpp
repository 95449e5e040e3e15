#include "ui/plots/plot_legend_entry.h"

namespace tarsel {

QSize LegendEntry::minimumOuterSizeHint() const {
    if (mPlottable == nullptr) {
        return QCPPlottableLegendItem::minimumOuterSizeHint();
    }
    const Measured now{getFont(), mPlottable->name(), mParentLegend->iconSize(),
                       mParentLegend->iconTextPadding(), mMargins};
    if (!valid_ || !(now == measured_)) {
        size_ = QCPPlottableLegendItem::minimumOuterSizeHint();
        measured_ = now;
        valid_ = true;
    }
    return size_;
}

} // namespace tarsel
