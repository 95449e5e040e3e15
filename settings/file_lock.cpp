#include "settings/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace tarsel {

FileLock::FileLock(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file(path);
    if (!file.has_filename()) {
        return;
    }
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec); // the save creates it anyway
    const fs::path lock =
        folder / std::string(".").append(file.filename().string()).append(".lock");
    // Read-only is enough for flock, and lets a user lock a shared file's lock.
    fd_ = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd_ < 0) {
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock
    }
}

} // namespace tarsel
