#pragma once
// The PDF report: the 121-row report in a fixed-pitch face on the first
// pages, then the Range, Obstruction height and Path profile plots one to a
// page; every page's footer holds the parameters and the date.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "ui/plots/plot_settings.h"

#include <QRectF>
#include <QString>
#include <vector>

class QWidget;

namespace tarsel {

struct AppState;

// Report rows on one page; the report's 121 rows take two pages.
inline constexpr int PdfReportRowsPerPage = 64;

// Pages the PDF has for a report of `rows` rows: the report, then three plots.
int pdfPageCount(int rows);

// Where a plot went on its page: the plot's rectangle and the page's, in the
// page's units, and the entries its legend showed.
struct PdfPlotPage {
    QRectF plot;
    QRectF page;
    int legendEntries = 0;
};

// Writes the PDF to path, replacing it whole. "" on success, else the reason.
// plots, when given, receives each plot page's layout.
QString writePdfReport(const QString& path, const LinkParams& params, const LinkResults& results,
                       const PlotSettings& settings, std::vector<PdfPlotPage>* plots = nullptr);

// The menu command: asks for a file name, writes the PDF and reports a
// failure naming the path.
void exportPdfReport(AppState& state, QWidget* owner);

} // namespace tarsel
