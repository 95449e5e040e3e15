// Terrain profile CSV: one point a line, checked as it is read.

#include "terrain/profile_csv.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <sys/stat.h>

namespace tarsel::terrain {

namespace {

constexpr std::string_view StandardInput = "-";

// A field of a line: its text and the column of its first character.
struct Field {
    std::string_view text;
    std::size_t column = 0; // from 1
    bool present = false;
};

// One line without its comment and line end.
struct Line {
    std::string_view text;
    std::size_t number = 0;
};

bool blank(char c) {
    return c == ' ' || c == '\t';
}

// The first two fields of line. Commas or semicolons separate fields when the
// line holds one (in that order of preference), else runs of blanks and tabs.
void firstTwoFields(std::string_view line, Field fields[2]) {
    char separator = ' ';
    for (const char c : {',', ';'}) {
        if (line.find(c) != std::string_view::npos) {
            separator = c;
            break;
        }
    }
    std::size_t pos = 0;
    for (int i = 0; i < 2; ++i) {
        if (separator == ' ') {
            while (pos < line.size() && blank(line[pos])) {
                ++pos;
            }
            if (pos == line.size()) {
                return;
            }
        } else if (i > 0) {
            if (pos >= line.size()) {
                return;
            }
            ++pos; // past the separator
        }
        std::size_t end = pos;
        while (end < line.size() &&
               (separator == ' ' ? !blank(line[end]) : line[end] != separator)) {
            ++end;
        }
        std::size_t first = pos;
        std::size_t last = end;
        if (separator != ' ') {
            while (first < last && blank(line[first])) {
                ++first;
            }
            while (last > first && blank(line[last - 1])) {
                --last;
            }
        }
        fields[i] =
            Field{line.substr(first, last - first), (first == last ? pos : first) + 1, true};
        pos = end;
    }
}

enum class NumberRead { Ok, NotNumber, NotFinite };

// Exact powers of ten as doubles.
constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MaxExactDigits = 15; // any 15-digit integer is exact in a double

// A plain decimal ("-123.45") of up to 15 significant digits and 22
// decimals: its digits as an exact integer over an exact power of ten, so the
// one rounding of the division gives the nearest double, as from_chars
// would, at a fraction of the cost. False for any other form.
bool readPlainDecimal(const char* p, const char* end, double& value) {
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    std::uint64_t digits = 0;
    int significant = 0;
    int decimals = 0;
    bool point = false;
    bool any = false;
    for (; p != end; ++p) {
        const char c = *p;
        if (c >= '0' && c <= '9') {
            significant += digits != 0 || c != '0' ? 1 : 0;
            if (significant > MaxExactDigits) {
                return false;
            }
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += point ? 1 : 0;
            any = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!any || decimals >= static_cast<int>(std::size(Pow10))) {
        return false;
    }
    value = static_cast<double>(digits) / Pow10[decimals];
    value = negative ? -value : value;
    return true;
}

// The whole text as a number, locale-independently; a leading '+' is allowed.
NumberRead readNumber(std::string_view text, double& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+' && end - begin > 1 && (begin[1] != '-' && begin[1] != '+')) {
        ++begin;
    }
    if (readPlainDecimal(begin, end, value)) {
        return NumberRead::Ok;
    }
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (stop != end || begin == end ||
        (error != std::errc{} && error != std::errc::result_out_of_range)) {
        return NumberRead::NotNumber;
    }
    if (error == std::errc::result_out_of_range || !std::isfinite(value)) {
        return NumberRead::NotFinite;
    }
    return NumberRead::Ok;
}

// A header names km as a bracketed unit "(km)" or "[km]" first, or as a word
// of its first field.
bool headerNamesKm(std::string_view header, std::string_view firstField) {
    auto lower = [](std::string_view s) {
        std::string out(s);
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    };
    const std::string all = lower(header);
    const std::size_t open = all.find_first_of("([");
    if (open != std::string::npos) {
        const std::size_t close = all.find_first_of(")]", open);
        std::string unit =
            all.substr(open + 1, close == std::string::npos ? close : close - open - 1);
        unit.erase(std::remove(unit.begin(), unit.end(), ' '), unit.end());
        return unit == "km";
    }
    const std::string first = lower(firstField);
    for (std::size_t at = first.find("km"); at != std::string::npos;
         at = first.find("km", at + 1)) {
        const bool letterBefore = at > 0 && std::isalpha(static_cast<unsigned char>(first[at - 1]));
        const bool letterAfter =
            at + 2 < first.size() && std::isalpha(static_cast<unsigned char>(first[at + 2]));
        if (!letterBefore && !letterAfter) {
            return true;
        }
    }
    return false;
}

std::string quoted(std::string_view text) {
    std::string out(1, '\'');
    out.append(text);
    out += '\'';
    return out;
}

class CsvReader {
public:
    CsvReader(std::string_view file, DistanceUnit unit) : unit_(unit) { result_.error.file = file; }

    ProfileReadResult read(std::string_view text) {
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        const std::size_t expected = std::min(lines, MaxProfilePoints);
        result_.profile.distanceM.reserve(expected);
        result_.profile.heightM.reserve(expected);
        std::size_t number = 0;
        std::size_t start = 0;
        while (start < text.size() || (start == 0 && text.empty())) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            std::string_view line = text.substr(start, end - start);
            start = end + 1;
            ++number;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            line = line.substr(0, line.find('#'));
            if (line.find_first_not_of(" \t") != std::string_view::npos &&
                !point(Line{line, number})) {
                result_.profile = {};
                return std::move(result_);
            }
            if (end == text.size()) {
                break;
            }
        }
        const std::size_t points = result_.profile.size();
        if (points < MinProfilePoints) {
            fail(std::max<std::size_t>(number, 1), 1,
                 std::to_string(points) + (points == 1 ? " point" : " points") +
                     "; a profile needs at least " + std::to_string(MinProfilePoints));
            result_.profile = {};
            return std::move(result_);
        }
        result_.ok = true;
        return std::move(result_);
    }

private:
    bool fail(std::size_t line, std::size_t column, std::string message) {
        result_.error.line = line;
        result_.error.column = column;
        result_.error.message = std::move(message);
        return false;
    }

    bool point(const Line& line) {
        Field fields[2];
        firstTwoFields(line.text, fields);
        double d = 0.0;
        const NumberRead distance = readNumber(fields[0].text, d);
        if (!seenLine_) {
            seenLine_ = true;
            if (distance == NumberRead::NotNumber) {
                if (unit_ == DistanceUnit::FromHeader) {
                    unit_ = headerNamesKm(line.text, fields[0].text) ? DistanceUnit::Kilometres
                                                                     : DistanceUnit::Metres;
                }
                return true;
            }
        }
        if (!numberFault(line, fields[0], distance, "distance")) {
            return false;
        }
        if (!fields[1].present || fields[1].text.empty()) {
            const std::size_t column =
                fields[1].present ? fields[1].column : line.text.find_last_not_of(" \t") + 2;
            return fail(line.number, column, "no ground height (second column) after the distance");
        }
        double h = 0.0;
        if (!numberFault(line, fields[1], readNumber(fields[1].text, h), "ground height")) {
            return false;
        }
        if (unit_ == DistanceUnit::Kilometres) {
            d *= 1000.0;
            if (!std::isfinite(d)) {
                return fail(line.number, fields[0].column,
                            "the distance " + quoted(fields[0].text) +
                                " km is too large to be a number of metres");
            }
        }
        Profile& profile = result_.profile;
        if (profile.size() == 0 && d != 0.0) {
            return fail(line.number, fields[0].column,
                        "the first distance must be 0 (the transmitter), not " +
                            quoted(fields[0].text));
        }
        if (profile.size() > 0 && !(d > profile.distanceM.back())) {
            return fail(line.number, fields[0].column,
                        "distance " + quoted(fields[0].text) +
                            " does not increase on the line before; distances must increase "
                            "strictly");
        }
        if (profile.size() == MaxProfilePoints) {
            return fail(line.number, 1,
                        "more than " + std::to_string(MaxProfilePoints) + " points");
        }
        profile.distanceM.push_back(d);
        profile.heightM.push_back(h);
        return true;
    }

    bool numberFault(const Line& line, const Field& field, NumberRead read, std::string_view what) {
        switch (read) {
        case NumberRead::Ok:
            return true;
        case NumberRead::NotNumber:
            return fail(line.number, field.column,
                        std::string("the ") + std::string(what) + " " + quoted(field.text) +
                            " is not a number");
        case NumberRead::NotFinite:
            break;
        }
        return fail(line.number, field.column,
                    std::string("the ") + std::string(what) + " " + quoted(field.text) +
                        " is not a finite number");
    }

    DistanceUnit unit_;
    bool seenLine_ = false;
    ProfileReadResult result_;
};

ProfileReadResult readFailure(std::string_view file, std::string message) {
    ProfileReadResult result;
    result.error.file = file;
    result.error.message = std::move(message);
    return result;
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != stdin) {
            std::fclose(f);
        }
    }
};

} // namespace

std::string ProfileError::text() const {
    std::string out = file;
    if (line > 0) {
        out += ':' + std::to_string(line);
        if (column > 0) {
            out += ':' + std::to_string(column);
        }
    }
    return out + ": " + message;
}

ProfileReadResult parseProfileCsv(std::string_view text, std::string_view file, DistanceUnit unit) {
    return CsvReader(file, unit).read(text);
}

ProfileReadResult readProfileCsv(const std::string& path, DistanceUnit unit) {
    const bool standardInput = path == StandardInput;
    const std::string name = standardInput ? std::string("standard input") : path;
    const std::string tooLarge = "larger than " + std::to_string(MaxProfileFileBytes >> 20) +
                                 " MiB; profiles are refused over that";
    std::unique_ptr<std::FILE, FileCloser> file(standardInput ? stdin
                                                              : std::fopen(path.c_str(), "rb"));
    if (!file) {
        return readFailure(name, std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return readFailure(name, std::strerror(EISDIR));
        }
        if (S_ISREG(info.st_mode) &&
            static_cast<std::uintmax_t>(info.st_size) > MaxProfileFileBytes) {
            return readFailure(name, tooLarge);
        }
    }
    std::string text;
    // A regular file in one read (one byte more shows it grew), others in chunks.
    std::size_t chunk = S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1 : 0;
    for (;;) {
        chunk = std::max<std::size_t>(chunk, 1 << 16);
        const std::size_t had = text.size();
        text.resize(had + chunk);
        const std::size_t got = std::fread(text.data() + had, 1, chunk, file.get());
        text.resize(had + got);
        if (text.size() > MaxProfileFileBytes) {
            return readFailure(name, tooLarge);
        }
        if (got < chunk) {
            if (std::ferror(file.get()) != 0) {
                return readFailure(name, std::strerror(errno != 0 ? errno : EIO));
            }
            break;
        }
    }
    return parseProfileCsv(text, name, unit);
}

} // namespace tarsel::terrain
