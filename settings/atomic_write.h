#pragma once
// Replacing a file's contents so that a reader sees either the old file or the
// new one, never a mixture, whatever happens during the write; and writing
// through whatever else a path may name, as a shell redirection would.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace tarsel {

enum class WriteTarget {
    AnyFile,      // a report or export: devices, FIFOs and sockets are written through
    SettingsFile, // only a regular file (or a new one, in folders made as needed)
};

// Writes data to path and returns "" on success, otherwise "<path>: <reason>".
// Nothing is written when the path is empty, names a folder, or names a file
// the user may not write (no write permission; for root, no write bit at all).
//
// - A regular file is replaced atomically: the data goes to an unnamed
//   temporary file in the same folder (a named one where the file system has
//   none, whose stale copies from a killed process are removed on the next
//   write), which gets the old file's permissions, owner and group (as far as
//   the process may set them), is flushed to disk and renamed over path. On
//   any failure the old file is left as it was.
// - A regular file with more than one name (hard links) is rewritten in
//   place, so that every name sees the new contents.
// - A symbolic link is followed, dangling or not, to the file it names: that
//   file is written and the link kept.
// - Anything else that exists (character device, FIFO, socket) is opened and
//   written through without blocking, for AnyFile; for SettingsFile it is an
//   error.
// - Missing folders are created for SettingsFile; for AnyFile they are an
//   error.
std::string writeFileAtomically(const std::string& path, std::string_view data,
                                WriteTarget kind = WriteTarget::AnyFile);

// Follows the symbolic links that path names, dangling ones too, to the name
// of the file finally meant. Returns 0 or the errno of the failure.
int followSymbolicLinks(std::filesystem::path& path);

// Writes all of data to fd, resuming after partial writes and interruptions;
// false with errno set on failure.
bool writeAll(int fd, std::string_view data);

// The same as writeFileAtomically, for data made in pieces (a long sweep): open(), write() as often
// as needed, then commit() puts the whole in place. Destroyed without a
// successful commit(), it leaves the target as it was (a device or FIFO keeps
// what was written through).
class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Returns "" or "<path>: <reason>"; nothing is written on a failure.
    std::string open(const std::string& path, WriteTarget kind = WriteTarget::AnyFile);
    // False once a write has failed; commit() then gives the reason.
    bool write(std::string_view data);
    // Returns "" or "<path>: <reason>".
    std::string commit();

private:
    enum class Mode { Closed, Through, InPlace, Replace };

    std::string openTarget(WriteTarget kind);
    std::string openTemporary();
    int copyInPlace();
    int replace();
    void abandon();

    Mode mode_ = Mode::Closed;
    int fd_ = -1;                    // what write() goes to
    std::string path_;               // as given, for messages
    std::filesystem::path target_;   // the file finally written
    std::filesystem::path tempName_; // a named temporary; empty while unnamed
    bool unnamed_ = false;           // fd_ is an O_TMPFILE file not yet named
    struct stat old_ {};             // the file replaced, when replacing_
    bool replacing_ = false;
    std::int64_t size_ = 0; // bytes written
    int error_ = 0;         // the first write failure
};

} // namespace tarsel
