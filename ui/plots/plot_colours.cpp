#include "ui/plots/plot_colours.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

// The relative luminance of an sRGB colour.
double luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background, double contrast) {
    if (contrastRatio(colour, background) >= contrast) {
        return colour;
    }
    const QColor end = luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    // The least mix that reaches the contrast, by bisection.
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 20; ++i) {
        const double t = (lo + hi) / 2;
        (contrastRatio(mix(colour, end, t), background) >= contrast ? hi : lo) = t;
    }
    return mix(colour, end, hi);
}

QColor plotBackground(const QPalette& palette) {
    return palette.color(QPalette::Base);
}

QColor plotColour(PlotColour colour, const QPalette& palette) {
    QColor c;
    switch (colour) {
    case PlotColour::Orange:
        c = QColor(0xE6, 0x9F, 0x00);
        break;
    case PlotColour::SkyBlue:
        c = QColor(0x56, 0xB4, 0xE9);
        break;
    case PlotColour::BluishGreen:
        c = QColor(0x00, 0x9E, 0x73);
        break;
    case PlotColour::Yellow:
        c = QColor(0xF0, 0xE4, 0x42);
        break;
    case PlotColour::Blue:
        c = QColor(0x00, 0x72, 0xB2);
        break;
    case PlotColour::Vermillion:
        c = QColor(0xD5, 0x5E, 0x00);
        break;
    case PlotColour::Purple:
        c = QColor(0xCC, 0x79, 0xA7);
        break;
    case PlotColour::Ground:
        c = QColor(0x8C, 0x6D, 0x31);
        break;
    case PlotColour::Foreground:
        c = palette.color(QPalette::WindowText);
        break;
    }
    return readableOn(c, plotBackground(palette));
}

QColor gridColour(const QPalette& palette, bool major) {
    // Part-way from the background to the text, then as far as the contrast
    // asks: the major grid drawn solid and the minor dotted, both readable.
    const QColor background = plotBackground(palette);
    const QColor text = palette.color(QPalette::WindowText);
    return readableOn(mix(background, text, major ? 0.45 : 0.3), background);
}

QPalette lightPlotPalette() {
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Window, Qt::white);
    light.setColor(QPalette::WindowText, Qt::black);
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::Mid, QColor(0xC0, 0xC0, 0xC0));
    return light;
}

QPalette darkPlotPalette() {
    QPalette dark;
    const QColor window(0x2B, 0x2B, 0x2B);
    const QColor base(0x1E, 0x1E, 0x1E);
    const QColor text(0xE6, 0xE6, 0xE6);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText}) {
        dark.setColor(role, text);
    }
    dark.setColor(QPalette::ToolTipBase, window);
    // Dimmer than the text but readable on the dark base (Qt's own is dark grey).
    dark.setColor(QPalette::PlaceholderText, QColor(0x9A, 0x9A, 0x9A));
    dark.setColor(QPalette::Mid, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0x6F, 0xA5));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return dark;
}

} // namespace tarsel
