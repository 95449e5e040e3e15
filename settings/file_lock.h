#pragma once
// An advisory lock that lets processes take turns at reading, changing and
// saving the same file, whatever name each of them knows it by.

#include <chrono>
#include <string>
#include <string_view>

namespace tarsel {

// The reason given when another process held the file for longer than the
// wait allows: "<path>: <LockHeldText>".
inline constexpr std::string_view LockHeldText =
    "another process holds the file locked; nothing was saved";

// True when a save's error says that the file was locked by another process.
bool lockHeldByOther(std::string_view error);

// How long a lock is waited for (5 s unless set; tests shorten it).
std::chrono::milliseconds lockWait();
void setLockWait(std::chrono::milliseconds wait);

// Holds an exclusive flock on the file path names, after following its
// symbolic links, from construction to destruction. Since a save replaces the
// file by a new one, the lock is taken again until the path still names the
// file locked. A file not yet there is stood for by its folder (the nearest
// one that exists) until it appears. Every name of a file (a link, a hard
// link, a relative path) so shares one lock, and nothing is created beside
// the user's files; a ".<name>.lock" file left there by earlier versions is
// removed once nobody holds it.
//
// Waits at most lockWait() while another process holds the lock; held() is
// then false. Best effort otherwise: where nothing can be opened or the file
// system has no locks, nothing is locked, held() is true and the save goes on.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return held_; }

private:
    using Clock = std::chrono::steady_clock;
    bool waitForLock(Clock::time_point deadline);

    int fd_ = -1;
    bool held_ = true;
};

} // namespace tarsel
