// Axis ticks and ranges: round labels at any span, log decades, SI prefixes,
// and only drawable ranges, however extreme the data.
#include "ui/plots/plot_axes.h"
#include "ui/plots/plot_colours.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tarsel::testing {
namespace {

QStringList labels(double lo, double hi, bool log, const char* unit, int count = 6) {
    PlotTicker ticker(QString::fromLatin1(unit), log);
    ticker.setTickCount(count);
    QVector<double> ticks, minor;
    QVector<QString> text;
    ticker.generate(QCPRange(lo, hi), QLocale::c(), 'g', 6, ticks, &minor, &text);
    return QStringList(text.begin(), text.end());
}

TEST(PlotAxes, TickLabelsAreRoundAndPlain) {
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const struct { double lo, hi; bool log; const char* unit; QStringList expected; } rows[] = {
        {-51.36, -41.31, false, "dB", {"-50", "-48", "-46", "-44", "-42"}}, // zoomed: no -41.3065
        {-3.2,   7.2,    false, "dB", {"-2", "0", "2", "4", "6"}},          // zero is "0", never "-0"
        {0,      9000,   false, "m",  {"0", "2", "4", "6", "8"}},           // km: the title names it
        {-400,   12400,  false, "m",  {"0", "2", "4", "6", "8", "10", "12"}}, // the nearer step, not 5
        {0,      17.4,   false, "dB", {"0", "5", "10", "15"}},              // 2 would crowd: 9 labels
        {1e9,    1e10,   true,  "Hz", {"1 GHz", "2 GHz", "5 GHz", "10 GHz"}}, // one decade: 1-2-5
        {1e6,    1e10,   true,  "Hz", {"1 MHz", "10 MHz", "100 MHz", "1 GHz", "10 GHz"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(labels(row.lo, row.hi, row.log, row.unit), row.expected)
            << row.lo << " " << row.hi;
    }
    // Far zoomed in, neighbouring labels still differ.
    QStringList fine = labels(0.5, 0.5000001, false, "m");
    EXPECT_GE(fine.size(), 3);
    EXPECT_EQ(fine.removeDuplicates(), 0);
    // Beyond what an axis can draw: no ticks at all, not endless ones.
    EXPECT_TRUE(labels(1e307, inf, false, "m").isEmpty());
    EXPECT_TRUE(labels(-inf, inf, false, "m").isEmpty());
    for (const QString& text : labels(-1e248, 1e248, false, "m", 1000)) {
        EXPECT_FALSE(text.contains("inf") || text.contains("nan")) << text.toStdString();
    }
    EXPECT_LE(labels(1e-240, 1e248, true, "Hz").size(), 14);
    EXPECT_LE(labels(0, 1, false, "", 100000).size(), MaxAxisTicks);
}

TEST(PlotAxes, EveryRangeIsMadeDrawable) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    const double big = std::numeric_limits<double>::max();
    const QCPRange rows[] = {{0, 1},       {6.5e307, inf}, {-inf, inf}, {nan, nan}, {5, 5},
                             {1e300, big}, {-big, big},    {1, 1},      {0, 0}};
    for (const QCPRange& r : rows) {
        for (const bool log : {false, true}) {
            const QCPRange d = drawable(r, log);
            EXPECT_TRUE(drawableRange(d, log)) << r.lower << " " << r.upper << " log " << log;
            EXPECT_TRUE(QCPRange::validRange(d)) << r.lower << " " << r.upper;
        }
    }
}

// Curves, grids and text keep 3:1 against the background in the light and
// the dark palette (the WCAG rule for non-text).
TEST(PlotColours, ContrastAtLeastThreeToOneInBothPalettes) {
    for (const QPalette& palette : {lightPlotPalette(), darkPlotPalette()}) {
        const QColor background = plotBackground(palette);
        for (int c = 0; c <= static_cast<int>(PlotColour::Ground); ++c) {
            EXPECT_GE(contrastRatio(plotColour(static_cast<PlotColour>(c), palette), background),
                      MinPlotContrast)
                << c;
        }
        EXPECT_GE(contrastRatio(gridColour(palette, true), background), MinPlotContrast);
        EXPECT_GE(contrastRatio(gridColour(palette, false), background), MinPlotContrast);
    }
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

} // namespace
} // namespace tarsel::testing
