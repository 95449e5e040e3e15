#include "settings/file_lock.h"

#include "settings/atomic_write.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tarsel {

namespace {

namespace fs = std::filesystem;

std::atomic<std::chrono::milliseconds::rep> waitMs{5000};

// Polling interval while another process holds the lock.
constexpr std::chrono::milliseconds PollInterval{20};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Opens what stands for the file path: the file itself when it is a regular
// file, otherwise (missing) the nearest existing folder of the file the path
// finally names. Read-only is enough for flock. -1 when there is nothing to
// lock (a device, a FIFO, no access).
int openLockTarget(const std::string& path, fs::path& target, bool& isFile) {
    struct stat st {};
    isFile = ::stat(path.c_str(), &st) == 0;
    if (isFile) {
        if (!S_ISREG(st.st_mode)) {
            return -1;
        }
        // O_NONBLOCK: should the name be replaced by a FIFO meanwhile, no hang.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        struct stat opened {};
        if (fd >= 0 && (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode))) {
            ::close(fd);
            return -1;
        }
        return fd;
    }
    if (errno != ENOENT) {
        return -1;
    }
    target = path;
    if (followSymbolicLinks(target) != 0) {
        return -1;
    }
    std::error_code ec;
    fs::path folder = fs::absolute(target, ec).parent_path();
    for (; !ec && !folder.empty(); folder = folder.parent_path()) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT || folder == folder.root_path()) {
            return fd;
        }
    }
    return -1;
}

// True while the path still names what fd stands for: the same file, or for
// a folder, still no file.
bool stillNamed(const std::string& path, int fd, bool isFile) {
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0) {
        return !isFile && errno == ENOENT;
    }
    struct stat locked {};
    return isFile && ::fstat(fd, &locked) == 0 && sameFile(now, locked);
}

// Earlier versions locked ".<name>.lock" beside the file and left it there.
// Removed when it is the user's own empty regular file that nobody locks.
void removeOldLockFile(const std::string& path) {
    fs::path target = path;
    if (followSymbolicLinks(target) != 0 || !target.has_filename()) {
        return;
    }
    const fs::path old =
        target.parent_path() / std::string(".").append(target.filename().string()).append(".lock");
    const int fd = ::open(old.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    struct stat named {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0 &&
        st.st_uid == ::geteuid() && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(old.c_str(), &named) == 0 && sameFile(st, named)) {
        ::unlink(old.c_str());
    }
    ::close(fd);
}

} // namespace

bool lockHeldByOther(std::string_view error) {
    return error.ends_with(LockHeldText);
}

std::chrono::milliseconds lockWait() {
    return std::chrono::milliseconds(waitMs.load());
}

void setLockWait(std::chrono::milliseconds wait) {
    waitMs.store(wait.count());
}

FileLock::FileLock(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const Clock::time_point deadline = Clock::now() + lockWait();
    for (;;) {
        fs::path target;
        bool isFile = false;
        fd_ = openLockTarget(path, target, isFile);
        if (fd_ < 0) {
            return; // nothing to lock: the save reports what is wrong
        }
        if (!waitForLock(deadline)) {
            return;
        }
        if (stillNamed(path, fd_, isFile)) {
            removeOldLockFile(path);
            return;
        }
        // Replaced (or created) while we waited: lock what the path names now.
        ::close(fd_);
        fd_ = -1;
        if (Clock::now() >= deadline) {
            held_ = false;
            return;
        }
    }
}

// Takes the lock on fd_, polling until deadline. False when it was not taken:
// fd_ is then closed, and held_ says whether the save may go on (a file
// system without locks) or not (another process holds it).
bool FileLock::waitForLock(Clock::time_point deadline) {
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EINTR) {
            const bool busy = errno == EWOULDBLOCK;
            if (!busy || Clock::now() >= deadline) {
                held_ = !busy;
                ::close(fd_);
                fd_ = -1;
                return false;
            }
            std::this_thread::sleep_for(PollInterval);
        }
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_); // releases the lock
    }
}

} // namespace tarsel
