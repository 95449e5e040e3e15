#pragma once
// Writing a whole output file so that a failure leaves no partial file.

#include <string>

namespace tarsel {

// Writes content to a temporary file beside path, flushes it and renames it
// over path. Returns an empty string on success, else a message naming the
// file and the reason.
std::string writeFileAtomically(const std::string& path, const std::string& content);

} // namespace tarsel
