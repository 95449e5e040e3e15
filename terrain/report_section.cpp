// The report's Terrain section.

#include "terrain/report_section.h"

#include "entry/number_format.h"

#include <algorithm>

namespace tarsel::terrain {

namespace {

constexpr std::size_t LabelWidth = 30; // as the report's own rows

// "Label                         = value       [unit]" with the report's
// column spacing; a value as wide as its column keeps one blank after it.
class Section {
public:
    explicit Section(int columnWidth) : width_(std::max(columnWidth - 1, 1)) {}

    void row(std::string label, double value, std::string_view unit = {}) {
        text(std::move(label), formatPlain(value), unit);
    }

    void text(std::string label, std::string value, std::string_view unit = {}) {
        label.resize(std::max(label.size(), LabelWidth), ' ');
        out_ += '\n';
        out_ += label;
        out_ += "= ";
        if (!unit.empty()) {
            value.resize(std::max(value.size() + 1, static_cast<std::size_t>(width_)), ' ');
            value += '[';
            value.append(unit);
            value += ']';
        }
        out_ += value;
    }

    void blank() { out_ += "\n"; }
    void heading(std::string_view title) {
        out_ += "\n\n";
        out_.append(title);
        out_ += '\n';
    }

    std::string take() { return std::move(out_); }

private:
    int width_;
    std::string out_;
};

std::string capitalised(std::string_view word) {
    std::string out(word);
    if (!out.empty()) {
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    }
    return out;
}

} // namespace

std::string terrainReportSection(const Profile& profile, const PathAnalysis& path) {
    Section s(path.params.XColWid.value);
    s.heading("TERRAIN:");
    s.row("Profile points", static_cast<double>(profile.size()));
    s.row("Path length", profile.lengthM(), "m");
    s.row("Effective earth radius", path.inputs.effectiveEarthRadiusM, "m");
    s.row("Tx antenna top above sea", path.inputs.txHeightAmslM, "m");
    s.row("Rx antenna top above sea", path.inputs.rxHeightAmslM, "m");
    s.blank();
    s.row("Main obstacle distance", path.obstacle.distanceM, "m");
    s.row("Main obstacle above sea", path.obstacle.heightAmslM, "m");
    s.row("Main obstacle parameter nu", path.obstacle.nu);
    s.blank();
    const MethodLosses& l = path.losses;
    s.row("Delta-Bullington loss", l.of(Method::DeltaBullington), "dB");
    s.row("Bullington loss", l.of(Method::Bullington), "dB");
    s.row("Deygout loss (3 edges)", l.of(Method::Deygout), "dB");
    s.row("Epstein-Peterson loss", l.of(Method::EpsteinPeterson), "dB");
    s.text("Terrain loss method", std::string(methodName(path.method)));
    s.blank();
    s.row("Worst point distance", path.clearance.worst.distanceM, "m");
    s.row("Worst point clearance", path.clearance.worst.clearanceM, "m");
    s.row("Worst point Fresnel radius", path.clearance.worst.fresnelRadiusM, "m");
    s.row("Worst point Fresnel fraction", path.clearance.worst.fresnelFraction);
    s.text("Path clearance", capitalised(verdictName(path.clearance.verdict)));
    s.blank();
    s.row("Terrain margin at path length", path.terrain.marginDb, "dB");
    s.row("Terrain maximum range", path.terrain.maxRange, "m");
    return s.take();
}

} // namespace tarsel::terrain
