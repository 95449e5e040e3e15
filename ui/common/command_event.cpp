#include "ui/common/command_event.h"

namespace tarsel {

QEvent::Type CommandEvent::eventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void postCommand(QObject* receiver, int id) {
    if (receiver != nullptr) {
        QCoreApplication::postEvent(receiver, new CommandEvent(id));
    }
}

} // namespace tarsel
