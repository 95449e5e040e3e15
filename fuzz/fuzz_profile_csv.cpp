// The terrain profile CSV reader. The input is the file's text; byte 0 also
// picks the distance unit. Checked: an accepted profile has 3 to 1e6 points,
// starts at 0, increases strictly and holds only finite numbers; a refused
// one has no points and names a line and column within the text; CRLF line
// ends read as LF ones; km distances are the metre ones times 1000; a height
// written as one plain field reads as std::from_chars reads it.

#include "fuzz_check.h"

#include "terrain/profile_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace tarsel::terrain;

void checkResult(const ProfileReadResult& read, std::string_view text) {
    if (!read.ok) {
        FUZZ_CHECK(read.profile.size() == 0, "a refused profile has no points");
        FUZZ_CHECK(!read.error.message.empty(), "a refusal says why");
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        FUZZ_CHECK(read.error.line >= 1 && read.error.line <= lines + 1, "the line is in the text");
        FUZZ_CHECK(read.error.column >= 1, "a column is named");
        return;
    }
    const Profile& p = read.profile;
    FUZZ_CHECK(p.size() >= MinProfilePoints && p.size() <= MaxProfilePoints, "point count");
    FUZZ_CHECK(p.heightM.size() == p.size(), "a height for every distance");
    FUZZ_CHECK(p.distanceM.front() == 0.0, "the path starts at 0");
    for (std::size_t i = 0; i < p.size(); ++i) {
        FUZZ_CHECK(std::isfinite(p.distanceM[i]) && std::isfinite(p.heightM[i]), "finite");
        FUZZ_CHECK(i == 0 || p.distanceM[i] > p.distanceM[i - 1], "strictly increasing");
    }
}

bool sameResult(const ProfileReadResult& a, const ProfileReadResult& b) {
    return a.ok == b.ok && a.profile.distanceM == b.profile.distanceM &&
           a.profile.heightM == b.profile.heightM && a.error.text() == b.error.text();
}

// A field of only a sign, digits, a point and an exponent, as a height.
void checkNumber(std::string_view text) {
    if (text.empty() || text.size() > 40 ||
        text.find_first_not_of("+-.0123456789eE") != std::string_view::npos ||
        text.front() == '+') {
        return;
    }
    double expected = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), expected);
    const bool readable =
        error == std::errc{} && end == text.data() + text.size() && std::isfinite(expected);
    const std::string csv = "0,1\n1," + std::string(text) + "\n2,1\n";
    const ProfileReadResult read = parseProfileCsv(csv, "f");
    FUZZ_CHECK(read.ok == readable || (error == std::errc::result_out_of_range && !read.ok),
               "a height reads when from_chars reads it");
    if (read.ok) {
        const double got = read.profile.heightM[1];
        FUZZ_CHECK(got == expected && std::signbit(got) == std::signbit(expected),
                   "the height is from_chars's double");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const DistanceUnit unit = data[0] % 3 == 0   ? DistanceUnit::FromHeader
                              : data[0] % 3 == 1 ? DistanceUnit::Metres
                                                 : DistanceUnit::Kilometres;
    const ProfileReadResult read = parseProfileCsv(text, "fuzz.csv", unit);
    checkResult(read, text);

    if (text.find('\r') == std::string_view::npos) {
        std::string crlf;
        for (const char c : text) {
            crlf += c == '\n' ? std::string_view("\r\n") : std::string_view(&c, 1);
        }
        FUZZ_CHECK(sameResult(parseProfileCsv(crlf, "fuzz.csv", unit), read), "CRLF reads as LF");
    }
    const ProfileReadResult metres = parseProfileCsv(text, "fuzz.csv", DistanceUnit::Metres);
    const ProfileReadResult km = parseProfileCsv(text, "fuzz.csv", DistanceUnit::Kilometres);
    if (metres.ok && km.ok) {
        for (std::size_t i = 0; i < km.profile.size(); ++i) {
            FUZZ_CHECK(km.profile.distanceM[i] == metres.profile.distanceM[i] * 1000.0,
                       "km are 1000 m");
        }
    }
    checkNumber(text);
    return 0;
}
