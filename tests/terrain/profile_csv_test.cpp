// The profile CSV reader: the forms it accepts and every fault with the
// place it names.

#include "terrain/profile_csv.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tarsel::terrain;

namespace {

struct Accepted {
    const char* text;
    DistanceUnit unit;
    std::vector<double> distances;
    std::vector<double> heights;
};

struct Refused {
    const char* text;
    const char* error; // ProfileError::text() for the file "p.csv"
};

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("tarsel_profile_") + std::to_string(::getpid()) + "_" + name))
        .string();
}

} // namespace

TEST(ProfileCsv, AcceptedFormsReadTheFirstTwoColumns) {
    const Accepted rows[] = {
        // Header naming km, a third column ignored.
        {"Distance (km),Height (m),Clutter\n0,10,a\n0.5,12,b\n1,11,c\n",
         DistanceUnit::FromHeader,
         {0, 500, 1000},
         {10, 12, 11}},
        {"d [km];h\n0;1\n1;2\n2;3\n", DistanceUnit::FromHeader, {0, 1000, 2000}, {1, 2, 3}},
        {"km h\n0 1\n1 2\n2 3\n", DistanceUnit::FromHeader, {0, 1000, 2000}, {1, 2, 3}},
        // A header in metres, or none: metres; km only as a word of its own.
        {"d (m),h\n0,1\n1,2\n2,3\n", DistanceUnit::FromHeader, {0, 1, 2}, {1, 2, 3}},
        {"skm,h\n0,1\n1,2\n2,3\n", DistanceUnit::FromHeader, {0, 1, 2}, {1, 2, 3}},
        {"0,1\n1,2\n2,3\n", DistanceUnit::FromHeader, {0, 1, 2}, {1, 2, 3}},
        // A forced unit wins over the header.
        {"d (km),h\n0,1\n1,2\n2,3\n", DistanceUnit::Metres, {0, 1, 2}, {1, 2, 3}},
        {"0,1\n1,2\n2,3\n", DistanceUnit::Kilometres, {0, 1000, 2000}, {1, 2, 3}},
        // Tabs, runs of blanks, comments, blank lines, CRLF, signs, exponents.
        {"# site A to B\r\n0\t-1.5\r\n\r\n  10   +2e1  # peak\r\n20\t\t3\r\n",
         DistanceUnit::Metres,
         {0, 10, 20},
         {-1.5, 20, 3}},
        {"0 , 1\n1 , 2 ,x\n2,3", DistanceUnit::Metres, {0, 1, 2}, {1, 2, 3}},
    };
    for (const Accepted& row : rows) {
        const ProfileReadResult read = parseProfileCsv(row.text, "p.csv", row.unit);
        ASSERT_TRUE(read.ok) << row.text << "\n" << read.error.text();
        EXPECT_EQ(read.profile.distanceM, row.distances) << row.text;
        EXPECT_EQ(read.profile.heightM, row.heights) << row.text;
    }
}

TEST(ProfileCsv, HeightsReadAsTheNearestDouble) {
    // Plain decimals take a shorter road than the rest; both give the double
    // nearest the text.
    const char* texts[] = {"0.1",
                           "-0.3",
                           "123456789012345",
                           "1234567890123456",
                           "9007199254740993",
                           "0.30000000000000004",
                           "1.0000000000000000000001",
                           "5.",
                           ".5",
                           "-0",
                           "1e5",
                           "2.5E-3",
                           "0.000000000000000000001"};
    for (const char* text : texts) {
        const std::string csv = std::string("0,1\n1,") + text + "\n2,1\n";
        const ProfileReadResult read = parseProfileCsv(csv, "p.csv");
        ASSERT_TRUE(read.ok) << text << ": " << read.error.text();
        EXPECT_EQ(read.profile.heightM[1], std::strtod(text, nullptr)) << text;
        EXPECT_EQ(std::signbit(read.profile.heightM[1]), text[0] == '-') << text;
    }
}

TEST(ProfileCsv, FaultsNameFileLineAndColumn) {
    const Refused rows[] = {
        {"d,h\n0,1\n5,abc\n10,2\n", "p.csv:3:3: the ground height 'abc' is not a number"},
        {"0,1\n5x,2\n10,2\n", "p.csv:2:1: the distance '5x' is not a number"},
        {"0,1\n5,inf\n10,2\n", "p.csv:2:3: the ground height 'inf' is not a finite number"},
        {"0,1\n5,1e999\n10,2\n", "p.csv:2:3: the ground height '1e999' is not a finite number"},
        {"0,1\nnan,1\n10,2\n", "p.csv:2:1: the distance 'nan' is not a finite number"},
        {"0,1\n5,1\n5,2\n", "p.csv:3:1: distance '5' does not increase on the line before; "
                            "distances must increase strictly"},
        {"0 1\n  9 1\n 4 2\n", "p.csv:3:2: distance '4' does not increase on the line before; "
                               "distances must increase strictly"},
        {"1,1\n5,1\n6,2\n", "p.csv:1:1: the first distance must be 0 (the transmitter), not '1'"},
        {"0,1\n5\n6,2\n", "p.csv:2:2: no ground height (second column) after the distance"},
        {"0,1\n5,\n6,2\n", "p.csv:2:3: no ground height (second column) after the distance"},
        {"d,h\n0,1\n5,2\n", "p.csv:3:1: 2 points; a profile needs at least 3"},
        {"d,h\n", "p.csv:1:1: 0 points; a profile needs at least 3"},
        {"", "p.csv:1:1: 0 points; a profile needs at least 3"},
        {"d,h\nd,h\n", "p.csv:2:1: the distance 'd' is not a number"},
        {"d (km),h\n0,1\n1e306,2\n2e306,3\n",
         "p.csv:3:1: the distance '1e306' km is too large to be a number of metres"},
    };
    for (const Refused& row : rows) {
        const ProfileReadResult read = parseProfileCsv(row.text, "p.csv");
        EXPECT_FALSE(read.ok) << row.text;
        EXPECT_EQ(read.error.text(), row.error) << row.text;
        EXPECT_EQ(read.profile.size(), 0U) << "a bad profile gives no points";
    }
}

TEST(ProfileCsv, PointCountIsBoundedAtAMillion) {
    std::string text;
    for (std::size_t i = 0; i <= MaxProfilePoints; ++i) {
        text += std::to_string(i) + " 0\n";
    }
    const ProfileReadResult over = parseProfileCsv(text, "big.csv");
    EXPECT_EQ(over.error.text(), "big.csv:1000001:1: more than 1000000 points");
    text.resize(text.rfind('\n', text.size() - 2) + 1); // exactly the limit
    EXPECT_EQ(parseProfileCsv(text, "big.csv").profile.size(), MaxProfilePoints);
}

TEST(ProfileCsv, FilesThatCannotBeReadAreNamed) {
    const std::string missing = tempPath("missing.csv");
    EXPECT_EQ(readProfileCsv(missing).error.text(), missing + ": No such file or directory");
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(readProfileCsv(folder).error.text(), folder + ": Is a directory");

    // Over the limit by one byte, without writing 64 MiB: a sparse file.
    const std::string large = tempPath("large.csv");
    std::ofstream(large) << "0,1\n";
    std::filesystem::resize_file(large, MaxProfileFileBytes + 1);
    EXPECT_EQ(readProfileCsv(large).error.text(),
              large + ": larger than 64 MiB; profiles are refused over that");
    std::filesystem::remove(large);

    const std::string good = tempPath("good.csv");
    std::ofstream(good) << "d (km),h\n0,1\n1,2\n2,3\n";
    const ProfileReadResult read = readProfileCsv(good);
    std::filesystem::remove(good);
    ASSERT_TRUE(read.ok) << read.error.text();
    EXPECT_EQ(read.profile.lengthM(), 2000.0);
}
