// A long curve's envelope keeps what its line shows; lines laid out as
// segments stay within the plot, however far their points lie.
#include "ui/plots/plot_envelope.h"
#include "ui/plots/plot_lines.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tarsel::testing {
namespace {

// 100,000 points of a fast ripple, one spike up and one down, and a gap.
QList<QPointF> rippled(bool log) {
    QList<QPointF> points;
    for (int i = 0; i < 100000; ++i) {
        const double x = log ? std::pow(10.0, 1.0 + i * 3e-5) : i * 0.01;
        double y = std::sin(i * 0.37);
        y = i == 40001 ? 50.0 : i == 72221 ? -70.0 : y;
        points.append(QPointF(x, i == 50000 ? std::nan("") : y));
    }
    return points;
}

TEST(PlotEnvelope, KeepsEndsExtremesAndGaps) {
    const struct {
        bool log;
        qsizetype from, to; // the range shown, by index
    } cases[] = {
        {false, 0, 99999},     // the whole curve
        {true, 0, 99999},      // on a log axis
        {false, 30000, 86000}, // zoomed in: one point beyond either end
    };
    for (const auto& c : cases) {
        const QList<QPointF> points = rippled(c.log);
        const double lo = points[c.from].x(), hi = points[c.to].x();
        const QList<QPointF> envelope = curveEnvelope(points, lo, hi, c.log);
        ASSERT_LE(envelope.size(), 4 * EnvelopeColumns + 3) << c.from;
        EXPECT_EQ(envelope.front(), points[std::max<qsizetype>(0, c.from - 1)]);
        EXPECT_EQ(envelope.back(), points[std::min<qsizetype>(points.size() - 1, c.to + 1)]);
        EXPECT_TRUE(envelope.contains(points[40001])) << "spike up";
        EXPECT_TRUE(envelope.contains(points[72221])) << "spike down";
        EXPECT_TRUE(std::any_of(envelope.begin(), envelope.end(), [](const QPointF& p) {
            return std::isnan(p.y());
        })) << "gap";
    }
}

TEST(PlotLines, SegmentsStayWithinThePlot) {
    const QRectF clip(0, 0, 800, 600);
    QPen dashed(Qt::black, 1.5, Qt::DashLine); // 6 px on, 3 px off
    const struct {
        QPen pen;
        qsizetype least, most; // segments expected
    } cases[] = {
        {QPen(Qt::black, 1.5), 1, 1},
        {dashed, 800 / 9, 800 / 9 + 2},
    };
    // A horizontal line far beyond both sides of the plot (a deep zoom); so
    // far, the second, that a pixel is below its ends' last bit.
    for (const auto& c : cases) {
        for (const double far : {1e12, 1e17}) {
            const QList<QPointF> line = {QPointF(-far, 300), QPointF(far, 300)};
            QList<QLineF> segments;
            ASSERT_TRUE(strokeSegments(line, c.pen, clip, segments));
            EXPECT_GE(segments.size(), c.least);
            EXPECT_LE(segments.size(), c.most);
            for (const QLineF& s : segments) {
                EXPECT_TRUE(clip.adjusted(-1, -1, 1, 1).contains(s.p1()) &&
                            clip.adjusted(-1, -1, 1, 1).contains(s.p2()));
                EXPECT_LE(s.length(), c.pen.style() == Qt::SolidLine ? 801.0 : 6.0 + 1e-6);
            }
        }
    }
}

} // namespace
} // namespace tarsel::testing
