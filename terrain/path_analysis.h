#pragma once
// One terrain path worked through: the effective earth, the antenna tops,
// every method's loss, the clearance, the main obstacle as the link's hill
// and the link over the path with the chosen method's loss.

#include "engine/link_params.h"
#include "engine/link_results.h"
#include "terrain/clearance.h"
#include "terrain/diffraction_methods.h"
#include "terrain/main_obstacle.h"
#include "terrain/profile.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarsel::terrain {

inline constexpr double DefaultKFactor = 4.0 / 3.0;
// Effective-earth factor bounds, for --k-factor and a sweep of kFactor.
inline constexpr double MinKFactor = 0.01;
inline constexpr double MaxKFactor = 1000.0;

// ae = k x 6371 km [m].
double effectiveEarthRadiusM(double kFactor);

enum class Method { DeltaBullington, Bullington, Deygout, EpsteinPeterson };

// "delta-bullington", "bullington", "deygout", "epstein-peterson".
std::string_view methodName(Method method);
// The method named name as methodName spells it, or nullopt.
std::optional<Method> methodNamed(std::string_view name);

// How the path is to be taken, besides the profile and the link's inputs.
struct PathSetup {
    std::optional<double> txHeightM; // above the ground at the ends [m]; default y01s
    std::optional<double> rxHeightM; // default y03s
    double kFactor = DefaultKFactor;
    std::optional<double> earthRadiusM; // given directly, in place of k x 6371 km [m]
    Polarization polarization = Polarization::Horizontal;
    double seaFraction = 0.0;
    Method method = Method::DeltaBullington;
};

// Each method's loss [dB].
struct MethodLosses {
    DeltaBullington deltaBullington;
    double bullingtonDb = 0.0;
    double deygoutDb = 0.0;
    double epsteinPetersonDb = 0.0;

    double of(Method method) const;
};

struct PathAnalysis {
    PathInputs inputs;
    Method method = Method::DeltaBullington;
    MethodLosses losses; // without AnalysisParts::allMethods, only the chosen one's
    double lossDb = 0.0; // the chosen method's
    PathClearance clearance;
    MainObstacle obstacle;
    LinkParams params;   // the link's inputs with the main obstacle as the hill
    LinkResults results; // recalculated from params
    PathResult terrain;  // the link over the path with lossDb as its extra loss
};

// The path inputs of setup over profile for the link's params.
PathInputs pathInputs(const Profile& profile, const PathSetup& setup, const LinkParams& params);

// What to work out beyond the chosen method's loss, the main obstacle and the
// link: a sweep leaves out what its table does not show.
struct AnalysisParts {
    bool allMethods = true; // every method's loss, not only the chosen one's
    bool clearance = true;  // the worst point and the verdict
    // The main obstacle's point when already known (mainObstacleIndex for the
    // same profile, earth and antennas), else npos.
    std::size_t obstacleIndex = static_cast<std::size_t>(-1);
};

// Works the path through; returns "" or why it cannot be (a derived input out
// of its bounds), out then being unusable.
std::string analysePath(const Profile& profile, const PathSetup& setup, const LinkParams& params,
                        PathAnalysis& out, AnalysisParts parts = {});

// Whether analysePath can work the path through: only the main obstacle and
// its hill, without any method's loss. "" or why not.
std::string checkPath(const Profile& profile, const PathSetup& setup, const LinkParams& params);

// The same path under other link inputs with the same frequency (profile,
// earth, antennas and frequency unchanged, so every loss, the clearance and
// the main obstacle stand): the hill applied to params, the link recalculated
// and the terrain case taken again, as analysePath would give them. Returns
// "" or why the hill cannot be applied, path then being unusable.
std::string relinkPath(const Profile& profile, const LinkParams& params, PathAnalysis& path);

} // namespace tarsel::terrain
