#pragma once
// Every file the program writes (exports, reports) goes through this.

#include <QByteArray>
#include <QString>

namespace tarsel {

// Writes bytes to path as writeFileAtomically does for any file: a regular
// file replaced whole (hard links, owner and read-only files respected), a
// device or FIFO written through. "" on success, otherwise the reason,
// without the path.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

} // namespace tarsel
