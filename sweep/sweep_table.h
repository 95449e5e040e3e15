#pragma once
// The table a sweep writes: its columns (inputs and results by the names of
// the JSON output) and one CSV or JSON-lines row per point.

#include "engine/param_table.h"
#include "engine/result_fields.h"
#include "sweep/sweep.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

enum class SweepFormat { Csv, JsonLines };

struct SweepColumn {
    std::string_view name;               // settings key or result name
    std::string_view unit;               // empty for a pure number
    const SettingsKey* key = nullptr;    // an input, or
    const ResultField* result = nullptr; // a result, or
    int extra = -1;                      // SweepPoint::extra[extra], which is
    bool extraInput = false;             // an input (JSON "params") or a result
    bool byDefault = false;              // an extra among the default columns
};

// The columns for a sweep of sweptKey. list is the --columns text: empty for
// the defaults (the swept key, the status pane's figures of all three cases
// and the extras marked byDefault; for JSON lines every input and result),
// "all" for the swept key and every result, else comma-separated names, the
// swept key put first when it is missing. extras are columns beside the
// tables' (an input among them is matched in any letter case). Returns the
// message naming a wrong column, or "".
std::string chooseSweepColumns(std::string_view list, SweepFormat format, std::string_view sweptKey,
                               std::vector<SweepColumn>& columns,
                               std::span<const SweepColumn> extras = {});

class SweepTable {
public:
    SweepTable(SweepFormat format, std::vector<SweepColumn> columns);

    // Appends the header line (CSV only: "Range [m],...").
    void appendHeader(std::string& out) const;
    // Appends the line of one point: numbers in shortest round-trip form,
    // non-finite ones as inf, -inf, nan (quoted in JSON).
    void appendRow(const SweepPoint& point, std::string& out) const;

private:
    SweepFormat format_;
    std::vector<SweepColumn> inputs_;  // JSON: settings key order
    std::vector<SweepColumn> results_; // JSON: result table order
    std::vector<SweepColumn> columns_; // CSV: as chosen
};

} // namespace tarsel
