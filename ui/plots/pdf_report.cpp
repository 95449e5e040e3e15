#include "ui/plots/pdf_report.h"

#include "engine/param_table.h"
#include "entry/number_format.h"
#include "report/report.h"
#include "settings/profile_file.h"
#include "ui/common/app_state.h"
#include "ui/common/ui_services.h"
#include "ui/common/write_file.h"
#include "ui/plots/plot_export.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/plot_window.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPdfWriter>

namespace tarsel {

namespace {

constexpr int Dpi = 300;
constexpr int FooterLines = 4;
constexpr int TableLines = 9; // the methods table: heading, five rows, caption, gaps
constexpr double TablePoints = 9.0;

QFont tableFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(TablePoints);
    return font;
}

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

// The height the methods table takes on device.
double methodsTableHeight(const QPaintDevice* device) {
    return QFontMetricsF(tableFont(), device).lineSpacing() * TableLines;
}

// The methods table under the profile over a terrain in box, as the Path
// Profile tab shows it beside the plot, with the k and the terrain named.
void drawMethodsTable(QPainter& p, const QRectF& box, const PdfReportContent& content) {
    const QFont font = tableFont();
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, p.device());
    const double line = metrics.lineSpacing();
    const std::vector<TerrainTableRow> rows = terrainTableRows(content.terrain.analysis);
    double titleWidth = metrics.horizontalAdvance(QStringLiteral("Method"));
    QString used;
    for (const TerrainTableRow& row : rows) {
        titleWidth = std::max(titleWidth, metrics.horizontalAdvance(row.title));
        used = row.used ? row.title : used;
    }
    const double valueWidth = metrics.horizontalAdvance(QStringLiteral("Loss [dB]")) * 1.5;
    const double left = box.left(), middle = left + titleWidth + line;
    const double right = middle + valueWidth;
    p.save();
    p.setPen(Qt::black);
    double y = box.top() + line / 2;
    const auto row = [&](const QString& title, const QString& value, bool strong) {
        p.setFont(strong ? bold : font);
        p.drawText(QRectF(left, y, titleWidth, line), Qt::AlignLeft | Qt::AlignVCenter, title);
        p.drawText(QRectF(middle, y, valueWidth, line), Qt::AlignRight | Qt::AlignVCenter, value);
        y += line;
    };
    row(QStringLiteral("Method"), QStringLiteral("Loss [dB]"), true);
    p.drawLine(QPointF(left, y), QPointF(right, y));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i + 1 == rows.size()) {
            p.drawLine(QPointF(left, y), QPointF(right, y));
        }
        row(rows[i].title, rows[i].value, rows[i].used);
    }
    p.setFont(font);
    QString caption = QStringLiteral("The terrain margin takes the %1 loss (in bold), k = %2.")
                          .arg(used, kFactorText(content.terrain.kFactor));
    if (!content.terrainName.isEmpty()) {
        caption += QStringLiteral(" Terrain: %1.").arg(content.terrainName);
    }
    p.drawText(QRectF(left, y + line / 2, box.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
               caption);
    p.restore();
}

// One plot on the page's body above `below` (a height kept for what follows
// it), its layout added to plots when asked.
void drawPlotPage(PdfPages& pages, PlotView& view, const PlotFigure& figure, double below,
                  std::vector<PdfPlotPage>* plots) {
    QRectF body = pages.body();
    body.setBottom(body.bottom() - below);
    const QRectF placed = drawPaperPlot(pages.painter(), view, figure, body);
    if (plots != nullptr) {
        const double scale = placed.width() / view.width();
        const QRectF area = view.axisRect()->rect();
        const QPaintDevice* device = pages.painter().device();
        plots->push_back({QRectF(placed.topLeft() + area.topLeft() * scale, area.size() * scale),
                          QRectF(0, 0, device->width(), device->height()), view.title(),
                          view.yRange(), view.legendEntryCount()});
    }
}

// The open plot window's choices, else those last saved.
PlotSettings plotChoices(const AppState& state) {
    auto* window = qobject_cast<PlotWindow*>(state.plotWindow.data());
    return window != nullptr ? window->settings()
                             : loadPlotSettings(state.settingsPath.toStdString());
}

} // namespace

int pdfPageCount(int rows, bool terrain) {
    return (rows + PdfReportRowsPerPage - 1) / PdfReportRowsPerPage + 3 + (terrain ? 1 : 0);
}

QString writePdfReport(const QString& path, const PdfReportContent& content,
                       std::vector<PdfPlotPage>* plots) {
    const QStringList rows =
        QString::fromStdString(reportText(content.params, content.results, content.reportAppendix))
            .split(QLatin1Char('\n'));
    const bool terrain = content.terrain.profile != nullptr;
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
                     parametersText(content.params));
        PdfPages pages(writer, footer, pdfPageCount(static_cast<int>(rows.size()), terrain));
        drawReport(pages, rows);

        PlotView view;
        preparePaperView(view);
        // A tall page: a profile to scale would sit in a strip at its foot.
        view.setFillsPage(true);
        SweepControl never;
        const PlotTab tabs[] = {PlotTab::Range, PlotTab::Height, PlotTab::Profile};
        for (std::size_t i = 0; i < std::size(tabs); ++i) {
            // The link's own profile: its hill is a terrain's main obstacle.
            const PlotFigure figure =
                computePlot(tabs[i], content.params, content.results, content.settings, never)
                    .figure;
            drawPlotPage(pages, view, figure, 0.0, plots);
            pages.finishPage(terrain || i + 1 < std::size(tabs));
        }
        if (terrain) {
            const double table = methodsTableHeight(pages.painter().device());
            drawPlotPage(pages, view,
                         terrainProfileFigure(*content.terrain.profile, content.terrain.analysis,
                                              content.terrain.kFactor),
                         table, plots);
            drawMethodsTable(pages.painter(),
                             QRectF(pages.body().left(), pages.body().bottom() - table,
                                    pages.body().width(), table),
                             content);
            pages.finishPage(false);
        }
        if (!pages.end()) {
            return QStringLiteral("the PDF could not be drawn");
        }
    }
    return writeFileWhole(path, file.data());
}

QString pdfReportName() {
    return QStringLiteral("tarsel-report-%1.pdf").arg(QDate::currentDate().toString(Qt::ISODate));
}

PdfReportContent pdfReportContent(const AppState& state) {
    PdfReportContent content{state.params, state.results, plotChoices(state), {}, {}, {}};
    if (state.terrain.inUse()) {
        // The analysis in use, with the k it was worked out for.
        content.terrain =
            TerrainPlot{state.terrain.profile, state.terrain.analysis,
                        state.terrain.analysedKey.kFactor, pathSetup(state.terrain.source)};
        content.terrainName = state.terrain.name;
        content.reportAppendix = state.terrain.reportSection;
    }
    return content;
}

void exportPdfReport(AppState& state, QWidget* owner) {
    UiServices& services = state.services != nullptr ? *state.services : defaultUiServices();
    QString path =
        services
            .askSaveFile(owner, SaveQuestion{{QStringLiteral("PDF files (*.pdf)")},
                                             QString::fromStdString(plotChoices(state).folder),
                                             pdfReportName()})
            .path;
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".pdf");
    }
    // What is in force once the dialog is answered.
    const QString reason = writePdfReport(path, pdfReportContent(state));
    if (!reason.isEmpty()) {
        const QString text =
            QStringLiteral("The PDF report could not be written to %1: %2").arg(path, reason);
        services.showWarning(owner, Warning{text.toStdString(), "Export", WarningIcon::Error});
        return;
    }
    // The next export, of a plot or the report, starts in the folder of this one.
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    if (auto* window = qobject_cast<PlotWindow*>(state.plotWindow.data())) {
        window->setFolder(folder); // kept with the window's choices when it closes
    } else {
        // A convenience: the report is written whether or not this is kept.
        writeProfileString(state.settingsPath.toStdString(), PlotSection, "Folder", folder);
    }
}

} // namespace tarsel
