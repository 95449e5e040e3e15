#pragma once
// An INI profile file held in memory: read like the private-profile functions
// read, edited in place, saved atomically.
//
// Reading: section and key names match without regard to ASCII letter case;
// the first matching section and, within it, the first matching key win. A
// value is read without the blanks (space, tab, CR, VT, FF) around it, loses
// one matching pair of quotes (' or "), ends at a NUL byte and is cut to the
// caller's size - 1 characters. Lines before the first section, comment lines
// (first non-blank character ';'), lines without '=' and headers without ']'
// are kept but never match. A UTF-8 byte order mark at the start is skipped.
//
// Writing: an existing key gets its new value in place (the text up to and
// including its '=' stays as it was); a new key goes after the last key of its
// section (right after the header when it has none); a new section goes at the
// end of the file. Every other line stays byte for byte. Lines end at LF, CR LF
// or a lone CR and keep their own endings; added lines take the ending of the
// file's first line ('\n' when it has none). CR and LF inside a written value
// become blanks; a value with leading blanks or in a matching pair of quotes
// is written in double quotes, so that it reads back as it was written.
// Trailing blanks are written as they are and so not read back.
//
// The file is held as one string, as it would be saved. Only section
// headers and keys that can be read get a record (a few offsets into that
// string) and a slot in a hash index, so a file costs a small multiple of its
// own size whatever its shape. Reading and writing a key take constant time
// on average; a write that changes the text is linear in the size of the file.

#include "settings/record_index.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

class ProfileFile {
public:
    ProfileFile() = default;
    // Parses text as the contents of a profile file.
    explicit ProfileFile(std::string_view text);

    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;
    ProfileFile(ProfileFile&&) = default;
    ProfileFile& operator=(ProfileFile&&) = default;

    // The largest file read: a real settings file is under 2 KB.
    static constexpr std::size_t MaxFileSize = 4 * 1024 * 1024;
    // The largest text held: a longer one, given or made by setString, throws
    // std::length_error as a string beyond its max_size() does.
    static constexpr std::size_t MaxTextSize = UINT32_MAX;

    // Reads the file at path. A missing file (or a path through a regular
    // file) reads as an empty profile with no error. Only a regular file of at
    // most MaxFileSize bytes is read, without ever blocking: a device, FIFO,
    // socket or folder, a larger file, a file starting with a UTF-16 or
    // UTF-32 byte order mark, and any failure to open or read give an empty
    // profile and set *error to "<path>: <reason>".
    static ProfileFile read(const std::string& path, std::string* error = nullptr);

    // The value of key in section, or def when the section or key is missing;
    // either way cut to size - 1 characters (size 0 gives "").
    std::string getString(std::string_view section, std::string_view key, std::string_view def,
                          std::size_t size) const;

    // The value read as a decimal integer: blanks, optional sign, digits; the
    // first other character ends it; no digits reads 0. A magnitude beyond 32
    // bits is clamped to INT32_MIN or INT32_MAX. def when section or key is
    // missing.
    std::int32_t getInt(std::string_view section, std::string_view key, std::int32_t def) const;

    // True when the section holds the key.
    bool contains(std::string_view section, std::string_view key) const;

    // Sets key in section to value (see above), creating both when needed.
    void setString(std::string_view section, std::string_view key, std::string_view value);

    // The whole file as it would be saved.
    const std::string& text() const { return text_; }

    // Writes text() to path atomically as a settings file (see
    // writeFileAtomically): a failure at any point leaves the old file as it
    // was; a device, FIFO or socket at path is an error. Creates the folder
    // when missing. A symbolic link at path is followed and its target
    // replaced. Returns "" on success, otherwise "<path>: <reason>".
    std::string save(const std::string& path) const;

private:
    // Offsets into text_ take 32 bits, which keeps a record at 12 bytes.
    using Offset = std::uint32_t;
    // Where a name stands in text_.
    struct Name {
        Offset start = 0;
        Offset size = 0;
    };
    struct Section {
        Name name;
        Offset end = 0; // just after the line of its last key (or its header)
    };
    struct Key {
        Name name; // its value follows the first '=' after the name
        std::uint32_t section = 0;
    };

    struct Take {};
    ProfileFile(std::string&& text, Take);

    void parse();
    std::uint32_t findSection(std::string_view name) const;
    std::uint32_t findKey(std::uint32_t section, std::string_view name) const;
    std::uint32_t findKey(std::string_view section, std::string_view key) const;
    void addSection(Name name, std::size_t end);
    void addKey(std::uint32_t section, Name name);
    std::uint64_t sectionHash(std::uint32_t section) const;
    std::uint64_t keyHash(std::uint32_t key) const;
    Name nameAt(std::string_view name) const; // name: a view into text_
    std::string_view nameText(Name name) const;
    std::string_view valueText(const Key& key) const;
    void splice(std::size_t at, std::size_t removed, std::string_view inserted);
    std::string newline() const;

    std::string text_;
    std::string firstEol_;          // ending of the file's first line
    std::vector<Section> sections_; // the first section of each name
    std::vector<Key> keys_;         // the first key of each name in those
    RecordIndex sectionIndex_;
    RecordIndex keyIndex_;
};

// Reads the file at path, lets edit change it and saves it, holding an
// advisory lock (FileLock) throughout so that saves by other processes are
// neither lost nor lose this one. A file that could not be read is not
// overwritten; nor is one another process keeps locked for longer than
// lockWait() ("<path>: " LockHeldText). Returns "" on success, otherwise "<path>: <reason>".
std::string updateProfile(const std::string& path, const std::function<void(ProfileFile&)>& edit);

// Convenience forms of one read or write of the file at path. A write is one
// updateProfile that sets the key.
std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view def, std::size_t size);
std::int32_t readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                            std::int32_t def);
std::string writeProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value);

} // namespace tarsel
