// The three tables of the report. Header cells (11 characters, right-aligned)
// start at columns 0, W, 2W, ...; data cells (10 characters) one column
// further right, so a data cell ends under the last character of its header.

#include "engine/diffraction.h"
#include "entry/number_format.h"
#include "report/report_items.h"

#include <initializer_list>
#include <string>

namespace tarsel {

namespace {

constexpr std::string_view Blank11 = "           ";
constexpr std::string_view NotApplicable = "       N/A";

int headerColumn(int colWidth, int index) {
    return index * colWidth;
}
int dataColumn(int colWidth, int index) {
    return index * colWidth + 1;
}

void headerRow(const ReportSink& sink, int colWidth, int row,
               std::initializer_list<std::string_view> cells) {
    int index = 0;
    for (std::string_view cell : cells) {
        sink.item(headerColumn(colWidth, index++), row, cell);
    }
}

void numberCell(const ReportSink& sink, int colWidth, int row, int index, double value) {
    sink.item(dataColumn(colWidth, index), row, formatRight10(value));
}

// The three rows of the diffraction cases from firstRow on: the case's name,
// the hill height (N/A without diffraction), then the cells that values()
// places for the case's results.
template <typename Values>
void caseRows(const ReportSink& sink, int colWidth, int firstRow, const LinkParams& params,
              const LinkResults& results, Values values) {
    struct Case {
        std::string_view label;
        const PathResult& path;
        bool withHeight;
    };
    const Case cases[] = {
        {"      None", results.noDiffraction, false},
        {"    Smooth", results.smoothHill, true},
        {"     Rough", results.roughHill, true},
    };
    int row = firstRow;
    for (const Case& c : cases) {
        sink.item(dataColumn(colWidth, 0), row, c.label);
        if (c.withHeight) {
            numberCell(sink, colWidth, row, 1, params.y02s.value);
        } else {
            sink.item(dataColumn(colWidth, 1), row, NotApplicable);
        }
        values(row, c.path);
        ++row;
    }
}

} // namespace

void writeDiffractionTable(const ReportSink& sink, int colWidth, const LinkParams& params,
                           const LinkResults& results) {
    headerRow(sink, colWidth, 34,
              {"   Height s", " Knife Edge", "      Angle", " SmoothHill", " Rough Hill"});
    headerRow(sink, colWidth, 35,
              {"        [m]", " -Loss [dB]", "  [degrees]", "-Excess[dB]", "-Excess[dB]"});
    numberCell(sink, colWidth, 37, 0, params.y02s.value);
    numberCell(sink, colWidth, 37, 1, results.knifeEdgeDb);
    numberCell(sink, colWidth, 37, 2, radiansToDegrees(results.diffractionAngle));
    numberCell(sink, colWidth, 37, 3, results.smoothHillExcessDb);
    numberCell(sink, colWidth, 37, 4, results.roughHillExcessDb);
}

void writeNominalRangeTable(const ReportSink& sink, int colWidth, const LinkParams& params,
                            const LinkResults& results) {
    sink.item(0, 80, "PROPAGATION RESULTS TABLE (Signal at specified nominal range):");
    headerRow(sink, colWidth, 82,
              {"  Diffracn.", "   Height s", "      Power", "      Field", "  Margin at"});
    headerRow(sink, colWidth, 83,
              {"       type", "        [m]", "    Density", "   Strength", " Spec. Rnge"});
    headerRow(sink, colWidth, 84, {Blank11, Blank11, "    [W/m^2]", "      [V/m]", "       [dB]"});
    caseRows(sink, colWidth, 86, params, results, [&](int row, const PathResult& path) {
        numberCell(sink, colWidth, row, 2, path.rxPowerDensity);
        numberCell(sink, colWidth, row, 3, path.rxField);
        numberCell(sink, colWidth, row, 4, path.marginDb);
    });
}

void writeMaxRangeTable(const ReportSink& sink, int colWidth, const LinkParams& params,
                        const LinkResults& results) {
    sink.item(0, 90, "PROPAGATION RESULTS TABLE (Maximum range for minimum receivable signal):");
    headerRow(sink, colWidth, 92, {"  Diffracn.", "   Height s", " Max. range"});
    headerRow(sink, colWidth, 93, {"       type", "        [m]", "        [m]"});
    headerRow(sink, colWidth, 94, {Blank11, Blank11, Blank11});
    caseRows(sink, colWidth, 96, params, results, [&](int row, const PathResult& path) {
        numberCell(sink, colWidth, row, 2, path.maxRange);
    });
}

} // namespace tarsel
