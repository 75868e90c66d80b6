// The scheduler's loop and its check pass.
#include "ReminderScheduler.h"

namespace tv {

CReminderScheduler::~CReminderScheduler() { StopAndJoin(); }

size_t CReminderScheduler::CheckPass(CEventStore& store, const DateTime& now, IReminderSink& sink) {
    size_t announced = 0;
    auto announce = [&](const CPtEvent& ev) {
        if (ev.GetReminderState() == kReminderSnoozed) {
            CPtEvent limited = ev;
            if (limited.LimitSnooze(now)) store.Modify(ev.GetId(), limited);  // replaced in place
        }
        if (!ev.IsDue(now)) return;
        const uint32_t id = ev.GetId();
        CPtEvent copy;
        if (!store.GetById(id, copy)) return;
        copy.SetShowing();
        // Modify takes both locks in the store's order; this thread already holds the first.
        store.Modify(id, copy, ShowingMark::Replace);
        sink.PostEventPop(id);
        ++announced;
    };
    CEventIterator oneOff = store.CreateIterator(EventListKind::OneOff);
    while (const CPtEvent* ev = oneOff.Next()) announce(*ev);
    CEventIterator recurring = store.CreateIterator(EventListKind::Recurring);
    while (const CPtEvent* ev = recurring.Next()) announce(*ev);
    return announced;
}

uint32_t CReminderScheduler::Run() {
    if (WaitForStop(m_timing.initialDelay)) return 0;
    int counter = 0;
    for (;;) {
        if (counter < m_timing.ticksPerPass - 1) {
            ++counter;
        } else {
            counter = 0;
            CheckPass(m_store, m_clock.Now(), m_sink);
            ++m_passes;
        }
        if (WaitForStop(m_timing.tick)) return 0;
    }
}

}  // namespace tv
