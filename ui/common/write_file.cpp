#include "ui/common/write_file.h"

#include "settings/atomic_write.h"

#include <algorithm>
#include <string>

namespace tarsel {

QString writeFileWhole(const QString& path, const QByteArray& bytes) {
    const std::string name = path.toStdString();
    const std::string error = writeFileAtomically(
        name, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    // The error is "<path>: <reason>"; callers name the path themselves.
    return QString::fromStdString(error.substr(std::min(error.size(), name.size() + 2)));
}

} // namespace tarsel
