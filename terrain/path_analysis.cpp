// One terrain path worked through.

#include "terrain/path_analysis.h"

#include "engine/link_budget.h"
#include "engine/recalculate.h"
#include "terrain/path_geometry.h"

#include <array>
#include <utility>

namespace tarsel::terrain {

namespace {

constexpr std::array<std::pair<Method, std::string_view>, 4> MethodNames{{
    {Method::DeltaBullington, "delta-bullington"},
    {Method::Bullington, "bullington"},
    {Method::Deygout, "deygout"},
    {Method::EpsteinPeterson, "epstein-peterson"},
}};

// The link at the path length with the terrain loss as its extra loss.
PathResult terrainCase(const LinkParams& p, double lossDb) {
    return linkBudget(p.fcent.value, p.Pt.value, p.Gt.value, p.Gr.value, p.Nf.value, p.Bw.value,
                      p.Mf.value, lossDb, p.Temp.value, p.Sn.value, p.Range.value, p.PropLaw.value,
                      p.Bl.value)
        .path;
}

// Computes method's loss into losses and returns it.
double methodLoss(const Profile& profile, const PathInputs& in, Method method,
                  MethodLosses& losses) {
    switch (method) {
    case Method::DeltaBullington:
        losses.deltaBullington = deltaBullington(profile, in);
        break;
    case Method::Bullington:
        losses.bullingtonDb = bullingtonLossDb(profile, in);
        break;
    case Method::Deygout:
        losses.deygoutDb = deygoutLossDb(profile, in);
        break;
    case Method::EpsteinPeterson:
        losses.epsteinPetersonDb = epsteinPetersonLossDb(profile, in);
        break;
    }
    return losses.of(method);
}

} // namespace

double effectiveEarthRadiusM(double kFactor) {
    return kFactor * EarthRadiusM;
}

std::string_view methodName(Method method) {
    for (const auto& [m, name] : MethodNames) {
        if (m == method) {
            return name;
        }
    }
    return {};
}

std::optional<Method> methodNamed(std::string_view name) {
    for (const auto& [m, known] : MethodNames) {
        if (known == name) {
            return m;
        }
    }
    return std::nullopt;
}

double MethodLosses::of(Method method) const {
    switch (method) {
    case Method::DeltaBullington:
        return deltaBullington.lossDb;
    case Method::Bullington:
        return bullingtonDb;
    case Method::Deygout:
        return deygoutDb;
    case Method::EpsteinPeterson:
        break;
    }
    return epsteinPetersonDb;
}

PathInputs pathInputs(const Profile& profile, const PathSetup& setup, const LinkParams& params) {
    PathInputs in;
    in.txHeightAmslM = profile.heightM.front() + setup.txHeightM.value_or(params.y01s.value);
    in.rxHeightAmslM = profile.heightM.back() + setup.rxHeightM.value_or(params.y03s.value);
    in.effectiveEarthRadiusM = setup.earthRadiusM.value_or(effectiveEarthRadiusM(setup.kFactor));
    in.frequencyHz = params.fcent.value;
    in.polarization = setup.polarization;
    in.seaFraction = setup.seaFraction;
    return in;
}

std::string analysePath(const Profile& profile, const PathSetup& setup, const LinkParams& params,
                        PathAnalysis& out, AnalysisParts parts) {
    out.inputs = pathInputs(profile, setup, params);
    out.method = setup.method;
    out.obstacle = parts.obstacleIndex < profile.size()
                       ? mainObstacleAt(profile, out.inputs, parts.obstacleIndex)
                       : mainObstacle(profile, out.inputs);
    out.params = params;
    if (std::string error = applyMainObstacle(out.params, profile, out.inputs, out.obstacle);
        !error.empty()) {
        return error;
    }
    out.results = recalculate(out.params);
    out.losses = {};
    if (parts.allMethods) {
        for (const auto& [method, name] : MethodNames) {
            methodLoss(profile, out.inputs, method, out.losses);
        }
        out.lossDb = out.losses.of(setup.method);
    } else {
        out.lossDb = methodLoss(profile, out.inputs, setup.method, out.losses);
    }
    if (parts.clearance) {
        out.clearance = pathClearance(profile, out.inputs);
    }
    out.terrain = terrainCase(out.params, out.lossDb);
    return {};
}

std::string checkPath(const Profile& profile, const PathSetup& setup, const LinkParams& params) {
    const PathInputs in = pathInputs(profile, setup, params);
    LinkParams hill = params;
    return applyMainObstacle(hill, profile, in, mainObstacle(profile, in));
}

std::string relinkPath(const Profile& profile, const LinkParams& params, PathAnalysis& path) {
    path.params = params;
    if (std::string error = applyMainObstacle(path.params, profile, path.inputs, path.obstacle);
        !error.empty()) {
        return error;
    }
    path.results = recalculate(path.params);
    path.terrain = terrainCase(path.params, path.lossDb);
    return {};
}

} // namespace tarsel::terrain
