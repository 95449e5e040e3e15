#pragma once
// The Sweep tab's choices: the swept input (any of the nineteen) with its
// from, to, number of points and spacing, and the results to draw, listed
// with their units.

#include "engine/link_params.h"
#include "ui/plots/plot_settings.h"

#include <QHash>
#include <QString>
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
    // Shows settings; edits change it and emit changed(). inputs are the
    // link's present inputs, around which a newly chosen input's range is
    // proposed; both outlive the controls.
    SweepControls(PlotSettings& settings, const LinkParams& inputs, QWidget* parent = nullptr);

    QComboBox* keyBox() const { return key_; }
    QLineEdit* fromBox() const { return from_; }
    QLineEdit* toBox() const { return to_; }
    QSpinBox* pointsBox() const { return points_; }
    QCheckBox* logBox() const { return log_; }
    QListWidget* resultList() const { return results_; }

    // With a terrain in use the effective earth's k-factor can be swept too
    // (each method's loss is drawn against it, the results list waits);
    // without one it leaves the inputs.
    void setTerrain(bool inUse);

signals:
    void changed();
    // An entry or choice was refused (a From that is not a number, a third
    // unit), with the reason; the settings keep their last good values.
    void refused(const QString& reason);

private:
    // The range shown for another input: the From, To and spacing it last had
    // in this window, or else a range around its present value.
    void chooseInput();
    void showRangeFor(const QString& key);
    void takeChoices();
    // Marks box as refused with its reason, or clears the mark (empty reason).
    static void mark(QLineEdit* box, const QString& reason);
    // Unchecks a result whose unit would be a third one; its reason, or "".
    QString refuseThirdUnit();

    PlotSettings& settings_;
    const LinkParams& inputs_;
    struct Range {
        QString from;
        QString to;
        bool log = false;
    };
    QHash<QString, Range> kept_; // by input key, as typed
    QString shownKey_;           // the input whose range the boxes hold
    QComboBox* key_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QSpinBox* points_ = nullptr;
    QCheckBox* log_ = nullptr;
    QListWidget* results_ = nullptr;
};

} // namespace tarsel
