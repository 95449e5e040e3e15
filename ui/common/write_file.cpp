#include "ui/common/write_file.h"

#include "settings/atomic_write.h"
#include "settings/settings_path.h"

#include <algorithm>
#include <csignal>
#include <string>
#include <sys/stat.h>

namespace tarsel {

void ignoreWriteSignals() {
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

namespace {

std::string& settingsFile() {
    static std::string path;
    return path;
}

// Why path is no place for an export, or "": the settings file would lose
// every section the program does not own, and a FIFO whose reader does not
// read would hold the window until it does.
QString refusal(const std::string& path) {
    if (!settingsFile().empty() && namesSameFile(path, settingsFile())) {
        return QStringLiteral("it is the program's settings file");
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) {
        return QStringLiteral("it is a named pipe (FIFO), which may wait for its reader for ever; "
                              "choose a file");
    }
    return {};
}

} // namespace

void protectSettingsFile(const QString& path) {
    settingsFile() = path.toStdString();
}

QString writeFileInPieces(const QString& path,
                          const std::function<bool(const PieceWriter&)>& produce) {
    const std::string name = path.toStdString();
    if (QString refused = refusal(name); !refused.isEmpty()) {
        return refused;
    }
    AtomicFile file;
    std::string error = file.open(name);
    if (error.empty()) {
        bool writeFailed = false;
        const bool produced = produce([&](std::string_view piece) {
            writeFailed = writeFailed || !file.write(piece);
            return !writeFailed;
        });
        // A failed write is the commit's to report; unfinished data is never
        // put in place (the file is given up when it goes out of scope).
        error = produced || writeFailed ? file.commit() : name + ": the data could not be made";
    }
    // The error is "<path>: <reason>"; callers name the path themselves.
    return QString::fromStdString(error.substr(std::min(error.size(), name.size() + 2)));
}

QString writeFileWhole(const QString& path, const QByteArray& bytes) {
    return writeFileInPieces(path, [&bytes](const PieceWriter& write) {
        return write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    });
}

} // namespace tarsel
