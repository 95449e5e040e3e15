#include "cli/json_output.h"

#include "engine/param_table.h"
#include "engine/result_fields.h"
#include "entry/number_format.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace tarsel {

namespace {

using Json = nlohmann::ordered_json;

// "noDiffraction.marginDb" as the pointer /noDiffraction/marginDb.
Json::json_pointer pointer(std::string_view dotted) {
    Json::json_pointer path;
    std::size_t start = 0;
    for (std::size_t dot = dotted.find('.'); dot != std::string_view::npos;
         dot = dotted.find('.', start)) {
        path /= std::string(dotted.substr(start, dot - start));
        start = dot + 1;
    }
    return path / std::string(dotted.substr(start));
}

} // namespace

Json jsonNumber(double v) {
    return std::isfinite(v) ? Json(v) : Json(formatShortest(v));
}

std::string resultsJson(const LinkParams& params, const LinkResults& results) {
    return resultsJsonObject(params, results).dump(2) + "\n";
}

Json resultsJsonObject(const LinkParams& params, const LinkResults& results) {
    Json paramValues = Json::object();
    Json paramUnits = Json::object();
    for (const SettingsKey& key : settingsKeys()) {
        const std::string name(key.key);
        if (key.kind == KeyKind::Double) {
            paramValues[name] = jsonNumber(paramForField(params, key.field)->value);
        } else {
            paramValues[name] = *intSetting(params, key.key);
        }
        paramUnits[name] = keyInfo(key).unit;
    }
    Json resultValues = Json::object();
    Json resultUnits = Json::object();
    for (const ResultField& field : resultFields()) {
        resultValues[pointer(field.name)] = jsonNumber(field.value(params, results));
        resultUnits[pointer(field.name)] = field.unit;
    }
    Json j;
    j["format"] = JsonFormat;
    j["params"] = std::move(paramValues);
    j["results"] = std::move(resultValues);
    j["units"] = {{"params", std::move(paramUnits)}, {"results", std::move(resultUnits)}};
    return j;
}

} // namespace tarsel
