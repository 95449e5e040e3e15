#include "engine/result_fields.h"

#include "engine/derived_results.h"

#include <algorithm>
#include <array>

namespace tarsel {

namespace {

template <double LinkResults::*Member> double field(const LinkParams&, const LinkResults& r) {
    return r.*Member;
}

template <PathResult LinkResults::*Case, double PathResult::*Member>
double pathField(const LinkParams&, const LinkResults& r) {
    return (r.*Case).*Member;
}

double gOverTField(const LinkParams& p, const LinkResults&) {
    return gOverT(p);
}

using R = LinkResults;
using P = PathResult;

constexpr std::array<ResultField, 44> Table = {{
    {"knifeEdgeD1", "Knife-edge d1", "m", field<&R::knifeEdgeD1>},
    {"knifeEdgeH", "Knife-edge h", "m", field<&R::knifeEdgeH>},
    {"knifeEdgeD2", "Knife-edge d2", "m", field<&R::knifeEdgeD2>},
    {"knifeEdgeV", "Knife-edge parameter v", "", field<&R::knifeEdgeV>},
    {"fresnelZoneClearance", "Fresnel zone clearance", "m", fresnelZoneClearance},
    {"diffractionAngle", "Diffraction angle", "rad", field<&R::diffractionAngle>},
    {"knifeEdgeDb", "Knife-edge -loss", "dB", field<&R::knifeEdgeDb>},
    {"smoothHillExcessDb", "Smooth hill -excess loss", "dB", field<&R::smoothHillExcessDb>},
    {"roughHillExcessDb", "Rough hill -excess loss", "dB", field<&R::roughHillExcessDb>},
    {"wavelength", "Wavelength", "m", field<&R::wavelength>},
    {"thermalNoiseW", "Thermal noise at Rx input", "W", field<&R::thermalNoiseW>},
    {"totalNoiseW", "Thermal noise and Rx noise", "W", totalNoiseW},
    {"gOverT", "Rx G/T figure of merit", "dB/K", gOverTField},
    {"pathLossDb", "Path loss at nominal range", "dB", pathLossAtRangeDb},
    {"minRxPowerW", "Min. Rx power", "W", field<&R::minRxPowerW>},
    {"minRxPowerDensity", "Min. Rx power density", "W/m^2", field<&R::minRxPowerDensity>},
    {"minRxField", "Min. Rx field strength", "V/m", field<&R::minRxField>},
    {"minRxPowerToNoiseDensity", "Min. Rx power / noise density", "dB-Hz",
     minRxPowerToNoiseDensity},
    {"noDiffraction.rxPowerW", "Rx power, no diffraction", "W",
     pathField<&R::noDiffraction, &P::rxPowerW>},
    {"noDiffraction.rxPowerDensity", "Rx power density, no diffraction", "W/m^2",
     pathField<&R::noDiffraction, &P::rxPowerDensity>},
    {"noDiffraction.rxField", "Rx field strength, no diffraction", "V/m",
     pathField<&R::noDiffraction, &P::rxField>},
    {"noDiffraction.marginDb", "Margin at nominal range, no diffraction", "dB",
     pathField<&R::noDiffraction, &P::marginDb>},
    {"noDiffraction.maxRange", "Max. range, no diffraction", "m",
     pathField<&R::noDiffraction, &P::maxRange>},
    {"smoothHill.rxPowerW", "Rx power, smooth hill", "W", pathField<&R::smoothHill, &P::rxPowerW>},
    {"smoothHill.rxPowerDensity", "Rx power density, smooth hill", "W/m^2",
     pathField<&R::smoothHill, &P::rxPowerDensity>},
    {"smoothHill.rxField", "Rx field strength, smooth hill", "V/m",
     pathField<&R::smoothHill, &P::rxField>},
    {"smoothHill.marginDb", "Margin at nominal range, smooth hill", "dB",
     pathField<&R::smoothHill, &P::marginDb>},
    {"smoothHill.maxRange", "Max. range, smooth hill", "m",
     pathField<&R::smoothHill, &P::maxRange>},
    {"roughHill.rxPowerW", "Rx power, rough hill", "W", pathField<&R::roughHill, &P::rxPowerW>},
    {"roughHill.rxPowerDensity", "Rx power density, rough hill", "W/m^2",
     pathField<&R::roughHill, &P::rxPowerDensity>},
    {"roughHill.rxField", "Rx field strength, rough hill", "V/m",
     pathField<&R::roughHill, &P::rxField>},
    {"roughHill.marginDb", "Margin at nominal range, rough hill", "dB",
     pathField<&R::roughHill, &P::marginDb>},
    {"roughHill.maxRange", "Max. range, rough hill", "m", pathField<&R::roughHill, &P::maxRange>},
    {"v2ipOneMicrovolt", "V2ip for 1 uV intermodulation", "dBuV", field<&R::v2ipOneMicrovolt>},
    {"v3ipOneMicrovolt", "V3ip for 1 uV intermodulation", "dBuV", field<&R::v3ipOneMicrovolt>},
    {"v4ipOneMicrovolt", "V4ip for 1 uV intermodulation", "dBuV", field<&R::v4ipOneMicrovolt>},
    {"v2ipMinRx", "V2ip for intermodulation at min. Rx power", "dBuV", field<&R::v2ipMinRx>},
    {"v3ipMinRx", "V3ip for intermodulation at min. Rx power", "dBuV", field<&R::v3ipMinRx>},
    {"v4ipMinRx", "V4ip for intermodulation at min. Rx power", "dBuV", field<&R::v4ipMinRx>},
    {"vb2", "Blocking level, 2nd order", "dBuV", field<&R::vb2>},
    {"vb3", "Blocking level, 3rd order", "dBuV", field<&R::vb3>},
    {"vb4", "Blocking level, 4th order", "dBuV", field<&R::vb4>},
    {"sfdrMinRxDb", "SFDR, MDS = min. Rx power", "dB", field<&R::sfdrMinRxDb>},
    {"sfdrNoiseFloorDb", "SFDR, MDS = noise floor + 3 dB", "dB", field<&R::sfdrNoiseFloorDb>},
}};

} // namespace

std::span<const ResultField> resultFields() {
    return Table;
}

const ResultField* findResultField(std::string_view name) {
    const auto it = std::find_if(Table.begin(), Table.end(),
                                 [name](const ResultField& f) { return f.name == name; });
    return it == Table.end() ? nullptr : &*it;
}

} // namespace tarsel
