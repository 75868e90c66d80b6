// The program's cross-window messages, delivered as queued signals on the user-interface thread.
#include "MessageHub.h"

#include <QCoreApplication>
#include <cstring>

#include "MainWnd.h"
#include "shell/RegisteredMessages.h"

namespace tv {

CMessageHub& CMessageHub::Instance() {
    static CMessageHub* hub = new CMessageHub(QCoreApplication::instance());
    return *hub;
}

void CMessageHub::Post(const char* name, uint32_t wParam) {
    // A queued call: the worker only appends to the user-interface thread's event queue.
    QMetaObject::invokeMethod(this, [this, name, wParam] { Deliver(name, wParam); }, Qt::QueuedConnection);
}

void CMessageHub::Deliver(const char* name, uint32_t wParam) {
    if (std::strcmp(name, msg::kEventPop) == 0) Q_EMIT eventPop(wParam);
    else if (std::strcmp(name, msg::kRefresh) == 0) Q_EMIT refresh(wParam);
    else if (std::strcmp(name, msg::kEventDel) == 0) Q_EMIT eventDeleted(wParam);
    else if (std::strcmp(name, msg::kInvalidate) == 0) Q_EMIT invalidate(wParam);
}

void PostToMainWnd(const char* name, uint32_t wParam) {
    if (CMainWnd::Instance()) CMessageHub::Instance().Post(name, wParam);
}

bool CHubReminderSink::PostEventPop(uint32_t eventId) {
    CMessageHub::Instance().Post(msg::kEventPop, eventId);
    return true;
}

}  // namespace tv
