#pragma once
// Replacing a file's contents so that a reader sees either the old file or the
// new one, never a mixture, whatever happens during the write.

#include <string>
#include <string_view>

namespace tarsel {

// Writes data to a temporary file in the folder of path, flushes it to disk,
// gives it the permissions of the file it replaces and renames it over path;
// then flushes the folder. On any failure the temporary file is removed and
// the old file is left as it was. Creates the folder (and its parents) when
// missing. A symbolic link at path is followed, so its target is replaced and
// the link kept. Returns "" on success, otherwise "<path>: <reason>".
std::string writeFileAtomically(const std::string& path, std::string_view data);

} // namespace tarsel
