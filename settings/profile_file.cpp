#include "settings/profile_file.h"

#include "settings/atomic_write.h"
#include "settings/file_lock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {

namespace {

constexpr std::string_view Blanks = " \t\r\v\f";
constexpr std::string_view Bom = "\xEF\xBB\xBF";

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// A name or value as it may stand on one line.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

// The text to store for value so that it reads back as it is: CR and LF
// become blanks, and a value with leading blanks or already in a matching
// pair of quotes goes into double quotes, which the reader removes. Trailing
// blanks are written as they are (numbers are stored padded to 19
// characters), so they are lost on reading.
std::string storedValue(std::string_view value) {
    std::string out = oneLine(value);
    const bool leadingBlank = !out.empty() && Blanks.find(out.front()) != std::string_view::npos;
    const bool quoted =
        out.size() >= 2 && out.front() == out.back() && (out.front() == '"' || out.front() == '\'');
    return leadingBlank || quoted ? '"' + out + '"' : out;
}

// True when the last line of content (a run may hold several) is blank.
bool endsInBlankLine(std::string_view content) {
    const std::size_t end = content.find_last_of("\r\n");
    return trimBlanks(end == std::string_view::npos ? content : content.substr(end + 1)).empty();
}

bool startsWithWideBom(std::string_view data) {
    return data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF") ||
           data.starts_with(std::string_view("\0\0\xFE\xFF", 4));
}

// Reads the regular file at path, at most ProfileFile::MaxFileSize bytes,
// into data. A missing file is no failure (reason stays empty, data too).
// Returns false with the reason on any other failure.
bool readRegularFile(const std::string& path, std::string& data, std::string& reason) {
    constexpr std::size_t Limit = ProfileFile::MaxFileSize;
    const std::string tooLarge =
        "larger than " + std::to_string(Limit / (1024 * 1024)) + " MB, not a settings file";
    // Checked before opening: opening a device or FIFO may block or act.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            reason = std::strerror(errno);
        }
        return reason.empty();
    }
    const int fd = S_ISREG(st.st_mode)
                       ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)
                       : -1;
    if (S_ISDIR(st.st_mode)) {
        reason = std::strerror(EISDIR);
    } else if (!S_ISREG(st.st_mode)) {
        reason = "not a regular file";
    } else if (fd < 0) {
        reason = std::strerror(errno);
    } else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = "not a regular file"; // replaced since the check
    } else if (static_cast<std::uintmax_t>(st.st_size) > Limit) {
        reason = tooLarge;
    }
    if (reason.empty()) {
        // Sized from the file, which may still grow while it is read: never
        // more than one byte beyond the limit.
        data.resize(std::min<std::size_t>(static_cast<std::size_t>(st.st_size), Limit) + 1);
        std::size_t size = 0;
        for (;;) {
            if (size == data.size() && size <= Limit) {
                data.resize(std::min(2 * size, Limit + 1));
            }
            if (size == data.size()) {
                break;
            }
            const ssize_t n = ::read(fd, data.data() + size, data.size() - size);
            if (n == 0) {
                break;
            }
            if (n < 0 && errno != EINTR) {
                reason = std::strerror(errno);
                break;
            }
            size += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        data.resize(size);
        data.shrink_to_fit();
        if (reason.empty() && size > Limit) {
            reason = tooLarge;
        } else if (reason.empty() && startsWithWideBom(data)) {
            reason = "UTF-16 or UTF-32 text, not read (save it as UTF-8)";
        }
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (!reason.empty()) {
        data.clear();
    }
    return reason.empty();
}

} // namespace

ProfileFile::ProfileFile(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        // A line ends at LF, at CR LF or at a CR not followed by LF.
        const std::size_t end = text.find_first_of("\r\n", start);
        std::string_view content;
        std::string_view eol;
        if (end == std::string_view::npos) {
            content = text.substr(start);
            start = text.size();
        } else {
            content = text.substr(start, end - start);
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            eol = text.substr(end, crlf ? 2 : 1);
            start = end + eol.size();
        }
        if (lines_.empty()) {
            firstEol_ = eol;
        }
        // A byte order mark before the first line is kept but not read.
        const std::size_t skip = (lines_.empty() && content.starts_with(Bom)) ? Bom.size() : 0;
        parseLine(content, eol, skip);
    }
    parsing_ = NoSection;
}

void ProfileFile::parseLine(std::string_view content, std::string_view eol, std::size_t skip) {
    const std::string_view body = content.substr(skip);
    const std::size_t first = body.find_first_not_of(" \t");
    const char lead = first == std::string_view::npos ? '\0' : body[first];
    LineKind kind = LineKind::Other;
    std::size_t valueStart = 0;
    std::string name;
    if (lead == '[') {
        const std::size_t close = body.find(']', first);
        if (close != std::string_view::npos) {
            name = lowerAscii(trimBlanks(body.substr(first + 1, close - first - 1)));
            // Only the first section of a name is read or written; a later one
            // with the same name is kept as it is.
            const auto [pos, added] = byName_.try_emplace(std::move(name), sections_.size());
            parsing_ = added ? pos->second : NoSection;
            kind = added ? LineKind::Section : LineKind::Other;
        }
    } else if (lead != ';' && lead != '\0' && parsing_ != NoSection) {
        const std::size_t eq = body.find('=');
        if (eq != std::string_view::npos) {
            const std::string_view key = trimBlanks(body.substr(0, eq));
            if (!key.empty()) {
                kind = LineKind::Key;
                valueStart = skip + eq + 1;
                name = lowerAscii(key);
            }
        }
    }
    if (kind == LineKind::Other && !lines_.empty() && lines_.back().kind == LineKind::Other) {
        // Joined to the run of lines before it: nothing ever looks inside.
        Line& run = lines_.back();
        run.content += run.eol;
        run.content += content;
        run.eol = eol;
        return;
    }
    lines_.push_back(Line{std::string(content), std::string(eol), kind, valueStart});
    const LineIt it = std::prev(lines_.end());
    if (kind == LineKind::Section) {
        sections_.push_back(Section{it, it, {}});
    } else if (kind == LineKind::Key) {
        Section& section = sections_[parsing_];
        section.keys.try_emplace(std::move(name), it); // the first of a name wins
        section.lastKey = it;
    }
}

ProfileFile ProfileFile::read(const std::string& path, std::string* error) {
    std::string reason;
    std::string data;
    if (!readRegularFile(path, data, reason) && error != nullptr) {
        *error = path + ": " + reason;
    } else if (error != nullptr) {
        error->clear();
    }
    return reason.empty() ? ProfileFile(data) : ProfileFile();
}

const ProfileFile::Line* ProfileFile::findKey(std::string_view section,
                                              std::string_view key) const {
    const auto s = byName_.find(lowerAscii(trimBlanks(section)));
    if (s == byName_.end()) {
        return nullptr;
    }
    const auto& keys = sections_[s->second].keys;
    const auto k = keys.find(lowerAscii(trimBlanks(key)));
    return k == keys.end() ? nullptr : &*k->second;
}

bool ProfileFile::contains(std::string_view section, std::string_view key) const {
    return findKey(section, key) != nullptr;
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view def, std::size_t size) const {
    std::string_view value = def;
    if (const Line* line = findKey(section, key)) {
        value = std::string_view(line->content).substr(line->valueStart);
        value = value.substr(0, value.find('\0'));
        value = trimBlanks(value);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
    }
    return std::string(value.substr(0, size == 0 ? 0 : size - 1));
}

std::int32_t ProfileFile::getInt(std::string_view section, std::string_view key,
                                 std::int32_t def) const {
    if (findKey(section, key) == nullptr) {
        return def;
    }
    const std::string text = getString(section, key, "", std::numeric_limits<std::size_t>::max());
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude, stopping at the first value beyond 32 bits.
    constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), Limit);
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude); // -2^31 at most
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(magnitude, Limit - 1));
}

std::string ProfileFile::newline() const {
    return firstEol_.empty() ? "\n" : firstEol_;
}

void ProfileFile::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string sectionName = oneLine(trimBlanks(section));
    const std::string keyName = oneLine(trimBlanks(key));
    const std::string keyLine = keyName + "=" + storedValue(value);
    const std::string nl = newline();

    const auto s = byName_.find(lowerAscii(sectionName));
    if (s != byName_.end()) {
        Section& sec = sections_[s->second];
        const auto k = sec.keys.find(lowerAscii(keyName));
        if (k != sec.keys.end()) {
            Line& line = *k->second;
            line.content.replace(line.valueStart, std::string::npos, storedValue(value));
            return;
        }
        if (sec.lastKey->eol.empty()) {
            sec.lastKey->eol = nl;
        }
        const LineIt it = lines_.insert(std::next(sec.lastKey),
                                        Line{keyLine, nl, LineKind::Key, keyName.size() + 1});
        sec.keys.emplace(lowerAscii(keyName), it);
        sec.lastKey = it;
        return;
    }

    if (!lines_.empty()) {
        if (lines_.back().eol.empty()) {
            lines_.back().eol = nl;
        }
        if (!endsInBlankLine(lines_.back().content)) {
            lines_.push_back(Line{"", nl, LineKind::Other, 0});
        }
    }
    lines_.push_back(Line{"[" + sectionName + "]", nl, LineKind::Section, 0});
    const LineIt header = std::prev(lines_.end());
    lines_.push_back(Line{keyLine, nl, LineKind::Key, keyName.size() + 1});
    const LineIt keyIt = std::prev(lines_.end());
    byName_.emplace(lowerAscii(sectionName), sections_.size());
    sections_.push_back(Section{header, keyIt, {{lowerAscii(keyName), keyIt}}});
}

std::string ProfileFile::text() const {
    std::size_t size = 0;
    for (const Line& line : lines_) {
        size += line.content.size() + line.eol.size();
    }
    std::string out;
    out.reserve(size);
    for (const Line& line : lines_) {
        out += line.content;
        out += line.eol;
    }
    return out;
}

std::string ProfileFile::save(const std::string& path) const {
    return writeFileAtomically(path, text(), WriteTarget::SettingsFile);
}

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view def, std::size_t size) {
    return ProfileFile::read(path).getString(section, key, def, size);
}

std::int32_t readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                            std::int32_t def) {
    return ProfileFile::read(path).getInt(section, key, def);
}

std::string updateProfile(const std::string& path, const std::function<void(ProfileFile&)>& edit) {
    const FileLock lock(path);
    std::string error;
    ProfileFile profile = ProfileFile::read(path, &error);
    if (!error.empty()) {
        return error; // never replace a file that could not be read
    }
    edit(profile);
    return profile.save(path);
}

std::string writeProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value) {
    return updateProfile(path,
                         [&](ProfileFile& profile) { profile.setString(section, key, value); });
}

} // namespace tarsel
