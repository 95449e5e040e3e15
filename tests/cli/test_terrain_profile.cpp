// tarsel-report --profile end to end: the report, JSON, profile table and
// sweeps over a terrain path, and every refusal with its exit status.

#include "run_tool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using nlohmann::json;

namespace {

// A 10 km path over one ridge, in km with a header and a third column.
std::string ridgeProfile() {
    static const std::string path = [] {
        const std::string file = tempFolder() + "/ridge.csv";
        writeFile(file, "Distance (km),Height (m),Land\n0,100,a\n2,110,a\n4,165,b\n6,120,a\n"
                        "8,105,a\n10,95,a\n");
        return file;
    }();
    return path;
}

ToolRun profileRun(std::vector<std::string> extra) {
    std::vector<std::string> args = {"--defaults", "--set",        "fcent=900e6",
                                     "--profile",  ridgeProfile(), "--tx-height",
                                     "30",         "--rx-height",  "20"};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTool(args);
}

} // namespace

TEST(TarselReportProfile, WithoutAProfileTheReportIsUnchanged) {
    const ToolRun run = runTool({"--defaults"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readFile(TARSEL_TEST_DATA_DIR "/../report/defaults.txt"));
}

TEST(TarselReportProfile, JsonHoldsTheTerrainObjectWithUnitsAndTheDerivedHill) {
    const ToolRun run = profileRun({"--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json j = json::parse(run.out);
    EXPECT_EQ(j["format"], 1);
    const json& t = j["terrain"];
    const char* keys[] = {"/lengthM",
                          "/points",
                          "/effectiveEarthRadiusM",
                          "/txHeightAmslM",
                          "/rxHeightAmslM",
                          "/method",
                          "/lossDb",
                          "/methods/deltaBullington",
                          "/methods/bullington",
                          "/methods/deygout",
                          "/methods/epsteinPeterson",
                          "/deltaBullington/bullingtonDb",
                          "/deltaBullington/smoothBullingtonDb",
                          "/deltaBullington/sphericalEarthDb",
                          "/deltaBullington/txEffectiveHeightM",
                          "/deltaBullington/rxEffectiveHeightM",
                          "/worst/distanceM",
                          "/worst/clearanceM",
                          "/worst/fresnelRadiusM",
                          "/worst/fresnelFraction",
                          "/verdict",
                          "/mainObstacle/distanceM",
                          "/mainObstacle/heightAmslM",
                          "/mainObstacle/nu",
                          "/marginDb"};
    for (const char* key : keys) {
        EXPECT_TRUE(t.contains(json::json_pointer(key))) << key;
        EXPECT_TRUE(j["units"]["terrain"].contains(json::json_pointer(key))) << key;
    }
    EXPECT_EQ(t["lengthM"], 10000.0);
    EXPECT_EQ(t["points"], 6);
    EXPECT_EQ(t["txHeightAmslM"], 130.0);
    EXPECT_EQ(t["rxHeightAmslM"], 115.0);
    EXPECT_EQ(t["method"], "delta-bullington");
    EXPECT_EQ(t["verdict"], "obstructed");
    EXPECT_EQ(t["mainObstacle"]["distanceM"], 4000.0);
    EXPECT_EQ(j["units"]["terrain"]["lossDb"], "dB");
    EXPECT_EQ(j["params"]["X12s"], 4000.0);
    EXPECT_EQ(j["params"]["X23s"], 6000.0);
    EXPECT_EQ(j["params"]["Range"], 10000.0);
    EXPECT_EQ(j["params"]["y01s"], 130.0);
    EXPECT_GT(j["params"]["y02s"].get<double>(), 165.0); // plus the bulge
    EXPECT_EQ(j["params"]["y03s"], 115.0);
}

TEST(TarselReportProfile, ReportIsTheDerivedInputsReportThenTheTerrainSection) {
    const json j = json::parse(profileRun({"--json"}).out);
    std::vector<std::string> args = {"--defaults"};
    for (const auto& [key, value] : j["params"].items()) {
        args.insert(args.end(), {"--set", key + "=" + value.dump()});
    }
    const ToolRun plain = runTool(args);
    const ToolRun run = profileRun({"--report"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.substr(0, plain.out.size()), plain.out);
    const std::vector<std::string> section = lines(run.out.substr(plain.out.size()));
    ASSERT_GE(section.size(), 3U);
    EXPECT_EQ(section[2], "TERRAIN:");
    EXPECT_NE(run.out.find("\nPath length                   = 10000       [m]\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("\nPath clearance                = Obstructed\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nTerrain margin at path length = "), std::string::npos);
}

TEST(TarselReportProfile, ProfileTableHasEveryPointWithItsColumns) {
    const ToolRun run = profileRun({"--profile-table"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_EQ(rows[0], "distance [m],ground [m],bulge [m],line of sight [m],first Fresnel radius "
                       "[m],clearance [m],clearance fraction");
    EXPECT_EQ(rows[1], "0,100,0,130,0,30,nan");
    EXPECT_EQ(rows[6], "10000,95,0,115,0,20,nan");
    EXPECT_EQ(rows[3].substr(0, 9), "4000,165,");
}

TEST(TarselReportProfile, SweepsTakeTerrainInputsAndColumns) {
    struct Row {
        std::vector<std::string> args;
        std::size_t lines;
        std::string header; // or a text in the first line
    };
    const Row rows[] = {
        {{"--sweep", "KFACTOR=0.5:2:4", "--columns", "terrain.lossDb,terrain.marginDb"},
         5,
         "kFactor,terrain.lossDb [dB],terrain.marginDb [dB]"},
        {{"--sweep", "fcent=1e8:1e9:11"},
         12,
         "fcent [Hz],noDiffraction.maxRange [m],noDiffraction.marginDb [dB],smoothHill.maxRange "
         "[m],smoothHill.marginDb [dB],roughHill.maxRange [m],roughHill.marginDb [dB],"
         "terrain.lossDb [dB],terrain.marginDb [dB]"},
        {{"--sweep", "txHeight=10:40:3", "--columns", "y01s,terrain.worstFresnelFraction"},
         4,
         "txHeight [m],y01s [m],terrain.worstFresnelFraction"},
        {{"--sweep", "rxHeight=10:40:2", "--format", "jsonl"},
         2,
         "\"txHeight\":30,\"rxHeight\":10}"},
    };
    for (const Row& row : rows) {
        const ToolRun run = profileRun(row.args);
        ASSERT_EQ(run.status, 0) << row.args[1] << run.err;
        const std::vector<std::string> out = lines(run.out);
        ASSERT_EQ(out.size(), row.lines) << row.args[1];
        EXPECT_NE(out[0].find(row.header), std::string::npos) << out[0];
    }
    // A swept antenna height moves the derived antenna top.
    const std::vector<std::string> tx =
        lines(profileRun({"--sweep", "txHeight=10:40:3", "--columns", "y01s"}).out);
    EXPECT_EQ(tx[1], "10,110");
    EXPECT_EQ(tx[3], "40,140");
}

TEST(TarselReportProfile, RefusalsExitTwoAndPrintNothingOnStandardOutput) {
    const std::string dir = tempFolder();
    writeFile(dir + "/bad.csv", "d,h\n0,1\n5,x\n9,2\n");
    struct Row {
        std::vector<std::string> args;
        std::string err; // the first line of standard error
    };
    const Row rows[] = {
        {{"--profile", dir + "/bad.csv"},
         "tarsel-report: " + dir + "/bad.csv:3:3: the ground height 'x' is not a number"},
        {{"--profile", dir + "/none.csv"},
         "tarsel-report: " + dir + "/none.csv: No such file or directory"},
        {{"--profile", ridgeProfile(), "--k-factor", "0"},
         "tarsel-report: --k-factor: expected a factor from 0.01 to 1000, got '0'"},
        {{"--profile", ridgeProfile(), "--earth-radius", "-1"},
         "tarsel-report: --earth-radius: expected a radius from 63.71 to 6.371e+006 km, got '-1'"},
        {{"--profile", ridgeProfile(), "--sea-fraction", "1.5"},
         "tarsel-report: --sea-fraction: expected a fraction from 0 to 1, got '1.5'"},
        {{"--profile", ridgeProfile(), "--method", "fresnel"},
         "tarsel-report: --method: expected delta-bullington, bullington, deygout or "
         "epstein-peterson, got 'fresnel'"},
        {{"--profile", ridgeProfile(), "--polarization", "circular"},
         "tarsel-report: --polarization: expected horizontal or vertical, got 'circular'"},
        {{"--profile", ridgeProfile(), "--distance-unit", "ft"},
         "tarsel-report: --distance-unit: expected km or m, got 'ft'"},
        {{"--profile", ridgeProfile(), "--tx-height", "high"},
         "tarsel-report: --tx-height: expected a height in metres, got 'high'"},
        {{"--k-factor", "1"}, "tarsel-report: --k-factor requires --profile or --dem"},
        {{"--profile", ridgeProfile(), "--profile-table", "--json"},
         "tarsel-report: --json excludes --profile-table"},
        {{"--profile", ridgeProfile(), "--sweep", "X12s=1:2:2"},
         "tarsel-report: --sweep: 'X12s' comes from the profile; sweep txHeight or rxHeight for "
         "the antennas"},
        {{"--profile", ridgeProfile(), "--earth-radius", "8000", "--sweep", "kFactor=1:2:2"},
         "tarsel-report: --sweep: kFactor cannot be swept with --earth-radius given"},
        {{"--profile", ridgeProfile(), "--sweep", "kFactor=0:2:2"},
         "tarsel-report: --sweep: FROM: Number 0 out of range:[                0.01,"
         "                1000]"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"--defaults"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << row.err;
        EXPECT_EQ(run.out, "") << row.err;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), row.err);
    }
}

TEST(TarselReportProfile, WrittenSettingsKeepTheInputsNotTheDerivedHill) {
    const std::string ini = tempFolder() + "/link.ini";
    const ToolRun run = profileRun({"--set", "y01s=7", "--write-settings", ini});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::string text = readFile(ini);
    EXPECT_NE(text.find("y01s=7 "), std::string::npos) << text;    // not the antenna top
    EXPECT_NE(text.find("Range=100 "), std::string::npos) << text; // not the path length
}

TEST(TarselReportProfile, EveryPathOptionReachesTheMethods) {
    // SG3's 96 km path at 98.2 MHz: each option moves the figure it feeds.
    const std::string path = TARSEL_TEST_DATA_DIR "/../terrain/data/rburg_96km.csv";
    const auto terrain = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"--defaults", "--set",       "fcent=98.2e6", "--profile",
                                         path,         "--tx-height", "10",           "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return json::parse(run.out)["terrain"];
    };
    const json base = terrain({});
    struct Row {
        std::vector<std::string> option;
        const char* moves;
    };
    const Row rows[] = {
        {{"--polarization", "vertical"}, "/deltaBullington/sphericalEarthDb"},
        {{"--sea-fraction", "1"}, "/deltaBullington/sphericalEarthDb"},
        {{"--k-factor", "1"}, "/effectiveEarthRadiusM"},
        {{"--earth-radius", "7000"}, "/lossDb"},
        {{"--rx-height", "30"}, "/rxHeightAmslM"},
        {{"--method", "deygout"}, "/lossDb"},
    };
    for (const Row& row : rows) {
        const json::json_pointer moves(row.moves);
        EXPECT_NE(terrain(row.option)[moves], base[moves]) << row.option[0];
    }
    EXPECT_EQ(terrain({"--method", "deygout"})["lossDb"], base["methods"]["deygout"]);
}
