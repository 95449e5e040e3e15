#include "ui/common/write_file.h"

#include "settings/atomic_write.h"

#include <algorithm>
#include <csignal>
#include <string>

namespace tarsel {

void ignoreWriteSignals() {
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

QString writeFileInPieces(const QString& path,
                          const std::function<bool(const PieceWriter&)>& produce) {
    const std::string name = path.toStdString();
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
