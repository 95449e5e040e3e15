#pragma once
// What the About box says of this build and this machine: the build's word
// size and system, and the memory available now.

#include <QString>

#include <optional>

namespace tarsel {

// "64 bit version for Linux": the word size and system the program was built for.
QString buildDescription();

// MemAvailable of a /proc/meminfo text, in KB; nullopt when it is missing or
// not a number.
std::optional<long long> memAvailableKb(const QByteArray& meminfo);

// The memory available now, as the About box shows it: "16234567 KB", or
// "unknown" where the system does not say.
QString availableMemoryText();

} // namespace tarsel
