// The monkey's run: afterwards the program is alive with every parameter
// within its bounds, and the settings file it saves reloads without a warning.
// TARSEL_MONKEY_SECONDS (default 20) and TARSEL_MONKEY_SEED (default 1) set
// the run; `make monkey SECONDS=600` makes a long one. TARSEL_MONKEY_MODE=plots
// (`make monkey MONKEY_MODE=plots`) spends most of the run in the plot window;
// TARSEL_MONKEY_TEARDOWN_SECONDS (`MONKEY_TEARDOWN=`) destroys the program
// that often wherever it stands and starts it again.
#include "monkey.h"

#include "engine/link_params.h"
#include "settings/settings.h"

#include "ui/common/commands.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tarsel::testing {
namespace {

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

class Recorder : public WarningSink {
public:
    std::vector<std::string> texts;
    void warn(const Warning& warning) override { texts.push_back(warning.text); }
};

void expectWithinBounds(const LinkParams& params, const char* when) {
    for (int field = 0; field < FieldCount; ++field) {
        const RangedValue& p = *paramForField(params, field);
        EXPECT_TRUE(p.value >= p.lo && p.value <= p.hi)
            << when << ": field " << field << " = " << p.value << " outside [" << p.lo << ", "
            << p.hi << "]";
    }
    EXPECT_TRUE(params.XColWid.value >= params.XColWid.lo &&
                params.XColWid.value <= params.XColWid.hi)
        << when << ": column width " << params.XColWid.value;
}

TEST(Monkey, RandomUseLeavesAConsistentProgramAndSettingsFile) {
    const long seconds = environmentNumber("TARSEL_MONKEY_SECONDS", 20);
    const auto seed = static_cast<std::uint32_t>(environmentNumber("TARSEL_MONKEY_SEED", 1));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Monkey monkey(seed, folder.path());
    const char* mode = std::getenv("TARSEL_MONKEY_MODE");
    monkey.setPlotMode(mode != nullptr && std::string(mode) == "plots");
    monkey.setTearDownEvery(
        std::chrono::seconds(environmentNumber("TARSEL_MONKEY_TEARDOWN_SECONDS", 0)));
    monkey.run(std::chrono::seconds(seconds));

    const MonkeyCounts& counts = monkey.counts();
    std::printf("monkey: seed %u, %ld s, %ld actions, %ld menu commands, %ld dialog answers, "
                "%ld restarts, %ld teardowns\n",
                seed, seconds, counts.actions, counts.menuCommands, counts.dialogAnswers,
                counts.restarts, counts.teardowns);
    ASSERT_NE(monkey.window(), nullptr);
    EXPECT_EQ(counts.startWarnings, 0)
        << "the program's own settings file warned at start: " << counts.firstStartWarning;
    EXPECT_EQ(counts.firstOutOfBounds, "");
    expectWithinBounds(monkey.state()->params, "in the program");

    const std::size_t before = monkey.services().warnings.size();
    monkey.closeProgram();
    EXPECT_EQ(monkey.services().warnings.size(), before) << "the save at exit warned";

    LinkParams params;
    FontRecords fonts;
    Recorder warnings;
    LoadSettings(monkey.settingsPath().toStdString(), params, fonts, warnings);
    EXPECT_TRUE(warnings.texts.empty()) << warnings.texts.front();
    expectWithinBounds(params, "reloaded");
}

// A short run in the plot window: zooms, pans and extreme values leave every
// axis range finite and the program consistent.
TEST(Monkey, PlotWindowModeKeepsEveryRangeDrawable) {
    QTemporaryDir folder;
    Monkey monkey(static_cast<std::uint32_t>(environmentNumber("TARSEL_MONKEY_SEED", 1)),
                  folder.path());
    monkey.setPlotMode(true);
    monkey.setTearDownEvery(
        std::chrono::seconds(environmentNumber("TARSEL_MONKEY_TEARDOWN_SECONDS", 2)));
    monkey.run(std::chrono::seconds(environmentNumber("TARSEL_MONKEY_PLOT_SECONDS", 8)));
    ASSERT_NE(monkey.window(), nullptr);
    EXPECT_EQ(monkey.counts().firstOutOfBounds, "");
    expectWithinBounds(monkey.state()->params, "in the program");
}

// A run ends on time whatever dialog is open when the time is up, also the
// About box, which ignores Escape and its close box.
TEST(Monkey, EndsWithAModalBoxOpen) {
    QTemporaryDir folder;
    Monkey monkey(1, folder.path());
    QAction* about =
        monkey.window()->findChild<QAction*>(QStringLiteral("command%1").arg(IDM_ABOUT));
    ASSERT_NE(about, nullptr);
    QTimer::singleShot(0, about, &QAction::trigger);
    monkey.run(std::chrono::milliseconds(0));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace tarsel::testing
