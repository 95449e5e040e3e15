#include "ui/plots/pdf_report.h"

#include "engine/param_table.h"
#include "entry/number_format.h"
#include "report/report.h"
#include "ui/common/app_state.h"
#include "ui/common/ui_services.h"
#include "ui/common/write_file.h"
#include "ui/plots/plot_export.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPdfWriter>

namespace tarsel {

namespace {

constexpr int Dpi = 300;
constexpr int FooterLines = 4;

QString parametersText(const LinkParams& params) {
    QStringList parts;
    const auto& table = fieldTable();
    for (int i = 0; i < FieldCount; ++i) {
        const FieldInfo& info = table[static_cast<std::size_t>(i)];
        const RangedValue* value = paramForField(params, i);
        QString text = QString::fromLatin1(info.key) + " = " +
                       QString::fromStdString(formatPlain(value->value));
        if (!info.unit.empty()) {
            text += " " + QString::fromLatin1(info.unit);
        }
        parts << text;
    }
    parts << QStringLiteral("diffraction %1").arg(params.bDiffract != 0 ? "on" : "off");
    parts << QStringLiteral("%1 hill").arg(params.nHillType != 0 ? "rough" : "smooth");
    return parts.join(QStringLiteral(", "));
}

class PdfPages {
public:
    PdfPages(QPdfWriter& writer, QString footer, int pages)
        : writer_(writer), footer_(std::move(footer)), pages_(pages), painter_(&writer) {
        const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
        QFont small = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        small.setPointSizeF(7);
        footerFont_ = small;
        const double footerHeight = QFontMetricsF(small, &writer).lineSpacing() * FooterLines;
        body_ = QRectF(page.left(), page.top(), page.width(), page.height() - footerHeight * 1.2);
        footerBox_ = QRectF(page.left(), page.bottom() - footerHeight, page.width(), footerHeight);
    }

    QCPPainter& painter() { return painter_; }
    QRectF body() const { return body_; }

    // Ends the page in progress with its footer; starts the next when asked.
    void finishPage(bool more) {
        painter_.save();
        painter_.setFont(footerFont_);
        painter_.setPen(Qt::black);
        painter_.drawLine(footerBox_.topLeft(), footerBox_.topRight());
        painter_.drawText(
            footerBox_, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
            QStringLiteral("Page %1 of %2. %3").arg(++page_).arg(pages_).arg(footer_));
        painter_.restore();
        if (more) {
            writer_.newPage();
        }
    }
    bool end() { return painter_.end(); }

private:
    QPdfWriter& writer_;
    QString footer_;
    int pages_;
    int page_ = 0;
    QCPPainter painter_;
    QFont footerFont_;
    QRectF body_;
    QRectF footerBox_;
};

void drawReport(PdfPages& pages, const QStringList& rows) {
    QPainter& p = pages.painter();
    const QRectF body = pages.body();
    qsizetype widest = 1;
    for (const QString& row : rows) {
        widest = std::max(widest, row.size());
    }
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setStyleHint(QFont::Monospace);
    // The line step that fits the rows, and no wider than the page allows.
    double size = body.height() / PdfReportRowsPerPage / 1.25;
    mono.setPixelSize(std::max(1, static_cast<int>(size)));
    const double charWidth = QFontMetricsF(mono, p.device()).horizontalAdvance(QLatin1Char('M'));
    if (charWidth * static_cast<double>(widest) > body.width()) {
        size *= body.width() / (charWidth * static_cast<double>(widest));
        mono.setPixelSize(std::max(1, static_cast<int>(size)));
    }
    p.setFont(mono);
    p.setPen(Qt::black);
    const double step = body.height() / PdfReportRowsPerPage;
    const double ascent = QFontMetricsF(mono, p.device()).ascent();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const qsizetype onPage = i % PdfReportRowsPerPage;
        if (i > 0 && onPage == 0) {
            pages.finishPage(true);
        }
        p.drawText(QPointF(body.left(), body.top() + onPage * step + ascent), rows[i]);
    }
    pages.finishPage(true);
}

} // namespace

int pdfPageCount(int rows) {
    return (rows + PdfReportRowsPerPage - 1) / PdfReportRowsPerPage + 3;
}

QString writePdfReport(const QString& path, const LinkParams& params, const LinkResults& results,
                       const PlotSettings& settings, std::vector<PdfPlotPage>* plots) {
    const QStringList rows =
        QString::fromStdString(reportText(params, results)).split(QLatin1Char('\n'));
    QBuffer file; // written out whole once complete
    file.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&file);
        writer.setResolution(Dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("Tarsel report"));
        writer.setCreator(QStringLiteral("Tarsel"));
        const QString footer =
            QStringLiteral("%1. Parameters: %2.")
                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                     parametersText(params));
        PdfPages pages(writer, footer, pdfPageCount(static_cast<int>(rows.size())));
        drawReport(pages, rows);

        PlotView view;
        preparePaperView(view);
        SweepControl never;
        const PlotTab tabs[] = {PlotTab::Range, PlotTab::Height, PlotTab::Profile};
        for (std::size_t i = 0; i < std::size(tabs); ++i) {
            const QRectF plot = drawPaperPlot(
                pages.painter(), view,
                computePlot(tabs[i], params, results, settings, never).figure, pages.body());
            if (plots != nullptr) {
                const QPaintDevice* device = pages.painter().device();
                plots->push_back({plot, QRectF(0, 0, device->width(), device->height()),
                                  view.legendEntryCount()});
            }
            pages.finishPage(i + 1 < std::size(tabs));
        }
        if (!pages.end()) {
            return QStringLiteral("the PDF could not be drawn");
        }
    }
    return writeFileWhole(path, file.data());
}

void exportPdfReport(AppState& state, QWidget* owner) {
    UiServices& services = state.services != nullptr ? *state.services : defaultUiServices();
    const QString path = services.getSaveFileName(owner, {QStringLiteral("PDF files (*.pdf)")},
                                                  QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return;
    }
    // The open plot window's choices, else those last saved.
    auto* plots = qobject_cast<PlotWindow*>(state.plotWindow.data());
    const PlotSettings settings =
        plots != nullptr ? plots->settings() : loadPlotSettings(state.settingsPath.toStdString());
    const QString reason = writePdfReport(path, state.params, state.results, settings);
    if (!reason.isEmpty()) {
        const QString text =
            QStringLiteral("The PDF report could not be written to %1: %2").arg(path, reason);
        services.showWarning(owner, Warning{text.toStdString(), "Export", WarningIcon::Error});
    }
}

} // namespace tarsel
