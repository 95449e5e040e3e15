// One lock per file, whatever name reaches it; a bounded wait; nothing left
// beside the user's files.

#include "settings/atomic_write.h"
#include "settings/file_lock.h"
#include "settings/profile_file.h"
#include "tests/settings/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>

namespace tarsel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::readFile;
using test::TempFolder;
using test::writeFile;

// Short waits for the tests; the default restored afterwards.
class FileLockTest : public ::testing::Test {
protected:
    void SetUp() override { setLockWait(50ms); }
    void TearDown() override { setLockWait(5000ms); }
};

TEST_F(FileLockTest, EveryNameOfAFileSharesOneLock) {
    struct Row {
        const char* what;
        bool exists;           // the file is there before locking
        const char* first;     // the name the first party locks
        const char* second;    // the name the second party tries
        const char* symlinkTo; // "link.ini" points here, when set
        bool hardLink;         // "hard.ini" is a second name of "real.ini"
    };
    const Row rows[] = {
        {"same name", true, "real.ini", "real.ini", nullptr, false},
        {"symbolic link", true, "real.ini", "link.ini", "real.ini", false},
        {"hard link", true, "real.ini", "hard.ini", nullptr, true},
        {"another spelling", true, "real.ini", "sub/../real.ini", nullptr, false},
        {"dangling link", false, "real.ini", "link.ini", "real.ini", false},
    };
    for (const Row& row : rows) {
        TempFolder folder;
        fs::create_directory(folder.file("sub"));
        if (row.exists) {
            writeFile(folder.file("real.ini"), "[S]\n");
        }
        if (row.symlinkTo != nullptr) {
            fs::create_symlink(row.symlinkTo, folder.file("link.ini"));
        }
        if (row.hardLink) {
            fs::create_hard_link(folder.file("real.ini"), folder.file("hard.ini"));
        }
        const std::size_t entries = folder.entries();
        {
            const FileLock first(folder.file(row.first));
            ASSERT_TRUE(first.held()) << row.what;
            EXPECT_FALSE(FileLock(folder.file(row.second)).held()) << row.what;
            const std::string error = writeProfileString(folder.file(row.second), "S", "k", "1");
            EXPECT_EQ(error, folder.file(row.second) + ": " + std::string(LockHeldText))
                << row.what;
        }
        EXPECT_TRUE(FileLock(folder.file(row.second)).held()) << row.what;
        EXPECT_EQ(folder.entries(), entries) << row.what << ": something left beside the file";
    }
}

// A save replaces the file by a new one; whoever waited for the old one's
// lock ends up holding the new one's.
TEST_F(FileLockTest, WaiterFollowsTheFileThatReplacedTheLockedOne) {
    setLockWait(5000ms);
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    writeFile(path, "old");
    std::promise<void> release;
    std::future<void> waiter;
    {
        const FileLock holder(path);
        waiter = std::async(std::launch::async, [&] {
            const FileLock second(path);
            EXPECT_TRUE(second.held());
            release.get_future().wait();
        });
        std::this_thread::sleep_for(100ms); // the waiter is waiting on the old file
        ASSERT_EQ(writeFileAtomically(path, "new", WriteTarget::SettingsFile), "");
    }
    std::this_thread::sleep_for(100ms); // the waiter takes the new file's lock
    setLockWait(50ms);
    EXPECT_FALSE(FileLock(path).held());
    release.set_value();
    waiter.get();
    EXPECT_TRUE(FileLock(path).held());
}

TEST_F(FileLockTest, OldLockFileIsRemovedOnceNobodyHoldsIt) {
    TempFolder folder;
    const std::string path = folder.file("Tarsel.ini");
    const std::string old = folder.file(".Tarsel.ini.lock");
    writeFile(old, "");
    EXPECT_EQ(writeProfileString(path, "S", "k", "1"), "");
    EXPECT_FALSE(fs::exists(old));
    EXPECT_EQ(folder.entries(), 1u);
    // Not empty: not ours to remove.
    writeFile(old, "someone's notes");
    EXPECT_EQ(writeProfileString(path, "S", "k", "2"), "");
    EXPECT_TRUE(fs::exists(old));
}

} // namespace
} // namespace tarsel
