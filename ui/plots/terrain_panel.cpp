#include "ui/plots/terrain_panel.h"

#include "entry/number_parse.h"
#include "ui/plots/terrain_profile.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace tarsel {

namespace {

struct KPreset {
    const char* text;
    double k;
};
const KPreset KPresets[] = {
    {"2/3", 2.0 / 3.0},
    {"1", 1.0},
    {"4/3", 4.0 / 3.0},
    {"\u221e", std::numeric_limits<double>::infinity()}, // a flat earth
};

std::optional<double> positive(const QString& text) {
    const std::optional<double> value = parseDoubleText(text.trimmed().toStdString());
    if (!value || !(*value > 0.0)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> parseKFactor(const QString& text) {
    const QString t = text.trimmed();
    if (t == QStringLiteral("inf") || t == QStringLiteral("\u221e") ||
        t == QStringLiteral("infinity")) {
        return std::numeric_limits<double>::infinity();
    }
    const qsizetype slash = t.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        const std::optional<double> k = positive(t);
        return k && std::isfinite(*k) ? k : std::nullopt;
    }
    const std::optional<double> top = positive(t.left(slash));
    const std::optional<double> bottom = positive(t.mid(slash + 1));
    if (!top || !bottom || !std::isfinite(*top / *bottom) || !(*top / *bottom > 0.0)) {
        return std::nullopt;
    }
    return *top / *bottom;
}

TerrainPanel::TerrainPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("terrainPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("&k-factor of the effective earth:"), this);
    kBox_ = new QComboBox(this);
    kBox_->setObjectName(QStringLiteral("kFactor"));
    kBox_->setEditable(true);
    kBox_->setInsertPolicy(QComboBox::NoInsert);
    kBox_->setToolTip(QStringLiteral("A preset, or any positive value (1.5, 4/3, inf) and Enter"));
    label->setBuddy(kBox_);
    for (const KPreset& preset : KPresets) {
        kBox_->addItem(QString::fromUtf8(preset.text), preset.k);
    }
    // A preset picked from the list, or any text confirmed with Enter.
    connect(kBox_, &QComboBox::activated, this, [this] { choose(); });
    connect(kBox_->lineEdit(), &QLineEdit::returnPressed, this, [this] { choose(); });
    why_ = new QLabel(this);
    why_->setObjectName(QStringLiteral("kFactorNote"));
    why_->setWordWrap(true);
    why_->hide();

    const QStringList rows = terrainTableTitles();
    table_ = new QTableWidget(static_cast<int>(rows.size()), 1, this);
    table_->setObjectName(QStringLiteral("terrainMethods"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Loss [dB]")});
    table_->setVerticalHeaderLabels(rows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    for (int row = 0; row < table_->rowCount(); ++row) {
        table_->setItem(row, 0, new QTableWidgetItem);
        table_->item(row, 0)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    layout->addWidget(label);
    layout->addWidget(kBox_);
    layout->addWidget(why_);
    layout->addWidget(table_);
    layout->addStretch(1);
    // Beside the plot, as narrow as its contents allow.
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->resizeColumnsToContents();
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    setMaximumWidth(fontMetrics().averageCharWidth() * 42);
    table_->horizontalHeader()->setMinimumSectionSize(fontMetrics().averageCharWidth() * 10);
    hide();
}

void TerrainPanel::showTerrain(const terrain::PathAnalysis* analysis, double kFactor) {
    if (analysis == nullptr) {
        hide();
        return;
    }
    shownK_ = kFactor;
    chosenK_ = kFactor;
    if (!kBox_->lineEdit()->hasFocus() || !why_->isVisible()) {
        const int preset = kBox_->findData(kFactor);
        if (preset >= 0) {
            kBox_->setCurrentIndex(preset);
        }
        kBox_->setEditText(preset >= 0 ? kBox_->itemText(preset) : kFactorText(kFactor));
    }
    const std::vector<TerrainTableRow> rows = terrainTableRows(*analysis);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QTableWidgetItem* item = table_->item(static_cast<int>(i), 0);
        item->setText(rows[i].value);
        QFont font = item->font();
        font.setBold(rows[i].used); // the one the margin uses
        item->setFont(font);
    }
    show();
}

void TerrainPanel::refuse(const QString& why) {
    why_->setText(why);
    why_->setVisible(!why.isEmpty());
}

void TerrainPanel::choose() {
    const std::optional<double> k = parseKFactor(kBox_->currentText());
    if (!k) {
        refuse(QStringLiteral("\"%1\" is not a k-factor: give a positive number, a fraction "
                              "such as 4/3, or inf.")
                   .arg(kBox_->currentText()));
        return;
    }
    refuse({});
    // Enter on a preset's text both picks it and confirms it: one choice.
    if (*k != chosenK_) {
        chosenK_ = *k;
        emit kFactorChosen(*k);
    }
}

} // namespace tarsel
