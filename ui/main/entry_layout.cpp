#include "ui/main/entry_layout.h"

#include "engine/param_table.h"
#include "ui/main/diagram_image.h"

#include <algorithm>

namespace tarsel {

const std::array<DiagramRow, DiagramRowCount>& diagramRows() {
    using P = LabelPlacement;
    static const std::array<DiagramRow, DiagramRowCount> rows = [] {
        // Box positions in diagram pixels, in FieldIndex order.
        struct Place {
            int x;
            int y;
            P placement;
        };
        static constexpr std::array<Place, FieldCount> places = {{
            {34, 275, P::RightCentred},  // Pt
            {34, 305, P::RightCentred},  // fcent
            {78, 128, P::AboveCentred},  // Gt
            {468, 128, P::AboveCentred}, // Gr
            {254, 6, P::LeftCentred},    // Range
            {498, 275, P::LeftCentred},  // Nf
            {498, 295, P::LeftCentred},  // Bw
            {34, 325, P::RightCentred},  // Mf
            {498, 335, P::LeftCentred},  // Temp
            {498, 315, P::LeftCentred},  // Sn
            {498, 355, P::LeftCentred},  // IpInt
            {126, 58, P::AboveCentred},  // X12s
            {404, 58, P::AboveCentred},  // X23s
            {312, 148, P::AboveCentred}, // Rhill
            {30, 178, P::AboveLeft},     // y01s
            {368, 210, P::AboveCentred}, // y02s
            {498, 178, P::AboveRight},   // y03s
            {314, 104, P::AboveCentred}, // PropLaw
            {498, 4, P::LeftCentred},    // Bl
        }};
        std::array<DiagramRow, DiagramRowCount> table{};
        for (int i = 0; i < FieldCount; ++i) {
            const Place& p = places[static_cast<std::size_t>(i)];
            table[static_cast<std::size_t>(i)] =
                DiagramRow{fieldTable()[static_cast<std::size_t>(i)].label, p.x, p.y, p.placement};
        }
        table[FieldCount] = DiagramRow{HeightsBaselineLabel, 174, 248, P::AtPoint};
        return table;
    }();
    return rows;
}

QPoint scaledPosition(int x, int y, QSize pane, QSize base) {
    // Without artwork the positions scale as if it had the diagram's size.
    if (base.width() <= 0 || base.height() <= 0) {
        base = QSize(DiagramWidth, DiagramHeight);
    }
    const long long sx = static_cast<long long>(pane.width()) * x / base.width();
    const long long sy = static_cast<long long>(pane.height()) * y / base.height();
    return QPoint(static_cast<int>(sx), static_cast<int>(sy));
}

QPoint labelTopLeft(LabelPlacement placement, QPoint box, QSize label, int boxHeight) {
    const int x = box.x();
    const int y = box.y();
    const int w = label.width();
    const int h = label.height();
    switch (placement) {
    case LabelPlacement::LeftCentred:
        return QPoint(x - w, y + (boxHeight - h) / 2);
    case LabelPlacement::AboveCentred:
        return QPoint(x + (EntryBoxWidth - w) / 2, y - h);
    case LabelPlacement::RightCentred:
        return QPoint(x + EntryBoxWidth, y + (boxHeight - h) / 2);
    case LabelPlacement::BelowCentred:
        return QPoint(x + (EntryBoxWidth - w) / 2, y + boxHeight);
    case LabelPlacement::AboveLeft:
        return QPoint(x, y - h);
    case LabelPlacement::AboveRight:
        return QPoint(x + EntryBoxWidth - w, y - h);
    case LabelPlacement::AtPoint:
        break;
    }
    return box;
}

int EditTextHeight(const QFontMetrics& metrics) {
    // External leading is never negative; some faces report it so.
    return metrics.height() + std::max(0, metrics.leading());
}

} // namespace tarsel
