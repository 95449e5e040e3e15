#pragma once
// A terrain profile sampled from elevation data by tarsel-report, run as a
// process of its own: the window never loads GDAL and its many libraries, a
// fault in reading the data cannot take the user's edits with it, and a long
// run can be stopped at any time. The window waits for nothing meanwhile.

#include "settings/terrain_settings.h"
#include "terrain/profile.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <functional>

class QTimer;

namespace tarsel {

class ElevationProgress;

struct ElevationOutcome {
    enum class Status { Loaded, Failed, Cancelled };
    Status status = Status::Failed;
    terrain::Profile profile; // when loaded
    QString message;          // why it failed
    QString notes;            // what tarsel-report said of a loaded one (voids filled)
};

// tarsel-report beside this program (installed) or in the build tree's cli/
// folder next to ui/; empty when neither is there.
QString reportProgramPath();

// The command line that writes source's profile as a table on standard
// output, with progress lines on standard error.
QStringList elevationArguments(const TerrainSource& source);

class ElevationLoad : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(ElevationOutcome& outcome)>;

    // program: the tarsel-report to run; empty for reportProgramPath().
    explicit ElevationLoad(const QString& program, QObject* parent = nullptr);
    // A run still going is stopped; done is not called.
    ~ElevationLoad() override;

    // Samples the rasters of source between its sites. done is called once,
    // later, from the event loop: loaded, failed (with the reason) or
    // cancelled.
    void start(const TerrainSource& source, Done done);
    // Once the run has taken delayMs, a progress dialog over owner (modal to
    // owner's window, or not modal) shows how far it is; its Cancel stops it.
    void showProgress(QWidget* owner, Qt::WindowModality modality, int delayMs = 400);
    // Stops the run; done hears that it was cancelled.
    void cancel();
    bool running() const { return done_ != nullptr; }

private:
    void readProgress();
    void openProgress();
    void readProfile();
    void processFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void processFailed(QProcess::ProcessError error);
    void finish(ElevationOutcome& outcome);
    void finishWith(ElevationOutcome::Status status, const QString& message);
    QString messages() const;

    QString program_;
    QProcess process_;
    Done done_;
    QByteArray profileText_;
    QByteArray errorText_; // standard error not yet split into lines
    QStringList errorLines_;
    bool cancelled_ = false;
    bool tooLarge_ = false;
    QTimer* delay_ = nullptr;
    QPointer<QWidget> progressOwner_;
    Qt::WindowModality modality_ = Qt::WindowModal;
    QPointer<ElevationProgress> progress_;
    QString lastStage_; // the last step tarsel-report said: its stage and count
    int lastDone_ = 0;
    int lastTotal_ = 0;
};

} // namespace tarsel
