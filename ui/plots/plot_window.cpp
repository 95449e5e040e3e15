#include "ui/plots/plot_window.h"

#include "ui/common/app_state.h"
#include "ui/common/clipboard_copy.h"
#include "ui/common/fonts.h"
#include "ui/common/locked_save.h"
#include "ui/common/program_icon.h"
#include "ui/common/ui_services.h"
#include "ui/plots/link_plots.h"
#include "ui/plots/path_profile.h"
#include "ui/plots/plot_export.h"
#include "ui/plots/plot_view.h"
#include "ui/plots/sweep_controls.h"
#include "ui/plots/sweep_plot.h"
#include "ui/plots/terrain_panel.h"
#include "ui/plots/terrain_sweep_plot.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace tarsel {

namespace {

constexpr double Exaggerations[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};

const char* const TabNames[PlotTabCount] = {"&Range", "&Obstruction Height", "Path &Profile",
                                            "&Sweep"};
const char* const TabObjectNames[PlotTabCount] = {"rangeTab", "heightTab", "profileTab",
                                                  "sweepTab"};

PlotWindow* openWindow(AppState& state) {
    return qobject_cast<PlotWindow*>(state.plotWindow.data());
}

UiServices& servicesOf(AppState& state) {
    return state.services != nullptr ? *state.services : defaultUiServices();
}

std::size_t index(PlotTab tab) {
    return static_cast<std::size_t>(tab);
}

} // namespace

PlotData computePlot(PlotTab tab, const LinkParams& params, const LinkResults& results,
                     const PlotSettings& settings, SweepControl& control,
                     const TerrainPlot& terrain) {
    switch (tab) {
    case PlotTab::Range:
        return rangePlot(params, results, RangeOptions{settings.rangeLog, settings.rangePower},
                         control);
    case PlotTab::Height:
        return heightPlot(params, results, control);
    case PlotTab::Profile: {
        PlotData data;
        data.figure = terrain.profile ? terrainProfileFigure(*terrain.profile, terrain.analysis,
                                                             terrain.kFactor)
                                      : pathProfileFigure(params, results, settings.exaggeration);
        return data;
    }
    case PlotTab::Sweep:
        return settings.sweepKey == KFactorSweepKey
                   ? kFactorSweepPlot(params, settings, control, terrain)
                   : sweepPlot(params, settings, control);
    }
    return {};
}

PlotWindow::PlotWindow(AppState& state) : state_(state) {
    setObjectName(QStringLiteral("plotWindow"));
    setWindowTitle(QStringLiteral("Graphs"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    settings_ = loadPlotSettings(state_.settingsPath.toStdString());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("plotTabs"));
    tabs_->addTab(makePage(PlotTab::Range, rangeControls()), QString::fromLatin1(TabNames[0]));
    tabs_->addTab(makePage(PlotTab::Height, nullptr), QString::fromLatin1(TabNames[1]));
    tabs_->addTab(makePage(PlotTab::Profile, profileControls()), QString::fromLatin1(TabNames[2]));
    sweep_ = new SweepControls(settings_, state_.params);
    connect(sweep_, &SweepControls::changed, this, &PlotWindow::refresh);
    // A refused entry: its reason under the plot, which keeps the last good sweep.
    connect(sweep_, &SweepControls::refused, this, [this](const QString& reason) {
        QLabel* note = notes_[index(PlotTab::Sweep)];
        note->setText(reason);
        note->show();
    });
    tabs_->addTab(makePage(PlotTab::Sweep, sweep_), QString::fromLatin1(TabNames[3]));
    layout->addWidget(tabs_, 1);

    auto* bar = new QHBoxLayout;
    readout_ = new QLabel(central);
    readout_->setObjectName(QStringLiteral("readout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(readout_, 1);
    auto button = [&](const char* name, const char* text, void (PlotWindow::*action)()) {
        auto* b = new QPushButton(QString::fromLatin1(text), central);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, action);
        bar->addWidget(b);
    };
    button("resetZoom", "Reset &Zoom", &PlotWindow::resetZoom);
    button("copyData", "&Copy Data", &PlotWindow::copyData);
    button("saveImage", "Save &Image...", &PlotWindow::saveImage);
    button("saveData", "Save &Data...", &PlotWindow::saveData);
    // Every letter of "Print" is some other control's Alt key: Ctrl+P instead.
    button("print", "Print...", &PlotWindow::print);
    layout->addLayout(bar);
    setCentralWidget(central);

    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
            &PlotWindow::print);
    findChild<QPushButton*>(QStringLiteral("print"))
        ->setToolTip(
            QStringLiteral("Print the plot (%1)")
                .arg(QKeySequence(QKeySequence::Print).toString(QKeySequence::NativeText)));

    tabs_->setCurrentIndex(settings_.tab);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        settings_.tab = tab;
        readout_->clear();
        refresh();
    });
    // Never larger than the screen (a scaled desktop has fewer pixels to give).
    QSize size(1100, 640);
    if (const QScreen* where = screen()) {
        size = size.boundedTo(where->availableGeometry().size() * 9 / 10);
    }
    resize(size);
}

PlotWindow::~PlotWindow() {
    // Hidden while its choices are still here: a Sweep tab field being typed
    // in loses the focus as the window goes, and takes its text then (the
    // base class would hide it after they are gone).
    hide();
    if (control_) {
        control_->cancel();
    }
    for (QFutureWatcher<PlotData>* watcher : running_) {
        watcher->waitForFinished();
    }
}

QWidget* PlotWindow::makePage(PlotTab tab, QWidget* controls) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(TabObjectNames[index(tab)]));
    auto* layout = new QVBoxLayout(page);
    if (controls != nullptr) {
        layout->addWidget(controls);
    }
    auto* view = new PlotView(page);
    if (tab == PlotTab::Profile) {
        // Over a terrain, the k-factor and each method's loss beside the plot.
        auto* beside = new QHBoxLayout;
        terrainPanel_ = new TerrainPanel(page);
        connect(terrainPanel_, &TerrainPanel::kFactorChosen, this, &PlotWindow::chooseKFactor);
        beside->addWidget(view, 1);
        beside->addWidget(terrainPanel_);
        layout->addLayout(beside, 1);
    } else {
        layout->addWidget(view, 1);
    }
    auto* note = new QLabel(page);
    note->setObjectName(QStringLiteral("note"));
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->hide();
    layout->addWidget(note);
    connect(view, &PlotView::readoutChanged, this,
            [this](const QString& text) { readout_->setText(text); });
    views_[index(tab)] = view;
    notes_[index(tab)] = note;
    return page;
}

QWidget* PlotWindow::rangeControls() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* log = new QCheckBox(QStringLiteral("&Logarithmic distance"), row);
    log->setObjectName(QStringLiteral("rangeLog"));
    log->setChecked(settings_.rangeLog);
    auto* power = new QCheckBox(QStringLiteral("Received po&wer"), row);
    power->setObjectName(QStringLiteral("rangePower"));
    power->setChecked(settings_.rangePower);
    connect(log, &QCheckBox::toggled, this, [this](bool on) {
        settings_.rangeLog = on;
        refresh();
    });
    connect(power, &QCheckBox::toggled, this, [this](bool on) {
        settings_.rangePower = on;
        refresh();
    });
    layout->addWidget(log);
    layout->addWidget(power);
    layout->addStretch(1);
    return row;
}

QWidget* PlotWindow::profileControls() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&Vertical exaggeration:"), row);
    auto* box = new QComboBox(row);
    box->setObjectName(QStringLiteral("exaggeration"));
    label->setBuddy(box);
    for (double e : Exaggerations) {
        box->addItem(QStringLiteral("x%1").arg(e), e);
    }
    const int found = box->findData(settings_.exaggeration);
    if (found >= 0) {
        box->setCurrentIndex(found);
    } else {
        box->addItem(QStringLiteral("x%1").arg(settings_.exaggeration), settings_.exaggeration);
        box->setCurrentIndex(box->count() - 1);
    }
    connect(box, &QComboBox::currentIndexChanged, this, [this, box](int i) {
        settings_.exaggeration = box->itemData(i).toDouble();
        refresh();
    });
    layout->addWidget(label);
    layout->addWidget(box);
    layout->addStretch(1);
    return row;
}

void PlotWindow::showTab(PlotTab tab) {
    if (tabs_->currentIndex() != static_cast<int>(tab)) {
        tabs_->setCurrentIndex(static_cast<int>(tab)); // refreshes
    } else {
        refresh();
    }
}

PlotTab PlotWindow::currentTab() const {
    return static_cast<PlotTab>(tabs_->currentIndex());
}

PlotView* PlotWindow::view(PlotTab tab) const {
    return views_[index(tab)];
}

QLabel* PlotWindow::noteLabel(PlotTab tab) const {
    return notes_[index(tab)];
}

const PlotData& PlotWindow::data(PlotTab tab) const {
    return data_[index(tab)];
}

bool PlotWindow::busy() const {
    return !running_.empty();
}

void PlotWindow::chooseKFactor(double k) {
    TerrainSource source = state_.terrain.source;
    source.kFactor = k;
    const std::string error = retakeTerrain(state_, source);
    if (terrainPanel_ != nullptr) {
        terrainPanel_->refuse(QString::fromStdString(error));
    }
}

void PlotWindow::refresh() {
    // The newest request wins: the one running is told to stop.
    if (control_) {
        control_->cancel();
    }
    auto control = std::make_shared<SweepControl>();
    control_ = control;
    const int generation = ++generation_;
    const PlotTab tab = currentTab();
    TerrainPlot terrain;
    if (state_.terrain.inUse()) {
        terrain = TerrainPlot{state_.terrain.profile, state_.terrain.analysis,
                              state_.terrain.analysedKey.kFactor, pathSetup(state_.terrain.source)};
    }
    sweep_->setTerrain(terrain.profile != nullptr);
    if (terrainPanel_ != nullptr) {
        terrainPanel_->showTerrain(terrain.profile ? &state_.terrain.analysis : nullptr,
                                   terrain.kFactor);
    }
    auto* watcher = new QFutureWatcher<PlotData>(this);
    running_.push_back(watcher);
    connect(watcher, &QFutureWatcher<PlotData>::finished, this, [this, watcher, generation, tab] {
        std::erase(running_, watcher);
        if (generation == generation_) {
            // Moved out, not copied: a long sweep's data runs to tens of megabytes.
            apply(tab, watcher->future().takeResult());
        }
        watcher->deleteLater();
    });
    watcher->setFuture(
        QtConcurrent::run([tab, params = state_.params, results = state_.results,
                           settings = settings_, control, terrain = std::move(terrain)] {
            return computePlot(tab, params, results, settings, *control, terrain);
        }));
}

void PlotWindow::apply(PlotTab tab, PlotData data) {
    if (data.cancelled) {
        return;
    }
    data_[index(tab)] = std::move(data);
    const PlotData& d = data_[index(tab)];
    views_[index(tab)]->setFigure(d.figure);
    QLabel* note = notes_[index(tab)];
    note->setText(d.figure.note);
    note->setVisible(!d.figure.note.isEmpty());
    ++drawn_;
}

void PlotWindow::resetZoom() {
    view(currentTab())->resetZoom();
}

bool PlotWindow::sweptTab() const {
    const PlotData& d = data(currentTab());
    return !d.plan.key.empty() && !d.figure.curves.empty() &&
           !d.figure.curves.front().points.isEmpty();
}

QByteArray PlotWindow::dataCsv() const {
    // A swept plot gives its sweep as tarsel-report --sweep writes it.
    if (!sweptTab()) {
        return figureCsv(data(currentTab()).figure).toUtf8();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string csv;
    writeSweepCsv(data(currentTab()), [&csv](std::string_view piece) {
        csv += piece;
        return true;
    });
    QApplication::restoreOverrideCursor();
    return QByteArray::fromStdString(csv);
}

void PlotWindow::copyData() {
    // A large sweep goes to a file instead: the clipboard holds it whole.
    copyWithinLimit(
        servicesOf(state_), this, ClipboardLimit,
        [this](const PieceWriter& write) {
            return sweptTab() ? writeSweepCsv(data(currentTab()), write)
                              : write(figureCsv(data(currentTab()).figure).toStdString());
        },
        [this] { saveData(); });
}

void PlotWindow::warn(const QString& text) {
    servicesOf(state_).showWarning(this, Warning{text.toStdString(), "Graphs", WarningIcon::Error});
}

SaveChoice PlotWindow::askSaveFile(const QStringList& filters) {
    // Proposed: the tab and the date ("path-profile-2026-12-07.png"), in the
    // folder of the last save.
    static const char* const Stems[PlotTabCount] = {"range", "obstruction-height", "path-profile",
                                                    "sweep"};
    const QString name =
        QStringLiteral("%1-%2.%3")
            .arg(QString::fromLatin1(Stems[index(currentTab())]),
                 QDate::currentDate().toString(Qt::ISODate), filterSuffix(filters.value(0)));
    const SaveChoice choice = servicesOf(state_).askSaveFile(
        this, SaveQuestion{filters, QString::fromStdString(settings_.folder), name});
    if (!choice.path.isEmpty()) {
        settings_.folder = QFileInfo(choice.path).absolutePath().toStdString();
    }
    return choice;
}

void PlotWindow::saveImage() {
    const SaveChoice choice =
        askSaveFile({QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG image (*.svg)"),
                     QStringLiteral("PDF document (*.pdf)")});
    if (choice.path.isEmpty()) {
        return;
    }
    const QString reason =
        savePlotImage(*view(currentTab()), choice.path, imageFormatOf(choice.path, choice.filter));
    if (!reason.isEmpty()) {
        warn(QStringLiteral("The picture could not be saved to %1: %2").arg(choice.path, reason));
    }
}

void PlotWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape); // the plots are wide
    printer.setDocName(tabs_->tabText(tabs_->currentIndex()).remove(QLatin1Char('&')));
    if (!servicesOf(state_).choosePrinter(this, printer)) {
        return;
    }
    if (!printPlot(printer, *view(currentTab()))) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        warn(QStringLiteral("The plot could not be printed to %1.").arg(target));
    }
}

void PlotWindow::saveData() {
    const QString path = askSaveFile({QStringLiteral("CSV files (*.csv)")}).path;
    if (path.isEmpty()) {
        return;
    }
    QString reason;
    if (sweptTab()) {
        // Swept again straight into the file: a million points never sit in memory.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        reason = writeFileInPieces(path, [this](const PieceWriter& write) {
            return writeSweepCsv(data(currentTab()), write);
        });
        QApplication::restoreOverrideCursor();
    } else {
        reason = writeFileWhole(path, dataCsv());
    }
    if (!reason.isEmpty()) {
        warn(QStringLiteral("The data could not be saved to %1: %2").arg(path, reason));
    }
}

void PlotWindow::closeEvent(QCloseEvent* event) {
    const std::string path = state_.settingsPath.toStdString();
    const LockedSave saved = saveUnlessLocked(
        servicesOf(state_), this, path, [&] { return savePlotSettings(path, settings_); },
        [&](const std::string& error) {
            warn(QStringLiteral("The plot settings could not be saved: %1")
                     .arg(QString::fromStdString(error)));
        });
    // Cancelled: the window, and its choices, stay until the file is free.
    event->setAccepted(saved == LockedSave::Done);
}

void openPlotWindow(AppState& state, PlotTab tab) {
    PlotWindow* window = openWindow(state);
    if (window == nullptr) {
        window = new PlotWindow(state);
        state.plotWindow = window;
    }
    window->show();
    window->raise();
    window->activateWindow();
    window->showTab(tab);
}

void refreshPlotWindow(AppState& state) {
    if (PlotWindow* window = openWindow(state)) {
        window->refresh();
    }
}

void closePlotWindow(AppState& state) {
    if (PlotWindow* window = openWindow(state)) {
        window->close();
    }
}

} // namespace tarsel
