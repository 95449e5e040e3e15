#pragma once
// What a printed PDF holds, read back with poppler's tools (pdfinfo,
// pdftotext, pdffonts): tests skip when they are not installed.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace tarsel::testing {

// Output of a poppler tool, or a null string when it cannot run.
inline QString poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A field of pdfinfo's output ("Pages", "Page size"), or a null string.
inline QString pdfInfo(const QString& pdf, const QString& field) {
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression line(QStringLiteral("^%1: +(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return info.isNull() ? QString() : line.match(info).captured(1).trimmed();
}

} // namespace tarsel::testing
