#pragma once
// Every file the program writes (exports, reports) goes through this.

#include <QByteArray>
#include <QString>

#include <functional>
#include <string_view>

namespace tarsel {

// A file size limit or a reader gone from a pipe makes a write fail with a
// message, as a full disk does, instead of ending the program (unsaved
// values and all): SIGXFSZ and SIGPIPE are ignored. Called once at start.
void ignoreWriteSignals();

// The settings file, which no export may replace; set once at start.
void protectSettingsFile(const QString& path);

// Writes bytes to path as writeFileAtomically does for any file: a regular
// file replaced whole (hard links, owner and read-only files respected), a
// device written through. Refused: the settings file and a FIFO. "" on
// success, otherwise the reason, without the path.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

// The same for data made in pieces: produce hands each piece to the writer it
// is given, which returns false once writing has failed (produce may stop
// then). The file is put in place only when produce returns true.
using PieceWriter = std::function<bool(std::string_view)>;
QString writeFileInPieces(const QString& path,
                          const std::function<bool(const PieceWriter&)>& produce);

} // namespace tarsel
