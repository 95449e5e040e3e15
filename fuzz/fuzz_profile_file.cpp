// The INI reader and writer. The input is an edit followed by a file: byte 0
// picks a section name, byte 1 a key name, byte 2 the length of the value
// that follows; the rest is the file's text. Checked: an untouched file saves
// byte for byte; an edit changes one line or only inserts; the written value
// reads back the same from memory and from the saved text, and exactly as
// written when it is an ordinary value.

#include "fuzz_check.h"

#include "settings/profile_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using tarsel::ProfileFile;

// Names present in the seed files, in other letter cases, and new ones.
constexpr std::array<std::string_view, 8> Sections{"Tarsel", "tarsel", "GraFont", "LFED",
                                                   "S",      "s",      "New one", "x.y"};
constexpr std::array<std::string_view, 8> Keys{"Pt",        "PT", "Range", "lfFaceName",
                                               "lfquality", "k",  "K",     "two words"};

constexpr std::string_view Blanks = " \t\r\v\f";

// A value that needs no quoting and has no character the file cannot hold.
bool ordinaryValue(std::string_view value) {
    if (value.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) {
        return false;
    }
    if (!value.empty() && (Blanks.find(value.front()) != std::string_view::npos ||
                           Blanks.find(value.back()) != std::string_view::npos)) {
        return false;
    }
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    return !quoted;
}

// Only one line of before changed (existing key), or text was only inserted.
bool changedOneLineOrInserted(std::string_view before, std::string_view after, bool existed) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    const std::string_view added = after.substr(prefix, after.size() - prefix - suffix);
    if (existed) {
        return removed.find('\n') == std::string_view::npos &&
               added.find('\n') == std::string_view::npos;
    }
    return removed.empty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.size() < 3) {
        return 0;
    }
    const std::string_view section = Sections[static_cast<std::uint8_t>(input[0]) % 8];
    const std::string_view key = Keys[static_cast<std::uint8_t>(input[1]) % 8];
    const std::size_t valueSize =
        std::min<std::size_t>(static_cast<std::uint8_t>(input[2]), input.size() - 3);
    const std::string_view value = input.substr(3, valueSize);
    const std::string_view text = input.substr(3 + valueSize);

    ProfileFile file(text);
    FUZZ_CHECK(file.text() == text, "an untouched file saves byte for byte");

    const bool existed = file.contains(section, key);
    file.setString(section, key, value);
    const std::string after = file.text();
    FUZZ_CHECK(changedOneLineOrInserted(text, after, existed), "bytes outside the edit kept");
    FUZZ_CHECK(file.contains(section, key), "the written key is found");

    const std::size_t room = value.size() + 3;
    const std::string read = file.getString(section, key, "?", room);
    if (ordinaryValue(value)) {
        FUZZ_CHECK(read == value, "an ordinary value reads back as written");
    }
    const ProfileFile reread(after);
    FUZZ_CHECK(reread.text() == after, "a saved file saves byte for byte");
    FUZZ_CHECK(reread.getString(section, key, "?", room) == read, "the saved value reads back");
    for (std::string_view other : Keys) {
        FUZZ_CHECK(reread.getString(section, other, "?", 64) ==
                       file.getString(section, other, "?", 64),
                   "every key reads the same after the save");
    }
    return 0;
}
