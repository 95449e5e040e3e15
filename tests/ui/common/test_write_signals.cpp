// A reader that goes away from a pipe being exported to: the write fails with
// the usual message and the program lives on.
#include "ui/common/write_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarsel::testing {
namespace {

TEST(WriteSignals, BrokenPipeIsAFailedWriteNotDeath) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("f.svg"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    int result[2];
    ASSERT_EQ(::pipe(result), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(reader);
        ignoreWriteSignals();
        const QByteArray error =
            writeFileWhole(fifo, QByteArray(1 << 20, 'x')).toUtf8(); // more than the pipe holds
        [[maybe_unused]] const ssize_t told = ::write(result[1], error.data(), error.size());
        ::_exit(0);
    }
    ::close(result[1]);
    pollfd data{reader, POLLIN, 0};
    ASSERT_EQ(::poll(&data, 1, 10000), 1); // the export is writing
    char head[100];
    ASSERT_GT(::read(reader, head, sizeof head), 0);
    ::close(reader); // like head -c100
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
