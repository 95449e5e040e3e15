// Where the entry fields and labels stand on the pane, at its normal size and
// stretched.
#include "test_diagram_harness.h"

#include "engine/link_params.h"
#include "ui/main/entry_layout.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace tarsel {
namespace {

using testing::DiagramHarness;

TEST(DiagramLayout, LabelPlacementCodesTruncateHalvesTowardZero) {
    using P = LabelPlacement;
    struct Row {
        P placement;
        QSize label;
        int boxHeight;
        QPoint expected;
    };
    const QPoint box(100, 50);
    const Row rows[] = {
        // clang-format off
        {P::LeftCentred,   QSize(41, 13),   18,  QPoint(59, 52)},  // code 0, (18-13)/2 = 2
        {P::AboveCentred,  QSize(41, 13),   18,  QPoint(129, 37)}, // code 1, (100-41)/2 = 29
        {P::RightCentred,  QSize(41, 13),   18,  QPoint(200, 52)}, // code 2
        {P::BelowCentred,  QSize(41, 13),   18,  QPoint(129, 68)}, // code 3, below the box
        {P::AboveLeft,     QSize(41, 13),   18,  QPoint(100, 37)}, // code 4
        {P::AboveRight,    QSize(41, 13),   18,  QPoint(159, 37)}, // code 5
        {P::AboveCentred,  QSize(141, 13),  18,  QPoint(80, 37)},  // wider than the box: -41/2 = -20
        {P::LeftCentred,   QSize(41, 15),   12,  QPoint(59, 49)},  // taller than the box: -3/2 = -1
        {P::RightCentred,  QSize(41, 18),   18,  QPoint(200, 50)}, // exactly the box height
        {P::AtPoint,       QSize(41, 13),   18,  QPoint(100, 50)}, // "Heights baseline": the point
    };
    // clang-format on
    for (const Row& r : rows) {
        EXPECT_EQ(labelTopLeft(r.placement, box, r.label, r.boxHeight), r.expected)
            << "placement " << static_cast<int>(r.placement) << " label " << r.label.width();
    }
}

TEST(DiagramLayout, PositionsScaleByMultiplyingFirstAndTruncating) {
    struct Row {
        QPoint table;
        QSize pane;
        QSize base;
        QPoint expected;
    };
    const Row rows[] = {
        // clang-format off
        {QPoint(254, 6),    QSize(632, 378),   QSize(632, 378),  QPoint(254, 6)},   // normal size
        {QPoint(254, 6),    QSize(1264, 756),  QSize(632, 378),  QPoint(508, 12)},  // doubled
        {QPoint(34, 275),   QSize(316, 189),   QSize(632, 378),  QPoint(17, 137)},  // 137.5 truncated
        {QPoint(254, 6),    QSize(700, 400),   QSize(632, 378),  QPoint(281, 6)},   // 281.33, 6.35
        {QPoint(498, 355),  QSize(631, 377),   QSize(632, 378),  QPoint(497, 354)}, // just under 1:1
        {QPoint(498, 355),  QSize(700, 400),   QSize(),          QPoint(551, 375)}, // no artwork: 632 x 378
        {QPoint(498, 355),  QSize(0, 0),       QSize(632, 378),  QPoint(0, 0)},     // empty pane
    };
    // clang-format on
    for (const Row& r : rows) {
        EXPECT_EQ(scaledPosition(r.table.x(), r.table.y(), r.pane, r.base), r.expected)
            << r.pane.width() << " x " << r.pane.height();
    }
}

TEST(DiagramLayout, BoxesStandAtTheirTablePositionsAtNormalAndDoubleSize) {
    struct Row {
        int index;
        QPoint normal;  // at 632 x 378
        QPoint doubled; // at 1264 x 756
    };
    const Row rows[] = {
        // clang-format off
        {FieldPt,       QPoint(34, 275),   QPoint(68, 550)},  // field table
        {FieldRange,    QPoint(254, 6),    QPoint(508, 12)},  // field table
        {FieldIpInt,    QPoint(498, 355),  QPoint(996, 710)}, // field table, lowest box
        {FieldY01s,     QPoint(30, 178),   QPoint(60, 356)},  // field table, leftmost box
        {FieldPropLaw,  QPoint(314, 104),  QPoint(628, 208)}, // field table
        {FieldBl,       QPoint(498, 4),    QPoint(996, 8)},   // field table, topmost box
    };
    // clang-format on
    DiagramHarness normal;
    DiagramHarness doubled(QSize(1264, 756));
    normal.pane->repaint();
    doubled.pane->repaint();
    const int height = EditTextHeight(QFontMetrics(normal.state.editFont, normal.pane));
    for (const Row& r : rows) {
        EXPECT_EQ(normal.box(r.index)->geometry(), QRect(r.normal, QSize(100, height)))
            << "field " << r.index;
        // Doubling moves the box but keeps its size.
        EXPECT_EQ(doubled.box(r.index)->geometry(), QRect(r.doubled, QSize(100, height)))
            << "field " << r.index;
    }
}

TEST(DiagramLayout, LabelsStandOnTheLabelBackgroundAndKeepTheirSize) {
    for (const QSize size : {QSize(632, 378), QSize(1264, 756)}) {
        DiagramHarness h(size);
        h.state.graphicsFont.setPixelSize(14);
        const QImage shot = h.pane->grab().toImage();
        const QFontMetrics fm(h.state.graphicsFont, h.pane);
        const int boxHeight = h.pane->editTextHeight();
        for (const DiagramRow& row : diagramRows()) {
            const QString label = QString::fromLatin1(row.label.data(), row.label.size());
            const QSize labelSize(fm.horizontalAdvance(label), fm.height());
            const QPoint at =
                labelTopLeft(row.placement, scaledPosition(row.x, row.y, size, QSize(632, 378)),
                             labelSize, boxHeight);
            // The top line of the text cell holds no glyph: all background.
            for (int x = at.x(); x < at.x() + labelSize.width(); x += 3) {
                ASSERT_EQ(shot.pixelColor(x, at.y()), QColor(0, 255, 255))
                    << label.toStdString() << " at " << size.width() << " x " << size.height();
            }
            // The text itself is drawn: some dark pixels in the cell.
            bool dark = false;
            for (int y = at.y(); y < at.y() + labelSize.height() && !dark; ++y) {
                for (int x = at.x(); x < at.x() + labelSize.width() && !dark; ++x) {
                    dark = shot.pixelColor(x, y).lightness() < 100;
                }
            }
            EXPECT_TRUE(dark) << label.toStdString();
        }
    }
}

TEST(DiagramLayout, EditFontSetsTheBoxHeight) {
    DiagramHarness h;
    h.state.editFont.setPixelSize(30);
    h.pane->applyEditFont();
    const QFontMetrics fm(h.state.editFont, h.pane);
    EXPECT_GE(h.box(FieldPt)->height(), 30);
    EXPECT_EQ(h.box(FieldPt)->height(), fm.lineSpacing());
    EXPECT_EQ(h.box(FieldPt)->width(), 100);
    EXPECT_EQ(h.box(FieldPt)->font().pixelSize(), 30);
}

TEST(DiagramLayout, FieldsAreNamedLimitedAndOnlyGeometryFollowsDiffraction) {
    DiagramHarness h;
    EXPECT_EQ(h.pane->field(-1), nullptr);
    EXPECT_EQ(h.pane->field(19), nullptr);
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_EQ(h.box(i)->objectName(), QStringLiteral("field%1").arg(i));
        EXPECT_EQ(h.box(i)->maxLength(), 128);
    }
    h.pane->setGeometryFieldsEnabled(false);
    for (int i = 0; i < FieldCount; ++i) {
        const bool geometry = i >= FieldX12s && i <= FieldY03s;
        EXPECT_EQ(h.box(i)->isEnabled(), !geometry) << "field " << i;
    }
    h.pane->setGeometryFieldsEnabled(true);
    for (int i = 0; i < FieldCount; ++i) {
        EXPECT_TRUE(h.box(i)->isEnabled()) << "field " << i;
    }
}

} // namespace
} // namespace tarsel
