#pragma once
// Every file the program writes (exports, reports) goes through this.

#include <QByteArray>
#include <QString>

#include <functional>
#include <string_view>

namespace tarsel {

// Writes bytes to path as writeFileAtomically does for any file: a regular
// file replaced whole (hard links, owner and read-only files respected), a
// device or FIFO written through. "" on success, otherwise the reason,
// without the path.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

// The same for data made in pieces: produce hands each piece to the writer it
// is given, which returns false once writing has failed (produce may stop
// then). The file is put in place only when produce returns true.
using PieceWriter = std::function<bool(std::string_view)>;
QString writeFileInPieces(const QString& path,
                          const std::function<bool(const PieceWriter&)>& produce);

} // namespace tarsel
