#include "cli/json_output.h"

#include "engine/param_table.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace tarsel {

namespace {

using Json = nlohmann::ordered_json;

Json number(double v) {
    if (std::isnan(v)) {
        return "nan";
    }
    if (std::isinf(v)) {
        return v > 0 ? "inf" : "-inf";
    }
    return v;
}

Json pathJson(const PathResult& p) {
    Json j;
    j["rxPowerW"] = number(p.rxPowerW);
    j["rxPowerDensity"] = number(p.rxPowerDensity);
    j["rxField"] = number(p.rxField);
    j["marginDb"] = number(p.marginDb);
    j["maxRange"] = number(p.maxRange);
    return j;
}

Json paramsJson(const LinkParams& params) {
    Json j = Json::object();
    for (const SettingsKey& key : settingsKeys()) {
        const std::string name(key.key);
        if (key.kind == KeyKind::Double) {
            j[name] = number(paramForField(params, key.field)->value);
        } else {
            j[name] = *intSetting(params, key.key);
        }
    }
    return j;
}

Json resultsObject(const LinkResults& r) {
    Json j;
    j["knifeEdgeD1"] = number(r.knifeEdgeD1);
    j["knifeEdgeH"] = number(r.knifeEdgeH);
    j["knifeEdgeD2"] = number(r.knifeEdgeD2);
    j["knifeEdgeV"] = number(r.knifeEdgeV);
    j["diffractionAngle"] = number(r.diffractionAngle);
    j["knifeEdgeDb"] = number(r.knifeEdgeDb);
    j["smoothHillExcessDb"] = number(r.smoothHillExcessDb);
    j["roughHillExcessDb"] = number(r.roughHillExcessDb);
    j["wavelength"] = number(r.wavelength);
    j["thermalNoiseW"] = number(r.thermalNoiseW);
    j["minRxPowerW"] = number(r.minRxPowerW);
    j["minRxPowerDensity"] = number(r.minRxPowerDensity);
    j["minRxField"] = number(r.minRxField);
    j["noDiffraction"] = pathJson(r.noDiffraction);
    j["smoothHill"] = pathJson(r.smoothHill);
    j["roughHill"] = pathJson(r.roughHill);
    j["v2ipOneMicrovolt"] = number(r.v2ipOneMicrovolt);
    j["v3ipOneMicrovolt"] = number(r.v3ipOneMicrovolt);
    j["v4ipOneMicrovolt"] = number(r.v4ipOneMicrovolt);
    j["v2ipMinRx"] = number(r.v2ipMinRx);
    j["v3ipMinRx"] = number(r.v3ipMinRx);
    j["v4ipMinRx"] = number(r.v4ipMinRx);
    j["vb2"] = number(r.vb2);
    j["vb3"] = number(r.vb3);
    j["vb4"] = number(r.vb4);
    j["sfdrMinRxDb"] = number(r.sfdrMinRxDb);
    j["sfdrNoiseFloorDb"] = number(r.sfdrNoiseFloorDb);
    return j;
}

} // namespace

std::string resultsJson(const LinkParams& params, const LinkResults& results) {
    Json j;
    j["params"] = paramsJson(params);
    j["results"] = resultsObject(results);
    return j.dump(2) + "\n";
}

} // namespace tarsel
