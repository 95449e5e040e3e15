// Exports that would replace the settings file, or wait on a FIFO nobody
// reads, are refused with a message; the target stays as it was.
#include "plot_harness.h"

#include <QFile>
#include <QPushButton>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarsel::testing {
namespace {

TEST(ExportRefusals, SettingsFileAndFifoAreRefused) {
    Program program("[Mine]\nkept=1\n");
    PlotWindow* window = openPlots(program, IDM_GRAPH_PROFILE);
    const QByteArray settings = program.settingsText().toUtf8();
    const QString fifo = program.dir.filePath(QStringLiteral("reader.svg"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // A reader that never reads: writing more than the pipe holds would wait.
    const int reader = ::open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const auto click = [&](const char* button) {
        window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
    const struct {
        const char* what;
        std::function<void()> run;
    } exports[] = {
        {"image", [&] { click("saveImage"); }},
        {"data", [&] { click("saveData"); }},
        {"pdf", [&] { program.window->commandAction(IDM_EXPORT_PDF)->trigger(); }},
    };
    const struct {
        QString path;
        const char* reason;
    } targets[] = {
        {program.state.settingsPath, "it is the program's settings file"},
        {program.dir.filePath(QStringLiteral("./Tarsel.ini")), "it is the program's settings file"},
        {fifo, "it is a named pipe (FIFO)"},
    };
    for (const auto& target : targets) {
        for (const auto& run : exports) {
            program.services.warnings.clear();
            program.services.saveAnswer = target.path;
            run.run();
            ASSERT_EQ(program.services.warnings.size(), 1u) << run.what;
            const std::string& text = program.services.warnings[0].text;
            EXPECT_NE(text.find(target.path.toStdString() + ": " + target.reason),
                      std::string::npos)
                << text;
        }
    }
    EXPECT_EQ(program.settingsText().toUtf8(), settings);
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0); // nothing was written into the pipe
    ::close(reader);
}

} // namespace
} // namespace tarsel::testing
