// Typing while the plot window's Sweep tab runs a 1,000,000-point sweep,
// offscreen. The whole program starts on a temporary settings file; a thread
// stands in for the keyboard and posts a key into an entry field of the main
// window about 30 times a second (a digit, then Backspace, so the text stays
// short). Each key's latency runs from its posting to the field's text having
// changed. A 1 ms timer on the GUI thread gives the longest time the event
// loop went without running. The same figures with no sweep are the baseline.
#include "ui/common/app_state.h"
#include "ui/common/commands.h"
#include "ui/common/ui_services.h"
#include "ui/main/application.h"
#include "ui/main/diagram_pane.h"
#include "ui/main/main_window.h"
#include "ui/plots/plot_window.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QInputDevice>
#include <QKeyEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto KeyPeriod = 33ms;
constexpr int SweepPoints = 1000000;

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Runs the event loop until done() holds (checked every millisecond).
void runUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(1);
    loop.exec();
}

// The longest gap between two runs of a 1 ms timer on the GUI thread.
class StallWatch {
public:
    StallWatch() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const Clock::time_point now = Clock::now();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
    }
    void start() {
        last_ = Clock::now();
        longest_ = {};
        timer_.start(1);
    }
    double longestMs() const { return ms(longest_); }

private:
    QTimer timer_;
    Clock::time_point last_;
    Clock::duration longest_{};
};

// Posts keys into the field from its own thread at a steady pace, as a
// keyboard does whatever the GUI thread is busy with.
class Typist {
public:
    explicit Typist(QLineEdit* field) : field_(field) {
        QObject::connect(field, &QLineEdit::textChanged, [this] {
            const std::lock_guard lock(mutex_);
            if (handled_ < sent_.size()) {
                latencies_.push_back(ms(Clock::now() - sent_[handled_++]));
            }
        });
    }
    ~Typist() { stop(); }

    void start() {
        stop();
        sent_.clear();
        latencies_.clear();
        handled_ = 0;
        running_ = true;
        thread_ = std::thread([this] { type(); });
    }
    void stop() {
        running_ = false;
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    // Latencies in milliseconds of the keys handled so far.
    std::vector<double> latencies() {
        const std::lock_guard lock(mutex_);
        return latencies_;
    }
    bool allHandled() {
        const std::lock_guard lock(mutex_);
        return handled_ == sent_.size();
    }

private:
    void type() {
        Clock::time_point next = Clock::now();
        for (int i = 0; running_; ++i) {
            std::this_thread::sleep_until(next);
            next += KeyPeriod;
            const bool digit = i % 2 == 0;
            const Qt::Key key = digit ? Qt::Key_1 : Qt::Key_Backspace;
            const QString text = digit ? QStringLiteral("1") : QStringLiteral("\b");
            {
                const std::lock_guard lock(mutex_);
                sent_.push_back(Clock::now());
            }
            QCoreApplication::postEvent(field_,
                                        new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
            QCoreApplication::postEvent(
                field_, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
        }
    }

    QLineEdit* field_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::mutex mutex_;
    std::vector<Clock::time_point> sent_;
    std::size_t handled_ = 0;
    std::vector<double> latencies_;
};

double percentile(std::vector<double> v, double q) {
    if (v.empty()) {
        return std::nan("");
    }
    std::sort(v.begin(), v.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(v.size())));
    return v[std::max<std::size_t>(rank, 1) - 1];
}

void printRow(const char* name, const std::vector<double>& latencies, double stallMs) {
    std::printf("%-22s %6zu %9.2f %9.2f %9.2f %12.1f\n", name, latencies.size(),
                percentile(latencies, 0.5), percentile(latencies, 0.95), percentile(latencies, 1.0),
                stallMs);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QInputDevice::primaryKeyboard(); // made here, not on the typing thread
    QTemporaryDir dir;
    tarsel::AppState state;
    state.settingsPath = dir.filePath(QStringLiteral("Tarsel.ini"));
    state.services = &tarsel::defaultUiServices();
    const auto window = tarsel::startTarsel(state);
    runUntil([start = Clock::now()] { return Clock::now() - start > 200ms; });

    window->commandAction(tarsel::IDM_GRAPH_SWEEP)->trigger();
    auto* plots = qobject_cast<tarsel::PlotWindow*>(state.plotWindow.data());
    runUntil([&] { return !plots->busy(); });

    QLineEdit* field = window->diagramPane()->field(0);
    field->activateWindow();
    field->setFocus();
    Typist typist(field);
    StallWatch stalls;
    std::printf("Typing into an entry field, a key every %d ms (latency and stall in ms)\n",
                static_cast<int>(KeyPeriod.count()));
    std::printf("%-22s %6s %9s %9s %9s %12s\n", "case", "keys", "p50", "p95", "max", "event-loop");

    // Baseline: nothing running but the typing.
    stalls.start();
    typist.start();
    runUntil([start = Clock::now()] { return Clock::now() - start > 3s; });
    typist.stop();
    runUntil([&] { return typist.allHandled(); });
    printRow("no sweep", typist.latencies(), stalls.longestMs());

    // The sweep: from the points' commit until its curve is drawn, typing all
    // along and half a second beyond.
    auto* points = plots->findChild<QSpinBox*>(QStringLiteral("sweepPoints"));
    const int drawn = plots->drawnCount();
    stalls.start();
    typist.start();
    const Clock::time_point start = Clock::now();
    points->setValue(SweepPoints);
    emit points->editingFinished();
    Clock::time_point end{};
    runUntil([&] {
        if (plots->drawnCount() == drawn) {
            return Clock::now() - start > 300s;
        }
        if (end == Clock::time_point{}) {
            end = Clock::now();
        }
        return Clock::now() - end > 500ms;
    });
    typist.stop();
    runUntil([&] { return typist.allHandled(); });
    printRow("1e6-point sweep", typist.latencies(), stalls.longestMs());
    std::printf("\nThe %d-point sweep took %.0f ms from its commit to its curve drawn.\n",
                SweepPoints, ms(end - start));
    const bool complete = plots->drawnCount() > drawn &&
                          plots->data(tarsel::PlotTab::Sweep).plan.points == SweepPoints;
    if (!complete) {
        std::printf("The sweep did not finish.\n");
    }
    window->close();
    return complete ? 0 : 1;
}
