#include "ui/dialogs/elevation_dialog.h"

#include "ui/common/elevation_load.h"
#include "ui/common/ui_services.h"
#include "ui/dialogs/elevation_entries.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tarsel {

namespace {

const char* const InvalidMark = "invalidMark";

// The warning sign at the end of a bad field, its reason as the tip.
void mark(QLineEdit* field, const QString& why) {
    auto* sign = field->findChild<QAction*>(QString::fromLatin1(InvalidMark));
    sign->setVisible(!why.isEmpty());
    sign->setToolTip(why);
}

} // namespace

ElevationDialog::ElevationDialog(const TerrainSource& start, UiServices& services,
                                 const QString& reportProgram, Use use, QWidget* owner)
    : QDialog(owner), services_(services), reportProgram_(reportProgram), use_(std::move(use)),
      start_(start) {
    setObjectName(QStringLiteral("elevationDialog"));
    setWindowTitle(QStringLiteral("Terrain from Elevation Data"));
    const ElevationEntries entries = elevationEntriesOf(start);

    auto* layout = new QVBoxLayout(this);
    form_ = new QWidget(this);
    auto* form = new QFormLayout(form_);
    form->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form_);

    // The rasters, with the buttons that add and remove them.
    rasters_ = new QListWidget(form_);
    rasters_->setObjectName(QStringLiteral("rasters"));
    rasters_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rasters_->setToolTip(QStringLiteral("SRTM .hgt tiles (also zipped), GeoTIFF or any raster "
                                        "GDAL reads, or folders of them. Double-click or F2 "
                                        "edits a path, Delete removes it."));
    rasters_->setMinimumWidth(fontMetrics().averageCharWidth() * 56);
    rasters_->setFixedHeight(fontMetrics().height() * 5);
    auto* remove = new QAction(rasters_);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut); // not while a path is edited
    connect(remove, &QAction::triggered, this, &ElevationDialog::removeRasters);
    rasters_->addAction(remove);
    auto* listButtons = new QHBoxLayout;
    const auto button = [&](const QString& text, const QString& name, auto slot) {
        auto* b = new QPushButton(text, form_);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        listButtons->addWidget(b);
        return b;
    };
    button(QStringLiteral("Add &Files..."), QStringLiteral("addFiles"), &ElevationDialog::addFiles);
    button(QStringLiteral("Add Fol&der..."), QStringLiteral("addFolder"),
           &ElevationDialog::addFolder);
    button(QStringLiteral("Re&move"), QStringLiteral("removeRasters"),
           &ElevationDialog::removeRasters);
    listButtons->addStretch();
    auto* rasterBox = new QVBoxLayout;
    rasterBox->addWidget(rasters_);
    rasterBox->addLayout(listButtons);
    auto* rastersLabel = new QLabel(QStringLiteral("&Elevation data:"), form_);
    rastersLabel->setBuddy(rasters_);
    form->addRow(rastersLabel, rasterBox);
    addRasters(entries.rasters);

    const QString siteTip = QStringLiteral("Latitude,longitude in degrees, north and east "
                                           "positive, such as 47.4,8.55");
    tx_ = addField(form, QStringLiteral("&Tx site (lat,lon):"), QStringLiteral("txSite"),
                   entries.tx, siteTip + QStringLiteral("; the path starts here"));
    rx_ = addField(form, QStringLiteral("R&x site (lat,lon):"), QStringLiteral("rxSite"),
                   entries.rx, siteTip);
    txHeight_ = addField(form, QStringLiteral("Tx antenna &height above ground [m]:"),
                         QStringLiteral("txHeight"), entries.txHeight, {});
    rxHeight_ = addField(form, QStringLiteral("Rx antenna hei&ght above ground [m]:"),
                         QStringLiteral("rxHeight"), entries.rxHeight, {});
    kFactor_ =
        addField(form, QStringLiteral("&k-factor:"), QStringLiteral("kFactor"), entries.kFactor,
                 QStringLiteral("Effective earth radius factor: 4/3, 1.5, 2/3, inf ..."));
    spacing_ =
        addField(form, QStringLiteral("&Spacing [m]:"), QStringLiteral("spacing"), entries.spacing,
                 QStringLiteral("Profile points at most this far apart; empty or 0 for "
                                "the data's own post spacing along the path"));
    spacing_->setPlaceholderText(QStringLiteral("the data's own"));
    fillVoids_ =
        new QCheckBox(QStringLiteral("Fill &voids (no-data posts) from their neighbours"), form_);
    fillVoids_->setObjectName(QStringLiteral("fillVoids"));
    fillVoids_->setChecked(entries.fillVoids);
    form->addRow(QString(), fillVoids_);

    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("pathPreview"));
    why_ = new QLabel(this);
    why_->setObjectName(QStringLiteral("entryProblem"));
    why_->setWordWrap(true);
    // Room for two lines, so that the dialog keeps its size as messages come and go.
    why_->setMinimumHeight(why_->fontMetrics().lineSpacing() * 2);
    why_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Red that reads on the light and on the dark palette.
    QPalette warning = why_->palette();
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    warning.setColor(QPalette::WindowText,
                     dark ? QColor(0xff, 0x8a, 0x80) : QColor(0xc6, 0x28, 0x28));
    why_->setPalette(warning);
    layout->addWidget(preview_);
    layout->addWidget(why_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);

    connect(rasters_, &QListWidget::itemChanged, this, &ElevationDialog::check);
    connect(fillVoids_, &QCheckBox::toggled, this, &ElevationDialog::check);
    check();
    tx_->setFocus();
}

ElevationDialog::~ElevationDialog() = default;

QLineEdit* ElevationDialog::addField(QFormLayout* form, const QString& label, const QString& name,
                                     const QString& text, const QString& tip) {
    auto* field = new QLineEdit(text, form_);
    field->setObjectName(name);
    field->setToolTip(tip);
    QAction* sign = field->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                     QLineEdit::TrailingPosition);
    sign->setObjectName(QString::fromLatin1(InvalidMark));
    sign->setVisible(false);
    auto* caption = new QLabel(label, form_);
    caption->setBuddy(field);
    form->addRow(caption, field);
    connect(field, &QLineEdit::textChanged, this, &ElevationDialog::check);
    return field;
}

void ElevationDialog::addRasters(const QStringList& paths) {
    const QSignalBlocker quiet(rasters_);
    for (const QString& path : paths) {
        auto* item = new QListWidgetItem(QDir::toNativeSeparators(path), rasters_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void ElevationDialog::addFiles() {
    const QStringList files = services_.getOpenFileNames(
        this, QStringLiteral("Add Elevation Files"),
        {QStringLiteral("Elevation rasters (*.hgt *.zip *.tif *.tiff *.dem *.asc *.img *.dt0 "
                        "*.dt1 *.dt2 *.bil *.vrt)"),
         QStringLiteral("All files (*)")},
        lastFolder());
    addRasters(files);
    check();
}

void ElevationDialog::addFolder() {
    const QString folder = services_.getExistingDirectory(
        this, QStringLiteral("Add a Folder of Elevation Data"), lastFolder());
    if (!folder.isEmpty()) {
        addRasters({folder});
        check();
    }
}

QString ElevationDialog::lastFolder() const {
    if (rasters_->count() == 0) {
        return QDir::homePath();
    }
    const QFileInfo last(QDir::fromNativeSeparators(rasters_->item(rasters_->count() - 1)->text()));
    return last.isDir() ? last.absoluteFilePath() : last.absolutePath();
}

void ElevationDialog::removeRasters() {
    qDeleteAll(rasters_->selectedItems());
    check();
}

ElevationEntries ElevationDialog::entries(std::vector<QListWidgetItem*>* items) const {
    ElevationEntries entries;
    for (int i = 0; i < rasters_->count(); ++i) {
        const QString path = rasters_->item(i)->text().trimmed();
        if (!path.isEmpty()) {
            entries.rasters << QDir::fromNativeSeparators(path);
            if (items != nullptr) {
                items->push_back(rasters_->item(i));
            }
        }
    }
    entries.tx = tx_->text();
    entries.rx = rx_->text();
    entries.txHeight = txHeight_->text();
    entries.rxHeight = rxHeight_->text();
    entries.kFactor = kFactor_->text();
    entries.spacing = spacing_->text();
    entries.fillVoids = fillVoids_->isChecked();
    return entries;
}

TerrainSource ElevationDialog::source() const {
    return checkElevationEntries(entries(), start_).source;
}

void ElevationDialog::check() {
    std::vector<QListWidgetItem*> items;
    const ElevationCheck checked = checkElevationEntries(entries(&items), start_);

    const QSignalBlocker quiet(rasters_);
    const QIcon sign = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool missing = checked.rasterMissing[i];
        items[i]->setIcon(missing ? sign : QIcon());
        items[i]->setToolTip(missing ? QStringLiteral("No such file or folder") : QString());
    }
    const std::pair<QLineEdit*, ElevationField> fields[] = {
        {tx_, ElevationField::Tx},
        {rx_, ElevationField::Rx},
        {txHeight_, ElevationField::TxHeight},
        {rxHeight_, ElevationField::RxHeight},
        {kFactor_, ElevationField::KFactor},
        {spacing_, ElevationField::Spacing},
    };
    for (const auto& [field, which] : fields) {
        // An empty field is not yet a mistake; the line below still asks for it.
        mark(field, field->text().trimmed().isEmpty() ? QString() : checked.whyOf(which));
    }
    problem_ = checked.problem();
    preview_->setText(checked.preview);
    why_->setText(problem_);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem_.isEmpty() && !load_);
}

void ElevationDialog::setBusy(bool busy) {
    form_->setEnabled(!busy);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!busy && problem_.isEmpty());
}

void ElevationDialog::accept() {
    check();
    if (!problem_.isEmpty() || load_) {
        return;
    }
    const TerrainSource wanted = source();
    load_ = new ElevationLoad(reportProgram_, this);
    setBusy(true);
    load_->start(wanted, [this, wanted](ElevationOutcome& outcome) { loaded(outcome, wanted); });
    load_->showProgress(this, Qt::WindowModal);
}

void ElevationDialog::done(int result) {
    if (result != Accepted) {
        delete load_.data();
    }
    QDialog::done(result);
}

void ElevationDialog::loaded(ElevationOutcome& outcome, const TerrainSource& source) {
    load_->deleteLater();
    load_ = nullptr;
    setBusy(false);
    QString trouble;
    switch (outcome.status) {
    case ElevationOutcome::Status::Cancelled:
        return; // the entries stay for another try
    case ElevationOutcome::Status::Failed:
        trouble = QStringLiteral("The elevation data was not loaded:\n") + outcome.message;
        break;
    case ElevationOutcome::Status::Loaded:
        if (const std::string error = use_(source, std::move(outcome.profile), outcome.notes);
            !error.empty()) {
            trouble = QStringLiteral("The terrain from the elevation data cannot be used:\n") +
                      QString::fromStdString(error);
        }
        break;
    }
    if (!trouble.isEmpty()) {
        services_.showWarning(this,
                              Warning{trouble.toStdString(), "Terrain", WarningIcon::Warning});
        return;
    }
    QDialog::accept();
}

} // namespace tarsel
