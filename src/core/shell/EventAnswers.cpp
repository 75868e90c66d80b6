// What the reminder pop-up's buttons and the main window's event commands do to the store.
#include "EventAnswers.h"

namespace tv {

AnswerResult SnoozeEvent(CEventStore& store, uint32_t id, int seconds, const DateTime& now) {
    AnswerResult r;
    CPtEvent ev;
    if (!store.GetById(id, ev)) return r;
    r.found = true;
    ev.Snooze(seconds, now);
    ev.ClearShowing();
    // The pop-up's answer is the one change that ends the showing mark.
    store.Modify(id, ev, ShowingMark::Replace);
    r.save = store.Save();
    return r;
}

AnswerResult AcceptEvent(CEventStore& store, uint32_t id, const DateTime& now, const DateTime& occurrence) {
    AnswerResult r;
    CPtEvent ev;
    if (!store.GetById(id, ev)) return r;
    r.found = true;
    if (!ev.IsOccurrenceDone(occurrence)) ev.Accept(now);
    ev.ClearShowing();
    store.Modify(id, ev, ShowingMark::Replace);
    r.save = store.Save();
    return r;
}

AnswerResult DeleteEvent(CEventStore& store, uint32_t id) {
    AnswerResult r;
    if (!store.Delete(id)) return r;
    r.found = true;
    r.save = store.Save();
    return r;
}

bool ApplyEventChange(CEventStore& store, uint32_t id, EventChange change, const DateTime& now) {
    CPtEvent ev;
    if (!store.GetById(id, ev)) return false;
    switch (change) {
        case EventChange::Accept: ev.Accept(now); break;
        case EventChange::Enable: ev.SetEnabled(true); break;
        case EventChange::Disable: ev.SetEnabled(false); break;
    }
    return store.Modify(id, ev);
}

}  // namespace tv
