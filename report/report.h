#pragma once
// The results report: every input and result, 121 rows, the same items on
// the screen and in a saved file.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "report/report_writer.h"

#include <iosfwd>
#include <string>

namespace tarsel {

inline constexpr const char* ReportVersion = "1.1";

// Produces the whole report through writeReportItem, then publishes
// state.reportLastRow and calls state.applyScrollRanges (if set). Returns 0.
int generateReport(ReportState& state, const LinkParams& params, const LinkResults& results,
                   DrawSurface* surface, std::ostream* stream, int mode);

// The saved-report text (file mode) as a string.
std::string reportText(const LinkParams& params, const LinkResults& results);

} // namespace tarsel
