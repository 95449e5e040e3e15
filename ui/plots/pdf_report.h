#pragma once
// The PDF report: the 121-row report (and a terrain's section) in a
// fixed-pitch face on the first pages, then the Range, Obstruction height and
// Path profile plots one to a page, and with a terrain in use the profile
// over it with each method's loss; every page's footer holds the parameters
// and the date. The plots are drawn light whatever the screen's palette.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "ui/plots/plot_settings.h"
#include "ui/plots/terrain_profile.h"

#include <QRectF>
#include <QString>
#include <vector>

class QWidget;

namespace tarsel {

struct AppState;

// Report rows on one page; the report's 121 rows take two pages.
inline constexpr int PdfReportRowsPerPage = 64;

// Pages the PDF has for a report of `rows` rows: the report, then three
// plots and, with a terrain, its page.
int pdfPageCount(int rows, bool terrain = false);

// What the PDF shows.
struct PdfReportContent {
    LinkParams params;
    LinkResults results;
    PlotSettings settings;      // the plot window's choices
    TerrainPlot terrain;        // no profile: no terrain page
    QString terrainName;        // named on the terrain page
    std::string reportAppendix; // lines after the report's last row (a terrain's section)
};

// What the PDF shows of the program's state: the plot window's choices if it
// is open, else those last saved.
PdfReportContent pdfReportContent(const AppState& state);

// Where a plot went on its page, in the page's units: its plot area (inside
// the axes) and the page's printable rectangle; the title and the left
// axis's range as drawn, and the entries its legend showed.
struct PdfPlotPage {
    QRectF plot;
    QRectF page;
    QString title;
    QPointF yRange;
    int legendEntries = 0;
};

// Writes the PDF to path, replacing it whole. "" on success, else the reason.
// plots, when given, receives each plot page's layout.
QString writePdfReport(const QString& path, const PdfReportContent& content,
                       std::vector<PdfPlotPage>* plots = nullptr);

// The file name the export proposes: "tarsel-report-2026-12-07.pdf".
QString pdfReportName();

// The menu command: asks for a file name (in the folder of the plots' last
// export), writes the PDF and reports a failure naming the path.
void exportPdfReport(AppState& state, QWidget* owner);

} // namespace tarsel
