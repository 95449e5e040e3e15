#include "ui/plots/sweep_controls.h"

#include "engine/param_table.h"
#include "engine/result_fields.h"
#include "entry/number_format.h"
#include "entry/number_parse.h"
#include "sweep/sweep.h"
#include "ui/plots/sweep_plot.h"
#include "ui/plots/terrain_sweep_plot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <QSignalBlocker>

#include <algorithm>
#include <tuple>

namespace tarsel {

namespace {

QString numberText(double value) {
    return QString::fromStdString(formatPlain(value));
}

} // namespace

SweepControls::SweepControls(PlotSettings& settings, const LinkParams& inputs, QWidget* parent)
    : QWidget(parent), settings_(settings), inputs_(inputs) {
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
    shownKey_ = QString::fromStdString(settings.sweepKey);
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

    connect(key_, &QComboBox::currentIndexChanged, this, &SweepControls::chooseInput);
    connect(from_, &QLineEdit::editingFinished, this, &SweepControls::takeChoices);
    connect(to_, &QLineEdit::editingFinished, this, &SweepControls::takeChoices);
    connect(points_, &QSpinBox::editingFinished, this, &SweepControls::takeChoices);
    connect(log_, &QCheckBox::toggled, this, &SweepControls::takeChoices);
    connect(results_, &QListWidget::itemChanged, this, &SweepControls::takeChoices);
}

void SweepControls::setTerrain(bool inUse) {
    const QString kKey = QString::fromLatin1(KFactorSweepKey);
    const int k = key_->findData(kKey);
    const QSignalBlocker quiet(key_);
    if (inUse && k < 0) {
        key_->addItem(QStringLiteral("Effective earth k-factor (terrain)"), kKey);
        if (settings_.sweepKey == KFactorSweepKey) {
            key_->setCurrentIndex(key_->count() - 1);
        }
    } else if (!inUse && k >= 0) {
        key_->removeItem(k);
    }
    // Without a terrain a kept k sweep gives way to the input shown, with its range.
    if (!inUse && settings_.sweepKey == KFactorSweepKey) {
        showRangeFor(key_->currentData().toString());
        settings_.sweepKey = shownKey_.toStdString();
        for (auto [box, value] :
             {std::pair{from_, &settings_.sweepFrom}, std::pair{to_, &settings_.sweepTo}}) {
            if (const auto parsed = parseDoubleText(box->text().trimmed().toStdString())) {
                *value = *parsed;
            }
        }
        settings_.sweepLog = log_->isChecked();
    }
    results_->setEnabled(key_->currentData().toString() != kKey);
}

void SweepControls::chooseInput() {
    showRangeFor(key_->currentData().toString());
    takeChoices();
}

void SweepControls::showRangeFor(const QString& key) {
    if (key == shownKey_) {
        return;
    }
    kept_.insert(shownKey_, Range{from_->text(), to_->text(), log_->isChecked()});
    shownKey_ = key;
    Range range;
    if (const auto kept = kept_.constFind(key); kept != kept_.constEnd()) {
        range = *kept;
    } else {
        // k: from below the standard atmosphere's 4/3 to well above it.
        SweepRange proposed{0.5, 10.0, true};
        const int field = sweepField(SweepPlan{key.toStdString()});
        if (const RangedValue* input = paramForField(inputs_, field)) {
            proposed = proposeSweepRange(field, input->value);
        }
        range = Range{numberText(proposed.from), numberText(proposed.to), proposed.log};
    }
    for (QLineEdit* box : {from_, to_}) {
        mark(box, QString());
    }
    from_->setText(range.from);
    to_->setText(range.to);
    const QSignalBlocker quiet(log_);
    log_->setChecked(range.log);
}

void SweepControls::mark(QLineEdit* box, const QString& reason) {
    box->setProperty("refused", !reason.isEmpty());
    box->setToolTip(reason);
    box->setStyleSheet(
        reason.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #D55E00; }"));
}

QString SweepControls::refuseThirdUnit() {
    QStringList units;
    for (const std::string& name : settings_.sweepResults) {
        if (const ResultField* field = findResultField(name)) {
            if (!units.contains(shownUnit(*field))) {
                units << shownUnit(*field);
            }
        }
    }
    for (int i = 0; i < results_->count(); ++i) {
        QListWidgetItem* item = results_->item(i);
        const std::string name = item->data(Qt::UserRole).toString().toStdString();
        const ResultField* field = findResultField(name);
        const bool known = std::find(settings_.sweepResults.begin(), settings_.sweepResults.end(),
                                     name) != settings_.sweepResults.end();
        if (item->checkState() != Qt::Checked || known || field == nullptr) {
            continue;
        }
        const QString unit = shownUnit(*field);
        if (!units.contains(unit) && units.size() >= 2) {
            const QSignalBlocker quiet(results_);
            item->setCheckState(Qt::Unchecked);
            return twoUnitsNote(resultChoiceText(*field), units);
        }
        if (!units.contains(unit)) {
            units << unit;
        }
    }
    return {};
}

void SweepControls::takeChoices() {
    PlotSettings s = settings_;
    s.sweepKey = key_->currentData().toString().toStdString();
    results_->setEnabled(s.sweepKey != KFactorSweepKey);
    // From and To must be numbers; the sweep's own check reports values out
    // of the input's range under the plot.
    QString reason;
    for (auto [box, value, name] :
         {std::tuple{from_, &s.sweepFrom, "From"}, std::tuple{to_, &s.sweepTo, "To"}}) {
        const std::string text = box->text().trimmed().toStdString();
        const auto parsed = parseDoubleText(text);
        const QString why = parsed ? QString()
                                   : QStringLiteral("%1: Invalid number format: %2")
                                         .arg(QLatin1String(name), box->text().trimmed());
        mark(box, why);
        if (parsed) {
            *value = *parsed;
        } else if (reason.isEmpty()) {
            reason = why;
        }
    }
    if (!reason.isEmpty()) {
        emit refused(reason);
        return;
    }
    s.sweepPoints = points_->value();
    s.sweepLog = log_->isChecked();
    const QString third = refuseThirdUnit();
    // The results in the order they were chosen, so that each keeps its colour.
    std::vector<std::string> checked;
    for (int i = 0; i < results_->count(); ++i) {
        if (results_->item(i)->checkState() == Qt::Checked) {
            checked.push_back(results_->item(i)->data(Qt::UserRole).toString().toStdString());
        }
    }
    s.sweepResults.clear();
    for (const std::string& name : settings_.sweepResults) {
        if (std::find(checked.begin(), checked.end(), name) != checked.end()) {
            s.sweepResults.push_back(name);
        }
    }
    for (const std::string& name : checked) {
        if (std::find(s.sweepResults.begin(), s.sweepResults.end(), name) == s.sweepResults.end()) {
            s.sweepResults.push_back(name);
        }
    }
    if (s != settings_) {
        settings_ = s;
        emit changed();
    }
    if (!third.isEmpty()) {
        emit refused(third);
    }
}

} // namespace tarsel
