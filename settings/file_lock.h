#pragma once
// An advisory lock that lets processes take turns at reading, changing and
// saving the same file.

#include <string>

namespace tarsel {

// Holds an exclusive flock on the lock file beside path, ".<name>.lock" in the
// same folder (created when missing, and kept), from construction to
// destruction; waits while another process holds it. The file itself cannot
// carry the lock, as a save replaces it by another. Best effort: where no
// lock file can be opened, nothing is locked and the save goes on.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace tarsel
