#include "ui/text/text_window_print.h"

#include "report/report.h"
#include "ui/common/app_state.h"
#include "ui/common/ui_services.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace tarsel {

int printLines(QPrinter& printer, QFont font, int screenDpi, const QStringList& lines) {
    if (font.pixelSize() > 0) {
        font.setPointSizeF(font.pixelSize() * 72.0 / std::max(1, screenDpi));
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    qreal widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, QFontMetricsF(font, &printer).horizontalAdvance(line));
    }
    if (widest > page.width()) {
        font.setPointSizeF(font.pointSizeF() * page.width() / widest);
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal step = std::max<qreal>(1, metrics.lineSpacing());
    const auto rowsPerPage =
        std::max<qsizetype>(1, static_cast<qsizetype>(std::floor(page.height() / step)));
    int pages = 1;
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const qsizetype onPage = row % rowsPerPage;
        if (row > 0 && onPage == 0) {
            printer.newPage();
            ++pages;
        }
        painter.drawText(QPointF(0, onPage * step + metrics.ascent()), lines[row]);
    }
    painter.end();
    return pages;
}

void PrintReport(AppState& state, QWidget* window) {
    UiServices& services = state.services != nullptr ? *state.services : defaultUiServices();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Movrane"));
    if (!services.choosePrinter(window, printer)) {
        return;
    }
    std::ostringstream report;
    // The lines the window shows and Save As Ascii Text writes, a terrain's too.
    generateReport(state.report, state.params, state.results, nullptr, &report, ReportToFile,
                   state.terrain.reportSection);
    const QStringList lines = QString::fromStdString(report.str()).split(QLatin1Char('\n'));
    const int screenDpi = window != nullptr ? window->logicalDpiY() : 96;
    if (printLines(printer, state.textFont, screenDpi, lines) == 0) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        const QString text = QStringLiteral("The report could not be printed to %1.").arg(target);
        services.showWarning(window, Warning{text.toStdString(), "Print", WarningIcon::Error});
    }
}

} // namespace tarsel
