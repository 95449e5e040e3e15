#include "settings/profile_file.h"

#include "settings/atomic_write.h"
#include "settings/file_lock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel {

namespace {

constexpr std::string_view Blanks = " \t\r\v\f";
constexpr std::string_view Bom = "\xEF\xBB\xBF";

// Text without the blanks around it; an empty view into text when all blank.
std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return text.substr(0, 0);
    }
    const std::size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Both names the same but for the letter case of ASCII letters.
bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

// A hash of name that ignores ASCII letter case, mixed with seed (FNV-1a,
// then a finaliser that spreads it over all 64 bits).
std::uint64_t nameHash(std::string_view name, std::uint64_t seed) {
    std::uint64_t hash = 0xcbf29ce484222325 ^ (seed * 0x9e3779b97f4a7c15);
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(lowerAscii(c))) * 0x100000001b3;
    }
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccd;
    hash ^= hash >> 33;
    return hash;
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Calls line(start, end, next) for each line of text: its content is
// [start, end), its ending [end, next). A line ends at LF, at CR LF or at a
// CR not followed by LF.
template <class Line> void forEachLine(std::string_view text, Line line) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !isLineEnd(text[end])) {
            ++end;
        }
        std::size_t next = end;
        if (next < text.size()) {
            next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
        }
        line(start, end, next);
        start = next;
    }
}

enum class LineKind { Other, Section, Key };

// What a line may be: a section header with its name, a key with its name
// (when it stands in a section), or neither.
struct LineShape {
    LineKind kind = LineKind::Other;
    std::string_view name;
};

LineShape lineShape(std::string_view text, std::size_t start, std::size_t end) {
    std::string_view body = text.substr(start, end - start);
    // A byte order mark before the first line is kept but not read.
    if (start == 0 && body.starts_with(Bom)) {
        body.remove_prefix(Bom.size());
    }
    const std::size_t first = body.find_first_not_of(" \t");
    const char lead = first == std::string_view::npos ? '\0' : body[first];
    if (lead == '[') {
        const std::size_t close = body.find(']', first);
        if (close != std::string_view::npos) {
            return {LineKind::Section, trimBlanks(body.substr(first + 1, close - first - 1))};
        }
    } else if (lead != ';' && lead != '\0') {
        const std::size_t eq = body.find('=');
        const std::string_view name = trimBlanks(body.substr(0, eq));
        if (eq != std::string_view::npos && !name.empty()) {
            return {LineKind::Key, name};
        }
    }
    return {};
}

// True when the last line of text, without its ending, is blank.
bool lastLineBlank(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (!text.empty() && isLineEnd(text.back())) {
        text.remove_suffix(1);
    }
    const std::size_t cut = text.find_last_of("\r\n");
    return trimBlanks(cut == std::string_view::npos ? text : text.substr(cut + 1)).empty();
}

void checkSize(std::size_t size) {
    if (size > ProfileFile::MaxTextSize) {
        throw std::length_error("profile text beyond 4 GiB");
    }
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

ProfileFile::ProfileFile(std::string_view text) : ProfileFile(std::string(text), Take{}) {}

ProfileFile::ProfileFile(std::string&& text, Take) : text_(std::move(text)) {
    parse();
}

void ProfileFile::parse() {
    checkSize(text_.size());
    // Room for every line that may become a record, so that the records and
    // the indexes are allocated once, never copied while growing.
    std::size_t headers = 0;
    std::size_t keys = 0;
    forEachLine(text_, [&](std::size_t start, std::size_t end, std::size_t) {
        const LineShape shape = lineShape(text_, start, end);
        headers += shape.kind == LineKind::Section ? 1 : 0;
        keys += shape.kind == LineKind::Key ? 1 : 0;
    });
    sections_.reserve(headers);
    sectionIndex_.reserve(headers);
    keys_.reserve(keys);
    keyIndex_.reserve(keys);

    std::uint32_t parsing = RecordIndex::None; // the section of the lines being read
    forEachLine(text_, [&](std::size_t start, std::size_t end, std::size_t next) {
        if (start == 0) {
            firstEol_ = text_.substr(end, next - end);
        }
        const LineShape shape = lineShape(text_, start, end);
        if (shape.kind == LineKind::Section) {
            // Only the first section of a name is read or written; a later
            // one with the same name is kept as it is.
            parsing = findSection(shape.name) == RecordIndex::None
                          ? static_cast<std::uint32_t>(sections_.size())
                          : RecordIndex::None;
            if (parsing != RecordIndex::None) {
                addSection(nameAt(shape.name), next);
            }
        } else if (shape.kind == LineKind::Key && parsing != RecordIndex::None) {
            if (findKey(parsing, shape.name) == RecordIndex::None) {
                addKey(parsing, nameAt(shape.name)); // the first of a name wins
            }
            sections_[parsing].end = static_cast<Offset>(next);
        }
    });
}

ProfileFile::Name ProfileFile::nameAt(std::string_view name) const {
    return Name{static_cast<Offset>(name.data() - text_.data()), static_cast<Offset>(name.size())};
}

std::string_view ProfileFile::nameText(Name name) const {
    return std::string_view(text_).substr(name.start, name.size);
}

std::string_view ProfileFile::valueText(const Key& key) const {
    const std::size_t start = text_.find('=', key.name.start + key.name.size) + 1;
    const std::size_t end = text_.find_first_of("\r\n", start);
    return std::string_view(text_).substr(start, end - start);
}

std::uint64_t ProfileFile::sectionHash(std::uint32_t section) const {
    return nameHash(nameText(sections_[section].name), 0);
}

std::uint64_t ProfileFile::keyHash(std::uint32_t key) const {
    return nameHash(nameText(keys_[key].name), keys_[key].section + 1);
}

std::uint32_t ProfileFile::findSection(std::string_view name) const {
    return sectionIndex_.find(nameHash(name, 0), [&](std::uint32_t s) {
        return sameName(nameText(sections_[s].name), name);
    });
}

std::uint32_t ProfileFile::findKey(std::uint32_t section, std::string_view name) const {
    return keyIndex_.find(nameHash(name, section + 1), [&](std::uint32_t k) {
        return keys_[k].section == section && sameName(nameText(keys_[k].name), name);
    });
}

std::uint32_t ProfileFile::findKey(std::string_view section, std::string_view key) const {
    const std::uint32_t s = findSection(trimBlanks(section));
    return s == RecordIndex::None ? s : findKey(s, trimBlanks(key));
}

void ProfileFile::addSection(Name name, std::size_t end) {
    const auto number = static_cast<std::uint32_t>(sections_.size());
    sections_.push_back(Section{name, static_cast<Offset>(end)});
    sectionIndex_.add(number, sectionHash(number),
                      [this](std::uint32_t s) { return sectionHash(s); });
}

void ProfileFile::addKey(std::uint32_t section, Name name) {
    const auto number = static_cast<std::uint32_t>(keys_.size());
    keys_.push_back(Key{name, section});
    keyIndex_.add(number, keyHash(number), [this](std::uint32_t k) { return keyHash(k); });
}

ProfileFile ProfileFile::read(const std::string& path, std::string* error) {
    std::string reason;
    std::string data;
    if (!readRegularFile(path, data, reason) && error != nullptr) {
        *error = path + ": " + reason;
    } else if (error != nullptr) {
        error->clear();
    }
    return reason.empty() ? ProfileFile(std::move(data), Take{}) : ProfileFile();
}

bool ProfileFile::contains(std::string_view section, std::string_view key) const {
    return findKey(section, key) != RecordIndex::None;
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view def, std::size_t size) const {
    std::string_view value = def;
    if (const std::uint32_t k = findKey(section, key); k != RecordIndex::None) {
        value = valueText(keys_[k]);
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
    if (!contains(section, key)) {
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

void ProfileFile::splice(std::size_t at, std::size_t removed, std::string_view inserted) {
    checkSize(text_.size() - removed + inserted.size());
    text_.replace(at, removed, inserted);
    // Every record at or after the end of what was replaced moves with it.
    const auto move = [&](Offset& offset) {
        if (offset >= at + removed) {
            offset = static_cast<Offset>(offset - removed + inserted.size());
        }
    };
    for (Section& section : sections_) {
        move(section.name.start);
        move(section.end);
    }
    for (Key& key : keys_) {
        move(key.name.start);
    }
}

void ProfileFile::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string sectionName = oneLine(trimBlanks(section));
    const std::string keyName = oneLine(trimBlanks(key));
    const std::string stored = storedValue(value);
    const std::string nl = newline();

    std::uint32_t s = findSection(sectionName);
    if (s != RecordIndex::None) {
        if (const std::uint32_t k = findKey(s, keyName); k != RecordIndex::None) {
            const std::string_view old = valueText(keys_[k]);
            splice(static_cast<std::size_t>(old.data() - text_.data()), old.size(), stored);
            return;
        }
    } else {
        // A new section goes at the end, after a blank line. The last line
        // first gets its ending, which a section ending there takes in.
        if (!text_.empty() && !isLineEnd(text_.back())) {
            splice(text_.size(), 0, nl);
        }
        const std::string blank = text_.empty() || lastLineBlank(text_) ? "" : nl;
        const std::string header = blank + "[" + sectionName + "]" + nl;
        checkSize(text_.size() + header.size());
        const std::size_t name = text_.size() + blank.size() + 1;
        text_ += header;
        s = static_cast<std::uint32_t>(sections_.size());
        addSection(Name{static_cast<Offset>(name), static_cast<Offset>(sectionName.size())},
                   text_.size());
    }
    // A new key goes after the last key of its section.
    const std::size_t at = sections_[s].end;
    const std::string lead = at > 0 && isLineEnd(text_[at - 1]) ? "" : nl;
    splice(at, 0, lead + keyName + "=" + stored + nl);
    const std::size_t start = at + lead.size();
    sections_[s].end = static_cast<Offset>(start + keyName.size() + 1 + stored.size() + nl.size());
    addKey(s, Name{static_cast<Offset>(start), static_cast<Offset>(keyName.size())});
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
    if (!lock.held()) {
        return path + ": " + std::string(LockHeldText);
    }
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
