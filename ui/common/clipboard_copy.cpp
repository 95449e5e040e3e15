#include "ui/common/clipboard_copy.h"

#include "ui/common/ui_services.h"

#include <QApplication>
#include <QClipboard>
#include <string>

namespace tarsel {

bool copyWithinLimit(UiServices& services, QWidget* owner, std::size_t limit,
                     const std::function<bool(const PieceWriter&)>& produce,
                     const std::function<void()>& saveInstead) {
    std::string text;
    bool tooLarge = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    produce([&](std::string_view piece) {
        tooLarge = tooLarge || piece.size() > limit - text.size();
        if (!tooLarge) {
            text += piece;
        }
        return !tooLarge;
    });
    QApplication::restoreOverrideCursor();
    if (!tooLarge) {
        QApplication::clipboard()->setText(QString::fromStdString(text));
        return true;
    }
    const QString message =
        QStringLiteral("The data is larger than %1 MB, more than Copy Data puts on the "
                       "clipboard.\n\nSave it to a file instead?")
            .arg(limit >> 20);
    if (services.ask(owner, QStringLiteral("Graphs"), message, QStringLiteral("Save &Data..."))) {
        saveInstead();
    }
    return false;
}

} // namespace tarsel
