#pragma once
// The Sweep tab's choices: the swept input (any of the nineteen) with its
// from, to, number of points and spacing, and the results to draw, listed
// with their units.

#include "ui/plots/plot_settings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace tarsel {

class SweepControls : public QWidget {
    Q_OBJECT
public:
    // Shows settings; edits change it and emit changed().
    SweepControls(PlotSettings& settings, QWidget* parent = nullptr);

    QComboBox* keyBox() const { return key_; }
    QLineEdit* fromBox() const { return from_; }
    QLineEdit* toBox() const { return to_; }
    QSpinBox* pointsBox() const { return points_; }
    QCheckBox* logBox() const { return log_; }
    QListWidget* resultList() const { return results_; }

signals:
    void changed();

private:
    void takeChoices();

    PlotSettings& settings_;
    QComboBox* key_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QSpinBox* points_ = nullptr;
    QCheckBox* log_ = nullptr;
    QListWidget* results_ = nullptr;
};

} // namespace tarsel
