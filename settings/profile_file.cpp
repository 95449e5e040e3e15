#include "settings/profile_file.h"

#include "settings/atomic_write.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
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

bool isBlankLine(std::string_view content) {
    return trimBlanks(content).empty();
}

} // namespace

ProfileFile::ProfileFile(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        std::string_view content;
        std::string_view eol;
        if (nl == std::string_view::npos) {
            content = text.substr(start);
            start = text.size();
        } else {
            content = text.substr(start, nl - start);
            eol = "\n";
            if (!content.empty() && content.back() == '\r') {
                content.remove_suffix(1);
                eol = "\r\n";
            }
            start = nl + 1;
        }
        // A byte order mark before the first line is kept but not read.
        const std::size_t skip = (lines_.empty() && content.starts_with(Bom)) ? Bom.size() : 0;
        parseLine(content, eol, skip);
    }
    parsing_ = NoSection;
}

void ProfileFile::parseLine(std::string_view content, std::string_view eol, std::size_t skip) {
    Line line{std::string(content), std::string(eol), LineKind::Other, 0};
    const std::string_view body = content.substr(skip);
    const std::size_t first = body.find_first_not_of(" \t");
    const char lead = first == std::string_view::npos ? '\0' : body[first];
    std::string name;
    if (lead == '[') {
        const std::size_t close = body.find(']', first);
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            name = lowerAscii(trimBlanks(body.substr(first + 1, close - first - 1)));
        }
    } else if (lead != ';' && lead != '\0') {
        const std::size_t eq = body.find('=');
        if (eq != std::string_view::npos) {
            const std::string_view key = trimBlanks(body.substr(0, eq));
            if (!key.empty()) {
                line.kind = LineKind::Key;
                line.valueStart = skip + eq + 1;
                name = lowerAscii(key);
            }
        }
    }
    lines_.push_back(std::move(line));
    const LineIt it = std::prev(lines_.end());
    if (it->kind == LineKind::Section) {
        // Only the first section of a name is read or written; a later one
        // with the same name is kept as it is.
        const auto [pos, added] = byName_.try_emplace(std::move(name), sections_.size());
        if (added) {
            sections_.push_back(Section{it, it, {}});
            parsing_ = pos->second;
        } else {
            parsing_ = NoSection;
        }
    } else if (it->kind == LineKind::Key && parsing_ != NoSection) {
        Section& section = sections_[parsing_];
        section.keys.try_emplace(std::move(name), it); // the first of a name wins
        section.lastKey = it;
    }
}

ProfileFile ProfileFile::read(const std::string& path, std::string* error) {
    if (error != nullptr) {
        error->clear();
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error != nullptr && errno != ENOENT && errno != ENOTDIR) {
            *error = path + ": " + std::strerror(errno);
        }
        return ProfileFile();
    }
    std::string data;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (error != nullptr) {
                *error = path + ": " + std::strerror(errno);
            }
            ::close(fd);
            return ProfileFile();
        }
        data.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ProfileFile(data);
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
    if (lines_.empty() || lines_.front().eol.empty()) {
        return "\n";
    }
    return lines_.front().eol;
}

void ProfileFile::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string sectionName = oneLine(trimBlanks(section));
    const std::string keyName = oneLine(trimBlanks(key));
    const std::string keyLine = keyName + "=" + oneLine(value);
    const std::string nl = newline();

    const auto s = byName_.find(lowerAscii(sectionName));
    if (s != byName_.end()) {
        Section& sec = sections_[s->second];
        const auto k = sec.keys.find(lowerAscii(keyName));
        if (k != sec.keys.end()) {
            Line& line = *k->second;
            line.content.replace(line.valueStart, std::string::npos, oneLine(value));
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
        if (!isBlankLine(lines_.back().content)) {
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
    return writeFileAtomically(path, text());
}

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view def, std::size_t size) {
    return ProfileFile::read(path).getString(section, key, def, size);
}

std::int32_t readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                            std::int32_t def) {
    return ProfileFile::read(path).getInt(section, key, def);
}

std::string writeProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value) {
    std::string error;
    ProfileFile profile = ProfileFile::read(path, &error);
    if (!error.empty()) {
        return error; // never replace a file that could not be read
    }
    profile.setString(section, key, value);
    return profile.save(path);
}

} // namespace tarsel
