// The program's cross-window messages, delivered as queued signals on the user-interface thread.
#pragma once

#include <QObject>
#include <cstdint>

#include "engine/ReminderScheduler.h"

namespace tv {

// One object on the user-interface thread. Post() may be called from any thread; each
// message arrives later, on the user-interface thread, in the order of posting, as the signal
// of its name. Nothing is ever delivered synchronously, so a sender never waits for a receiver.
class CMessageHub : public QObject {
    Q_OBJECT
public:
    // Made on first use; call that first on the user-interface thread.
    static CMessageHub& Instance();

    // name is one of the tv::msg names; an unknown name is dropped.
    void Post(const char* name, uint32_t wParam);
    // The same at once; only on the user-interface thread.
    void Send(const char* name, uint32_t wParam) { Deliver(name, wParam); }

Q_SIGNALS:
    void eventPop(quint32 eventId);      // "KORVATE-EVENT-POP"
    void refresh(quint32 wParam);        // "KORVATE-REFRESH"
    void eventDeleted(quint32 eventId);  // "KORVATE-EVENT_DEL"
    void invalidate(quint32 eventId);    // "KORVATE-INVALIDATE"

private:
    using QObject::QObject;
    void Deliver(const char* name, uint32_t wParam);
};

// Posts a message for the calendar main window, and only while it exists.
void PostToMainWnd(const char* name, uint32_t wParam);

// Hands the scheduler's due ids to the hub as "KORVATE-EVENT-POP".
class CHubReminderSink final : public IReminderSink {
public:
    bool PostEventPop(uint32_t eventId) override;
};

}  // namespace tv
