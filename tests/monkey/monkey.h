#pragma once
// A random user: keys, typed text, clicks, wheel turns, window sizes, every
// command of every menu bar, and answers to modal dialogs, from a fixed seed,
// for a set time. The program runs in this process on a settings file of its
// own; when it is closed (File/Exit) it is started again on that file.

#include "fake_services.h"
#include "monkey_crash.h"

#include "ui/common/app_state.h"
#include "ui/main/main_window.h"

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <deque>
#include <iterator>
#include <memory>
#include <random>
#include <string>

namespace tarsel::testing {

struct MonkeyCounts {
    long actions = 0;
    long menuCommands = 0;
    long dialogAnswers = 0;
    long restarts = 0;
    long teardowns = 0;     // the program destroyed where it stood and started again
    long startWarnings = 0; // warnings while the program started on its own file
    std::string firstStartWarning;
    std::string firstOutOfBounds; // the parameter and the actions that led to it
};

// Types text into box, its window brought to the front; Return if commit.
void typeInto(QLineEdit* box, const char* text, bool commit);

class Monkey : public QObject {
    Q_OBJECT
public:
    Monkey(std::uint32_t seed, const QString& folder);
    ~Monkey() override;

    // Acts for duration, then closes every dialog and menu left open.
    void run(std::chrono::milliseconds duration);

    MainWindow* window() const { return session_ ? session_->window.get() : nullptr; }
    AppState* state() const { return session_ ? &session_->state : nullptr; }
    const QString& settingsPath() const { return settingsPath_; }
    const MonkeyCounts& counts() const { return counts_; }
    FakeServices& services() { return services_; }

    // Closes the program as the user would; it saves the settings file.
    void closeProgram();

    // Plot-window mode: most actions go to the plot window (opened again when
    // closed): wheel, rubber band, pan, right click, Reset Zoom, tabs, and
    // extreme values typed into the main window and the Sweep tab.
    void setPlotMode(bool on) { plotMode_ = on; }

    // Every `every` (zero: never) the program is destroyed wherever it stands
    // (a field half typed, a computation running), as at the end of a
    // session, and started again on its file: one run ends many times.
    void setTearDownEvery(std::chrono::milliseconds every) { tearDownEvery_ = every; }

public slots:
    // Links the help window would hand to a web browser.
    void openUrl(const QUrl&) {}

private:
    struct Session {
        AppState state;
        std::unique_ptr<MainWindow> window;
    };

    void start();
    void step();
    void act();
    void finish();

    int pick(int n);
    bool chance(double p);
    // One of items (not empty), picked at random.
    template <class Items> auto oneOf(const Items& items) {
        return items[static_cast<std::size_t>(pick(static_cast<int>(std::size(items))))];
    }
    // A visible child of window, or window itself, and a point inside it.
    QWidget* anyWidget(QWidget* window);
    QPoint anyPointIn(QWidget* widget);
    // what, then the last actions, one a line.
    std::string afterRecent(std::string what) const;
    QWidget* target();
    void pressKey(QWidget* window);
    void typeText(QWidget* window);
    void typeEntry(QWidget* window);
    void click(QWidget* window);
    void wheel(QWidget* window);
    void runMenuCommand();
    void answerDialog(QWidget* dialog);
    void resizeMain();
    void switchWindow();
    void setDialogAnswers();
    void actOnPlots(); // in monkey_plots.cpp
    void note(std::string what);
    void checkBounds();
    void tearDown();
    void leaveAFieldHalfTyped();

    std::mt19937 random_;
    QString folder_;
    QString settingsPath_;
    FakeServices services_;
    std::unique_ptr<Session> session_;
    MonkeyCounts counts_;
    QEventLoop loop_;
    std::chrono::steady_clock::time_point end_;
    bool plotMode_ = false;
    std::chrono::milliseconds tearDownEvery_{0};
    std::chrono::steady_clock::time_point nextTearDown_;
    bool tearDownArmed_ = false;     // a field was left half typed for the teardown
    int depth_ = 0;                  // steps on the stack: modal dialogs run inside a step
    std::deque<std::string> recent_; // the last actions, for a report
    CrashReport crash_{recent_};
};

} // namespace tarsel::testing
