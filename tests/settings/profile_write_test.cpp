#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <string>

namespace tarsel {
namespace {

// ---------------------------------------------------------------------------
// Writes into a file held in memory: where each line goes, what stays.

struct WriteCase {
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

// clang-format off
const WriteCase writeCases[] = {
    // before                               section key  value  after
    {"",                                    "S",    "k", "v",   "[S]\nk=v\n"},                        // new file
    {"[S]\nk=1\n",                          "S",    "k", "2",   "[S]\nk=2\n"},                        // replaced in place
    {"[S]\nKey = 1\n",                      "s",    "KEY", "2", "[S]\nKey =2\n"},                     // key keeps its spelling
    {"[S]\nk=1\n;c\n\n[T]\n",               "S",    "j", "2",   "[S]\nk=1\nj=2\n;c\n\n[T]\n"},        // after the last key
    {"[S]\n;c\n[T]\n",                      "S",    "j", "2",   "[S]\nj=2\n;c\n[T]\n"},               // no key yet: after the header
    {"[S]\nk=1\n",                          "T",    "j", "2",   "[S]\nk=1\n\n[T]\nj=2\n"},            // new section at the end
    {"[S]\nk=1\n\n",                        "T",    "j", "2",   "[S]\nk=1\n\n[T]\nj=2\n"},            // no second blank line
    {"[S]\nk=1",                            "S",    "j", "2",   "[S]\nk=1\nj=2\n"},                   // no final newline, new key
    {"[S]\nk=1",                            "S",    "k", "2",   "[S]\nk=2"},                          // no final newline, in place
    {"[S]\nk=1",                            "T",    "j", "2",   "[S]\nk=1\n\n[T]\nj=2\n"},            // no final newline, new section
    {"[S]\r\nk=1\r\n",                      "S",    "j", "2",   "[S]\r\nk=1\r\nj=2\r\n"},             // CRLF stays CRLF
    {"[S]\r\nk=1\r\n",                      "T",    "j", "2",   "[S]\r\nk=1\r\n\r\n[T]\r\nj=2\r\n"},  // CRLF for a new section
    {"[S]\r\nk=1\r\n",                      "S",    "k", "2",   "[S]\r\nk=2\r\n"},                    // CRLF kept in place
    {"[S]\rk=1\r;c\r",                      "S",    "j", "2",   "[S]\rk=1\rj=2\r;c\r"},               // CR alone ends a line
    {"[S]\rk=1\r",                          "T",    "j", "2",   "[S]\rk=1\r\r[T]\rj=2\r"},            // CR for a new section
    {"[S]\rk=1\rj=3",                       "S",    "j", "2",   "[S]\rk=1\rj=2"},                     // in place, line after CR
    {"[S]\nk=1\nk=9\n",                     "S",    "k", "2",   "[S]\nk=2\nk=9\n"},                   // duplicate key: the first
    {"[S]\nk=1\n[S]\nk=9\n",                "S",    "k", "2",   "[S]\nk=2\n[S]\nk=9\n"},              // duplicate section: the first
    {"[S]\nk=1\n[S]\nj=9\n",                "S",    "j", "2",   "[S]\nk=1\nj=2\n[S]\nj=9\n"},         // into the first duplicate
    {"\xEF\xBB\xBF[S]\nk=1\n",              "S",    "k", "2",   "\xEF\xBB\xBF[S]\nk=2\n"},            // byte order mark kept
    {"[S]\nk=1\n",                          "S",    "k", "a\nb\rc", "[S]\nk=a b c\n"},                // no line break in a value
    {"[S]\nk=1\n",                          "S",    "k", "v   ", "[S]\nk=v   \n"},                    // trailing blanks written
    {"[S]\nk=1\n",                          "S",    "k", " v", "[S]\nk=\" v\"\n"},                    // leading blank kept by quotes
    {"",                                    "S",    "k", "'v'", "[S]\nk=\"'v'\"\n"},                   // quotes kept by quotes
};
// clang-format on

TEST(ProfileWrite, PlacesEachLine) {
    for (const WriteCase& c : writeCases) {
        ProfileFile file{std::string_view(c.before)};
        file.setString(c.section, c.key, c.value);
        EXPECT_EQ(file.text(), c.after) << "before: " << c.before;
        // What was written reads back (blanks around cut, line breaks as blanks).
        EXPECT_TRUE(file.contains(c.section, c.key)) << "before: " << c.before;
    }
}

TEST(ProfileWrite, SuccessiveNewKeysKeepTheirOrder) {
    ProfileFile file{std::string_view("[S]\nold=1\n; trailing comment\n[T]\nx=1\n")};
    file.setString("S", "a", "1");
    file.setString("S", "b", "2");
    file.setString("U", "c", "3");
    file.setString("U", "d", "4");
    file.setString("S", "a", "5");
    EXPECT_EQ(file.text(), "[S]\nold=1\na=5\nb=2\n; trailing comment\n[T]\nx=1\n\n[U]\nc=3\nd=4\n");
    EXPECT_EQ(file.getString("U", "d", "", 20), "4");
}

TEST(ProfileWrite, ValueInQuotesReadsBackWithThem) {
    ProfileFile file;
    file.setString("S", "face", "\"Courier New\"");
    EXPECT_EQ(file.getString("S", "face", "", 32), "\"Courier New\"");
    EXPECT_EQ(ProfileFile(file.text()).getString("S", "face", "", 32), "\"Courier New\"");
}

TEST(ProfileWrite, InPlaceWriteIntoHugeFileKeepsTheRest) {
    std::string text = "[S]\n";
    for (int i = 0; i < 100000; ++i) {
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    ProfileFile file{std::string_view(text)};
    for (int i = 0; i < 100000; i += 7) {
        file.setString("S", "key" + std::to_string(i), std::to_string(i));
    }
    file.setString("S", "new", "1");
    EXPECT_EQ(file.text(), text + "new=1\n");
}

} // namespace
} // namespace tarsel
