#pragma once
// The results report: every input and result, 121 rows, the same items on
// the screen and in a saved file.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "report/report_writer.h"
#include "tarsel/version.h"

#include <iosfwd>
#include <string>

namespace tarsel {

// The version in the report's first row and the About box.
inline constexpr const char* ReportVersion = Version;

// Produces the whole report through writeReportItem, then publishes
// state.reportLastRow and calls state.applyScrollRanges (if set). Returns 0.
int generateReport(ReportState& state, const LinkParams& params, const LinkResults& results,
                   DrawSurface* surface, std::ostream* stream, int mode);

// The saved-report text (file mode) as a string.
std::string reportText(const LinkParams& params, const LinkResults& results);

} // namespace tarsel
