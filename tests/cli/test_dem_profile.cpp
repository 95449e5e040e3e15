// tarsel-report --dem end to end: a profile sampled from an SRTM tile the test
// writes gives the same results as its --profile-table read back through
// --profile, and every fault names the option, the file or the point.

#include "run_tool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <filesystem>

using nlohmann::json;

namespace {

constexpr int TileSize = 1201; // 3" posts on whole degrees

// N47E008.hgt: a ridge along latitude 47.5 between two valleys, big-endian,
// with a void at latitude 47.45, longitude 8.6 when asked.
std::string writeTile(const std::string& folder, bool withVoid) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(TileSize) * TileSize * 2);
    for (int r = 0; r < TileSize; ++r) {
        for (int c = 0; c < TileSize; ++c) {
            const double lat = 48.0 - r / 1200.0;
            auto h = static_cast<std::int16_t>(400.0 +
                                               600.0 * std::exp(-std::pow((lat - 47.5) / 0.03, 2)));
            if (withVoid && r == 660 && c == 720) {
                h = -32768;
            }
            bytes += static_cast<char>(static_cast<std::uint16_t>(h) >> 8);
            bytes += static_cast<char>(h & 0xff);
        }
    }
    const std::string path = folder + "/N47E008.hgt";
    writeFile(path, bytes);
    return path;
}

const std::string& tile() {
    static const std::string path = writeTile(tempFolder(), false);
    return path;
}

std::vector<std::string> demArgs(const std::string& raster, std::vector<std::string> extra,
                                 const std::string& from = "47.40,8.60",
                                 const std::string& to = "47.60,8.60") {
    std::vector<std::string> args = {
        "--defaults", "--set", "fcent=900e6", "--dem", raster,        "--from", from,
        "--to",       to,      "--tx-height", "30",    "--rx-height", "20"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace

TEST(TarselReportDem, TheProfileTableReadBackGivesTheSameResults) {
    const std::string table = tempFolder() + "/path.csv";
    const ToolRun written =
        runTool(demArgs(tile(), {"--spacing", "50", "--profile-table", "-o", table}));
    ASSERT_EQ(written.status, 0) << written.err;
    for (const char* output : {"--json", "--report"}) {
        const ToolRun fromDem = runTool(demArgs(tile(), {"--spacing", "50", output}));
        const ToolRun fromTable = runTool({"--defaults", "--set", "fcent=900e6", "--profile", table,
                                           "--tx-height", "30", "--rx-height", "20", output});
        ASSERT_EQ(fromDem.status, 0) << fromDem.err;
        EXPECT_NE(fromDem.out.find("bstructed"), std::string::npos) << "over the ridge";
        if (output == std::string("--report")) {
            EXPECT_EQ(fromDem.out, fromTable.out);
            continue;
        }
        // JSON alone says how the profile was sampled.
        json dem = json::parse(fromDem.out);
        const json sampled = dem["terrain"]["dem"];
        EXPECT_EQ(sampled["from"]["latDeg"], 47.4);
        EXPECT_EQ(sampled["to"]["lonDeg"], 8.6);
        EXPECT_NEAR(sampled["bearingDeg"].get<double>(), 0.0, 1e-9) << "due north";
        EXPECT_EQ(sampled["spacingM"], 50.0);
        EXPECT_EQ(sampled["filledVoids"], 0);
        EXPECT_EQ(dem["units"]["terrain"]["dem"]["bearingDeg"], "deg");
        dem["terrain"].erase("dem");
        dem["units"]["terrain"].erase("dem");
        EXPECT_EQ(dem, json::parse(fromTable.out));
    }
}

TEST(TarselReportDem, FaultsNameTheOptionTheFileOrThePoint) {
    const std::string folder = tempFolder();
    const std::string holed = writeTile(folder, true);
    const std::string prefix = "tarsel-report: --dem: ";
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err; // standard error's first line
    };
    const Row rows[] = {
        {demArgs(holed, {"--spacing", "100"}), 2,
         prefix + "at 5484.2 m along the path (47.449328,8.600000): a void (no-data post) in " +
             holed + " (--fill-voids fills voids from their neighbours)"},
        {demArgs(holed, {"--spacing", "100", "--fill-voids", "--json"}), 0,
         prefix + "filled 1 void post from their neighbours"},
        {demArgs(tile(), {}, "47.4,8.6", "48.2,8.6"), 2,
         prefix + "at 66711.9 m along the path (48.000011,8.600000): no elevation data"},
        {demArgs(folder + "/none", {}), 2, prefix + folder + "/none: no such file or folder"},
        {demArgs(tile(), {}, "47.4;8.6"), 2,
         "tarsel-report: --from: expected LAT,LON in degrees (latitude -90 to 90, longitude -180 "
         "to 180), got '47.4;8.6'"},
        {demArgs(tile(), {"--spacing", "0"}), 2,
         "tarsel-report: --spacing: expected a spacing in metres above 0, got '0'"},
        {{"--dem", tile(), "--from", "47.4,8.6"}, 2, "tarsel-report: --dem requires --to"},
        {{"--fill-voids"}, 2, "tarsel-report: --fill-voids requires --dem"},
        {{"--tx-height", "10"}, 2, "tarsel-report: --tx-height requires --profile or --dem"},
        {demArgs(tile(), {"--profile", tile()}), 2, "tarsel-report: --profile excludes --dem"},
    };
    for (const Row& row : rows) {
        const ToolRun run = runTool(row.args);
        const std::string first = run.err.substr(0, run.err.find('\n'));
        EXPECT_EQ(run.status, row.status) << row.err << '\n' << run.err;
        EXPECT_EQ(first, row.err);
        EXPECT_EQ(run.out.empty(), row.status != 0) << row.err;
    }
}

// --progress: the stages in order, each from 0 to its total, about a hundred
// lines a stage, and standard output as without it.
TEST(TarselReportDem, ProgressCountsTheFilesThenThePoints) {
    const ToolRun plain = runTool(demArgs(tile(), {"--spacing", "20", "--profile-table"}));
    const ToolRun run =
        runTool(demArgs(tile(), {"--spacing", "20", "--profile-table", "--progress"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, plain.out);
    const std::vector<std::string> err = lines(run.err);
    ASSERT_GE(err.size(), 4u);
    EXPECT_EQ(err[0], "tarsel-report: progress: opening 0/1");
    EXPECT_EQ(err[1], "tarsel-report: progress: opening 1/1");
    EXPECT_EQ(err[2], "tarsel-report: progress: sampling 0/1113");
    EXPECT_EQ(err.back(), "tarsel-report: progress: sampling 1113/1113");
    EXPECT_LE(err.size(), 2u + 103u) << "about a hundred steps";
}

// A copy of the program without its elevation-data module beside it still
// does all the rest; --dem alone says why it cannot.
TEST(TarselReportDem, WithoutItsModuleOnlyDemIsRefused) {
    const std::string bin = tempFolder() + "/bin";
    std::filesystem::create_directories(bin);
    const std::string program = bin + "/tarsel-report";
    std::filesystem::copy_file(TARSEL_REPORT_PATH, program);
    const std::string lib = std::filesystem::path(bin + "/../lib").lexically_normal().string();
    const std::string prefix = "tarsel-report: elevation data support is not available: ";
    struct Row {
        std::string module; // written beside the program when not empty
        std::string err;    // standard error's first line
    };
    const Row rows[] = {
        {"", prefix + "no tarsel-dem.so in " + bin + " or " + lib}, // lib/<libdir>/tarsel
        {"not a library", prefix + bin + "/tarsel-dem.so: file too short"},
    };
    for (const Row& row : rows) {
        if (!row.module.empty()) {
            writeFile(bin + "/tarsel-dem.so", row.module);
        }
        const ToolRun dem = runTool(demArgs(tile(), {"--json"}), "", "", program);
        EXPECT_EQ(dem.status, 2) << dem.err;
        EXPECT_EQ(dem.err.substr(0, dem.err.find('\n')).substr(0, row.err.size()), row.err);
        EXPECT_EQ(dem.out, "");
        const ToolRun plain = runTool({"--defaults", "--json"}, "", "", program);
        EXPECT_EQ(plain.status, 0) << plain.err;
        EXPECT_EQ(plain.out, runTool({"--defaults", "--json"}).out);
    }
}
