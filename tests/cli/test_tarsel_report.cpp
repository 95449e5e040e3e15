// tarsel-report end to end: options, exit statuses, JSON shape and values,
// rejected values, output files.

#include "run_tool.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

std::string sixDigits(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", v);
    return buffer;
}

json runJson(const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--defaults", "--json"};
    args.insert(args.end(), extra.begin(), extra.end());
    const ToolRun run = runTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out);
}

const std::string OutOfRangePt =
    "tarsel-report: Pt: Number 500 out of range:[                -300,                 120]\n";

} // namespace

TEST(TarselReportJson, DefaultsGiveTheReferenceFigures) {
    const json j = runJson({});
    const json& r = j["results"];
    struct Row {
        json value;
        const char* expected;
    };
    const Row rows[] = {
        {r["knifeEdgeV"], "1.61712"},                // defaults: v
        {r["knifeEdgeDb"], "-0.00560548"},           // defaults: knife edge
        {r["noDiffraction"]["marginDb"], "17.7463"}, // no diffraction margin
        {r["noDiffraction"]["maxRange"], "771.467"}, // no diffraction max range
        {r["smoothHill"]["marginDb"], "17.7407"},    // smooth hill margin
        {r["roughHill"]["maxRange"], "770.969"},     // rough hill max range
        {r["v3ipOneMicrovolt"], "74.66"},            // intermodulation
        {r["sfdrNoiseFloorDb"], "139.758"},          // SFDR, noise floor + 3 dB
        {r["minRxPowerW"], "6.34274e-13"},           // minimum receivable signal
        {j["params"]["fcent"], "2.45e+09"},          // default frequency
        {j["params"]["X12s"], "50"},                 // half the default range
    };
    for (const Row& row : rows) {
        EXPECT_EQ(sixDigits(row.value.get<double>()), row.expected);
    }
}

TEST(TarselReportJson, ShapeHoldsEveryKeyAndResultWithItsUnit) {
    const json j = runJson({});
    ASSERT_EQ(j.size(), 4u);
    EXPECT_EQ(j["format"], 1);
    EXPECT_EQ(j["params"].size(), 22u);
    EXPECT_EQ(j["params"]["XColWid"], 13);
    EXPECT_EQ(j["params"]["bDiffract"], 0);
    // Every number has a unit text at the same place, and nothing else does.
    const json values = j["params"].flatten();
    const json results = j["results"].flatten();
    const json paramUnits = j["units"]["params"].flatten();
    const json resultUnits = j["units"]["results"].flatten();
    EXPECT_EQ(results.size(), 13u + 5u + 3u * 5u + 11u);
    for (const auto& [flat, units] : {std::pair{&values, &paramUnits}, {&results, &resultUnits}}) {
        EXPECT_EQ(flat->size(), units->size());
        for (const auto& [pointer, value] : flat->items()) {
            EXPECT_TRUE(units->contains(pointer)) << pointer;
        }
    }
    struct Row {
        const char* pointer;
        const char* unit;
    };
    const Row units[] = {
        {"/results/diffractionAngle", "rad"}, // the report prints degrees
        {"/results/knifeEdgeV", ""},          // a pure number
        {"/results/roughHill/marginDb", "dB"},
        {"/results/minRxPowerToNoiseDensity", "dB-Hz"},
        {"/results/v3ipMinRx", "dBuV"}, // a level, like the report's row
        {"/results/gOverT", "dB/K"},    // the report's row says [dB]
        {"/params/fcent", "Hz"},
        {"/params/XColWid", "characters"},
    };
    for (const Row& row : units) {
        EXPECT_EQ(j["units"][json::json_pointer(row.pointer)], row.unit) << row.pointer;
    }
}

TEST(TarselReportJson, DerivedFiguresAgreeWithTheReport) {
    const std::vector<std::string> sets = {"--set", "Range=2500", "--set", "Nf=3.3"};
    const json r = runJson(sets)["results"];
    std::vector<std::string> textArgs = {"--defaults"};
    textArgs.insert(textArgs.end(), sets.begin(), sets.end());
    const std::string report = runTool(textArgs).out;
    struct Row {
        const char* name;
        const char* reportLabel;
    };
    const Row rows[] = {
        {"fresnelZoneClearance", "Fresnel zone clearance        = "},
        {"totalNoiseW", "Thermal noise & Rx noise      = "},
        {"gOverT", "Rx G/T figure of merit        = "},
        {"pathLossDb", "Path loss at nom. range       = "},
        {"minRxPowerToNoiseDensity", "Rx pwr / noise density (Min)  = "},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(r.contains(row.name)) << row.name;
        const auto at = report.find(row.reportLabel);
        ASSERT_NE(at, std::string::npos) << row.reportLabel;
        const double printed =
            std::strtod(report.c_str() + at + std::strlen(row.reportLabel), nullptr);
        EXPECT_EQ(std::stod(sixDigits(r[row.name].get<double>())), printed) << row.name;
    }
}

TEST(TarselReportJson, NonFiniteNumbersAreStrings) {
    const json j = runJson({"--set", "Bw=0"});
    EXPECT_EQ(j["results"]["noDiffraction"]["marginDb"], "inf");
    EXPECT_EQ(j["results"]["sfdrMinRxDb"], "inf");
    const json law = runJson({"--set", "PropLaw=0"});
    EXPECT_EQ(law["results"]["noDiffraction"]["maxRange"].get<double>(), 1.7976931348623157e308);
}

TEST(TarselReportSet, AssignmentsApplyInOrderWithCoupling) {
    struct Row {
        std::vector<std::string> sets;
        const char* key;
        double expected;
    };
    const Row rows[] = {
        {{"pT=-5"}, "Pt", -5},                          // key case ignored
        {{"X23s=150", "Range=300"}, "X12s", 75},        // distances rescaled
        {{"X23s=150", "Range=300"}, "X23s", 225},       // distances rescaled
        {{"X23s=70"}, "Range", 120},                    // range is the sum
        {{"X12s=0", "X23s=0", "Range=40"}, "X12s", 20}, // zero sum splits equally
        {{"Range=300", "Range=50"}, "X12s", 25},        // later assignment wins
        {{"fcent=1d9"}, "fcent", 1e9},                  // d exponent
        {{"Temp=-273.15"}, "Temp", -273.15},            // lower bound inclusive
        {{"fcent=123456789012345678901234"}, "fcent", 1.2345678901234568e23}, // read in full
    };
    for (const Row& row : rows) {
        std::vector<std::string> args;
        for (const std::string& s : row.sets) {
            args.push_back("--set");
            args.push_back(s);
        }
        const json j = runJson(args);
        EXPECT_DOUBLE_EQ(j["params"][row.key].get<double>(), row.expected) << row.sets.back();
    }
    EXPECT_EQ(runJson({"--set", "nHillType=7"})["params"]["nHillType"], 7);
    EXPECT_EQ(runJson({"--set", "xcolwid=20"})["params"]["XColWid"], 20);
}

TEST(TarselReportSet, RejectedAndUnknownInputExitWithStatusTwo) {
    struct Row {
        std::vector<std::string> args;
        const char* expectedErr; // exact text, or nullptr to check only the status
    };
    const Row rows[] = {
        {{"--defaults", "--set", "Pt=500"}, OutOfRangePt.c_str()},
        {{"--defaults", "--set", "XColWid=25"},
         "tarsel-report: XColWid: Number 25 out of range:[                  10,                  "
         "20]\n"},
        {{"--defaults", "--set", "Temp=-273.16"}, nullptr},
        {{"--defaults", "--set", "X12s=1e308", "--set", "X23s=1e308"},
         "tarsel-report: X23s: Number inf out of range:[                   0,        "
         "1.79769e+308]\n"},
        {{"--defaults", "--set", "gt=abc"}, "tarsel-report: Gt: Invalid number format: abc\n"},
        {{"--defaults", "--set", "XColWid=12.5"},
         "tarsel-report: XColWid: Invalid number format: 12.5\n"},
        {{"--defaults", "--set", "bDiffract=on"},
         "tarsel-report: bDiffract: Invalid number format: on\n"},
        {{"--defaults", "--set", "Pt="}, "tarsel-report: Pt: empty value\n"},
        {{"--defaults", "--set", "nHillType=  "}, "tarsel-report: nHillType: empty value\n"},
        {{"--defaults", "--set", "Colour=3"}, nullptr},
        {{"--defaults", "--set", "Pt"}, nullptr},
        {{"--defaults", "--bogus"}, nullptr},
        {{"--defaults", "--settings", "x.ini"}, nullptr},
    };
    for (const Row& row : rows) {
        const ToolRun run = runTool(row.args);
        EXPECT_EQ(run.status, 2) << row.args.back();
        EXPECT_TRUE(run.out.empty()) << row.args.back();
        if (row.expectedErr != nullptr) {
            EXPECT_EQ(run.err, row.expectedErr);
        } else {
            EXPECT_FALSE(run.err.empty());
        }
    }
}

TEST(TarselReportOptions, HelpListsKeysWithUnitsAndBoundsExitStatusesAndFiles) {
    const ToolRun help = runTool({"--help"});
    EXPECT_EQ(help.status, 0);
    // Usage forms first, one per line as help2man reads them; one line per key:
    // key, meaning, unit, bounds, default.
    const char* lines[] = {
        "Usage: tarsel-report [OPTION]... [--report | --json] [-o FILE]\n",
        "\n  or:  tarsel-report [OPTION]... --sweep KEY=FROM:TO:N [SWEEP OPTION]...\n",
        "\n  Pt         Tx power, dBW; -300 .. 120; default -10\n",
        "\n  fcent      Carrier frequency, Hz; >= 0; default 2.45e+009\n",
        "\n  XColWid    Report column spacing, characters; 10 .. 20; default 13\n",
        "\n  y02s       Obstruction height, m; any; default 0\n",
        "\n  X12s       Tx to obstruction distance, m; >= 0; default Range/2\n",
        "\n  nHillType  Hill type: 0 smooth, other rough; any integer; default 0\n",
        "\n  2  a rejected value, an unknown key or a bad option\n",
        "\nExit status:\n",
        "\nFiles:\n  $XDG_CONFIG_HOME/Tarsel.ini",
        "\n  -o, --output FILE ",
        "\nSweep options:\n  --sweep KEY=FROM:TO:N ",
    };
    for (const char* line : lines) {
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(help.out.rfind("Usage: ", 0), 0u);
    // Within 80 columns; a wrapped description goes on at its column.
    for (std::size_t start = 0; start < help.out.size();) {
        const std::size_t end = std::min(help.out.find('\n', start), help.out.size());
        EXPECT_LE(end - start, 80u) << help.out.substr(start, end - start);
        start = end + 1;
    }
    EXPECT_NE(help.out.find("\n                              user's Tarsel.ini\n"),
              std::string::npos);
    const ToolRun version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tarsel-report ", 0), 0u);
}

TEST(TarselReportOutput, WhatIsPrintedFollowsTheOptions) {
    const std::string dir = tempFolder();
    struct Row {
        std::vector<std::string> args;
        const char* startsWith; // "" for nothing printed
    };
    const Row rows[] = {
        {{"--write-settings", dir + "/w.ini"}, ""},                    // only the file
        {{"--write-settings", dir + "/w.ini", "--report"}, "Movrane"}, // asked for
        {{"--write-settings", dir + "/w.ini", "--json"}, "{"},         // asked for
        {{"--write-settings", dir + "/w.ini", "-o", "-"}, "Movrane"},  // asked for
        {{"-o", "-"}, "Movrane"},                                      // - is standard output
        {{"--json", "--output", "-"}, "{"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"--defaults"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, std::strlen(row.startsWith)), row.startsWith) << args.back();
        EXPECT_EQ(run.out.empty(), *row.startsWith == '\0') << args.back();
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/-"));
}

TEST(TarselReportOutput, FailedWritesSayWhatFailedAndCreateNoFolder) {
    const std::string dir = tempFolder();
    const ToolRun full = runTool({"--defaults"}, "", "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err.rfind("tarsel-report: standard output: ", 0), 0u) << full.err;
    for (const char* option : {"-o", "--write-settings"}) {
        const std::string target = dir + "/missing/out";
        const ToolRun run = runTool({"--defaults", option, target});
        EXPECT_EQ(run.status, 1) << option;
        EXPECT_EQ(
            run.err,
            std::string("tarsel-report: ").append(target).append(": No such file or directory\n"))
            << option;
        EXPECT_FALSE(std::filesystem::exists(dir + "/missing")) << option;
    }
}

TEST(TarselReportOutput, TextReportIsTheSavedReport) {
    const ToolRun run = runTool({"--defaults"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Movrane Version 1.1\n", 0), 0u);
    EXPECT_NE(run.out.back(), '\n');
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 120);
}

TEST(TarselReportOutput, OutputFileHoldsExactlyWhatStdoutWould) {
    const std::string dir = tempFolder();
    for (const bool asJson : {false, true}) {
        const std::string path = dir + (asJson ? "/r.json" : "/r.txt");
        std::vector<std::string> args = {"--defaults", "-o", path};
        if (asJson) {
            args.push_back("--json");
        }
        const ToolRun toFile = runTool(args);
        ASSERT_EQ(toFile.status, 0) << toFile.err;
        EXPECT_TRUE(toFile.out.empty());
        args.erase(args.begin() + 1, args.begin() + 3);
        EXPECT_EQ(readFile(path), runTool(args).out);
    }
}

TEST(TarselReportOutput, UnwritableOutputNamesTheFileAndLeavesNothing) {
    const std::string dir = tempFolder();
    writeFile(dir + "/plain", "x");
    const std::string targets[] = {dir + "/plain/report.txt", dir};
    for (const std::string& target : targets) {
        const ToolRun run = runTool({"--defaults", "--output", target});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(target), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/plain/report.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    // An existing file is left whole when the new content cannot be written.
    EXPECT_EQ(readFile(dir + "/plain"), "x");
}

TEST(TarselReportSettings, ReadsTheUsersFileOrTheOneGiven) {
    const std::string dir = tempFolder();
    writeFile(dir + "/a.ini", "[Tarsel]\nRange=2000\nPt=abc\ny02s=5\n");
    const ToolRun run = runTool({"--settings", dir + "/a.ini", "--json"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.err, std::string("tarsel-report: ")
                           .append(dir)
                           .append("/a.ini: Pt: Invalid number format: abc\n"));
    const json j = json::parse(run.out);
    EXPECT_EQ(j["params"]["Pt"].get<double>(), -10);
    EXPECT_EQ(j["params"]["X12s"].get<double>(), 1000);

    // Without options the user's own Tarsel.ini is read.
    std::filesystem::create_directories(dir + "/cfg");
    writeFile(dir + "/cfg/Tarsel.ini", "[tarsel]\nGT=7\n");
    const ToolRun user = runTool({"--json"}, "XDG_CONFIG_HOME=" + dir + "/cfg");
    ASSERT_EQ(user.status, 0) << user.err;
    EXPECT_EQ(json::parse(user.out)["params"]["Gt"].get<double>(), 7);

    // A missing file means the defaults, silently.
    const ToolRun missing = runTool({"--settings", dir + "/none.ini", "--json"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_TRUE(missing.err.empty());
}

TEST(TarselReportSettings, RangeDiffersFromTheDistanceSum) {
    const std::string dir = tempFolder();
    writeFile(dir + "/a.ini", "[Tarsel]\nRange=300\nX12s=50\nX23s=50\n");
    const json j = json::parse(runTool({"--settings", dir + "/a.ini", "--json"}).out);
    EXPECT_EQ(j["params"]["Range"].get<double>(), 300);
    // The geometry uses the sum (100 m), the budgets the range.
    EXPECT_EQ(sixDigits(j["results"]["knifeEdgeD1"].get<double>()), "50");
    const json d = runJson({"--set", "Range=300"});
    EXPECT_EQ(j["results"]["noDiffraction"]["marginDb"], d["results"]["noDiffraction"]["marginDb"]);
}

TEST(TarselReportSettings, WrittenSettingsReadBackAtSixDigits) {
    const std::string dir = tempFolder();
    const std::string path = dir + "/w.ini";
    const ToolRun write =
        runTool({"--defaults", "--set", "fcent=2451234567", "--set", "y02s=3.14159265", "--set",
                 "bDiffract=1", "--write-settings", path, "--json"});
    ASSERT_EQ(write.status, 0) << write.err;
    const json back = json::parse(runTool({"--settings", path, "--json"}).out);
    EXPECT_EQ(back["params"]["fcent"].get<double>(), 2451230000.0);
    EXPECT_EQ(back["params"]["y02s"].get<double>(), 3.14159);
    EXPECT_EQ(back["params"]["bDiffract"], 1);
    EXPECT_NE(readFile(path).find("fcent=2.45123e+009       \n"), std::string::npos);

    writeFile(dir + "/plain", "x");
    const ToolRun fails = runTool({"--defaults", "--write-settings", dir + "/plain/w.ini"});
    EXPECT_EQ(fails.status, 1);
    EXPECT_NE(fails.err.find(dir + "/plain/w.ini"), std::string::npos) << fails.err;
}
