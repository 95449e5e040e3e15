#include "ui/common/elevation_load.h"

#include "terrain/profile_csv.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>
#include <utility>

namespace tarsel {

namespace {

const QString ProgramName = QStringLiteral("tarsel-report");
const QString Prefix = ProgramName + QStringLiteral(": ");

// The table of a path this long at 1 mm spacing is far larger; a bigger one
// is cut off rather than held in memory [bytes].
constexpr qsizetype MaxProfileBytes = qsizetype{256} << 20;

// Standard error kept for the message at most [bytes].
constexpr qsizetype MaxErrorBytes = qsizetype{64} << 10;

} // namespace

// How far the run is, with its Cancel; Escape and the close box cancel too.
// It never runs an event loop of its own, so nothing happens inside it.
class ElevationProgress : public QDialog {
public:
    ElevationProgress(QWidget* owner, std::function<void()> cancel)
        : QDialog(owner), cancel_(std::move(cancel)) {
        setObjectName(QStringLiteral("elevationProgress"));
        setWindowTitle(QStringLiteral("Terrain from Elevation Data"));
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(QStringLiteral("Starting tarsel-report..."), this);
        label_->setMinimumWidth(label_->fontMetrics().averageCharWidth() * 48);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, 0); // busy until the first step is known
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(label_);
        layout->addWidget(bar_);
        layout->addWidget(buttons);
    }

    // "opening 3/40" or "sampling 1200/3300" as tarsel-report says it.
    void setStep(const QString& stage, int done, int total) {
        const bool opening = stage == QStringLiteral("opening");
        const bool sampled = !opening && done == total;
        label_->setText((opening   ? QStringLiteral("Opening the elevation files: %1 of %2")
                         : sampled ? QStringLiteral("Sampled %2 points; reading the profile...")
                                   : QStringLiteral("Sampling the path: %1 of %2 points"))
                            .arg(QString::number(done), QString::number(total)));
        bar_->setRange(0, total);
        bar_->setValue(done);
    }

    void reject() override { cancel_(); }

private:
    std::function<void()> cancel_;
    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
};

QString reportProgramPath() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {here.filePath(ProgramName), here.filePath(QStringLiteral("../cli/") + ProgramName)}) {
        const QFileInfo file(candidate);
        if (file.isFile() && file.isExecutable()) {
            return QDir::cleanPath(file.absoluteFilePath());
        }
    }
    return {};
}

QStringList elevationArguments(const TerrainSource& source) {
    // Its own defaults, not the user's settings file: only the ground is read back.
    QStringList args{QStringLiteral("--defaults"), QStringLiteral("--dem")};
    for (const std::string& path : source.rasterPaths) {
        // Absolute, so that no path can read as an option.
        args << QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    }
    args << QStringLiteral("--from") << QString::fromStdString(formatGeoSite(source.tx))
         << QStringLiteral("--to") << QString::fromStdString(formatGeoSite(source.rx));
    if (source.spacingM > 0.0) {
        args << QStringLiteral("--spacing") << QString::number(source.spacingM, 'g', 17);
    }
    if (source.fillVoids) {
        args << QStringLiteral("--fill-voids");
    }
    args << QStringLiteral("--profile-table") << QStringLiteral("--progress");
    return args;
}

ElevationLoad::ElevationLoad(const QString& program, QObject* parent)
    : QObject(parent), program_(program.isEmpty() ? reportProgramPath() : program) {
    process_.setStandardInputFile(QProcess::nullDevice());
    connect(&process_, &QProcess::readyReadStandardError, this, &ElevationLoad::readProgress);
    connect(&process_, &QProcess::readyReadStandardOutput, this, &ElevationLoad::readProfile);
    connect(&process_, &QProcess::finished, this, &ElevationLoad::processFinished);
    connect(&process_, &QProcess::errorOccurred, this, &ElevationLoad::processFailed);
}

ElevationLoad::~ElevationLoad() {
    done_ = nullptr;
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(1000);
    }
    delete progress_.data();
}

void ElevationLoad::start(const TerrainSource& source, Done done) {
    done_ = std::move(done);
    profileText_.clear();
    errorText_.clear();
    errorLines_.clear();
    cancelled_ = false;
    tooLarge_ = false;
    if (program_.isEmpty()) {
        const QString why =
            QStringLiteral("%1, which reads elevation data for the window, was not found beside "
                           "the program in %2.")
                .arg(ProgramName, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        QTimer::singleShot(0, this,
                           [this, why] { finishWith(ElevationOutcome::Status::Failed, why); });
        return;
    }
    process_.start(program_, elevationArguments(source));
}

void ElevationLoad::showProgress(QWidget* owner, Qt::WindowModality modality, int delayMs) {
    progressOwner_ = owner;
    modality_ = modality;
    if (delay_ == nullptr) {
        delay_ = new QTimer(this);
        delay_->setSingleShot(true);
        connect(delay_, &QTimer::timeout, this, &ElevationLoad::openProgress);
    }
    delay_->start(delayMs);
}

void ElevationLoad::openProgress() {
    if (!running() || progress_) {
        return;
    }
    progress_ = new ElevationProgress(progressOwner_.data(), [this] { cancel(); });
    progress_->setWindowModality(modality_);
    progress_->show();
    readProgress(); // the last step said so far
}

void ElevationLoad::cancel() {
    if (!running()) {
        return;
    }
    cancelled_ = true;
    if (process_.state() != QProcess::NotRunning) {
        process_.kill(); // finished follows
    } else {
        finishWith(ElevationOutcome::Status::Cancelled, {});
    }
}

void ElevationLoad::readProgress() {
    errorText_ += process_.readAllStandardError();
    static const QRegularExpression step(QStringLiteral("^progress: (\\w+) (\\d+)/(\\d+)$"));
    qsizetype end = 0;
    while ((end = errorText_.indexOf('\n')) >= 0) {
        QString line = QString::fromUtf8(errorText_.left(end)).trimmed();
        errorText_.remove(0, end + 1);
        if (line.startsWith(Prefix)) {
            line.remove(0, Prefix.size());
        }
        // The window's words for the command line's.
        if (line.startsWith(QStringLiteral("--dem: "))) {
            line.remove(0, 7);
        }
        line.replace(QStringLiteral("(--fill-voids fills voids from their neighbours)"),
                     QStringLiteral("(Fill voids fills them from their neighbours)"));
        const QRegularExpressionMatch match = step.match(line);
        if (!match.hasMatch()) {
            if (errorLines_.join(QLatin1Char('\n')).size() < MaxErrorBytes) {
                errorLines_ << line;
            }
            continue;
        }
        lastStage_ = match.captured(1);
        lastDone_ = match.captured(2).toInt();
        lastTotal_ = match.captured(3).toInt();
    }
    if (progress_ && !lastStage_.isEmpty()) {
        progress_->setStep(lastStage_, lastDone_, lastTotal_);
    }
}

void ElevationLoad::readProfile() {
    profileText_ += process_.readAllStandardOutput();
    if (profileText_.size() > MaxProfileBytes && !tooLarge_) {
        tooLarge_ = true;
        profileText_.clear();
        process_.kill();
    }
}

QString ElevationLoad::messages() const {
    QStringList lines = errorLines_;
    if (!errorText_.isEmpty()) {
        lines << QString::fromUtf8(errorText_).trimmed();
    }
    lines.removeAll(QString());
    return lines.join(QLatin1Char('\n'));
}

void ElevationLoad::processFinished(int exitCode, QProcess::ExitStatus exitStatus) {
    readProgress();
    readProfile();
    using Status = ElevationOutcome::Status;
    if (cancelled_) {
        finishWith(Status::Cancelled, {});
        return;
    }
    if (tooLarge_) {
        finishWith(Status::Failed,
                   QStringLiteral("The profile is larger than %1 MB; a larger spacing makes it "
                                  "smaller.")
                       .arg(MaxProfileBytes >> 20));
        return;
    }
    if (exitStatus == QProcess::CrashExit || exitCode != 0) {
        const QString said = messages();
        const QString how =
            exitStatus == QProcess::CrashExit
                ? QStringLiteral("%1 stopped unexpectedly.").arg(ProgramName)
                : QStringLiteral("%1 ended with status %2.").arg(ProgramName).arg(exitCode);
        finishWith(Status::Failed, said.isEmpty() ? how : said);
        return;
    }
    // A table of a million points takes a while to read: not on the window's thread.
    auto* reading = new QFutureWatcher<terrain::ProfileReadResult>(this);
    connect(reading, &QFutureWatcherBase::finished, this, [this, reading] {
        reading->deleteLater();
        terrain::ProfileReadResult read = reading->result();
        if (!running()) {
            return; // cancelled meanwhile
        }
        if (!read.ok) {
            finishWith(Status::Failed, QString::fromStdString(read.error.text()));
            return;
        }
        ElevationOutcome outcome;
        outcome.status = Status::Loaded;
        outcome.profile = std::move(read.profile);
        // Of what it said, the voids it filled, in a few words for the
        // note; the rest is for failures.
        static const QRegularExpression filled(QStringLiteral("^filled (\\d+) void"));
        for (const QString& line : errorLines_) {
            if (const QRegularExpressionMatch m = filled.match(line); m.hasMatch()) {
                outcome.notes = m.captured(1) == QStringLiteral("1")
                                    ? QStringLiteral("1 void filled")
                                    : QStringLiteral("%1 voids filled").arg(m.captured(1));
            }
        }
        finish(outcome);
    });
    reading->setFuture(QtConcurrent::run([text = std::exchange(profileText_, {})] {
        return terrain::parseProfileCsv(
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
            "tarsel-report's profile", terrain::DistanceUnit::Metres);
    }));
}

void ElevationLoad::processFailed(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) {
        return; // a crash or a kill: finished follows
    }
    finishWith(ElevationOutcome::Status::Failed,
               QStringLiteral("%1 could not be started: %2")
                   .arg(QDir::toNativeSeparators(program_), process_.errorString()));
}

void ElevationLoad::finishWith(ElevationOutcome::Status status, const QString& message) {
    ElevationOutcome outcome;
    outcome.status = status;
    outcome.message = message;
    finish(outcome);
}

void ElevationLoad::finish(ElevationOutcome& outcome) {
    if (delay_ != nullptr) {
        delay_->stop();
    }
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
    }
    Done done = std::move(done_);
    done_ = nullptr;
    if (done) {
        done(outcome);
    }
}

} // namespace tarsel
