#pragma once
// Replacing a file's contents so that a reader sees either the old file or the
// new one, never a mixture, whatever happens during the write; and writing
// through whatever else a path may name, as a shell redirection would.

#include <string>
#include <string_view>

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

} // namespace tarsel
