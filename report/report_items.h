#pragma once
// Shared by the parts of the report generator: where items go, and the
// tables of the report.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "report/report_writer.h"

#include <iosfwd>
#include <string_view>

namespace tarsel {

// The sink every item of one report goes to.
struct ReportSink {
    ReportState& state;
    DrawSurface* surface;
    std::ostream* stream;
    int mode;

    void item(int column, int row, std::string_view text) const {
        writeReportItem(state, surface, stream, mode, column, row, text);
    }
};

// Rows 34 to 37: height, knife-edge figure, angle and the two hill figures.
void writeDiffractionTable(const ReportSink& sink, int colWidth, const LinkParams& params,
                           const LinkResults& results);

// Rows 80 to 88: power density, field and margin at the nominal range.
void writeNominalRangeTable(const ReportSink& sink, int colWidth, const LinkParams& params,
                            const LinkResults& results);

// Rows 90 to 98: the maximum range of each diffraction case.
void writeMaxRangeTable(const ReportSink& sink, int colWidth, const LinkParams& params,
                        const LinkResults& results);

} // namespace tarsel
