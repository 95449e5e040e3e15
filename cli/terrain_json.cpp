// The "terrain" object of tarsel-report --json.

#include "cli/json_output.h"
#include "cli/terrain_output.h"

namespace tarsel::cli {

namespace {

using Json = nlohmann::ordered_json;

// Values and units side by side: each member set in both at once.
struct Pair {
    Json values = Json::object();
    Json units = Json::object();

    void set(const char* name, double value, const char* unit) {
        values[name] = jsonNumber(value);
        units[name] = unit;
    }
    void set(const char* name, std::string_view text) {
        values[name] = std::string(text);
        units[name] = "";
    }
    void set(const char* name, Pair inner) {
        values[name] = std::move(inner.values);
        units[name] = std::move(inner.units);
    }
};

} // namespace

std::string terrainJson(const terrain::Profile& profile, const terrain::PathAnalysis& path,
                        const DemPath* dem) {
    using terrain::Method;
    const terrain::MethodLosses& l = path.losses;
    Pair t;
    t.set("lengthM", profile.lengthM(), "m");
    t.values["points"] = profile.size();
    t.units["points"] = "";
    t.set("effectiveEarthRadiusM", path.inputs.effectiveEarthRadiusM, "m");
    t.set("txHeightAmslM", path.inputs.txHeightAmslM, "m");
    t.set("rxHeightAmslM", path.inputs.rxHeightAmslM, "m");
    t.set("polarization",
          path.inputs.polarization == terrain::Polarization::Vertical ? "vertical" : "horizontal");
    t.set("seaFraction", path.inputs.seaFraction, "");
    t.set("method", terrain::methodName(path.method));
    t.set("lossDb", path.lossDb, "dB");
    Pair methods;
    methods.set("deltaBullington", l.of(Method::DeltaBullington), "dB");
    methods.set("bullington", l.of(Method::Bullington), "dB");
    methods.set("deygout", l.of(Method::Deygout), "dB");
    methods.set("epsteinPeterson", l.of(Method::EpsteinPeterson), "dB");
    t.set("methods", std::move(methods));
    Pair delta;
    delta.set("bullingtonDb", l.deltaBullington.bullingtonDb, "dB");
    delta.set("smoothBullingtonDb", l.deltaBullington.smoothBullingtonDb, "dB");
    delta.set("sphericalEarthDb", l.deltaBullington.sphericalEarthDb, "dB");
    delta.set("txEffectiveHeightM", l.deltaBullington.txEffectiveHeightM, "m");
    delta.set("rxEffectiveHeightM", l.deltaBullington.rxEffectiveHeightM, "m");
    t.set("deltaBullington", std::move(delta));
    Pair worst;
    worst.set("distanceM", path.clearance.worst.distanceM, "m");
    worst.set("clearanceM", path.clearance.worst.clearanceM, "m");
    worst.set("fresnelRadiusM", path.clearance.worst.fresnelRadiusM, "m");
    worst.set("fresnelFraction", path.clearance.worst.fresnelFraction, "");
    t.set("worst", std::move(worst));
    t.set("verdict", terrain::verdictName(path.clearance.verdict));
    Pair obstacle;
    obstacle.set("distanceM", path.obstacle.distanceM, "m");
    obstacle.set("heightAmslM", path.obstacle.heightAmslM, "m");
    obstacle.set("nu", path.obstacle.nu, "");
    t.set("mainObstacle", std::move(obstacle));
    t.set("marginDb", path.terrain.marginDb, "dB");
    t.set("maxRange", path.terrain.maxRange, "m");
    if (dem != nullptr) {
        const auto site = [](const dem::GeoPoint& p) {
            Pair s;
            s.set("latDeg", p.latDeg, "deg");
            s.set("lonDeg", p.lonDeg, "deg");
            return s;
        };
        Pair d;
        d.set("from", site(dem->from));
        d.set("to", site(dem->to));
        d.set("bearingDeg", dem->bearingDeg, "deg");
        d.set("spacingM", dem->spacingM, "m");
        d.values["filledVoids"] = dem->filledVoids;
        d.units["filledVoids"] = "";
        t.set("dem", std::move(d));
    }

    Json j = resultsJsonObject(path.params, path.results);
    Json units = std::move(j["units"]);
    j.erase("units");
    j["terrain"] = std::move(t.values);
    units["terrain"] = std::move(t.units);
    j["units"] = std::move(units);
    return j.dump(2) + "\n";
}

} // namespace tarsel::cli
