// The results report: inputs, diffraction, link figures, the three received-
// signal cases, two comparison tables and the intermodulation figures, in
// rows 0 to 120. Screen and file get the same items in the same places.

#include "report/report.h"

#include "engine/constants.h"
#include "engine/derived_results.h"

#include "entry/number_format.h"
#include "report/report_items.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

namespace tarsel {

namespace {

// The column spacing comes from the settings file as it stands; a damaged
// value must not give a negative column, an overflow or a huge saved file.
constexpr int MinColWidth = 0;
constexpr int MaxColWidth = 1000;

double dbmFromWatts(double watts) {
    return 10.0 * std::log10(watts * 1000.0);
}

// A labelled line: "<label>= <value, %-10.6g>" followed by the unit text, if
// any. Without a unit the value's filler blanks trail and are not written.
std::string labelled(std::string_view label, double value, std::string_view unit = {}) {
    std::string text(label);
    text += formatLeft10(value);
    text += unit;
    return text;
}

// A level in dBuV with its dBm companion.
std::string levelLine(std::string_view label, double dbuv) {
    std::string text(label);
    text += formatLeft10(dbuv);
    text += "  [dBuV], ";
    text += formatLeft10(dbuv - DbuvOfOneMilliwatt);
    text += "  [dBm]";
    return text;
}

void writeInputs(const ReportSink& sink, const LinkParams& p) {
    sink.item(0, 0, std::string("Movrane Version ") + ReportVersion);
    sink.item(0, 2, "For further information, please see Help.");
    sink.item(0, 4, labelled("Design centre frequency       = ", p.fcent.value, "  [Hz]"));
    sink.item(0, 5, labelled("Transmit Power                = ", p.Pt.value, "  [dBW]"));
    sink.item(0, 6, labelled("Transmit Antenna Gain         = ", p.Gt.value, "  [dB]"));
    sink.item(0, 7, labelled("Receive Antenna Gain          = ", p.Gr.value, "  [dB]"));
    sink.item(0, 8, labelled("Receive Noise Figure          = ", p.Nf.value, "  [dB]"));
    sink.item(0, 9, labelled("Receive Bandwidth             = ", p.Bw.value, "  [Hz]"));
    sink.item(0, 10, labelled("Fading Margin                 = ", p.Mf.value, "  [dB]"));
    sink.item(0, 11, labelled("Building Loss                 = ", p.Bl.value, "  [dB]"));
    sink.item(0, 12, labelled("Temperature (Receiver)        = ", p.Temp.value, "  [K]"));
    sink.item(0, 13, labelled("Det. S/N for modulation used  = ", p.Sn.value, "  [dB]"));
    sink.item(0, 14, labelled("Input Intercept               = ", p.IpInt.value, "  [dBm]"));
    sink.item(0, 15, labelled("Specified Range               = ", p.Range.value, "  [m]"));
    sink.item(0, 16, labelled("Propagation range-power law   = ", p.PropLaw.value));
    sink.item(0, 18, labelled("Distance  X12                 = ", p.X12s.value, "  [m]"));
    sink.item(0, 19, labelled("Distance  X23                 = ", p.X23s.value, "  [m]"));
    sink.item(0, 20, labelled("Ant. 1 height above ground    = ", p.y01s.value, "  [m]"));
    sink.item(0, 21, labelled("Ant. 2 height above ground    = ", p.y03s.value, "  [m]"));
    sink.item(0, 22, labelled("Obstacle/Hill radius R        = ", p.Rhill.value, "  [m]"));
    sink.item(0, 24, labelled("Obstacle/Hill height          = ", p.y02s.value, "  [m]"));
}

void writeDiffraction(const ReportSink& sink, const LinkParams& p, const LinkResults& r) {
    const double fresnelClearance = fresnelZoneClearance(p, r);

    sink.item(0, 26, "DIFFRACTION RESULTS:");
    sink.item(0, 28, labelled("Knife-edge parameter v        = ", r.knifeEdgeV));
    sink.item(0, 29, labelled("Knife edge param. d1          = ", r.knifeEdgeD1, "  [m]"));
    sink.item(0, 30, labelled("Knife edge param. h           = ", r.knifeEdgeH, "  [m]"));
    sink.item(0, 31, labelled("Knife edge param. d2          = ", r.knifeEdgeD2, "  [m]"));
    sink.item(0, 32, labelled("Fresnel zone clearance        = ", fresnelClearance, "  [m]"));
}

void writeGeneral(const ReportSink& sink, const LinkParams& p, const LinkResults& r) {
    const double totalNoise = totalNoiseW(p, r);

    sink.item(0, 39, "PROPAGATION RESULTS (General):");
    sink.item(0, 41, labelled("Wavelength                    = ", r.wavelength, "  [m]"));
    sink.item(0, 42, labelled("Thermal noise at Rx i/p       = ", r.thermalNoiseW, "  [W]"));
    sink.item(
        0, 43,
        labelled("Thermal noise at Rx i/p       = ", dbFromRatio(r.thermalNoiseW), "  [dBW]"));
    sink.item(0, 44, labelled("Thermal noise & Rx noise      = ", totalNoise, "  [W]"));
    sink.item(0, 45,
              labelled("Thermal noise & Rx noise      = ", dbFromRatio(totalNoise), "  [dBW]"));
    sink.item(0, 46, labelled("Rx G/T figure of merit        = ", gOverT(p), "  [dB]"));
    sink.item(0, 47,
              labelled("Path loss at nom. range       = ", pathLossAtRangeDb(p, r), "  [dB]"));
}

void writeMinimumSignal(const ReportSink& sink, const LinkParams& p, const LinkResults& r) {
    const double signalToNoiseDensity = minRxPowerToNoiseDensity(p, r);

    sink.item(0, 49, "PROPAGATION RESULTS (Minimum receivable signal):");
    sink.item(0, 51, labelled("Receiver power (Min.)         = ", r.minRxPowerW, "  [W]"));
    sink.item(0, 52,
              labelled("Receiver power (Min.)         = ", dbmFromWatts(r.minRxPowerW), "  [dBm]"));
    sink.item(0, 53,
              labelled("Rx power density (Min.)       = ", r.minRxPowerDensity, "  [W/m^2]"));
    sink.item(0, 54, labelled("Rx field strength (Min.)      = ", r.minRxField, "  [V/m]"));
    sink.item(0, 55,
              labelled("Rx pwr / noise density (Min)  = ", signalToNoiseDensity, "  [dB-Hz]"));

    // The note's length depends on its values; it is built whole, never cut.
    std::string note = "NB: The following results are for a fading margin of ";
    note += formatPlain(p.Mf.value);
    note += " dB, building loss of ";
    note += formatPlain(p.Bl.value);
    note += " dB, and range law of ";
    note += formatPlain(p.PropLaw.value);
    note += ".";
    sink.item(0, 57, note);
}

void writeReceivedSignal(const ReportSink& sink, int firstRow, const std::string& heading,
                         const PathResult& path) {
    sink.item(0, firstRow, heading);
    sink.item(0, firstRow + 1,
              labelled("Receiver power                = ", path.rxPowerW, "  [W]"));
    sink.item(0, firstRow + 2,
              labelled("Receiver power                = ", dbmFromWatts(path.rxPowerW), "  [dBm]"));
    sink.item(0, firstRow + 3,
              labelled("Rx power density              = ", path.rxPowerDensity, "  [W/m^2]"));
    sink.item(0, firstRow + 4,
              labelled("Rx field strength             = ", path.rxField, "  [V/m]"));
    sink.item(0, firstRow + 5,
              labelled("Margin at spec. range         = ", path.marginDb, "  [dB]"));
}

void writeReceivedSignals(const ReportSink& sink, const LinkParams& p, const LinkResults& r) {
    const std::string height = formatPlain(p.y02s.value);
    writeReceivedSignal(
        sink, 59, "PROPAGATION RESULTS (Actual received signal; no diffraction):", r.noDiffraction);
    writeReceivedSignal(sink, 66,
                        "PROPAGATION RESULTS (Actual received signal; smooth hill diffraction "
                        "at height " +
                            height + " m):",
                        r.smoothHill);
    writeReceivedSignal(sink, 73,
                        "PROPAGATION RESULTS (Actual received signal; rough hill diffraction "
                        "at height " +
                            height + " m):",
                        r.roughHill);
}

void writeIntermodulation(const ReportSink& sink, const LinkResults& r) {
    sink.item(0, 100, "INTERMODULATION RESULTS (Actual received signal; no diffraction):");
    sink.item(0, 101, "Results in dB relative to 1 microvolt (dBuV) and dBm:");
    sink.item(0, 103, "Levels of two signals to produce 1uV intermodulation:");
    sink.item(0, 104, levelLine("V2ip                          = ", r.v2ipOneMicrovolt));
    sink.item(0, 105, levelLine("V3ip                          = ", r.v3ipOneMicrovolt));
    sink.item(0, 106, levelLine("V4ip                          = ", r.v4ipOneMicrovolt));
    sink.item(0, 108, "Levels of two signals to produce intermodulation at receiver power (Min.):");
    sink.item(0, 109, levelLine("V2ip                          = ", r.v2ipMinRx));
    sink.item(0, 110, levelLine("V3ip                          = ", r.v3ipMinRx));
    sink.item(0, 111, levelLine("V4ip                          = ", r.v4ipMinRx));
    sink.item(0, 113, "Level of blocking signal to change wanted signal by 3dB:");
    sink.item(0, 114, levelLine("Vb, 2nd order                 = ", r.vb2));
    sink.item(0, 115, levelLine("Vb, 3rd order                 = ", r.vb3));
    sink.item(0, 116, levelLine("Vb, 4th order                 = ", r.vb4));
    sink.item(0, 118,
              "Spurious Free Dynamic Range (SFDR) = 2/3 [IP3 i/p - Minimum Detectable "
              "Signal (MDS)]:");
    sink.item(0, 119, labelled("3rd order (MDS = min. Rx sig.)     = ", r.sfdrMinRxDb, "  [dB]"));
    sink.item(0, 120,
              labelled("3rd order (MDS = noise floor +3dB) = ", r.sfdrNoiseFloorDb, "  [dB]"));
}

// Lines after the last row: the first continues it, the others follow row by row.
void writeAppendix(const ReportSink& sink, std::string_view appendix) {
    if (appendix.empty()) {
        return;
    }
    int row = sink.state.cursor.row;
    int column = sink.state.cursor.column;
    for (std::size_t start = 0;;) {
        const std::size_t end = appendix.find('\n', start);
        sink.item(column, row, appendix.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
        ++row;
        column = 0;
    }
}

} // namespace

int generateReport(ReportState& state, const LinkParams& params, const LinkResults& results,
                   DrawSurface* surface, std::ostream* stream, int mode,
                   std::string_view appendix) {
    state.cursor = ReportCursor{};
    const int colWidth = std::clamp<int>(params.XColWid.value, MinColWidth, MaxColWidth);
    const ReportSink sink{state, surface, stream, mode};

    writeInputs(sink, params);
    writeDiffraction(sink, params, results);
    writeDiffractionTable(sink, colWidth, params, results);
    writeGeneral(sink, params, results);
    writeMinimumSignal(sink, params, results);
    writeReceivedSignals(sink, params, results);
    writeNominalRangeTable(sink, colWidth, params, results);
    writeMaxRangeTable(sink, colWidth, params, results);
    writeIntermodulation(sink, results);
    writeAppendix(sink, appendix);

    state.reportLastRow = state.cursor.row;
    if (state.applyScrollRanges) {
        state.applyScrollRanges();
    }
    return 0;
}

std::string reportText(const LinkParams& params, const LinkResults& results,
                       std::string_view appendix) {
    ReportState state;
    std::ostringstream out;
    generateReport(state, params, results, nullptr, &out, ReportToFile, appendix);
    return out.str();
}

} // namespace tarsel
