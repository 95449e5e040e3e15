#pragma once
// "Terrain from Elevation Data...": the rasters (files or folders, in a list
// that can be edited), the two sites as "lat,lon", the antenna heights above
// the ground, k, the spacing of the samples and whether voids are filled,
// with the path's length and bearing shown as the sites are typed. A bad
// entry is marked and the dialog says why; OK waits until all are good. OK
// then samples the profile in the background, with progress and Cancel; the
// dialog closes once the terrain is in use and stays, entries and all, when
// it cannot be had.

#include "settings/terrain_settings.h"
#include "terrain/profile.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace tarsel {

class ElevationLoad;
struct ElevationEntries;
struct ElevationOutcome;
class UiServices;

class ElevationDialog : public QDialog {
    Q_OBJECT
public:
    // Takes the sampled profile of source into use; "" or why it cannot be.
    // notes: what the sampling said besides the profile (voids filled), or empty.
    using Use = std::function<std::string(const TerrainSource& source, terrain::Profile profile,
                                          const QString& notes)>;

    // Filled from start; reportProgram is the tarsel-report to run (empty:
    // the one beside this program).
    ElevationDialog(const TerrainSource& start, UiServices& services, const QString& reportProgram,
                    Use use, QWidget* owner);
    ~ElevationDialog() override;

    // The entries as an elevation source; meaningful when problem() is empty.
    TerrainSource source() const;
    // Why the entries cannot be used yet, naming the first bad one; "" when
    // all are good.
    QString problem() const { return problem_; }

    // OK: samples the profile; the dialog closes when it is in use.
    void accept() override;
    // Closed without OK (Cancel, Escape, the close box): a sampling still going
    // is stopped, so nothing comes of it.
    void done(int result) override;

private:
    QLineEdit* addField(QFormLayout* form, const QString& label, const QString& name,
                        const QString& text, const QString& tip);
    // Where the file and folder dialogs start: beside the last path listed.
    QString lastFolder() const;
    void addFiles();
    void addFolder();
    void addRasters(const QStringList& paths);
    void removeRasters();
    // The entries as typed; items, when given, gets the list's non-empty rows.
    ElevationEntries entries(std::vector<QListWidgetItem*>* items = nullptr) const;
    void check();
    void loaded(ElevationOutcome& outcome, const TerrainSource& source);
    void setBusy(bool busy);

    UiServices& services_;
    QString reportProgram_;
    Use use_;
    TerrainSource start_;
    QListWidget* rasters_ = nullptr;
    QLineEdit* tx_ = nullptr;
    QLineEdit* rx_ = nullptr;
    QLineEdit* txHeight_ = nullptr;
    QLineEdit* rxHeight_ = nullptr;
    QLineEdit* kFactor_ = nullptr;
    QLineEdit* spacing_ = nullptr;
    QCheckBox* fillVoids_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* why_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QWidget* form_ = nullptr;
    QString problem_;
    QPointer<ElevationLoad> load_;
};

} // namespace tarsel
