#pragma once
// Beside the path profile over a terrain: the effective earth's k-factor
// (presets 2/3, 1, 4/3 and infinity, or any value typed) and a table of each
// method's loss with the terrain margin. Hidden while there is no terrain.

#include "terrain/path_analysis.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tarsel {

// "4/3", "1.5", "inf" or "∞" as a k-factor: a positive number, a fraction of
// two or infinity; nullopt otherwise.
std::optional<double> parseKFactor(const QString& text);

class TerrainPanel : public QWidget {
    Q_OBJECT
public:
    explicit TerrainPanel(QWidget* parent = nullptr);

    // Shows the analysis of the terrain in use and its k; hides the panel
    // without one.
    void showTerrain(const terrain::PathAnalysis* analysis, double kFactor);
    // A refused k: marked in the box, why in the panel.
    void refuse(const QString& why);

    QComboBox* kFactorBox() const { return kBox_; }
    QTableWidget* methodsTable() const { return table_; }

signals:
    // A k chosen from the presets or typed and confirmed with Enter.
    void kFactorChosen(double k);

private:
    void choose();

    QComboBox* kBox_ = nullptr;
    QLabel* why_ = nullptr;
    QTableWidget* table_ = nullptr;
    double shownK_ = 0.0;  // of the analysis shown
    double chosenK_ = 0.0; // the last one asked for
};

} // namespace tarsel
