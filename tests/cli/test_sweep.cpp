// tarsel-report --sweep end to end: the table's shape and values, both
// formats, output files and every rejected input.

#include "run_tool.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using nlohmann::json;

namespace {

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) {
        out.push_back(cell);
    }
    return out;
}

ToolRun sweep(std::vector<std::string> extra) {
    std::vector<std::string> args = {"--defaults", "--set", "X12s=30", "--set", "X23s=70"};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTool(args);
}

json single(const std::string& set) {
    const ToolRun run =
        runTool({"--defaults", "--set", "X12s=30", "--set", "X23s=70", "--set", set, "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out);
}

} // namespace

TEST(TarselReportSweep, CsvRowsMatchSingleRunsFromFirstToLastPoint) {
    const ToolRun run = sweep({"--sweep", "Range=100:1900:1001"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 1002U);
    EXPECT_EQ(rows[0], "Range [m],noDiffraction.maxRange [m],noDiffraction.marginDb [dB],"
                       "smoothHill.maxRange [m],smoothHill.marginDb [dB],roughHill.maxRange [m],"
                       "roughHill.marginDb [dB]");
    EXPECT_EQ(rows[1].substr(0, 4), "100,");
    EXPECT_EQ(rows[1001].substr(0, 5), "1900,");
    // Every value in order, each row as a single run at that value gives it.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_NEAR(std::stod(cells(rows[i])[0]), 100 + 1.8 * double(i - 1), 1e-9) << i;
    }
    for (const std::size_t i : {1U, 501U, 1001U}) {
        const std::vector<std::string> row = cells(rows[i]);
        const json j = single("Range=" + row[0]);
        EXPECT_EQ(std::stod(row[2]), j["results"]["noDiffraction"]["marginDb"].get<double>());
        EXPECT_EQ(std::stod(row[5]), j["results"]["roughHill"]["maxRange"].get<double>());
    }
}

TEST(TarselReportSweep, ColumnsAllAndChosenAndNonFinite) {
    const ToolRun all = sweep({"--sweep", "Bw=0:1e6:2", "--columns", "all"});
    ASSERT_EQ(all.status, 0) << all.err;
    const std::vector<std::string> rows = lines(all.out);
    ASSERT_EQ(rows.size(), 3U);
    const std::vector<std::string> header = cells(rows[0]);
    EXPECT_EQ(header[0], "Bw [Hz]");
    EXPECT_EQ(header.size(), cells(rows[1]).size());
    // A zero bandwidth: no noise, an infinite margin.
    const auto margin = std::find(header.begin(), header.end(), "noDiffraction.marginDb [dB]");
    ASSERT_NE(margin, header.end());
    EXPECT_EQ(cells(rows[1])[std::size_t(margin - header.begin())], "inf");

    const ToolRun chosen =
        sweep({"--sweep", "fcent=1e6:1e9:4", "--log", "--columns", "knifeEdgeV,Pt"});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    const std::vector<std::string> logRows = lines(chosen.out);
    ASSERT_EQ(logRows.size(), 5U);
    EXPECT_EQ(logRows[0], "fcent [Hz],knifeEdgeV,Pt [dBW]");
    EXPECT_EQ(cells(logRows[1])[0], "1e+06");
    EXPECT_NEAR(std::stod(cells(logRows[2])[0]), 1e7, 1e-3);
    EXPECT_EQ(cells(logRows[4])[0], "1e+09");
    EXPECT_EQ(cells(logRows[4])[2], "-10");
}

TEST(TarselReportSweep, JsonLinesUseTheNamesOfJson) {
    const json reference = single("Pt=0");
    const ToolRun full = sweep({"--sweep", "X12s=10:20:3", "--format", "jsonl"});
    ASSERT_EQ(full.status, 0) << full.err;
    const std::vector<std::string> rows = lines(full.out);
    ASSERT_EQ(rows.size(), 3U);
    const json last = json::parse(rows[2]);
    EXPECT_EQ(last["params"]["X12s"], 20);
    EXPECT_EQ(last["params"]["Range"], 90); // range follows the distance
    for (const char* part : {"params", "results"}) {
        for (const auto& [name, value] : reference[part].items()) {
            EXPECT_TRUE(last[part].contains(name)) << name;
            if (value.is_object()) {
                EXPECT_EQ(last[part][name].size(), value.size()) << name;
            }
        }
        EXPECT_EQ(last[part].size(), reference[part].size()) << part;
    }

    const ToolRun chosen = sweep({"--sweep", "Range=1:2:2", "--format", "jsonl", "--columns",
                                  "smoothHill.marginDb,vb2,smoothHill.maxRange"});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    const json first = json::parse(lines(chosen.out).at(0));
    EXPECT_EQ(first["params"], json({{"Range", 1}}));
    EXPECT_EQ(first["results"].size(), 2U);
    EXPECT_EQ(first["results"]["smoothHill"].size(), 2U);
    EXPECT_TRUE(first["results"]["vb2"].is_number());
}

TEST(TarselReportSweep, OutputFileIsWholeOrAbsent) {
    const std::string dir = tempFolder();
    const ToolRun written = sweep({"--sweep", "Pt=0:1:3", "-o", dir + "/t.csv"});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(written.out.empty());
    EXPECT_EQ(readFile(dir + "/t.csv"), sweep({"--sweep", "Pt=0:1:3"}).out);
    const ToolRun failed = sweep({"--sweep", "Pt=0:1:3", "-o", dir});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find(dir), std::string::npos) << failed.err;
    // A bad sweep is refused before the settings are written.
    EXPECT_EQ(sweep({"--sweep", "Pt=0:1:1", "--write-settings", dir + "/s.ini"}).status, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST(TarselReportSweep, BadInputExitsWithStatusTwoNamingIt) {
    struct Row {
        std::vector<std::string> args;
        const char* err; // a part of the message
    };
    const Row rows[] = {
        {{"--sweep", "Colour=1:2:3"}, "unknown key 'Colour'"},
        {{"--sweep", "nHillType=0:1:2"}, "'nHillType' is not a numeric field"},
        {{"--sweep", "Range=1:2:1"}, "N must be a whole number from 2 to 10000000, got '1'"},
        {{"--sweep", "Range=1:2:10000001"}, "got '10000001'"},
        {{"--sweep", "Range=x:2:3"}, "FROM: Invalid number format: x"},
        {{"--sweep", "Pt=0:121:3"}, "TO: Number 121 out of range:["},
        {{"--sweep", "Range=-1:2:3"}, "FROM: Number -1 out of range:["},
        {{"--set", "X23s=1e308", "--sweep", "X12s=0:1e308:3"}, "TO: the range would be out"},
        {{"--sweep", "Range=0:2:3", "--log"}, "touches or crosses 0"},
        {{"--sweep", "Pt=-1:1:3", "--log"}, "touches or crosses 0"},
        {{"--sweep", "Range=1:2"}, "expected KEY=FROM:TO:N"},
        {{"--sweep", "Range=1:2:3", "--sweep", "Pt=1:2:3"}, "--sweep given 2 times"},
        {{"--sweep", "Range=1:2:3", "--format", "xml"}, "expected csv or jsonl, got 'xml'"},
        {{"--sweep", "Range=1:2:3", "--columns", "Range,margin"}, "unknown column 'margin'"},
        {{"--sweep", "Range=1:2:3", "--format", ""}, "--format: no value given"},
        {{"--sweep", "Range=1:2:3", "--columns", ""}, "--columns: no value given"},
        {{"--sweep", "Range=1:2:3", "--json"}, "--json"},
        {{"--log"}, "--sweep"},
        {{"--columns", "all"}, "--sweep"},
    };
    for (const Row& row : rows) {
        const ToolRun run = sweep(row.args);
        EXPECT_EQ(run.status, 2) << row.args[1];
        EXPECT_TRUE(run.out.empty()) << row.args[1];
        EXPECT_EQ(run.err.rfind("tarsel-report: ", 0), 0U) << run.err;
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }
}
