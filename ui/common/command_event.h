#pragma once
// A posted command (IDM_RECALC_ALL, IDM_RELAYOUT): one custom event type,
// never coalesced, so every post is one run. Delivered by the event loop,
// also while a modal dialog runs.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace tarsel {

class CommandEvent : public QEvent {
public:
    static QEvent::Type eventType();
    explicit CommandEvent(int id) : QEvent(eventType()), commandId(id) {}
    int commandId;
};

// Queues the command for receiver; returns at once.
void postCommand(QObject* receiver, int id);

} // namespace tarsel
