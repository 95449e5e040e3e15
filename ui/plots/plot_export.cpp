#include "ui/plots/plot_export.h"

#include "entry/number_format.h"

#include <QBuffer>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

namespace tarsel {

namespace {

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

QString saveWidgetImage(QWidget* widget, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(widget->size());
        svg.setViewBox(widget->rect());
        svg.setTitle(widget->windowTitle());
        QPainter painter(&svg);
        widget->render(&painter);
        painter.end();
    } else if (!widget->grab().save(&buffer, "PNG")) {
        return QStringLiteral("the picture could not be encoded");
    }
    return writeFileWhole(path, buffer.data());
}

} // namespace tarsel
