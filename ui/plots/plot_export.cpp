#include "ui/plots/plot_export.h"

#include "entry/number_format.h"
#include "ui/plots/plot_colours.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>

namespace tarsel {

namespace {

constexpr int PaperPlotWidth = 1000; // the plot laid out this wide, then scaled to the page
constexpr int PaperFontPixels = 16;  // of that width: about 8 pt on an A4 page
constexpr double PdfFontMm = 3.2;    // a plot saved as PDF: fonts about 9 pt

QString csvField(QString text) {
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

bool sharesX(const PlotFigure& f) {
    if (f.curves.empty()) {
        return false;
    }
    for (const PlotCurve& c : f.curves) {
        if (!c.shared || c.points.size() != f.curves.front().points.size()) {
            return false;
        }
    }
    return true;
}

} // namespace

QString csvNumber(double value) {
    return QString::fromStdString(formatShortest(value));
}

QString figureCsv(const PlotFigure& f) {
    QString csv;
    if (sharesX(f)) {
        csv += csvField(f.x.label());
        for (const PlotCurve& c : f.curves) {
            csv += QLatin1Char(',') + csvField(PlotAxis{c.name, f.y.unit}.label());
        }
        csv += QLatin1Char('\n');
        const qsizetype n = f.curves.front().points.size();
        for (qsizetype i = 0; i < n; ++i) {
            csv += csvNumber(f.curves.front().points[i].x());
            for (const PlotCurve& c : f.curves) {
                csv += QLatin1Char(',') + csvNumber(c.points[i].y());
            }
            csv += QLatin1Char('\n');
        }
        return csv;
    }
    csv += QStringLiteral("Curve,") + csvField(f.x.label()) + QLatin1Char(',') +
           csvField(f.y.label()) + QLatin1Char('\n');
    for (const PlotCurve& c : f.curves) {
        for (const QPointF& p : c.points) {
            csv += csvField(c.name) + QLatin1Char(',') + csvNumber(p.x()) + QLatin1Char(',') +
                   csvNumber(p.y()) + QLatin1Char('\n');
        }
    }
    return csv;
}

ImageFormat imageFormatOf(const QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        return ImageFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return ImageFormat::Pdf;
    }
    if (suffix == QLatin1String("png")) {
        return ImageFormat::Png;
    }
    if (filter.contains(QLatin1String("*.pdf"), Qt::CaseInsensitive)) {
        return ImageFormat::Pdf;
    }
    return filter.contains(QLatin1String("*.svg"), Qt::CaseInsensitive) ? ImageFormat::Svg
                                                                        : ImageFormat::Png;
}

QByteArray plotSvg(PlotView& view) {
    // Drawn in three passes, one SVG each: what lies under the curves, the
    // curves and markers, and what lies over them (axes, title, legend). The
    // middle one goes into a group clipped to the plot area: the SVG writer
    // does not write the clipping the plot draws with.
    const QList<QStringList> passes = {
        {QStringLiteral("background"), QStringLiteral("grid")},
        {QStringLiteral("main")},
        {QStringLiteral("axes"), QStringLiteral("legend"), QStringLiteral("overlay")}};
    const QSize size = view.size();
    const QBrush background = view.background();
    QList<QByteArray> parts;
    for (const QStringList& layers : passes) {
        for (int i = 0; i < view.layerCount(); ++i) {
            view.layer(i)->setVisible(layers.contains(view.layer(i)->name()));
        }
        view.setBackground(parts.isEmpty() ? background : QBrush(Qt::NoBrush));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(view.figure().title);
        QCPPainter painter(&svg);
        view.toPainter(&painter, size.width(), size.height());
        painter.end();
        parts.append(buffer.data());
    }
    for (int i = 0; i < view.layerCount(); ++i) {
        view.layer(i)->setVisible(true);
    }
    view.setBackground(background);
    view.replot(QCustomPlot::rpQueuedReplot);

    // Each pass: header, then the drawing after its (empty) definitions.
    const auto body = [](const QByteArray& svg) {
        const QByteArray defs = "</defs>";
        const qsizetype start = svg.indexOf(defs);
        const qsizetype end = svg.lastIndexOf("</svg>");
        return start < 0 || end < start ? QByteArray()
                                        : svg.mid(start + defs.size(), end - start - defs.size());
    };
    const QRect area = view.axisRect()->rect();
    const QByteArray clip = QStringLiteral("<clipPath id=\"plotArea\"><rect x=\"%1\" y=\"%2\" "
                                           "width=\"%3\" height=\"%4\"/></clipPath>\n")
                                .arg(area.x())
                                .arg(area.y())
                                .arg(area.width())
                                .arg(area.height())
                                .toUtf8();
    const QByteArray& first = parts.front();
    const qsizetype defsEnd = first.indexOf("</defs>");
    if (defsEnd < 0) {
        return first;
    }
    return first.left(defsEnd) + clip + "</defs>" + body(first) +
           "<g clip-path=\"url(#plotArea)\">" + body(parts[1]) + "</g>\n" + body(parts[2]) +
           "</svg>\n";
}

QByteArray plotPdf(const PlotView& view) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(view.figure().title);
    pdf.setCreator(QStringLiteral("Tarsel"));
    // As wide as the fonts come out at about 9 pt, as high as the view's shape.
    const double width = PaperPlotWidth * PdfFontMm / PaperFontPixels;
    const double height = width * std::max(1, view.height()) / std::max(1, view.width());
    pdf.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QCPPainter painter;
    if (!painter.begin(&pdf)) {
        return {};
    }
    PlotView paper;
    preparePaperView(paper);
    const QRectF page(QPointF(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    drawPaperPlot(painter, paper, view.figure(), page, &view);
    painter.end();
    return buffer.data();
}

QString savePlotImage(PlotView& view, const QString& path, ImageFormat format) {
    QByteArray data;
    if (format == ImageFormat::Svg) {
        data = plotSvg(view);
    } else if (format == ImageFormat::Pdf) {
        data = plotPdf(view);
        if (data.isEmpty()) {
            return QStringLiteral("the document could not be made");
        }
    } else {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!view.grab().save(&buffer, "PNG")) {
            return QStringLiteral("the picture could not be encoded");
        }
    }
    return writeFileWhole(path, data);
}

void preparePaperView(PlotView& paper) {
    paper.setPalette(lightPlotPalette());
    paper.setPixelFonts(PaperFontPixels);
    paper.setAttribute(Qt::WA_DontShowOnScreen);
    paper.show();
}

QRectF drawPaperPlot(QCPPainter& painter, PlotView& paper, const PlotFigure& figure, QRectF rect,
                     const PlotView* zoomed) {
    if (!figure.note.isEmpty()) {
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPointSizeF(10);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const double h = QFontMetricsF(font, painter.device()).lineSpacing() * 2;
        painter.drawText(QRectF(rect.left(), rect.bottom() - h, rect.width(), h),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignBottom, figure.note);
        rect.setBottom(rect.bottom() - h * 1.2);
    }
    // The plot fills the width and the height left, laid out at a logical
    // size of the same shape and drawn as vectors.
    const double scale = rect.width() / PaperPlotWidth;
    const QSize size(PaperPlotWidth, static_cast<int>(rect.height() / scale));
    paper.resize(size);
    paper.setHiddenNames(zoomed != nullptr ? zoomed->hiddenNames() : QSet<QString>());
    paper.setFigure(figure);
    paper.layOutNow();
    if (zoomed != nullptr && zoomed->zoomed()) {
        paper.xAxis->setRange(zoomed->xAxis->range());
        paper.yAxis->setRange(zoomed->yAxis->range());
        paper.yAxis2->setRange(zoomed->yAxis2->range());
        paper.replot(QCustomPlot::rpImmediateRefresh);
    }
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(scale, scale);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNonCosmetic);
    paper.toPainter(&painter, size.width(), size.height());
    painter.restore();
    return rect;
}

bool printPlot(QPrinter& printer, const PlotView& view) {
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    PlotView paper;
    preparePaperView(paper);
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    drawPaperPlot(painter, paper, view.figure(), page, &view);
    painter.end();
    return true;
}

} // namespace tarsel
