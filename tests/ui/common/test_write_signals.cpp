// A write to a pipe whose reader went away fails with the usual message, and
// the program lives on (with its unsaved values).
#include "settings/atomic_write.h"
#include "ui/common/write_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace tarsel::testing {
namespace {

TEST(WriteSignals, BrokenPipeIsAFailedWriteNotDeath) {
    int result[2];
    ASSERT_EQ(::pipe(result), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ignoreWriteSignals();
        int gone[2];
        const bool made = ::pipe(gone) == 0 && ::close(gone[0]) == 0;
        const char* error = made && !writeAll(gone[1], "svg") ? std::strerror(errno) : "written";
        [[maybe_unused]] const ssize_t told = ::write(result[1], error, std::strlen(error));
        ::_exit(0);
    }
    ::close(result[1]);
    char buffer[256] = {};
    const ssize_t n = ::read(result[0], buffer, sizeof buffer - 1);
    ::close(result[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0), "Broken pipe");
}

} // namespace
} // namespace tarsel::testing
