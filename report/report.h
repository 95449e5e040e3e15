#pragma once
// The results report: every input and result, 121 rows, the same items on
// the screen and in a saved file.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "report/report_writer.h"
#include "tarsel/version.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace tarsel {

// The version in the report's first row and the About box.
inline constexpr const char* ReportVersion = Version;

// Produces the whole report through writeReportItem, then publishes
// state.reportLastRow and calls state.applyScrollRanges (if set). Returns 0.
// appendix: lines after the report (a terrain's section), the first one
// continuing its last row, each further one on the next row from column 0;
// without it the report is exactly the 121 rows.
int generateReport(ReportState& state, const LinkParams& params, const LinkResults& results,
                   DrawSurface* surface, std::ostream* stream, int mode,
                   std::string_view appendix = {});

// The saved-report text (file mode) as a string: the report, then appendix as
// it stands.
std::string reportText(const LinkParams& params, const LinkResults& results,
                       std::string_view appendix = {});

} // namespace tarsel
