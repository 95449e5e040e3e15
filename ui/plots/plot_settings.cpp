#include "ui/plots/plot_settings.h"

#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "settings/profile_file.h"

#include <algorithm>
#include <cmath>

namespace tarsel {

namespace {

constexpr std::size_t ValueSize = 1024;

double readDouble(const ProfileFile& file, const char* key, double def) {
    const std::string text = file.getString(PlotSection, key, "", ValueSize);
    const auto value = parseDoubleText(text);
    return text.empty() || !value || !std::isfinite(*value) ? def : *value;
}

std::string exact(double value) {
    return formatG(value, 0, 17);
}

} // namespace

PlotSettings loadPlotSettings(const std::string& path) {
    const ProfileFile file = ProfileFile::read(path);
    PlotSettings s;
    s.tab = std::clamp(file.getInt(PlotSection, "Tab", s.tab), 0, 3);
    s.rangeLog = file.getInt(PlotSection, "RangeLog", s.rangeLog) != 0;
    s.rangePower = file.getInt(PlotSection, "RangePower", s.rangePower) != 0;
    const double e = readDouble(file, "Exaggeration", s.exaggeration);
    s.exaggeration = e > 0.0 ? e : s.exaggeration;
    s.sweepKey = file.getString(PlotSection, "SweepKey", s.sweepKey, ValueSize);
    s.sweepFrom = readDouble(file, "SweepFrom", s.sweepFrom);
    s.sweepTo = readDouble(file, "SweepTo", s.sweepTo);
    s.sweepPoints =
        std::clamp(file.getInt(PlotSection, "SweepPoints", s.sweepPoints), 2, MaxPlotSweepPoints);
    s.sweepLog = file.getInt(PlotSection, "SweepLog", s.sweepLog) != 0;
    s.folder = file.getString(PlotSection, "Folder", "", ValueSize);
    if (file.contains(PlotSection, "SweepResults")) {
        const std::string list = file.getString(PlotSection, "SweepResults", "", ValueSize);
        s.sweepResults.clear();
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t end = std::min(list.find(',', start), list.size());
            if (end > start) {
                s.sweepResults.push_back(list.substr(start, end - start));
            }
            start = end + 1;
        }
    }
    return s;
}

std::string savePlotSettings(const std::string& path, const PlotSettings& s) {
    std::string results;
    for (const std::string& name : s.sweepResults) {
        results += (results.empty() ? "" : ",") + name;
    }
    // Read, changed and saved under the lock; a file that could not be read
    // is never overwritten.
    return updateProfile(path, [&](ProfileFile& file) {
        file.setString(PlotSection, "Tab", std::to_string(s.tab));
        file.setString(PlotSection, "RangeLog", s.rangeLog ? "1" : "0");
        file.setString(PlotSection, "RangePower", s.rangePower ? "1" : "0");
        file.setString(PlotSection, "Exaggeration", exact(s.exaggeration));
        file.setString(PlotSection, "SweepKey", s.sweepKey);
        file.setString(PlotSection, "SweepFrom", exact(s.sweepFrom));
        file.setString(PlotSection, "SweepTo", exact(s.sweepTo));
        file.setString(PlotSection, "SweepPoints", std::to_string(s.sweepPoints));
        file.setString(PlotSection, "SweepLog", s.sweepLog ? "1" : "0");
        file.setString(PlotSection, "SweepResults", results);
        if (!s.folder.empty()) {
            file.setString(PlotSection, "Folder", s.folder);
        }
    });
}

} // namespace tarsel
