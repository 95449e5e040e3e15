#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <malloc.h>
#include <random>
#include <string>

namespace tarsel {
namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

// ---------------------------------------------------------------------------
// Reading a string value.

struct StringCase {
    const char* text;    // file contents
    const char* section; // asked for
    const char* key;
    std::size_t size; // caller's buffer
    const char* expected;
};

// clang-format off
const StringCase stringCases[] = {
    // text                              section   key   size expected
    {"[S]\nk=v\n",                       "S",      "k",  20, "v"},     // plain
    {"[S]\nk=  v w \t\n",                "S",      "k",  20, "v w"},   // blanks around cut, inside kept
    {"[S]\n  k  =v\n",                   "S",      "k",  20, "v"},     // blanks around the key
    {"[s]\nK=v\n",                       "S",      "k",  20, "v"},     // names ignore letter case
    {"[ S ]\nk=v\n",                     "S",      "k",  20, "v"},     // blanks inside the brackets
    {"[S]\nk=\"v w\"\n",                 "S",      "k",  20, "v w"},   // one pair of double quotes
    {"[S]\nk='v'\n",                     "S",      "k",  20, "v"},     // one pair of single quotes
    {"[S]\nk=\"v'\n",                    "S",      "k",  20, "\"v'"},  // quotes that do not match
    {"[S]\nk=\"\"v\"\"\n",               "S",      "k",  20, "\"v\""}, // only one pair removed
    {"[S]\nk=\"\n",                      "S",      "k",  20, "\""},    // a lone quote stays
    {"[S]\nk=  'v'  \n",                 "S",      "k",  20, "v"},     // quotes inside the blanks
    {"[S]\nk=abcdef\n",                  "S",      "k",  4,  "abc"},   // cut to size - 1
    {"[S]\nk=abc\n",                     "S",      "k",  4,  "abc"},   // exactly fits
    {"[S]\nk=abc\n",                     "S",      "k",  1,  ""},      // room for the terminator only
    {"[S]\nk=abc\n",                     "S",      "k",  0,  ""},      // no room at all
    {"[S]\nk=a=b\n",                     "S",      "k",  20, "a=b"},   // first '=' splits
    {"[S]\nk=\n",                        "S",      "k",  20, ""},      // present but empty
    {"[S]\nk=v\n",                       "S",      "x",  20, "def"},   // missing key
    {"[S]\nk=v\n",                       "T",      "k",  20, "def"},   // missing section
    {"",                                 "S",      "k",  20, "def"},   // empty file
    {"",                                 "S",      "k",  3,  "de"},    // default is cut too
    {"k=v\n[S]\n",                       "S",      "k",  20, "def"},   // key before any section
    {"[S]\n;k=v\n",                      "S",      "k",  20, "def"},   // comment line
    {"[S]\n  ;k=v\nk=w\n",               "S",      "k",  20, "w"},     // indented comment
    {"[S]\nk\n",                         "S",      "k",  20, "def"},   // no '=': not a key
    {"[S\nk=v\n",                        "S",      "k",  20, "def"},   // header without ']'
    {"[S]\nk=1\nk=2\n",                  "S",      "k",  20, "1"},     // duplicate key: first wins
    {"[S]\nk=1\n[S]\nk=2\nj=3\n",        "S",      "k",  20, "1"},     // duplicate section: first wins
    {"[S]\nk=1\n[s]\nj=3\n",             "S",      "j",  20, "def"},   // keys of a later duplicate unseen
    {"[S]\nk=1\n[T]\nk=2\n",             "T",      "k",  20, "2"},     // each section its own keys
    {"[S]\r\nk=v\r\n",                   "S",      "k",  20, "v"},     // CRLF endings
    {"[S]\nk=v",                         "S",      "k",  20, "v"},     // no final newline
    {"[S]\rk=v\rj=w\r",                  "S",      "j",  20, "w"},     // CR-only endings
    {"[T]\rk=v\r[S]\rk=w",               "S",      "k",  20, "w"},     // CR-only: headers found
    {"[S]\n\r\n\rk=v",                   "S",      "k",  20, "v"},     // LF, CR LF and CR mixed
    {"\xEF\xBB\xBF[S]\nk=v\n",           "S",      "k",  20, "v"},     // byte order mark before first header
    {"\xEF\xBB\xBFk=v\n[S]\nk=w\n",      "S",      "k",  20, "w"},     // byte order mark before a key
    {"[S]\nk=v] x\n",                    "S",      "k",  20, "v] x"},  // brackets in a value
    {"[S] trailing\nk=v\n",              "S",      "k",  20, "v"},     // text after ']' ignored
};
// clang-format on

TEST(ProfileRead, StringValues) {
    for (const StringCase& c : stringCases) {
        const ProfileFile file{std::string_view(c.text)};
        EXPECT_EQ(file.getString(c.section, c.key, "def", c.size), c.expected)
            << "file: " << c.text << " [" << c.section << "] " << c.key;
    }
}

TEST(ProfileRead, ValueEndsAtNulByte) {
    const std::string text("[S]\nk=12\0xyz\n[T]\nj=4\n", 20);
    const ProfileFile file{std::string_view(text)};
    EXPECT_EQ(file.getString("S", "k", "", 20), "12");
    EXPECT_EQ(file.getString("T", "j", "", 20), "4"); // the rest of the file still read
}

// ---------------------------------------------------------------------------
// Reading an integer value.

struct IntCase {
    const char* value; // after "k="
    std::int32_t expected;
};

// clang-format off
const IntCase intCases[] = {
    // value                      expected
    {"12",                        12},        // plain
    {"  -7  ",                    -7},        // blanks around
    {"+5",                        5},         // plus sign
    {"-0",                        0},         // negative zero
    {"",                          0},         // no digits reads 0, not the default
    {"abc",                       0},         // no digits
    {"-",                         0},         // sign only
    {"12abc",                     12},        // digits then other text
    {"1e3",                       1},         // not a float
    {"0x10",                      0},         // not hexadecimal
    {"'42'",                      42},        // quotes removed first
    {"2147483647",                Int32Max},  // largest 32-bit value
    {"2147483648",                Int32Max},  // just beyond: clamped
    {"-2147483648",               Int32Min},  // smallest 32-bit value
    {"-2147483649",               Int32Min},  // just beyond: clamped
    {"99999999999999999999999",   Int32Max},  // far beyond
    {"-99999999999999999999999",  Int32Min},  // far beyond, negative
    {"000000000000000000000013",  13},        // leading zeros are no overflow
};
// clang-format on

TEST(ProfileRead, IntegerValues) {
    for (const IntCase& c : intCases) {
        const ProfileFile file{std::string("[S]\nk=") + c.value + "\n"};
        EXPECT_EQ(file.getInt("S", "k", 99), c.expected) << "value: " << c.value;
    }
}

TEST(ProfileRead, IntegerDefaultOnlyWhenMissing) {
    const ProfileFile file{std::string_view("[S]\nk=3\n")};
    EXPECT_EQ(file.getInt("S", "x", 99), 99);
    EXPECT_EQ(file.getInt("T", "k", -5), -5);
    EXPECT_EQ(file.getInt("s", "K", 99), 3);
}

// ---------------------------------------------------------------------------
// Inputs that must neither crash nor hang, and still read what can be read.

TEST(ProfileRead, BinaryGarbage) {
    std::mt19937 random(12345);
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        text.push_back(static_cast<char>(random() & 0xFF));
    }
    text += "\n[Good]\nk=ok\n";
    const ProfileFile file{std::string_view(text)};
    EXPECT_EQ(file.getString("Good", "k", "", 20), "ok");
    EXPECT_EQ(file.text(), text); // kept byte for byte
}

TEST(ProfileRead, TenMegabyteLine) {
    const std::string huge(10 * 1024 * 1024, 'x');
    const std::string text = "[S]\nlong=" + huge + "\nk=5\n[" + huge + "]\nj=1\n" + huge;
    const ProfileFile file{std::string_view(text)};
    EXPECT_EQ(file.getString("S", "long", "", 20), std::string(19, 'x'));
    EXPECT_EQ(file.getInt("S", "k", 0), 5);
    EXPECT_EQ(file.getInt(huge, "j", 0), 1);
    EXPECT_EQ(file.text(), text);
}

TEST(ProfileRead, ManyShortLines) {
    std::string text = "[S]\n";
    for (int i = 0; i < 200000; ++i) {
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    const ProfileFile file{std::string_view(text)};
    EXPECT_EQ(file.getInt("S", "key0", -1), 0);
    EXPECT_EQ(file.getInt("S", "KEY199999", -1), 199999);
}

// Heap held by a profile parsed from text, over the size of text. Lines that
// are never read cost no more than their bytes.
double heapPerByte(const std::string& text) {
    const std::size_t before = ::mallinfo2().uordblks;
    const ProfileFile file{std::string_view(text)};
    const std::size_t after = ::mallinfo2().uordblks;
    return after > before ? static_cast<double>(after - before) / text.size() : 0.0;
}

TEST(ProfileRead, MemoryStaysNearTheFileSize) {
    const std::string newlines(ProfileFile::MaxFileSize, '\n');
    EXPECT_LT(heapPerByte(newlines), 3.0);
    std::string comments = "[S]\n";
    while (comments.size() < ProfileFile::MaxFileSize) {
        comments += ";\r\n\r";
    }
    EXPECT_LT(heapPerByte(comments), 3.0);
}

} // namespace
} // namespace tarsel
