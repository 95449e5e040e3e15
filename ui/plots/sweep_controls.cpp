#include "ui/plots/sweep_controls.h"

#include "engine/param_table.h"
#include "engine/result_fields.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "ui/plots/sweep_plot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <algorithm>

namespace tarsel {

namespace {

QString numberText(double value) {
    return QString::fromStdString(formatPlain(value));
}

} // namespace

SweepControls::SweepControls(PlotSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    key_ = new QComboBox(this);
    key_->setObjectName(QStringLiteral("sweepKey"));
    for (int field = 0; field < FieldCount; ++field) {
        const FieldInfo& info = fieldTable()[static_cast<std::size_t>(field)];
        key_->addItem(inputChoiceText(field), QString::fromLatin1(info.key));
    }
    key_->setCurrentIndex(std::max(0, key_->findData(QString::fromStdString(settings.sweepKey))));
    from_ = new QLineEdit(numberText(settings.sweepFrom), this);
    from_->setObjectName(QStringLiteral("sweepFrom"));
    to_ = new QLineEdit(numberText(settings.sweepTo), this);
    to_->setObjectName(QStringLiteral("sweepTo"));
    points_ = new QSpinBox(this);
    points_->setObjectName(QStringLiteral("sweepPoints"));
    points_->setRange(2, MaxPlotSweepPoints);
    points_->setValue(settings.sweepPoints);
    log_ = new QCheckBox(QStringLiteral("&Logarithmic spacing"), this);
    log_->setObjectName(QStringLiteral("sweepLog"));
    log_->setChecked(settings.sweepLog);
    form->addRow(QStringLiteral("Inp&ut:"), key_);
    form->addRow(QStringLiteral("&From:"), from_);
    form->addRow(QStringLiteral("&To:"), to_);
    form->addRow(QStringLiteral("Poi&nts:"), points_);
    form->addRow(QString(), log_);
    layout->addLayout(form);

    auto* column = new QVBoxLayout;
    auto* label = new QLabel(QStringLiteral("R&esults:"), this);
    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("sweepResults"));
    label->setBuddy(results_);
    for (const ResultField& field : resultFields()) {
        auto* item = new QListWidgetItem(resultChoiceText(field), results_);
        const QString name = QString::fromLatin1(field.name);
        item->setData(Qt::UserRole, name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        const bool on = std::find(settings.sweepResults.begin(), settings.sweepResults.end(),
                                  name.toStdString()) != settings.sweepResults.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    results_->setMaximumHeight(120);
    column->addWidget(label);
    column->addWidget(results_);
    layout->addLayout(column, 1);

    connect(key_, &QComboBox::currentIndexChanged, this, &SweepControls::takeChoices);
    connect(from_, &QLineEdit::editingFinished, this, &SweepControls::takeChoices);
    connect(to_, &QLineEdit::editingFinished, this, &SweepControls::takeChoices);
    connect(points_, &QSpinBox::editingFinished, this, &SweepControls::takeChoices);
    connect(log_, &QCheckBox::toggled, this, &SweepControls::takeChoices);
    connect(results_, &QListWidget::itemChanged, this, &SweepControls::takeChoices);
}

void SweepControls::takeChoices() {
    PlotSettings s = settings_;
    s.sweepKey = key_->currentData().toString().toStdString();
    // Text that is not a number keeps the value before; the sweep's own check
    // reports values out of the input's range.
    if (const auto from = parseDoubleText(from_->text().toStdString())) {
        s.sweepFrom = *from;
    }
    if (const auto to = parseDoubleText(to_->text().toStdString())) {
        s.sweepTo = *to;
    }
    s.sweepPoints = points_->value();
    s.sweepLog = log_->isChecked();
    s.sweepResults.clear();
    for (int i = 0; i < results_->count(); ++i) {
        if (results_->item(i)->checkState() == Qt::Checked) {
            s.sweepResults.push_back(
                results_->item(i)->data(Qt::UserRole).toString().toStdString());
        }
    }
    if (s != settings_) {
        settings_ = s;
        emit changed();
    }
}

} // namespace tarsel
