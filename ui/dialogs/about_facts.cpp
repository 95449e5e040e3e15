#include "ui/dialogs/about_facts.h"

#include "entry/number_format.h"

#include <QByteArray>
#include <QFile>
#include <QSysInfo>

namespace tarsel {

QString buildDescription() {
#if defined(__linux__)
    const QString system = QStringLiteral("Linux");
#elif defined(__APPLE__)
    const QString system = QStringLiteral("macOS");
#elif defined(_WIN32)
    const QString system = QStringLiteral("Windows");
#else
    const QString system = QSysInfo::kernelType();
#endif
    return QStringLiteral("%1 bit version for %2").arg(QSysInfo::WordSize).arg(system);
}

std::optional<long long> memAvailableKb(const QByteArray& meminfo) {
    // A line "MemAvailable:   16234567 kB".
    for (const QByteArray& line : meminfo.split('\n')) {
        if (!line.startsWith("MemAvailable:")) {
            continue;
        }
        const QList<QByteArray> words = line.mid(13).simplified().split(' ');
        bool ok = false;
        const long long kb = words.value(0).toLongLong(&ok);
        if (!ok || kb < 0 || words.value(1, "kB") != "kB") {
            return std::nullopt;
        }
        return kb;
    }
    return std::nullopt;
}

QString availableMemoryText() {
    QFile file(QStringLiteral("/proc/meminfo"));
    std::optional<long long> kb;
    if (file.open(QIODevice::ReadOnly)) {
        kb = memAvailableKb(file.readAll());
    }
    return kb ? QString::fromStdString(formatInt(*kb) + " KB") : QStringLiteral("unknown");
}

} // namespace tarsel
