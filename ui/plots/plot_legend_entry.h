#pragma once
// A legend entry that measures its text once for its font and name, not at
// each of the several times every replot lays the legend out.

#include <qcustomplot.h>

#include <QFont>
#include <QSize>
#include <QString>

namespace tarsel {

class LegendEntry : public QCPPlottableLegendItem {
public:
    using QCPPlottableLegendItem::QCPPlottableLegendItem;

protected:
    QSize minimumOuterSizeHint() const override;

private:
    struct Measured {
        QFont font;
        QString text;
        QSize icon;
        int padding = 0;
        QMargins margins;
        bool operator==(const Measured&) const = default;
    };
    mutable Measured measured_;
    mutable QSize size_;
    mutable bool valid_ = false;
};

} // namespace tarsel
